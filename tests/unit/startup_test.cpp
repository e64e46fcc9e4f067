// Start-up against hand-edited settings, a second copy of the program, and
// the end of a session.
#include <gtest/gtest.h>

#include "app/startup.h"
#include "palette/palette_file.h"
#include "palette_window/palette_window.h"
#include "test_support.h"

namespace vandrel::testing {
namespace {

namespace fs = std::filesystem;

class StartingUp : public AppTest {
protected:
    void SetUp() override {
        AddPalette("start.pal", StartPaletteText());
        AddPalette("web.pal", "#1A2B3C\r\n");
        AddPalette("sea.pal", "#0000FF\r\n");
    }
    std::string Settings() { return ReadFile(SettingsPath() / "Vandrel.ini"); }
};

TEST_F(StartingUp, MorePalettesClaimingSlotsThanThereAreOpenWhatFitsSilently) {
    WriteFile(SettingsPath() / "Vandrel.ini",
              "[sea.pal]\r\nWinID = 1\r\n[start.pal]\r\nWinID = 2\r\n[web.pal]\r\nWinID = 1\r\n");
    Start();
    EXPECT_TRUE(platform.messages.empty()) << platform.MessageLines().front();
    EXPECT_EQ(app->Slots[1].PaletteName, "sea.pal");
    EXPECT_EQ(app->Slots[2].PaletteName, "start.pal");
    EXPECT_EQ(app->PaletteOptionsByName.at("web.pal").WinID, -1) << "left out, and stored as closed";
    WriteSettings(*app, platform);
    NewProgram();
    Start();
    EXPECT_TRUE(platform.messages.empty()) << "nor at the next start";
}

TEST_F(StartingUp, ASecondCopyEndsAtOnceWithoutTouchingAnyFile) {
    platform.anotherCopyRuns = true;
    EXPECT_EQ(RunProgram(platform), 0);
    EXPECT_FALSE(fs::exists(SettingsPath() / "Vandrel.ini"));
    EXPECT_TRUE(platform.windows.empty());
    EXPECT_FALSE(platform.trayIconAdded);
    // A first start in a fresh profile creates the folder; a second copy does not.
    fs::remove_all(SettingsPath());
    EXPECT_EQ(RunProgram(platform), 0);
    EXPECT_FALSE(fs::exists(SettingsPath()));
}

TEST_F(StartingUp, TheRunningCopyComesForwardWithItsWindows) {
    Start();
    platform.OpenWindow(kManageWindow, {});
    app->manageOpen = true;
    platform.Queue({EventKind::ComeForward, kNoWindow, 0, 0, SubKind::None});
    RunQueued();
    EXPECT_EQ(platform.foreground, kManageWindow);
}

TEST_F(StartingUp, TheEndOfTheSessionStoresTheSettings) {
    Start();
    ASSERT_TRUE(platform.hook) << "the hook is there before any palette window is opened";
    const int slot = OpenPaletteWindow(*app, platform, app->PaletteIndexByName.at("web.pal"), -1);
    platform.SetPosition(slot, {333, 444});
    platform.hook(kTrayOwnerWindow, HookEvent::SessionEnding);
    const std::string settings = Settings();
    EXPECT_NE(settings.find("[web.pal]\r\nWinID = 1\r\nX = 333\r\nY = 444\r\n"), std::string::npos) << settings;
    EXPECT_TRUE(app->running) << "the system ends the process; nothing else changes";
}

TEST_F(StartingUp, TheHookIsInstalledBeforeAnyPaletteWindowOpens) {
    Start();
    EXPECT_TRUE(platform.hookInstalled);
    EXPECT_EQ(platform.Window(kTrayOwnerWindow).description.kind, WindowKind::Hidden);
    EXPECT_EQ(platform.Window(kTrayOwnerWindow).description.title, "Vandrel");
    EXPECT_FALSE(platform.Window(kTrayOwnerWindow).shown);
}

}  // namespace
}  // namespace vandrel::testing
