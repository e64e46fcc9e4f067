// The fake's controls behave by kind as the system's do, so that tests of the
// windows to come can rely on them.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "editor/editor_window.h"
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
    void Add(ControlKind kind, int id, std::uint32_t flags = 0, const std::string& caption = {},
             std::vector<ToolItem> tools = {}) {
        ControlSpec description;
        description.kind = kind;
        description.id = id;
        description.flags = flags;
        description.caption = caption;
        description.low = 0;
        description.high = 5;
        description.tools = std::move(tools);
        ASSERT_TRUE(platform.AddControl(kWindow, description));
    }
    void Disable(int id) { platform.ChangeControl(kWindow, id, {.enabled = false}); }
    // The sub-kinds of the control events queued, all of them of `control`.
    std::vector<SubKind> TakeSubKinds(int control) {
        std::vector<SubKind> subKinds;
        for (const Event& event : TakeEvents()) {
            EXPECT_EQ(event.kind, EventKind::Control);
            EXPECT_EQ(event.window, kWindow);
            EXPECT_EQ(event.control, control);
            subKinds.push_back(event.subKind);
        }
        return subKinds;
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
    user.Slide(kWindow, kSizeTrackBar, 9);
    EXPECT_EQ(platform.ReadControl(kWindow, kSizeTrackBar).value, 5) << "the thumb stops at the end";
    user.Slide(kWindow, kSizeTrackBar, 4);
    EXPECT_EQ(platform.ReadControl(kWindow, kSizeTrackBar).value, 4);
    platform.SetShortcuts(kWindow, {{kKeyUp, kItemShortcutUp}, {kKeyDown, kItemShortcutDown}});
    user.PressShortcut(kWindow, kKeyDown);
    const auto events = TakeEvents();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[1].subKind, SubKind::Change);
    EXPECT_EQ(events[2].kind, EventKind::Menu);
    EXPECT_EQ(events[2].item, kItemShortcutDown);
}

// What a click, a double click and a right click raise, kind by kind, as the
// notices the system's controls send their window: the standard kinds
// report no right clicks (they show their own menus), and a track bar, a
// file list or a toolbar report what the click changed, not the click.
TEST_F(FakeKinds, EachKindRaisesWhatItsSystemControlRaises) {
    using enum SubKind;
    struct Row {
        ControlKind kind;
        std::vector<SubKind> click, doubleClick, rightClick;
    };
    const Row rows[] = {
        {ControlKind::Surface, {LeftDown, LeftClick}, {LeftDown, LeftClick, LeftDown, LeftClick}, {RightClick}},
        {ControlKind::PushButton, {LeftClick}, {LeftClick, LeftClick}, {}},
        {ControlKind::ImageButton, {LeftClick}, {LeftClick, LeftClick}, {}},
        {ControlKind::ToggleButton, {LeftClick}, {LeftClick, LeftClick}, {}},
        {ControlKind::CheckBox, {LeftClick}, {LeftClick, LeftClick}, {}},
        {ControlKind::OptionButton, {LeftClick}, {LeftClick, LeftClick}, {}},
        {ControlKind::Link, {LeftClick}, {LeftClick}, {}},
        {ControlKind::Edit, {}, {}, {}},
        {ControlKind::TrackBar, {}, {}, {}},
        {ControlKind::FileList, {}, {}, {}},
        {ControlKind::Toolbar, {}, {}, {}},
        {ControlKind::Text, {}, {}, {}},
        {ControlKind::Frame, {}, {}, {}},
        {ControlKind::Picture, {}, {}, {}},
    };
    int id = 100;
    for (const Row& row : rows) {
        SCOPED_TRACE("kind " + std::to_string(static_cast<int>(row.kind)));
        Add(row.kind, ++id, kFlagGroupStart);
        user.Click(kWindow, id);
        EXPECT_EQ(TakeSubKinds(id), row.click);
        user.DoubleClick(kWindow, id);
        EXPECT_EQ(TakeSubKinds(id), row.doubleClick);
        user.RightClick(kWindow, id);
        EXPECT_EQ(TakeSubKinds(id), row.rightClick);
        // Disabled, it raises nothing at all.
        Disable(id);
        user.Click(kWindow, id);
        user.DoubleClick(kWindow, id);
        user.RightClick(kWindow, id);
        EXPECT_TRUE(TakeEvents().empty());
    }
}

