// Start-up against hand-edited settings, a second copy of the program, and
// the end of a session.
#include <gtest/gtest.h>

#include <functional>

#include "app/event_loop.h"
#include "app/startup.h"
#include "config/settings.h"
#include "palette/palette_list.h"
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

// The program itself starts with the palette windows first: the other palette
// files and the menus come in the loop's idle passes, and whatever the user
// does first finds them complete.
class StartingInSteps : public AppTest {
protected:
    static constexpr int kPalettes = 60;  // several idle passes' worth
    void SetUp() override {
        std::string ini = "Pound = 1\r\n";
        for (int p = 0; p < kPalettes; ++p) {
            std::string text;
            for (int c = 0; c <= p % 12; ++c) text += "#" + Code(p, c) + "\r\n";
            AddPalette(Name(p), text);
        }
        AddPalette("empty.pal", "");
        // Three claim the two slots (a hand-edited file); p44 finds none.
        ini += "[p37.pal]\r\nWinID = 1\r\nX = 500\r\nY = 50\r\n[p05.pal]\r\nWinID = 2\r\n";
        ini += "[p44.pal]\r\nWinID = 1\r\n[p12.pal]\r\nLocked = 1\r\nWinID = 2\r\n";
        WriteFile(SettingsPath() / "Vandrel.ini", ini);
    }
    static std::string Name(int p) { return "p" + std::string(p < 10 ? "0" : "") + std::to_string(p) + ".pal"; }
    static std::string Code(int p, int c) {
        const std::string digits = "0123456789ABCDEF";
        const int value = p * 12 + c;
        return std::string{'A', 'B', digits[(value >> 12) & 15], digits[(value >> 8) & 15],
                           digits[(value >> 4) & 15], digits[value & 15]};
    }
    // The program started the whole way on the same folder, for comparison.
    struct Whole {
        FakePlatform platform;
        std::unique_ptr<App> app = std::make_unique<App>();
    };
    std::unique_ptr<Whole> StartWhole() {
        auto whole = std::make_unique<Whole>();
        whole->platform.profileFolder = platform.profileFolder;
        StartUp(*whole->app, whole->platform, StartMode::Whole);
        return whole;
    }
    void StartInSteps() { StartUp(*app, platform, StartMode::PaletteWindowsFirst); }
    void ExpectSameAs(const Whole& whole) {
        EXPECT_FALSE(app->startPending);
        for (int p = 0; p < kPaletteCapacity; ++p) {
            ASSERT_EQ(app->PaletteNames[p], whole.app->PaletteNames[p]) << p;
            EXPECT_EQ(app->PaletteColours[p], whole.app->PaletteColours[p]) << p;
            EXPECT_EQ(app->PaletteColourCount[p], whole.app->PaletteColourCount[p]) << p;
        }
        EXPECT_EQ(app->PaletteIndexByName, whole.app->PaletteIndexByName);
        for (int slot = 1; slot <= kMaxOpenPalettes; ++slot) {
            EXPECT_EQ(app->Slots[slot].PaletteName, whole.app->Slots[slot].PaletteName) << slot;
            EXPECT_EQ(app->Slots[slot].PaletteIndex, whole.app->Slots[slot].PaletteIndex) << slot;
        }
        for (const auto& [name, options] : whole.app->PaletteOptionsByName)
            EXPECT_EQ(OptionsOf(*app, name).WinID, options.WinID) << name;
        ASSERT_EQ(platform.menus.size(), whole.platform.menus.size());
        std::function<void(const std::vector<MenuItem>&, const std::vector<MenuItem>&)> same =
            [&](const std::vector<MenuItem>& a, const std::vector<MenuItem>& b) {
                ASSERT_EQ(a.size(), b.size());
                for (std::size_t i = 0; i < a.size(); ++i) {
                    EXPECT_EQ(a[i].id, b[i].id);
                    EXPECT_EQ(a[i].caption, b[i].caption);
                    same(SubItemsOf(a[i]), SubItemsOf(b[i]));
                }
            };
        for (const auto& [id, menu] : whole.platform.menus) same(platform.menus.at(id).items, menu.items);
    }
    int IdlePassesToComplete() {
        int passes = 0;
        while (app->startPending && passes < 100) {
            RunLoopPass(*app, platform);
            ++passes;
        }
        return passes;
    }
};

TEST_F(StartingInSteps, ThePaletteWindowsShowFirstAndIdlePassesCompleteTheRest) {
    const auto whole = StartWhole();
    StartInSteps();
    ASSERT_TRUE(app->startPending);
    EXPECT_TRUE(platform.menus.empty()) << "the menus wait for the whole list";
    EXPECT_TRUE(platform.images.empty()) << "nor the pictures, which no palette window shows";
    EXPECT_TRUE(app->trayIcon);
    // The windows of the last run are there, with their colours, as a whole start shows them.
    ASSERT_EQ(app->Slots[1].PaletteName, "p37.pal");
    ASSERT_EQ(app->Slots[2].PaletteName, "p05.pal");
    for (int slot = 1; slot <= 2; ++slot) {
        const int p = slot == 1 ? 37 : 5;
        for (int c = 0; c <= p % 12; ++c) {
            const int swatch = SwatchId(slot, c + 1);
            EXPECT_EQ(platform.ReadControl(slot, swatch).data,
                      whole->platform.ReadControl(slot, swatch).data) << slot << " " << c;
        }
        EXPECT_EQ(platform.WindowPosition(slot), whole->platform.WindowPosition(slot));
    }
    EXPECT_EQ(PaletteCount(*app), 3) << "only the palettes that claim a slot so far";
    const int passes = IdlePassesToComplete();
    EXPECT_GE(passes, 3) << "a few files at a time";
    EXPECT_LT(passes, 100);
    ExpectSameAs(*whole);
    RunLoopPass(*app, platform);  // and from then on, the loop as ever
    ExpectSameAs(*whole);
}

