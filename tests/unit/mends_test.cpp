// Faults found by trying the program with hostile input: names the system
// keeps for itself, long file names, windows stored off every monitor, the
// editor's palette after a folder change, and what the manage window shows.
#include <gtest/gtest.h>

#include <climits>

#include "app/event_loop.h"
#include "app/operations.h"
#include "core/files.h"
#include "core/window_place.h"
#include "editor/editing.h"
#include "editor/editor_window.h"
#include "palette/palette_file.h"
#include "palette/palette_list.h"
#include "palette/palette_store.h"
#include "settings/manage_window.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace vandrel::testing {
namespace {

TEST(PaletteNames, TheSystemsDeviceNamesAreRefusedInAnyCaseAndWithBlanksAfterThem) {
    for (const char* name : {"con", "CON", "Con  ", "prn", "aux", "NUL", "com1", "COM9", "lpt1", "Lpt9 ", "conin$",
                             "CONOUT$", "nul "})
        EXPECT_EQ(CheckPaletteName(name), "Invalid file name") << '"' << name << '"';
    // Only the names themselves: longer or other names are ordinary ones.
    for (const char* name : {"com", "com0", "com10", "console", "lpt", "nul1", "con x", "aux-blue", " con"})
        EXPECT_EQ(CheckPaletteName(name), "") << '"' << name << '"';
}

TEST(WindowPlaces, AStoredPlaceOffEveryMonitorComesBackToTheNearestEdgeWithItsOwnSize) {
    const std::vector<Rect> one{{0, 0, 1920, 1080}};
    EXPECT_EQ(PlaceOnMonitors(100, 50, {345, 345}, one), (Rect{100, 50, 445, 395})) << "on the monitor";
    EXPECT_EQ(PlaceOnMonitors(1900, -300, {345, 345}, one), (Rect{1900, -300, 2245, 45})) << "partly on it";
    EXPECT_EQ(PlaceOnMonitors(INT_MAX, INT_MIN, {345, 345}, one), (Rect{1575, 0, 1920, 345}));
    EXPECT_EQ(PlaceOnMonitors(-5000, 400, {150, 90}, one), (Rect{0, 400, 150, 490}));
    EXPECT_EQ(PlaceOnMonitors(INT_MAX, INT_MAX, {150, 90}, one), (Rect{1770, 990, 1920, 1080}));

    // Two monitors side by side, the second one lower: the nearest one takes it.
    const std::vector<Rect> two{{0, 0, 1920, 1080}, {1920, 200, 3200, 1224}};
    EXPECT_EQ(PlaceOnMonitors(4000, 1100, {345, 345}, two), (Rect{2855, 879, 3200, 1224}));
    EXPECT_EQ(PlaceOnMonitors(2000, 100, {345, 345}, two), (Rect{2000, 100, 2345, 445})) << "partly on the second";
    EXPECT_EQ(PlaceOnMonitors(-900, 5000, {345, 345}, two), (Rect{0, 735, 345, 1080}));
}

class Mends : public AppTest {
protected:
    void SetUp() override { AddPalette("start.pal", "#112233\r\n"); }
    void Run(EventKind kind, int window, int item) {
        platform.Queue({kind, window, item});
        RunQueued();
    }
};

TEST_F(Mends, TheManageAndEditorWindowsStoredFarAwayOpenOnTheMonitor) {
    Start();
    app->settings.WinX = INT_MAX;
    app->settings.WinY = INT_MIN;
    app->settings.EditX = INT_MAX;
    app->settings.EditY = INT_MAX;
    OpenManageWindow(*app, platform);
    EXPECT_EQ(platform.Window(kManageWindow).rect, (Rect{1920 - 345, 0, 1920, 345}));
    EditPalette(*app, platform, "start.pal", false);
    const Rect editor = platform.Window(kEditorWindow).rect;
    EXPECT_EQ(editor.right, 1920);
    EXPECT_EQ(editor.top, 1080 - kEditorLeastHeight) << "opened at the bottom edge, before its rows";
    EXPECT_EQ(editor.Width(), kEditorWidth) << "its size is its own";
}

TEST_F(Mends, AFolderChangeWhileTheEditorHasChangesSavesThemWhereThePaletteCameFrom) {
    const fs::path other = temp.path() / "other";
    fs::create_directories(other);
    WriteFile(other / "start.pal", "#445566\r\n");
    Start();
    EditPalette(*app, platform, "start.pal", false);
    user.Type(kEditorWindow, EditFieldId(2), "#ABCDEF");
    RunQueued();
    platform.folderAnswers = {other.string()};
    platform.messageAnswers = {MessageAnswer::Yes};
    ChoosePaletteFolder(*app, platform);
    EXPECT_EQ(platform.MessageLines().at(0), "Save: Save your changes?");
    EXPECT_EQ(ReadFile(SettingsPath() / "start.pal"), "#112233\r\n#ABCDEF\r\n") << "saved into its own folder";
    EXPECT_EQ(ReadFile(other / "start.pal"), "#445566\r\n") << "the other folder's palette is untouched";
    EXPECT_FALSE(platform.Exists(kEditorWindow)) << "the editor closes with the folder change";
    EXPECT_EQ(app->settings.PaletteDirectory, other.string());

    // Once more, back to the first folder, answering No: nothing is written anywhere.
    EditPalette(*app, platform, "start.pal", false);
    user.Type(kEditorWindow, EditFieldId(2), "#000000");
    RunQueued();
    platform.folderAnswers = {SettingsPath().string()};
    platform.messageAnswers = {MessageAnswer::No};
    ChoosePaletteFolder(*app, platform);
    EXPECT_EQ(ReadFile(other / "start.pal"), "#445566\r\n");
    EXPECT_EQ(ReadFile(SettingsPath() / "start.pal"), "#112233\r\n#ABCDEF\r\n");
    EXPECT_FALSE(platform.Exists(kEditorWindow));
}

TEST_F(Mends, AFolderChangeFromTheManageWindowShowsThePaletteWindowsFirstAndListsTheRestWhenIdle) {
    const fs::path other = temp.path() / "other";
    fs::create_directories(other);
    std::string ini;
    for (int p = 0; p < 60; ++p) {
        const std::string name = "p" + std::to_string(100 + p) + ".pal";
        WriteFile(other / name, "#102030\r\n#405060\r\n");
        if (p == 30) ini += "[" + name + "]\r\nWinID = 1\r\nX = 300\r\nY = 100\r\n";
    }
    WriteFile(other / "Vandrel.ini", ini);
    Start();
    OpenManageWindow(*app, platform);
    platform.folderAnswers = {other.string()};
    user.Click(kManageWindow, kFolderButton);
    RunQueued();
    EXPECT_EQ(app->Slots[1].PaletteName, "p130.pal") << "its palette window shows at once";
    EXPECT_TRUE(platform.Exists(1));
    EXPECT_TRUE(app->startPending) << "the rest of the list follows when the loop is idle";
    EXPECT_EQ(platform.Control(kManageWindow, kFolderText).text, other.string());
    for (int pass = 0; pass < 100 && app->startPending; ++pass) RunLoopPass(*app, platform);
    EXPECT_FALSE(app->startPending);
    EXPECT_EQ(PaletteCount(*app), 60);
    EXPECT_EQ(app->PaletteNames[app->Slots[1].PaletteIndex], "p130.pal") << "the slot's index follows the list";
    EXPECT_EQ(platform.menus.at(MenuId::Tray).items.size(), 64u) << "60 palettes, Pick color, Manage, Start with Windows and Exit";
}

TEST_F(Mends, TheEditorNeverWritesIntoAFolderItsPaletteDidNotComeFrom) {
    const fs::path other = temp.path() / "other";
    fs::create_directories(other);
    WriteFile(other / "start.pal", "#445566\r\n");
    Start();
    EditPalette(*app, platform, "start.pal", false);
    user.Type(kEditorWindow, EditFieldId(2), "#ABCDEF");
    RunQueued();
    // However the folder in use came to change under the open editor.
    app->settings.PaletteDirectory = other.string();
    platform.SetCurrentFolder(other.string());
    Run(EventKind::Menu, kEditorWindow, kItemSavePalette);
    EXPECT_EQ(ReadFile(other / "start.pal"), "#445566\r\n");
    EXPECT_EQ(ReadFile(SettingsPath() / "start.pal"), "#112233\r\n");
    EXPECT_EQ(platform.MessageLines().back(), "Error: The palette could not be saved to the file \"start.pal\".");
    EXPECT_EQ(app->EditorModified, 1) << "the changes are still unsaved";
    // The close box still asks, and No lets the editor go without writing anything.
    platform.messageAnswers = {MessageAnswer::No};
    Run(EventKind::Close, kEditorWindow, 0);
    EXPECT_EQ(platform.MessageLines().back(), "Save: Save your changes?");
    EXPECT_FALSE(platform.Exists(kEditorWindow));
    EXPECT_EQ(ReadFile(other / "start.pal"), "#445566\r\n");
    EXPECT_EQ(ReadFile(SettingsPath() / "start.pal"), "#112233\r\n");
}

TEST_F(Mends, TheManageWindowTicksWhatActsAsOnAndShowsTheFolderInUse) {
    // A folder inside a file can be neither entered nor made.
    WriteFile(temp.path() / "plain-file", "x");
    WriteFile(SettingsPath() / "Vandrel.ini", "Pound = 2\r\nSystray = 2\r\nSnap = 2\r\nPalette_Directory = " +
                                                  (temp.path() / "plain-file" / "away").string() + "\r\n");
    Start();
    OpenManageWindow(*app, platform);
    EXPECT_EQ(platform.Control(kManageWindow, kPoundCheck).value, 1) << "a 2 puts the '#' in front";
    EXPECT_EQ(platform.Control(kManageWindow, kSystrayCheck).value, 1) << "a 2 shows the tray icon";
    EXPECT_EQ(platform.Control(kManageWindow, kSnapCheck).value, 0) << "only 1 snaps";
    // The stored folder is away: the palettes come from the settings folder, and so does the list.
    EXPECT_EQ(platform.Control(kManageWindow, kFolderText).text, app->SettingsFolder);
    user.Select(kManageWindow, kPaletteList, "start.pal");
    RunQueued();
    EXPECT_TRUE(platform.Control(kManageWindow, kMoveCheck).enabled) << "its options can be changed";
    user.Click(kManageWindow, kMoveCheck);
    RunQueued();
    EXPECT_EQ(app->PaletteOptionsByName.at("start.pal").Drag, 0);
}

TEST_F(Mends, APaletteFileWithTheLongestNameAFolderHoldsCanBeSaved) {
    Start();
    // 251 characters and ".pal": a temporary "<name>.saving" would pass the 255 of a name.
    const std::string name = std::string(251, 'a') + ".pal";
    app->EditorModified = 1;
    EXPECT_EQ(SavePalette(*app, platform, name, false, {"#102030", ""}), kSaveWritten);
    EXPECT_EQ(ReadFile(SettingsPath() / name), "#102030\r\n");
    EXPECT_FALSE(fs::exists(SettingsPath() / kTemporaryFileName)) << "the temporary is gone";
    EXPECT_TRUE(WriteWholeFile(platform, JoinPath(SettingsPath().string(), name), "#405060\r\n"))
        << "a full path too";
    EXPECT_EQ(ReadFile(SettingsPath() / name), "#405060\r\n");
}

}  // namespace
}  // namespace vandrel::testing
