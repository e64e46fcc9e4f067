#include <gtest/gtest.h>

#include <stdexcept>

#include "app/event_loop.h"
#include "app/picking.h"
#include "palette/colour_code.h"
#include "tools/loupe.h"
#include "tools/screen_pick.h"
#include "test_support.h"

namespace vandrel::testing {
namespace {

constexpr int kKeyC = 'C';
constexpr std::uint32_t kWinAlt = kModWin | kModAlt;

Event Input(PickInputKind what, int key = 0, std::uint32_t modifiers = 0, int wheel = 0) {
    Event event{.kind = EventKind::PickInput};
    event.pick = {what, key, modifiers, wheel};
    return event;
}

// --- the pure parts -----------------------------------------------------------------

TEST(LoupePlace, BesideThePointerOnItsOwnMonitorAndNeverOverWhatIsRead) {
    const std::vector<Rect> monitors{{0, 0, 1920, 1080}, {1920, 0, 3840, 1080}};
    const Size loupe{GridSize(21).width, GridSize(21).height + kLoupeStrip};
    EXPECT_EQ(PlaceLoupe({500, 400}, loupe, monitors), (Point{520, 420})) << "to the lower right";
    EXPECT_EQ(PlaceLoupe({3830, 400}, loupe, monitors), (Point{3830 - 20 - loupe.width, 420})) << "right edge";
    EXPECT_EQ(PlaceLoupe({500, 1075}, loupe, monitors), (Point{520, 1075 - 20 - loupe.height})) << "bottom edge";
    EXPECT_EQ(PlaceLoupe({1910, 1070}, loupe, monitors), (Point{1910 - 20 - loupe.width, 1070 - 20 - loupe.height}))
        << "the left monitor's corner: it does not cross onto the right one";
    EXPECT_EQ(PlaceLoupe({1925, 5}, loupe, monitors), (Point{1945, 25})) << "the right monitor's left edge";
    // Everywhere on both monitors: inside the pointer's monitor, clear of the widest square read.
    for (int x = 0; x < 3840; x += 37)
        for (int y = 0; y < 1080; y += 23) {
            const Rect& monitor = monitors[x < 1920 ? 0 : 1];
            const Point at = PlaceLoupe({x, y}, loupe, monitors);
            const Rect placed{at.x, at.y, at.x + loupe.width, at.y + loupe.height};
            ASSERT_EQ(CutTo(placed, monitor), placed) << x << "," << y;
            ASSERT_EQ(CutTo(placed, PatchArea({x, y}, 21)).Width(), 0) << x << "," << y;
        }
}

TEST(LoupeZoom, StepsAndKeepsAboutItsSize) {
    EXPECT_EQ(ZoomedIn(11), 5);
    EXPECT_EQ(ZoomedIn(5), 5);
    EXPECT_EQ(ZoomedOut(11), 21);
    EXPECT_EQ(ZoomedOut(21), 21);
    EXPECT_EQ(GridSize(11).width, 11 * 12 + 12) << "12 screen pixels each and the grid";
    for (int across : {5, 21}) {
        EXPECT_NEAR(GridSize(across).width, GridSize(11).width, 12) << across;
        EXPECT_EQ(CellSize(across) * across + across + 1, GridSize(across).width);
    }
}

class Averaging : public ::testing::Test {
protected:
    FakePlatform platform;
    const Rect screen{0, 0, 1920, 1080};
    std::optional<ColourValue> Mean(Point at, int square) {
        return MeanColour(ReadPatch(platform, at, kLoupeAcross, screen), square);
    }
};

TEST_F(Averaging, RoundsHalvesUpAndTakesOnlyWhatLiesOnTheScreen) {
    // At the corner the 3 x 3 square keeps four pixels: red 1, 0, 0, 1 is 0.5, rounded up.
    platform.screen[{0, 0}] = Rgb(1, 2, 255);
    platform.screen[{1, 1}] = Rgb(1, 1, 255);
    EXPECT_EQ(Mean({0, 0}, 3), Rgb(1, 1, 128)) << "(1+0+0+1)/4, (2+0+0+1)/4 = 0.75, (255+0+0+255)/4 = 127.5";
    EXPECT_EQ(Mean({0, 0}, 1), Rgb(1, 2, 255));
    for (const Rect& copied : platform.captures) EXPECT_EQ(CutTo(copied, screen), copied) << "a copy across the edge";
    EXPECT_EQ(platform.captures.back(), (Rect{0, 0, 6, 6}));
    // Off the screen entirely nothing can be read.
    EXPECT_EQ(Mean({-50, -50}, 5), std::nullopt);
}

TEST_F(Averaging, TheSquaresOverAStripeEdge) {
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 50; ++x) platform.screen[{x, y}] = x < 20 ? Rgb(0xE0, 0x30, 0x20) : Rgb(0x20, 0xA0, 0x40);
    EXPECT_EQ(FormatColourCode(*Mean({19, 25}, 1), ""), "E03020");
    EXPECT_EQ(FormatColourCode(*Mean({19, 25}, 3), ""), "A0552B");
    EXPECT_EQ(FormatColourCode(*Mean({19, 25}, 5), ""), "935D2D") << "three red columns, two green";
}

TEST(LoupeGridPixels, NeighboursMagnifiedAndTheCentreFramedInBlackAndWhite) {
    FakePlatform platform;
    platform.screen[{101, 100}] = Rgb(0, 0, 255);
    const ScreenPatch patch = ReadPatch(platform, {100, 100}, 11, {0, 0, 1920, 1080});
    const Image grid = LoupeGrid(patch, {11, 1});
    auto at = [&grid](int x, int y) { return grid.pixels[static_cast<std::size_t>(y) * grid.width + x] & 0xFFFFFF; };
    EXPECT_EQ(at(1 + 6 * 13 + 6, 1 + 5 * 13 + 6), 0x0000FFu) << "the right neighbour in blue (0xRRGGBB)";
    EXPECT_EQ(at(1 + 4 * 13 + 6, 1 + 5 * 13 + 6), 0x000000u);
    EXPECT_EQ(at(65, 71), 0x000000u) << "the frame's outer line";
    EXPECT_EQ(at(66, 71), 0xFFFFFFu) << "its inner line";
    EXPECT_EQ(at(0, 71), 0x808080u) << "the grid";
    const Image wide = LoupeGrid(patch, {11, 5});
    EXPECT_EQ(wide.pixels[static_cast<std::size_t>(71) * wide.width + 3 * 13] & 0xFFFFFF, 0x000000u)
        << "the 5 x 5 square is framed";
}

TEST(Shortcuts, TheTextsThatAreAndAreNotShortcuts) {
    EXPECT_EQ(ParseHotkey("Win+Alt+C"), (HotkeyKeys{kWinAlt, 'C'}));
    EXPECT_EQ(ParseHotkey(" ctrl + Shift + f12 "), (HotkeyKeys{kModCtrl | kModShift, 0x7B}));
    EXPECT_EQ(ParseHotkey("Ctrl+5"), (HotkeyKeys{kModCtrl, '5'}));
    EXPECT_EQ(ParseHotkey("F24"), (HotkeyKeys{0, 0x87})) << "a function key alone";
    for (const char* bad : {"", "C", "7", "Alt+Alt+C", "Win+Alt", "Alt+C+D", "Alt+F25", "Alt+F0", "Alt+F01",
                            "Alt+Space", "Alt++C", "Super+C", "C+Alt"})
        EXPECT_EQ(ParseHotkey(bad), std::nullopt) << bad;
}

TEST(PickedPalette, NewestFirstOnceEachAtMostTwelve) {
    EXPECT_EQ(PickedCodes({}, Rgb(1, 2, 3)), std::vector<std::string>{"#010203"});
    EXPECT_EQ(PickedCodes({"#AAAAAA", "#bbbbbb", "#010203", "junk", ""}, Rgb(0xBB, 0xBB, 0xBB)),
              (std::vector<std::string>{"#BBBBBB", "#AAAAAA", "#010203"}))
        << "a colour already there moves to the top, whatever its letters' case";
    std::vector<std::string> full;
    for (int i = 0; i < 12; ++i) full.push_back(FormatColourCode(Rgb(i, 0, 0), "#"));
    const std::vector<std::string> after = PickedCodes(full, Rgb(0, 0, 99));
    ASSERT_EQ(after.size(), 12u);
    EXPECT_EQ(after.front(), "#000063");
    EXPECT_EQ(after.back(), "#0A0000") << "the oldest went";
}

// --- picks through the program --------------------------------------------------------

class Picks : public AppTest {
protected:
    void SetUp() override {
        for (int y = 0; y < 50; ++y)
            for (int x = 0; x < 50; ++x) platform.screen[{x, y}] = x < 20 ? Rgb(0xE0, 0x30, 0x20) : Rgb(0x20, 0xA0, 0x40);
        platform.cursor = {19, 25};
        Start();
    }
    // The user's steps while the pick runs, one per look at the queue.
    void During(std::initializer_list<Event> inputs) {
        for (const Event& input : inputs) platform.duringPick.push_back([this, input] { platform.Queue(input); });
    }
    void Shortcut() {
        platform.Queue({.kind = EventKind::Hotkey});
        RunQueued();
    }
    std::string Picked() { return ReadFile(SettingsPath() / "picked.pal"); }
    void ExpectReleased() {
        EXPECT_EQ(platform.activePicks, 0) << "the hooks";
        EXPECT_FALSE(platform.Exists(kLoupeWindow)) << "the loupe";
        EXPECT_FALSE(app->picker.picking);
    }
};

TEST_F(Picks, TheShortcutTakesTheMeanIntoTheClipboardAndPickedPal) {
    EXPECT_EQ(platform.heldHotkeys, std::vector<HotkeyKeys>{(HotkeyKeys{kWinAlt, 'C'})});
    platform.clipboard = "marker";
    During({Input(PickInputKind::KeyDown, '3'), Input(PickInputKind::KeyDown, 0x0D)});
    Shortcut();
    ExpectReleased();
    EXPECT_EQ(platform.clipboard, "#A0552B");
    EXPECT_EQ(Picked(), "#A0552B\r\n");
    EXPECT_GE(PaletteIndexOf(*app, "picked.pal"), 0) << "listed, so the tray menu and the manage list show it";
    // The square is kept for the next pick; its colour comes first, the older one follows.
    platform.cursor = {30, 25};
    platform.clock += 2000;
    During({Input(PickInputKind::LeftPress)});
    Shortcut();
    EXPECT_EQ(Picked(), "#20A040\r\n#A0552B\r\n");
    EXPECT_EQ(app->picker.square, 3);
}

TEST_F(Picks, ArrowsMoveByOneOrTenEvenWhereThePointerCannotBeMoved) {
    platform.cursorPinned = true;  // as Wine refuses to warp the pointer
    During({Input(PickInputKind::KeyDown, 0x27), Input(PickInputKind::KeyDown, 0x28, kModShift),
            Input(PickInputKind::KeyDown, 0x20)});
    Shortcut();
    EXPECT_EQ(platform.captures.back(), PatchArea({20, 35}, kLoupeAcross)) << "one right, ten down";
    EXPECT_EQ(platform.clipboard, "#20A040");
    // The pointer at the screen's corner: the arrows stop at its edge.
    platform.cursorPinned = false;
    platform.cursor = {0, 0};
    During({Input(PickInputKind::KeyDown, 0x25, kModShift), Input(PickInputKind::KeyDown, 0x26),
            Input(PickInputKind::KeyDown, 0x0D)});
    Shortcut();
    EXPECT_EQ(platform.cursor, (Point{0, 0}));
}

TEST_F(Picks, EveryEndReleasesTheHooksAndTheLoupeAndACancelChangesNothing) {
    platform.clipboard = "marker";
    const std::vector<std::pair<const char*, Event>> cancels{
        {"Escape", Input(PickInputKind::KeyDown, 0x1B)},
        {"a right press", Input(PickInputKind::RightPress)},
        {"the shortcut again", Input(PickInputKind::KeyDown, kKeyC, kWinAlt)},
    };
    for (const auto& [what, input] : cancels) {
        // Each pick starts a little later, as a hand presses again.
        platform.clock += 2000;
        During({Input(PickInputKind::Move), Input(PickInputKind::KeyUp, kKeyC), input});
        Shortcut();
        ExpectReleased();
        EXPECT_EQ(platform.picksStarted, &input - &cancels[0].second + 1) << what;
        EXPECT_EQ(platform.clipboard, "marker") << what;
        EXPECT_FALSE(std::filesystem::exists(SettingsPath() / "picked.pal")) << what;
    }
    // Something going wrong inside a pick still lets go of the desktop.
    platform.clock += 2000;
    platform.duringPick.push_back([] { throw std::runtime_error("inside the pick"); });
    platform.Queue({.kind = EventKind::Hotkey});
    EXPECT_THROW(RunPass(*app, platform, platform.WaitEvent(0)), std::runtime_error);
    ExpectReleased();
    // The session ending, and the program asked to end, end the pick first; a pick handed
    // files meanwhile imports them afterwards.
    platform.clock += 2000;
    platform.duringPick.push_back([this] { platform.hook(kTrayOwnerWindow, HookEvent::SessionEnding); });
    Shortcut();
    ExpectReleased();
    app->sessionEnding = false;
    platform.clock += 2000;
    During({{.kind = EventKind::ExitAsked}});
    Shortcut();
    ExpectReleased();
    EXPECT_FALSE(app->running) << "the exit ran once the pick had ended";
    EXPECT_TRUE(std::filesystem::exists(SettingsPath() / "Vandrel.ini"));
}

TEST_F(Picks, TheShortcutsOwnRepeatAndEchoStartNothing) {
    platform.keysDown.insert(kKeyC);
    // Held: the pick ends by Escape while the key is still down, and its repeats follow.
    During({Input(PickInputKind::KeyDown, 0x1B)});
    Shortcut();
    ASSERT_EQ(platform.picksStarted, 1);
    for (int repeat = 0; repeat < 5; ++repeat) {
        platform.clock += 40;
        Shortcut();
    }
    EXPECT_EQ(platform.picksStarted, 1) << "repeats while held";
    // Inside a pick the hooks see the repeats and the release.
    platform.keysDown.clear();
    platform.clock += 2000;
    platform.keysDown.insert(kKeyC);
    During({Input(PickInputKind::KeyDown, kKeyC, kWinAlt), Input(PickInputKind::KeyUp, kKeyC),
            Input(PickInputKind::Move)});
    const std::size_t looks = platform.captures.size();
    Shortcut();
    EXPECT_EQ(platform.picksStarted, 2);
    EXPECT_EQ(platform.captures.size() - looks, 2u) << "the repeat ended nothing: the loupe followed the move";
    EXPECT_FALSE(app->picker.keyHeld);
    platform.keysDown.clear();
    // The shortcut again ends a pick; its release is awaited with the hooks, so the next press counts.
    platform.clock += 2000;
    During({Input(PickInputKind::KeyUp, kKeyC), Input(PickInputKind::KeyDown, kKeyC, kWinAlt),
            Input(PickInputKind::KeyUp, kKeyC)});
    Shortcut();
    EXPECT_EQ(platform.picksStarted, 3);
    platform.clock += 100;
    Shortcut();  // the same press arriving once more as a Hotkey event
    EXPECT_EQ(platform.picksStarted, 3) << "the echo";
    platform.clock += 500;
    platform.keysDown.insert(kKeyC);  // down again: pressed anew
    Shortcut();
    EXPECT_EQ(platform.picksStarted, 4) << "a new press";
}

TEST_F(Picks, TheTrayPicksTooAndShowsTheShortcutOnlyWhileItIsHeld) {
    auto trayCaption = [this] {
        for (const MenuItem& item : platform.menus.at(MenuId::Tray).items)
            if (item.id == kItemPickColour) return item.caption;
        return std::string("none");
    };
    EXPECT_EQ(trayCaption(), "Pick color\tWin+Alt+C");
    EXPECT_TRUE(platform.balloons.empty());
    // Another program holds the shortcut: told once, and the tray still picks.
    for (const char* hotkey : {"Win+Alt+C", "Win+Alt+C", "Alt+Banana", ""}) {
        NewProgram();
        platform.hotkeysOfOthers = {{kWinAlt, 'C'}};
        WriteFile(SettingsPath() / "Vandrel.ini", std::string("Hotkey = ") + hotkey + "\r\n");
        platform.balloons.clear();
        Start();
        EXPECT_TRUE(platform.heldHotkeys.empty()) << hotkey;
        EXPECT_EQ(trayCaption(), "Pick color") << hotkey;
        const std::string told = std::string(hotkey) == "" ? "" : std::string(hotkey) + (std::string(hotkey) == "Win+Alt+C"
            ? " is used by another program." : " is not a shortcut Vandrel can use.") +
            " Choose another shortcut under Hotkey in Vandrel.ini.";
        EXPECT_EQ(platform.balloons.size(), told.empty() ? 0u : 1u) << hotkey;
        if (!told.empty() && !platform.balloons.empty()) EXPECT_EQ(platform.balloons[0].second, told);
    }
    During({Input(PickInputKind::KeyDown, 0x0D)});
    platform.Queue({.kind = EventKind::Menu, .window = kTrayOwnerWindow, .item = kItemPickColour});
    RunQueued();
    EXPECT_EQ(platform.clipboard, "#E03020");
    // The clipboard takes the PickFormat template; picked.pal keeps the code.
    app->settings.PickFormat = "rgb({red}, {green}, {blue})";
    During({Input(PickInputKind::KeyDown, 0x0D)});
    platform.Queue({.kind = EventKind::Menu, .window = kTrayOwnerWindow, .item = kItemPickColour});
    RunQueued();
    EXPECT_EQ(platform.clipboard, "rgb(224, 48, 32)");
    EXPECT_EQ(Picked(), "#E03020\r\n");
    // A system that refuses the hooks gets a message, never a pick that cannot end.
    platform.failPickHooks = true;
    platform.Queue({.kind = EventKind::Menu, .window = kTrayOwnerWindow, .item = kItemPickColour});
    RunQueued();
    EXPECT_EQ(platform.MessageLines().back(), "Error: Vandrel could not take the mouse and the keyboard to pick a color.");
}

TEST_F(Picks, ZoomAndSquareStayForTheRunAndTheLoupeRereadsWhileThePointerRests) {
    During({Input(PickInputKind::KeyDown, 0xBB), Input(PickInputKind::Wheel, 0, 0, 120),
            Input(PickInputKind::KeyDown, '5'), Input(PickInputKind::KeyDown, 0x1B)});
    Shortcut();
    EXPECT_EQ(app->picker.across, 5) << "zoomed in twice stops at 5";
    const std::size_t before = platform.captures.size();
    for (int rest = 0; rest < 5; ++rest) platform.duringPick.push_back([] {});
    int drawnWidth = 0;
    platform.duringPick.push_back([this, &drawnWidth] {
        for (const DrawOp& op : platform.Control(kLoupeWindow, kLoupeSurface).drawing)
            if (op.kind == DrawOp::Kind::Image) drawnWidth = op.image.width;
    });
    platform.clock += 2000;
    Shortcut();
    EXPECT_GE(platform.captures.size() - before, 6u) << "a look at the screen each 40 ms of rest";
    EXPECT_EQ(platform.captures.back(), PatchArea({19, 25}, 5));
    EXPECT_EQ(drawnWidth, GridSize(5).width) << "the next pick of the run starts zoomed in";
}

}  // namespace
}  // namespace vandrel::testing