TEST_F(FakeKinds, TextsFramesAndPicturesTakeNoClicks) {
    Add(ControlKind::Text, kFolderText);
    Add(ControlKind::Frame, 21);
    Add(ControlKind::Picture, 22);
    for (int id : {int{kFolderText}, 21, 22}) {
        user.Click(kWindow, id);
        user.DoubleClick(kWindow, id);
        user.RightClick(kWindow, id);
        user.Drag(kWindow, id, {{5, 5}});
    }
    EXPECT_TRUE(TakeEvents().empty());
    EXPECT_TRUE(platform.dragPaths.empty()) << "no press for the move loop";
}

TEST_F(FakeKinds, AToolbarItemArrivesAsAMenuEventOfTheItemWhileItAndTheBarAreEnabled) {
    Add(ControlKind::Toolbar, kEditorToolbar, 0, {},
        {{kItemSavePalette, 1, "Save"}, {0, 0, ""}, {kItemGrabColour, 2, "Grab"}});
    user.ClickTool(kWindow, kEditorToolbar, kItemGrabColour);
    const auto events = TakeEvents();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].kind, EventKind::Menu);
    EXPECT_EQ(events[0].window, kWindow);
    EXPECT_EQ(events[0].item, kItemGrabColour);
    EXPECT_EQ(events[0].control, 0);
    platform.ChangeControl(kWindow, kEditorToolbar, {.enabled = false, .tool = kItemGrabColour});
    user.ClickTool(kWindow, kEditorToolbar, kItemGrabColour);
    EXPECT_TRUE(TakeEvents().empty()) << "a disabled item";
    user.ClickTool(kWindow, kEditorToolbar, kItemSavePalette);
    EXPECT_EQ(TakeEvents().size(), 1u) << "the other items stay enabled";
    Disable(kEditorToolbar);
    user.ClickTool(kWindow, kEditorToolbar, kItemSavePalette);
    EXPECT_TRUE(TakeEvents().empty()) << "a disabled bar";
    EXPECT_NONFATAL_FAILURE(user.ClickTool(kWindow, kEditorToolbar, kItemBlender), "no item");
    EXPECT_NONFATAL_FAILURE(user.ClickTool(kWindow, kEditorToolbar, 0), "no item");  // a separator
}

TEST_F(FakeKinds, AFileListIsDoubleClickedOnItsSelectedRow) {
    TempFolder folder;
    WriteFile(folder.path() / "a.pal", "");
    Add(ControlKind::FileList, kPaletteList, 0, (folder.path() / "*.pal").string());
    user.DoubleClick(kWindow, kPaletteList);
    EXPECT_TRUE(TakeEvents().empty()) << "no row under the mouse";
    user.Select(kWindow, kPaletteList, "a.pal");
    user.DoubleClick(kWindow, kPaletteList);
    EXPECT_EQ(TakeSubKinds(kPaletteList), (std::vector<SubKind>{SubKind::Change, SubKind::DoubleClick}));
}

// A user cannot reach a disabled field, list or bar, nor a disabled surface.
TEST_F(FakeKinds, DisabledControlsTakeNeitherTypingNorSelectingSlidingOrDragging) {
    TempFolder folder;
    WriteFile(folder.path() / "a.pal", "");
    Add(ControlKind::Edit, 129);
    Add(ControlKind::FileList, kPaletteList, 0, (folder.path() / "*.pal").string());
    Add(ControlKind::TrackBar, kSizeTrackBar);
    Add(ControlKind::Surface, 1200);
    for (int id : {129, int{kPaletteList}, int{kSizeTrackBar}, 1200}) Disable(id);
    platform.ChangeControl(kWindow, 129, {.focus = true});
    user.Type(kWindow, 129, "#12");
    user.Key(kWindow, '1');
    user.Select(kWindow, kPaletteList, "a.pal");
    user.Slide(kWindow, kSizeTrackBar, 3);
    user.Drag(kWindow, 1200, {{5, 5}});
    EXPECT_TRUE(TakeEvents().empty());
    EXPECT_EQ(platform.ReadControl(kWindow, 129).text, "");
    EXPECT_EQ(platform.ReadControl(kWindow, kPaletteList).text, "");
    EXPECT_EQ(platform.ReadControl(kWindow, kSizeTrackBar).value, 0);
    EXPECT_TRUE(platform.dragPaths.empty());
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
    EXPECT_NONFATAL_FAILURE(user.Click(kWindow, 130), "no control 130 in window 11");
    EXPECT_NONFATAL_FAILURE(user.PressBackground(kAboutWindow), "no window 12");
    EXPECT_TRUE(TakeEvents().empty());
    EXPECT_FALSE(platform.Exists(kAboutWindow)) << "a failed look-up makes no window";
    EXPECT_EQ(platform.FindControl(kWindow, 130), nullptr);
}

}  // namespace
}  // namespace vandrel::testing
