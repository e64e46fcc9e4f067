// The fake's controls behave by kind as the system's do, so that tests of the
// windows to come can rely on them.
#include <gtest/gtest.h>

#include "fake/fake_platform.h"
#include "fake/user.h"
#include "test_support.h"

namespace vandrel::testing {
namespace {

class FakeKinds : public ::testing::Test {
protected:
    void SetUp() override {
        WindowSpec framed;
        framed.client = {100, 100, 400, 300};
        platform.OpenWindow(kWindow, framed);
    }
    void Add(ControlKind kind, int id, std::uint32_t flags = 0, const std::string& caption = {}) {
        ControlSpec description;
        description.kind = kind;
        description.id = id;
        description.flags = flags;
        description.caption = caption;
        description.low = 0;
        description.high = 5;
        ASSERT_TRUE(platform.AddControl(kWindow, description));
    }
    std::vector<Event> TakeEvents() {
        std::vector<Event> taken(platform.events.begin(), platform.events.end());
        platform.events.clear();
        return taken;
    }
    static constexpr int kWindow = kManageWindow;
    FakePlatform platform;
    User user{platform};
};

TEST_F(FakeKinds, TypingAndSettingAnEditsTextBothRaiseAChange) {
    Add(ControlKind::Edit, 129);
    user.Type(kWindow, 129, "#12");
    platform.ChangeControl(kWindow, 129, {.text = "#1234"});
    const auto events = TakeEvents();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[1].subKind, SubKind::Change);
    EXPECT_EQ(events[1].control, 129);
    EXPECT_EQ(platform.ReadControl(kWindow, 129).text, "#1234");
}

TEST_F(FakeKinds, AnOptionButtonClearsTheOthersOfItsGroupOnly) {
    Add(ControlKind::OptionButton, 1, kFlagGroupStart);
    Add(ControlKind::OptionButton, 2);
    Add(ControlKind::OptionButton, 3, kFlagGroupStart);
    Add(ControlKind::OptionButton, 4);
    user.Click(kWindow, 1);
    user.Click(kWindow, 3);
    user.Click(kWindow, 2);
    EXPECT_EQ(platform.ReadControl(kWindow, 1).value, 0);
    EXPECT_EQ(platform.ReadControl(kWindow, 2).value, 1);
    EXPECT_EQ(platform.ReadControl(kWindow, 3).value, 1) << "another group";
    platform.ChangeControl(kWindow, 4, {.value = 1});
    EXPECT_EQ(platform.ReadControl(kWindow, 3).value, 0);
    EXPECT_EQ(TakeEvents().size(), 3u) << "a click raises an event, a change by the program none";
}

TEST_F(FakeKinds, CheckBoxesToggleAndDisabledControlsTakeNoClicks) {
    Add(ControlKind::CheckBox, 7);
    user.Click(kWindow, 7);
    EXPECT_EQ(platform.ReadControl(kWindow, 7).value, 1);
    user.Click(kWindow, 7);
    EXPECT_EQ(platform.ReadControl(kWindow, 7).value, 0);
    platform.ChangeControl(kWindow, 7, {.enabled = false});
    user.Click(kWindow, 7);
    EXPECT_EQ(platform.ReadControl(kWindow, 7).value, 0);
    EXPECT_EQ(TakeEvents().size(), 2u);
}

TEST_F(FakeKinds, AFileListListsItsPatternAndSelectsByName) {
    TempFolder folder;
    WriteFile(folder.path() / "b.pal", "");
    WriteFile(folder.path() / "a.pal", "");
    WriteFile(folder.path() / "notes.txt", "");
    Add(ControlKind::FileList, kPaletteList, 0, (folder.path() / "*.pal").string());
    EXPECT_EQ(platform.Control(kWindow, kPaletteList).rows, (std::vector<std::string>{"a.pal", "b.pal"}));
    EXPECT_EQ(platform.ReadControl(kWindow, kPaletteList).text, "");
    user.Select(kWindow, kPaletteList, "b.pal");
    platform.ChangeControl(kWindow, kPaletteList, {.text = "gone.pal"});  // no such row: nothing changes
    EXPECT_EQ(platform.ReadControl(kWindow, kPaletteList).text, "b.pal");
    EXPECT_EQ(TakeEvents().size(), 1u);
}

TEST_F(FakeKinds, SlidingAndShortcutsRaiseTheirEvents) {
    Add(ControlKind::TrackBar, kSizeTrackBar, kFlagTicks);
    user.Slide(kWindow, kSizeTrackBar, 4);
    EXPECT_EQ(platform.ReadControl(kWindow, kSizeTrackBar).value, 4);
    platform.SetShortcuts(kWindow, {{kKeyUp, kItemShortcutUp}, {kKeyDown, kItemShortcutDown}});
    user.PressShortcut(kWindow, kKeyDown);
    const auto events = TakeEvents();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].subKind, SubKind::Change);
    EXPECT_EQ(events[1].kind, EventKind::Menu);
    EXPECT_EQ(events[1].item, kItemShortcutDown);
}

}  // namespace
}  // namespace vandrel::testing
