#include <gtest/gtest.h>

#include "app/closing.h"
#include "app/event_loop.h"
#include "palette/palette_file.h"
#include "palette/palette_list.h"
#include "palette_window/palette_window.h"
#include "settings/manage_window.h"
#include "test_support.h"

namespace vandrel::testing {
namespace {

class Closing : public AppTest {
protected:
    void SetUp() override {
        AddPalette("start.pal", StartPaletteText());
        AddPalette("web.pal", "#1A2B3C\r\n");
        Start();
    }
    int Index(const std::string& name) { return app->PaletteIndexByName.at(name); }
};

TEST_F(Closing, RefreshMovesAPaletteFromSlotTwoToAFreeSlotOneInTheSamePlace) {
    OpenPaletteWindow(*app, platform, Index("start.pal"), -1);
    OpenPaletteWindow(*app, platform, Index("web.pal"), -1);
    platform.SetPosition(2, {700, 90});
    ClosePaletteWindow(*app, platform, 1);
    RefreshPaletteWindows(*app, platform, "web.pal");
    EXPECT_EQ(app->Slots[1].PaletteName, "web.pal");
    EXPECT_TRUE(app->Slots[2].PaletteName.empty());
    EXPECT_FALSE(platform.Exists(2));
    EXPECT_EQ(platform.WindowPosition(1), (Point{700, 90}));
    EXPECT_EQ(app->PaletteOptionsByName.at("web.pal").WinID, 1);
}

TEST_F(Closing, RefreshAllRebuildsEveryOpenWindowInItsSlot) {
    OpenPaletteWindow(*app, platform, Index("start.pal"), 2);
    app->settings.Prefix = "";
    RefreshPaletteWindows(*app, platform, "");
    EXPECT_EQ(app->Slots[2].PaletteName, "start.pal");
    EXPECT_EQ(platform.Control(2, 1400).drawing.back().text, "000000");
    RefreshPaletteWindows(*app, platform, "web.pal");  // not open: nothing happens
    EXPECT_FALSE(platform.Exists(1));
}

TEST_F(Closing, RefreshOfAPaletteThatLeftTheListClosesIt) {
    OpenPaletteWindow(*app, platform, Index("web.pal"), -1);
    app->PaletteOptionsByName.at("web.pal").Locked = 1;
    ListPalettes(*app, platform);
    RefreshPaletteWindows(*app, platform, "web.pal");
    EXPECT_FALSE(platform.Exists(1));
    EXPECT_TRUE(app->Slots[1].PaletteName.empty());
}

TEST_F(Closing, RefreshAllNeverReopensAnotherPaletteUnderAStaleIndex) {
    OpenPaletteWindow(*app, platform, Index("web.pal"), -1);
    std::filesystem::remove(SettingsPath() / "web.pal");
    WriteFile(SettingsPath() / "aaa.pal", "#999999\r\n");
    ListPalettes(*app, platform);  // aaa.pal now has the index web.pal had
    RefreshPaletteWindows(*app, platform, "");
    EXPECT_FALSE(platform.Exists(1)) << "the palette whose file went stays closed";
}

TEST_F(Closing, ExitFromTheTrayStoresOpenWindowsAndEnds) {
    OpenPaletteWindow(*app, platform, Index("start.pal"), -1);
    OpenPaletteWindow(*app, platform, Index("web.pal"), -1);
    platform.SetPosition(1, {100, 110});
    platform.SetPosition(2, {300, 310});
    RunPass(*app, platform, {EventKind::Menu, kTrayOwnerWindow, kItemExit, 0, SubKind::None});
    EXPECT_FALSE(app->running);
    EXPECT_TRUE(platform.shutDown);
    EXPECT_FALSE(platform.trayIconAdded);
    const std::string written = ReadFile(SettingsPath() / "Vandrel.ini");
    EXPECT_NE(written.find("[start.pal]\r\nWinID = 1\r\nX = 100\r\nY = 110\r\n"), std::string::npos) << written;
    EXPECT_NE(written.find("[web.pal]\r\nWinID = 2\r\nX = 300\r\nY = 310\r\n"), std::string::npos) << written;

    // The next start finds both in the same slots and places.
    NewProgram();
    Start();
    EXPECT_EQ(app->Slots[1].PaletteName, "start.pal");
    EXPECT_EQ(app->Slots[2].PaletteName, "web.pal");
    EXPECT_EQ(platform.WindowPosition(1), (Point{100, 110}));
    EXPECT_EQ(platform.WindowPosition(2), (Point{300, 310}));
}

TEST_F(Closing, APaletteClosedBeforeExitStaysClosed) {
    OpenPaletteWindow(*app, platform, Index("web.pal"), -1);
    RunPass(*app, platform, {EventKind::Menu, 1, kItemClose, 0, SubKind::None});
    RunPass(*app, platform, {EventKind::Menu, kTrayOwnerWindow, kItemExit, 0, SubKind::None});
    NewProgram();
    Start();
    EXPECT_FALSE(platform.Exists(1));
}

TEST_F(Closing, ClosingTheManageWindowWithoutTrayAsksToExit) {
    app->trayIcon = false;
    app->manageOpen = true;
    platform.windows[kManageWindow].rect = {40, 50, 385, 395};
    platform.messageAnswers = {MessageAnswer::No};
    CloseManageWindow(*app, platform);
    EXPECT_EQ(platform.MessageLines().back(), "Exit: Exit and close all palettes?");
    EXPECT_TRUE(app->running);
    EXPECT_EQ(app->settings.WinX, 40);
    platform.messageAnswers = {MessageAnswer::Yes};
    CloseManageWindow(*app, platform);
    EXPECT_FALSE(app->running);
    EXPECT_NE(ReadFile(SettingsPath() / "Vandrel.ini").find("WinX = 40\r\nWinY = 50\r\n"), std::string::npos);
}

TEST_F(Closing, ClosingTheManageWindowWithTrayNeverAsks) {
    OpenManageWindow(*app, platform);
    CloseManageWindow(*app, platform);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_FALSE(platform.Exists(kManageWindow));
    EXPECT_TRUE(app->running);
}

TEST_F(Closing, TrayIconFailureIsNotFatalAndClosingManageThenAsks) {
    NewProgram();
    platform.failTrayIcon = true;
    Start();
    EXPECT_FALSE(app->trayIcon);
    EXPECT_TRUE(app->running);
    EXPECT_TRUE(platform.Exists(kManageWindow)) << "it is the main window now";
    CloseManageWindow(*app, platform);
    EXPECT_EQ(platform.MessageLines().back(), "Exit: Exit and close all palettes?");
    EXPECT_TRUE(app->running) << "the default answer is No";
}

TEST_F(Closing, TheTraysExitNeverAsks) {
    app->trayIcon = false;  // the icon came back only after the start
    OpenManageWindow(*app, platform);
    platform.SetPosition(kManageWindow, {5, 6});
    RunPass(*app, platform, {EventKind::Menu, kTrayOwnerWindow, kItemExit, 0, SubKind::None});
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_FALSE(app->running);
    EXPECT_NE(ReadFile(SettingsPath() / "Vandrel.ini").find("WinX = 5\r\nWinY = 6\r\n"), std::string::npos);
}

}  // namespace
}  // namespace vandrel::testing
