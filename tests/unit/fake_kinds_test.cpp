// The fake's controls behave by kind as the system's do, so that tests of the
// windows to come can rely on them.
#include <gtest/gtest-spi.h>
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

// As the system's calls with a handle that is gone: the program may ask
// after a window or control it closed, and must not be stopped by it.
TEST_F(FakeKinds, CallsOnAMissingWindowOrControlChangeNothingAndAnswerNone) {
    constexpr int kGone = kAboutWindow;  // never opened
    Add(ControlKind::Edit, 129);
    platform.foreground = kWindow;
    platform.monitors = {{-1280, 0, 0, 1024}, {0, 0, 1920, 1080}};
    platform.dragPaths.push_back({{5, 5}});
    platform.SetMenu(MenuId::Tray, {});
    platform.menuChoices = {kItemExit};
    const auto paint = [](Canvas& canvas) { canvas.FillRect({0, 0, 1, 1}, 0); };
    ControlSpec field;
    field.kind = ControlKind::Edit;
    field.id = 129;
    std::unique_ptr<MouseGrab> grab;
    EXPECT_NO_THROW({
        platform.ShowWindow(kGone);
        platform.SetTopmost(kGone, true);
        platform.Activate(kGone);
        platform.PlaceWindow(kGone, {5, 5});
        platform.SetClientSize(kGone, {50, 50});
        platform.SetShortcuts(kGone, {{kKeyUp, kItemShortcutUp}});
        EXPECT_FALSE(platform.AddControl(kGone, field));
        platform.ChangeControl(kGone, 129, {.text = "#12", .focus = true});
        platform.ChangeControl(kWindow, 130, {.text = "#12", .value = 1, .enabled = false, .focus = true});
        platform.RemoveControl(kGone, 129);
        platform.RemoveControl(kWindow, 130);
        EXPECT_FALSE(platform.ReadControl(kGone, 129).exists);
        EXPECT_FALSE(platform.ReadControl(kWindow, 130).exists);
        EXPECT_EQ(platform.FocusedControl(kGone), 0);
        EXPECT_FALSE(platform.Paint(kGone, 0, paint));
        EXPECT_FALSE(platform.Paint(kWindow, 130, paint));
        EXPECT_FALSE(platform.WindowRect(kGone));
        EXPECT_EQ(platform.MonitorRect(kGone), (Rect{0, 0, 1920, 1080})) << "the primary monitor";
        EXPECT_EQ(platform.MoveWithMouse(kGone), DragOutcome::NotStarted);
        EXPECT_FALSE(platform.AddTrayIcon(kGone));
        platform.ShowMenu(MenuId::Tray, kGone);
        grab = platform.GrabMouse(kGone);
        platform.CloseWindow(kGone);
    });
    EXPECT_FALSE(platform.Exists(kGone));
    EXPECT_EQ(platform.foreground, kWindow);
    EXPECT_EQ(platform.captureWindow, 0) << "no window to hold the capture";
    grab.reset();
    EXPECT_TRUE(platform.shownMenus.empty());
    EXPECT_EQ(platform.menuChoices.size(), 1u) << "no menu took the choice";
    EXPECT_EQ(platform.dragPaths.size(), 1u) << "no move loop took the path";
    EXPECT_TRUE(platform.events.empty());
    EXPECT_FALSE(platform.trayIconAdded);
    EXPECT_TRUE(platform.Window(kWindow).shortcuts.empty());
    EXPECT_EQ(platform.ReadControl(kWindow, 129).text, "") << "the control of that number elsewhere is untouched";
    EXPECT_EQ(platform.FocusedControl(kWindow), 0);

    WindowSpec hidden;
    hidden.kind = WindowKind::Hidden;
    platform.OpenWindow(kTrayOwnerWindow, hidden);
    EXPECT_FALSE(platform.AddControl(kTrayOwnerWindow, field)) << "the hidden window holds no controls";
}

// A test that looks for what is not there fails, and says what it missed.
TEST_F(FakeKinds, TheTestHelpersReportAMissingWindowOrControlAsAFailure) {
    EXPECT_NONFATAL_FAILURE(platform.Window(kAboutWindow), "no window 12");
    EXPECT_NONFATAL_FAILURE(platform.Control(kWindow, 130), "no control 130 in window 11");
    EXPECT_NONFATAL_FAILURE(platform.WindowPosition(kAboutWindow), "no window 12");
    EXPECT_NONFATAL_FAILURE(platform.Outlines(kAboutWindow), "no window 12");
    EXPECT_NONFATAL_FAILURE(platform.SetPosition(kAboutWindow, {1, 1}), "no window 12");
    EXPECT_FALSE(platform.Exists(kAboutWindow)) << "a failed look-up makes no window";
    EXPECT_EQ(platform.FindControl(kWindow, 130), nullptr);
}

}  // namespace
}  // namespace vandrel::testing
