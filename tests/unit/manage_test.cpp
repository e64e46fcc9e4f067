#include <gtest/gtest.h>

#include <set>

#include "app/event_loop.h"
#include "core/files.h"
#include "editor/editor_window.h"
#include "palette/palette_file.h"
#include "palette_window/menus.h"
#include "palette_window/palette_window.h"
#include "settings/about_window.h"
#include "settings/manage_window.h"
#include "test_support.h"

namespace vandrel::testing {
namespace {

namespace fs = std::filesystem;

// --- the windows as data --------------------------------------------------------------

TEST(ManageWindowLayout, EveryControlWhereItBelongs) {
    App app;
    app.settings.PaletteDirectory = "C:\\pal\\";
    const std::vector<ControlSpec> controls = ManageControls(app);
    ASSERT_EQ(controls.size(), 25u);
    std::set<int> ids;
    for (const ControlSpec& control : controls) ids.insert(control.id);
    EXPECT_EQ(ids.size(), controls.size()) << "every control its own number";
    auto find = [&](int id) {
        for (const ControlSpec& control : controls)
            if (control.id == id) return control;
        ADD_FAILURE() << "no control " << id;
        return ControlSpec{};
    };
    const ControlSpec list = find(kPaletteList);
    EXPECT_EQ(list.kind, ControlKind::FileList);
    EXPECT_EQ(list.rect, (Rect{5, 5, 170, 310}));
    EXPECT_EQ(list.caption, JoinPath("C:\\pal\\", "*.pal"));
    EXPECT_EQ(find(kFolderText).caption, "C:\\pal\\");
    EXPECT_EQ(find(kFolderButton).image, 15);
    struct Button {
        int id, x, y, image;
        const char* tooltip;
    };
    for (const Button& b : {Button{kNewPaletteButton, 290, 315, 1, "New Palette"},
                            Button{kAboutButton, 315, 315, 6, "About Vandrel"},
                            Button{kOpenButton, 180, 20, 11, "Open palette window"},
                            Button{kEditButton, 205, 20, 12, "Edit palette"},
                            Button{kResetButton, 260, 20, 14, "Reset palette position"},
                            Button{kLockButton, 285, 20, 13, ""}, Button{kDeleteButton, 310, 20, 3, "Delete palette"}}) {
        const ControlSpec control = find(b.id);
        EXPECT_EQ(control.rect, (Rect{b.x, b.y, b.x + 25, b.y + 25})) << b.id;
        EXPECT_EQ(control.image, b.image) << b.id;
        EXPECT_EQ(control.tooltip, b.tooltip) << b.id;
    }
    EXPECT_EQ(find(kLockButton).kind, ControlKind::ToggleButton);
    struct Box {
        int id, x, y, w;
        const char* caption;
    };
    for (const Box& b : {Box{kMoveCheck, 180, 50, 75, "Move"}, Box{kStickyCheck, 180, 70, 125, "Always on top"},
                         Box{kTextCheck, 180, 120, 70, "Text"}, Box{kTransparencyCheck, 180, 140, 100, "Transparency"},
                         Box{kOutlineCheck, 180, 160, 70, "Outline"}, Box{kClipboardOption, 180, 180, 75, "Clipboard"},
                         Box{kKeyboardOption, 260, 180, 75, "Keyboard"}, Box{kPoundCheck, 180, 230, 155, "Use #'s"},
                         Box{kSnapCheck, 180, 250, 155, "Snap palette windows"},
                         Box{kSystrayCheck, 180, 270, 155, "System tray icon"},
                         Box{kSystrayColourCheck, 195, 290, 140, "Show palettes in tray"}}) {
        const ControlSpec control = find(b.id);
        EXPECT_EQ(control.rect, (Rect{b.x, b.y, b.x + b.w, b.y + 20})) << b.caption;
        EXPECT_EQ(control.caption, b.caption);
    }
    const ControlSpec size = find(kSizeTrackBar);
    EXPECT_EQ(size.kind, ControlKind::TrackBar);
    EXPECT_EQ(size.low, 0);
    EXPECT_EQ(size.high, 5);
    EXPECT_TRUE(size.flags & kFlagTicks);
    EXPECT_EQ(find(kPaletteFrame).rect, (Rect{175, 5, 340, 210}));
    EXPECT_EQ(find(kGlobalFrame).rect, (Rect{175, 215, 340, 315}));
    EXPECT_TRUE(find(kClipboardOption).flags & kFlagGroupStart);
    EXPECT_EQ(std::size(kPerPaletteControls), 14u);
    for (const ControlSpec& control : controls) {
        const bool raisesEvents = control.kind != ControlKind::Text && control.kind != ControlKind::Frame;
        EXPECT_EQ(raisesEvents, control.id >= kPaletteList && control.id <= kMailLink) << control.id;
    }
}

TEST(AboutWindowLayout, TheTextKeepsItsCarriageReturnsAndItsApostrophe) {
    const std::string text = WelcomeText();
    EXPECT_EQ(text.find('\n'), std::string::npos);
    EXPECT_NE(text.find("enjoy it.\r\rIf you"), std::string::npos);
    EXPECT_NE(text.find("a line.\r\rThere\x92s also"), std::string::npos);
    const WindowSpec window = AboutWindowSpec();
    EXPECT_EQ(window.title, "About Vandrel");
    EXPECT_EQ(window.client.Width(), 370);
    EXPECT_EQ(window.client.Height(), 370);
    EXPECT_TRUE(window.centred);
    const std::vector<ControlSpec> controls = AboutControls(4);
    ASSERT_EQ(controls.size(), 5u);
    EXPECT_EQ(controls[0].image, 18);
    EXPECT_EQ(controls[1].image, 19);
    EXPECT_EQ(controls[2].font, 4);
    EXPECT_EQ(controls[3].caption, std::string("Email us - ") + kMailAddress);
    EXPECT_EQ(controls[4].caption, "Need Help?");
    EXPECT_EQ(controls[4].tooltip, "Visit us on the internet");
}

// Where the system puts a wider font in the place of the welcome text's, a smaller size shows
// the whole text instead of cutting its last lines off.
TEST(AboutWindowLayout, TheWelcomeTextTakesTheLargestSizeThatShowsItWhole) {
    FakePlatform platform;
    EXPECT_EQ(WelcomeFont(platform), 4);  // the fake's letters fit at 11 points
    std::vector<std::pair<int, int>> asked;  // font, width
    platform.textHeight = [&](int font, int width, const std::string& text) {
        asked.emplace_back(font, width);
        EXPECT_EQ(text, WelcomeText());
        return font >= 3 ? 181 : 180;
    };
    EXPECT_EQ(WelcomeFont(platform), 2);
    EXPECT_EQ(asked, (std::vector<std::pair<int, int>>{{4, 350}, {3, 350}, {2, 350}}));
    platform.textHeight = [](int, int, const std::string&) { return 1000; };
    EXPECT_EQ(WelcomeFont(platform), 0);  // the smallest, when none shows it whole
    // The window is made with the chosen size.
    platform.textHeight = [](int font, int, const std::string&) { return font == 4 ? 200 : 100; };
    App app;
    OpenAboutWindow(app, platform);
    ASSERT_TRUE(platform.Exists(kAboutWindow));
    EXPECT_EQ(platform.Control(kAboutWindow, kWelcomeText).description.font, 3);
}

TEST(SwatchSizes, ByTrackBarPosition) {
    const int widths[] = {47, 53, 59, 65, 71, 77};
    for (int p = 0; p <= 5; ++p) {
        const SwatchSize text = SizeForPosition(p, true);
        EXPECT_EQ(text.height, 14 + 2 * p);
        EXPECT_EQ(text.width, widths[p]);
        EXPECT_EQ(text.font, p);
        const SwatchSize bare = SizeForPosition(p, false);
        EXPECT_EQ(bare.width, 14 + 2 * p);
        EXPECT_EQ(bare.font, -1);
    }
}

// --- the window at work -----------------------------------------------------------------

class Manage : public AppTest {
protected:
    void SetUp() override {
        AddPalette("start.pal", StartPaletteText());
        AddPalette("web.pal", "#1A2B3C\r\n#FF8000\r\n");
        AddPalette("shut.pal", "#123456\r\n");
        WriteFile(SettingsPath() / "Vandrel.ini", "[shut.pal]\r\nLocked = 1\r\n");
        Start();
        OpenManageWindow(*app, platform);
    }
    void Click(int control) {
        user.Click(kManageWindow, control);
        RunQueued();
    }
    void Select(const std::string& name) {
        user.Select(kManageWindow, kPaletteList, name);
        RunQueued();
    }
    bool Enabled(int control) { return platform.Control(kManageWindow, control).enabled; }
    int Value(int control) { return platform.Control(kManageWindow, control).value; }
    int EnabledPerPalette() {
        int count = 0;
        for (int control : kPerPaletteControls) count += Enabled(control);
        return count;
    }
    PaletteOptions& Options(const std::string& name) { return app->PaletteOptionsByName.at(name); }
    int OpenSlotOf(const std::string& name) {
        for (int slot = 1; slot <= kMaxOpenPalettes; ++slot)
            if (app->Slots[slot].PaletteName == name && platform.Exists(slot)) return slot;
        return 0;
    }
};

TEST_F(Manage, AFreshWindowSelectsNothingAndShowsTheGlobalOptions) {
    const FakeWindow& window = platform.Window(kManageWindow);
    EXPECT_TRUE(window.shown);
    EXPECT_EQ(window.description.title, "Vandrel");
    EXPECT_TRUE(window.description.minimiseBox);
    EXPECT_FALSE(window.description.sizable);
    EXPECT_EQ(window.rect.Width(), 345);
    EXPECT_EQ(EnabledPerPalette(), 0);
    EXPECT_EQ(Value(kPoundCheck), 1);
    EXPECT_EQ(Value(kSnapCheck), app->settings.Snap);
    EXPECT_EQ(Value(kSystrayCheck), 1);
    const auto& rows = platform.Control(kManageWindow, kPaletteList).rows;
    EXPECT_EQ(rows, (std::vector<std::string>{"shut.pal", "start.pal", "web.pal"})) << "locked files are listed too";
    EXPECT_EQ(platform.Control(kManageWindow, kFolderText).text, app->settings.PaletteDirectory);
}

TEST_F(Manage, EveryButtonDisabledWhileNothingIsSelectedHasAGreyedPicture) {
    int disabled = 0;
    for (const auto& [id, control] : platform.Window(kManageWindow).controls) {
        const ControlKind kind = control.description.kind;
        if ((kind != ControlKind::ImageButton && kind != ControlKind::ToggleButton) || control.enabled) continue;
        ++disabled;
        EXPECT_EQ(platform.images.count(GreyedImageNumber(control.description.image)), 1u) << id;
    }
    EXPECT_EQ(disabled, 5) << "Open, Edit, Reset, Lock and Delete";
}

TEST_F(Manage, ShowingAnUnlockedALockedAndAMissingPalette) {
    Options("web.pal").Output = 1;
    Options("web.pal").SwatchHeight = 22;
    Select("web.pal");
    EXPECT_EQ(app->ManageSelection, "web.pal");
    EXPECT_EQ(EnabledPerPalette(), 14);
    EXPECT_EQ(Value(kMoveCheck), 1);
    EXPECT_EQ(Value(kKeyboardOption), 1);
    EXPECT_EQ(Value(kClipboardOption), 0);
    EXPECT_EQ(Value(kSizeTrackBar), 4);
    EXPECT_EQ(Value(kTextCheck), 1);
    EXPECT_EQ(Value(kLockButton), 0);

    Select("shut.pal");
    EXPECT_EQ(EnabledPerPalette(), 1);
    EXPECT_TRUE(Enabled(kLockButton));
    EXPECT_EQ(Value(kLockButton), 1) << "shown pressed, so that it can be unlocked";

    ShowPaletteOptions(*app, platform, "gone.pal");
    RunQueued();
    EXPECT_EQ(EnabledPerPalette(), 0);
    EXPECT_EQ(app->ManageSelection, "");
    EXPECT_EQ(app->PaletteOptionsByName.count("gone.pal"), 0u) << "no record for a palette that is not there";
}

TEST_F(Manage, NothingSelectedMeansNothingToActOn) {
    for (int control : {kOpenButton, kEditButton, kDeleteButton, kResetButton, kMoveCheck, kLockButton}) {
        // Even an event that comes anyway (the controls are disabled).
        platform.Queue({EventKind::Control, kManageWindow, 0, control, SubKind::LeftClick});
        RunQueued();
    }
    EXPECT_FALSE(platform.Exists(1));
    EXPECT_FALSE(platform.Exists(kEditorWindow));
    EXPECT_TRUE(platform.messages.empty()) << "no question about deleting \"\"";
    EXPECT_EQ(app->PaletteOptionsByName.count(""), 0u);
    EXPECT_TRUE(fs::exists(SettingsPath() / "start.pal"));
}

TEST_F(Manage, ALockedPaletteOpensNothing) {
    Select("shut.pal");
    platform.Queue({EventKind::Control, kManageWindow, 0, kOpenButton, SubKind::LeftClick});
    RunQueued();
    user.DoubleClick(kManageWindow, kPaletteList);
    RunQueued();
    EXPECT_FALSE(platform.Exists(1)) << "not some other palette under a missing index";
    EXPECT_FALSE(platform.Exists(2));
}

TEST_F(Manage, OpeningEditingAndDoubleClicking) {
    Select("web.pal");
    Click(kOpenButton);
    EXPECT_EQ(OpenSlotOf("web.pal"), 1);
    EXPECT_EQ(platform.foreground, kManageWindow) << "it comes forward again";
    Click(kEditButton);
    EXPECT_EQ(app->EditorPaletteName, "web.pal");
    Select("start.pal");
    user.DoubleClick(kManageWindow, kPaletteList);
    RunQueued();
    EXPECT_EQ(OpenSlotOf("start.pal"), 2);
    platform.hook(2, HookEvent::Painted);  // the new window's first paint
    ASSERT_FALSE(platform.Outlines(2).empty());
    ASSERT_FALSE(platform.Outlines(1).empty());
    EXPECT_EQ(platform.Outlines(2).back(), Rgb(255, 0, 0)) << "the selected palette's window is marked";
    EXPECT_EQ(platform.Outlines(1).back(), kKeyColour);
}

TEST_F(Manage, PerPaletteOptionsChangeTheRecordAndRebuildTheWindow) {
    Select("web.pal");
    Click(kOpenButton);
    const std::int64_t before = platform.Window(1).handle;
    Click(kTransparencyCheck);
    EXPECT_EQ(Options("web.pal").Style, 0);
    EXPECT_NE(platform.Window(OpenSlotOf("web.pal")).handle, before) << "reopened";
    Click(kOutlineCheck);
    EXPECT_EQ(Options("web.pal").Outline, 0);
    Click(kKeyboardOption);
    EXPECT_EQ(Options("web.pal").Output, 1);
    Click(kClipboardOption);
    EXPECT_EQ(Options("web.pal").Output, 0);
    Click(kStickyCheck);
    EXPECT_EQ(Options("web.pal").Sticky, 0);
    EXPECT_FALSE(platform.Window(OpenSlotOf("web.pal")).topmost) << "at once";
    Click(kMoveCheck);
    EXPECT_EQ(Options("web.pal").Drag, 0);
}

TEST_F(Manage, TheSizeAndTextKeepTheHeight) {
    Select("web.pal");
    user.Slide(kManageWindow, kSizeTrackBar, 3);
    RunQueued();
    EXPECT_EQ(Options("web.pal").SwatchHeight, 20);
    EXPECT_EQ(Options("web.pal").SwatchWidth, 65);
    EXPECT_EQ(Options("web.pal").SwatchFont, 3);
    Click(kTextCheck);
    EXPECT_EQ(Options("web.pal").SwatchWidth, 20);
    EXPECT_EQ(Options("web.pal").SwatchHeight, 20);
    EXPECT_EQ(Options("web.pal").SwatchFont, -1);
    user.Slide(kManageWindow, kSizeTrackBar, 5);
    RunQueued();
    EXPECT_EQ(Options("web.pal").SwatchFont, -1) << "no text, and it stays so";
    EXPECT_EQ(Options("web.pal").SwatchWidth, 24);
    user.Slide(kManageWindow, kSizeTrackBar, 3);
    RunQueued();
    Click(kTextCheck);
    EXPECT_EQ(Options("web.pal").SwatchWidth, 65);
    EXPECT_EQ(Options("web.pal").SwatchFont, 3);
}

TEST_F(Manage, LockingTurnsMoveOffForGood) {
    Select("web.pal");
    Click(kOpenButton);
    Click(kLockButton);
    EXPECT_EQ(Options("web.pal").Locked, 1);
    EXPECT_EQ(Options("web.pal").Drag, 0);
    EXPECT_EQ(EnabledPerPalette(), 1);
    user.RightClick(1, SwatchId(1, 0));
    RunQueued();
    EXPECT_TRUE(platform.shownMenus.empty()) << "a locked palette shows no popup menu";
    Click(kLockButton);
    EXPECT_EQ(Options("web.pal").Locked, 0);
    EXPECT_EQ(Options("web.pal").Drag, 0);
    EXPECT_EQ(EnabledPerPalette(), 14);
    EXPECT_EQ(Value(kMoveCheck), 0);
}

TEST_F(Manage, UseHashRebuildsMenusAndWindows) {
    Select("web.pal");
    Click(kOpenButton);
    Click(kPoundCheck);
    EXPECT_EQ(app->settings.Pound, 0);
    EXPECT_EQ(app->settings.Prefix, "");
    EXPECT_EQ(TrayItemCaption(*app, kFirstColourItem), "000000") << "start.pal's first colour";
    EXPECT_EQ(platform.Control(OpenSlotOf("web.pal"), SwatchId(OpenSlotOf("web.pal"), 0)).drawing.back().text,
              "1A2B3C");
    Click(kSnapCheck);
    EXPECT_EQ(app->settings.Snap, 0);
    Click(kSystrayCheck);
    EXPECT_EQ(app->settings.Systray, 0);
    EXPECT_TRUE(platform.trayIconAdded) << "until the next start";
    Click(kSystrayColourCheck);
    EXPECT_EQ(app->settings.SystrayColorMenu, 0);
}

TEST_F(Manage, ResetPutsThePaletteBackAtTheRightEdge) {
    Select("web.pal");
    Click(kOpenButton);
    platform.SetPosition(1, {300, 300});
    Click(kResetButton);
    EXPECT_EQ(platform.WindowPosition(OpenSlotOf("web.pal")), (Point{1920 - 59 - 1, 200}));
}

TEST_F(Manage, DeletingAPaletteLeavesNothingSelected) {
    Select("web.pal");
    platform.messageAnswers = {MessageAnswer::Yes};
    Click(kDeleteButton);
    EXPECT_EQ(platform.MessageLines().back(), "Delete: Are you sure you want to delete web.pal?");
    EXPECT_FALSE(fs::exists(SettingsPath() / "web.pal"));
    const auto& rows = platform.Control(kManageWindow, kPaletteList).rows;
    EXPECT_EQ(std::count(rows.begin(), rows.end(), "web.pal"), 0);
    EXPECT_EQ(app->ManageSelection, "");
    EXPECT_EQ(EnabledPerPalette(), 0);
}

TEST_F(Manage, ASavedNewPaletteJoinsTheListWhatIsSelectedStays) {
    Select("web.pal");
    platform.nameAnswers = {"fresh"};
    platform.Queue({EventKind::Menu, kManageWindow, kItemBlank});
    RunQueued();
    user.Type(kEditorWindow, EditFieldId(1), "123456");
    RunQueued();
    user.ClickTool(kEditorWindow, kEditorToolbar, kItemSavePalette);
    RunQueued();
    const auto& rows = platform.Control(kManageWindow, kPaletteList).rows;
    EXPECT_EQ(std::count(rows.begin(), rows.end(), "fresh.pal"), 1);
    EXPECT_EQ(app->ManageSelection, "web.pal");
    EXPECT_EQ(EnabledPerPalette(), 14);
}

TEST_F(Manage, TheAboutButtonOpensAndClosesTheAboutWindowAndItsLinksGoToTheShellOrSayWhatFailed) {
    Click(kAboutButton);
    ASSERT_TRUE(platform.Exists(kAboutWindow));
    EXPECT_EQ(platform.Control(kAboutWindow, kWelcomeText).text, WelcomeText());
    user.Click(kAboutWindow, kWebLink);
    user.Click(kAboutWindow, kMailLink);
    RunQueued();
    EXPECT_EQ(platform.shellOpened,
              (std::vector<std::string>{kHelpAddress, std::string("mailto:") + kMailAddress}));
    EXPECT_TRUE(platform.messages.empty());
    platform.failShell = true;  // no browser, no mail program
    platform.foreground = kAboutWindow;
    user.Click(kAboutWindow, kWebLink);
    user.Click(kAboutWindow, kMailLink);
    RunQueued();
    EXPECT_EQ(platform.MessageLines(),
              (std::vector<std::string>{"Error: Could not open https://example.com/vandrel/help",
                                        "Error: Could not open mailto:vandrel@example.com"}));
    EXPECT_EQ(platform.messages.back().owner, kAboutWindow) << "the about window gets the focus back";
    Click(kAboutButton);
    EXPECT_FALSE(platform.Exists(kAboutWindow));
    platform.Queue({EventKind::Menu, 1, kItemAbout});  // the popup menu's "About"
    RunQueued();
    EXPECT_TRUE(platform.Exists(kAboutWindow));
    platform.Queue({EventKind::Close, kAboutWindow});
    RunQueued();
    EXPECT_FALSE(platform.Exists(kAboutWindow));
}

TEST_F(Manage, ANewPaletteFolder) {
    const fs::path fresh = temp.path() / "fresh";
    fs::create_directories(fresh);
    platform.folderAnswers = {fresh.string()};
    Click(kFolderButton);
    EXPECT_EQ(platform.Control(kManageWindow, kFolderText).text, fresh.string());
    EXPECT_TRUE(fs::exists(fresh / "start.pal"));
    EXPECT_EQ(platform.Control(kManageWindow, kPaletteList).rows, (std::vector<std::string>{"start.pal"}));
    EXPECT_FALSE(fs::exists(fresh / "test.vandrel.txt"));
    platform.folderAnswers = {(temp.path() / "nowhere").string()};
    Click(kFolderButton);
    EXPECT_EQ(platform.MessageLines().back(), "Error: Could not read selected folder");
    EXPECT_EQ(platform.Control(kManageWindow, kFolderText).text, fresh.string());
}

TEST_F(Manage, WithoutTheTrayIconItIsTheMainWindow) {
    NewProgram();
    WriteFile(SettingsPath() / "Vandrel.ini", "Systray = 0\r\n");
    Start();
    ASSERT_TRUE(platform.Exists(kManageWindow));
    platform.messageAnswers = {MessageAnswer::No};
    platform.Queue({EventKind::Close, kManageWindow});
    RunQueued();
    EXPECT_EQ(platform.MessageLines().back(), "Exit: Exit and close all palettes?");
    EXPECT_TRUE(app->running);
    platform.messageAnswers = {MessageAnswer::Yes};
    platform.Queue({EventKind::Close, kManageWindow});
    RunQueued();
    EXPECT_FALSE(app->running);
}

TEST_F(Manage, TouchingAPaletteWindowSwitchesTheWindowToItsPalette) {
    Select("web.pal");
    Click(kOpenButton);
    Select("start.pal");
    user.Drag(1, SwatchId(1, 0), {});
    RunQueued();
    EXPECT_EQ(app->ManageSelection, "web.pal");
    Select("start.pal");
    platform.Queue({EventKind::Menu, 1, kItemManage});  // the popup menu's "Manage"
    RunQueued();
    EXPECT_EQ(app->ManageSelection, "web.pal");
}

}  // namespace
}  // namespace vandrel::testing