TEST_F(StartingInSteps, TheFirstClickOnTheTrayIconFindsTheMenuComplete) {
    const auto whole = StartWhole();
    StartInSteps();
    platform.Queue({EventKind::Tray, kTrayOwnerWindow, 0, 0, SubKind::LeftClick});
    RunLoopPass(*app, platform);
    ASSERT_EQ(platform.shownMenus.size(), 1u);
    ExpectSameAs(*whole);
    // Its last palette's last colour copies, as any other.
    const int last = app->PaletteIndexByName.at(Name(kPalettes - 1));
    const MenuItem& menu = platform.menus.at(MenuId::Tray).items[last];
    const int item = SubItemsOf(menu)[(kPalettes - 1) % 12].id;
    platform.Queue({EventKind::Menu, kTrayOwnerWindow, item, 0, SubKind::None});
    RunLoopPass(*app, platform);
    EXPECT_EQ(platform.clipboard, "#" + Code(kPalettes - 1, (kPalettes - 1) % 12));
}

TEST_F(StartingInSteps, ThePicturesAreMadeWhenTheFirstWindowThatShowsThemOpens) {
    const auto whole = StartWhole();
    StartInSteps();
    IdlePassesToComplete();
    EXPECT_TRUE(platform.images.empty()) << "nothing has needed them yet";
    platform.Queue({EventKind::Menu, kTrayOwnerWindow, kItemTrayManage, 0, SubKind::None});
    RunLoopPass(*app, platform);
    ASSERT_TRUE(app->manageOpen);
    ASSERT_EQ(platform.images.size(), whole->platform.images.size());
    for (const auto& [number, image] : whole->platform.images) {
        EXPECT_EQ(platform.images.at(number).width, image.width) << number;
        EXPECT_EQ(platform.images.at(number).pixels, image.pixels) << number;
    }
    // Once: the editor and the about window find them made.
    platform.images.clear();
    platform.Queue({EventKind::Menu, kTrayOwnerWindow, kFirstEditItem + 3, 0, SubKind::None});
    platform.Queue({EventKind::Menu, kTrayOwnerWindow, kItemAbout, 0, SubKind::None});
    RunLoopPass(*app, platform);
    RunLoopPass(*app, platform);
    EXPECT_TRUE(app->editorOpen);
    EXPECT_TRUE(app->aboutOpen);
    EXPECT_TRUE(platform.images.empty());
    // The editor or the about window first makes them as well.
    for (const int item : {kFirstEditItem + 3, int{kItemAbout}}) {
        NewProgram();
        StartInSteps();
        platform.Queue({EventKind::Menu, kTrayOwnerWindow, item, 0, SubKind::None});
        RunLoopPass(*app, platform);
        EXPECT_EQ(platform.images.size(), whole->platform.images.size()) << item;
        platform.images.clear();
    }
}

TEST_F(StartingInSteps, TheEndOfTheSessionDuringStartUpStoresEveryPalette) {
    StartInSteps();
    ASSERT_TRUE(app->startPending);
    platform.hook(kTrayOwnerWindow, HookEvent::SessionEnding);
    const std::string settings = ReadFile(SettingsPath() / "Vandrel.ini");
    for (int p = 0; p < kPalettes; ++p)
        EXPECT_NE(settings.find("[" + Name(p) + "]"), std::string::npos) << Name(p);
    EXPECT_NE(settings.find("[p44.pal]\r\nWinID = -1\r\n"), std::string::npos) << "no slot was free for it";
}

TEST_F(StartingInSteps, WithoutTheTrayIconOrWithMoreFilesThanTheListHoldsNothingWaits) {
    WriteFile(SettingsPath() / "Vandrel.ini", "Systray = 0\r\n[p37.pal]\r\nWinID = 1\r\n");
    StartInSteps();
    EXPECT_FALSE(app->startPending) << "the manage window lists every palette";
    EXPECT_TRUE(app->manageOpen);
    EXPECT_EQ(PaletteCount(*app), kPalettes + 1) << "empty.pal too";

    NewProgram();
    WriteFile(SettingsPath() / "Vandrel.ini", "[p37.pal]\r\nWinID = 1\r\n");
    for (int extra = 0; extra <= kPaletteCapacity - kPalettes; ++extra)
        WriteFile(SettingsPath() / ("x" + std::to_string(extra) + ".pal"), "#123456\r\n");
    StartInSteps();
    EXPECT_FALSE(app->startPending) << "which 800 are listed depends on every file";
    EXPECT_EQ(PaletteCount(*app), kPaletteCapacity);
    EXPECT_EQ(platform.menus.count(MenuId::Tray), 1u);
}

}  // namespace
}  // namespace vandrel::testing
