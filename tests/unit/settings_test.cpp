#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "app/closing.h"
#include "app/operations.h"
#include "core/swatch_size.h"
#include "core/files.h"
#include "palette/palette_list.h"
#include "palette/palette_store.h"
#include "config/settings.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace vandrel::testing {
namespace {

using Settings = AppTest;

TEST_F(Settings, FirstRunCreatesTheFolderAndStartPaletteButNoSettingsFile) {
    Start();
    EXPECT_EQ(app->SettingsFolder, (temp.path() / "profile" / "Vandrel").string() + kPathSeparator);
    EXPECT_EQ(ReadFile(SettingsPath() / "start.pal"),
              "#000000\r\n#FF0000\r\n#FFFF00\r\n#00FF00\r\n#00FFFF\r\n#0000FF\r\n#FF00FF\r\n#FFFFFF\r\n");
    EXPECT_EQ(fs::file_size(SettingsPath() / "start.pal"), 72u);
    EXPECT_FALSE(fs::exists(SettingsPath() / "Vandrel.ini"));
    EXPECT_EQ(fs::current_path(), SettingsPath());
    EXPECT_TRUE(platform.trayIconAdded) << "the tray icon is on by default";
    EXPECT_TRUE(platform.windows.count(kTrayOwnerWindow));
    EXPECT_FALSE(platform.Exists(1));
}

TEST_F(Settings, FirstExitWritesTheExampleFileByteForByte) {
    Start();
    WriteSettings(*app, platform);
    const std::string expected =
        "maxfiles = 799\r\nPound = 1\r\nSnap = 1\r\nWinX = 0\r\nWinY = 0\r\nEditX = 345\r\n"
        "EditY = 0\r\nPalette_Directory = " + app->SettingsFolder +
        "\r\nSystray_Color_Menu = 1\r\nSystray = 1\r\n[start.pal]\r\nWinID = -1\r\nX = 1859\r\n"
        "Y = 200\r\nDrag = 1\r\nSticky = 1\r\nStyle = 1\r\nOutline = 1\r\nOutput = 0\r\n"
        "SwatchWidth = 59\r\nSwatchHeight = 18\r\nSwatchFont = 2\r\nLocked = 0\r\n";
    EXPECT_EQ(ReadFile(SettingsPath() / "Vandrel.ini"), expected);
    // One whole write: a run killed during the exit leaves the old file or this one.
    EXPECT_EQ(std::count(platform.replacedFiles.begin(), platform.replacedFiles.end(), "Vandrel.ini"), 1);
    // Nothing is left of the temporary file the write went through.
    EXPECT_EQ(std::distance(fs::directory_iterator(SettingsPath()), fs::directory_iterator()), 2);
}

// The keys added since the first files: a line only where a value is not
// the default, gone when it is set back, a hand-typed one kept as typed.
TEST_F(Settings, NewerKeysAreWrittenOnlyWhereTheyDifferFromTheirDefaults) {
    AddPalette("a.pal", "#112233\r\n");
    AddPalette("b.pal", "#112233\r\n");
    AddPalette("c.pal", "#112233\r\n");
    WriteFile(SettingsPath() / "Vandrel.ini",
              "SwatchTips = 0\r\n[a.pal]\r\nFormat = {red\r\n[b.pal]\r\nFormat = \r\n");
    Start();
    EXPECT_EQ(app->settings.SwatchTips, 0);
    EXPECT_EQ(app->PaletteOptionsByName.at("a.pal").Format, "{red");
    app->PaletteOptionsByName.at("c.pal").Format = "hsl({h}, {s}%, {l}%)";
    WriteSettings(*app, platform);
    std::string written = ReadFile(SettingsPath() / "Vandrel.ini");
    EXPECT_NE(written.find("SwatchTips = 0\r\n"), std::string::npos) << written;
    EXPECT_NE(written.find("[a.pal]\r\nFormat = {red\r\nWinID"), std::string::npos) << written;
    EXPECT_NE(written.find("[b.pal]\r\nFormat = \r\nWinID"), std::string::npos) << written;
    EXPECT_NE(written.find("Locked = 0\r\nFormat = hsl({h}, {s}%, {l}%)\r\n"), std::string::npos) << written;

    app->settings.SwatchTips = 1;
    app->PaletteOptionsByName.at("a.pal").Format.clear();
    app->PaletteOptionsByName.at("c.pal").Format.clear();
    WriteSettings(*app, platform);
    written = ReadFile(SettingsPath() / "Vandrel.ini");
    EXPECT_EQ(written.find("SwatchTips"), std::string::npos) << written;
    EXPECT_EQ(written.find("{red"), std::string::npos) << written;
    EXPECT_EQ(written.find("hsl("), std::string::npos) << written;
    EXPECT_NE(written.find("[b.pal]\r\nFormat = \r\n"), std::string::npos) << written;
}

TEST_F(Settings, HandWrittenFileIsReadAndItsOwnEntriesSurvive) {
    AddPalette("web.pal", "#112233\r\n");
    WriteFile(SettingsPath() / "Vandrel.ini",
              "; my settings\r\npound=0\r\nMyKey = mine\r\n[WEB.PAL]\r\nx=5\r\nOutput = 1\r\n"
              "Note = hand\r\nSwatchFont = oops\r\n[gone.pal]\r\nX = 1\r\n");
    Start();
    EXPECT_EQ(app->settings.Pound, 0);
    EXPECT_EQ(app->settings.Prefix, "");
    const PaletteOptions& web = app->PaletteOptionsByName.at("web.pal");
    EXPECT_EQ(web.X, 5);
    EXPECT_EQ(web.Output, 1);
    EXPECT_EQ(web.SwatchFont, 0) << "a word reads as 0";
    EXPECT_EQ(web.SwatchWidth, 59) << "a missing key gives the default";
    EXPECT_EQ(app->PaletteOptionsByName.count("gone.pal"), 0u) << "only files present are read";

    WriteSettings(*app, platform);
    const std::string written = ReadFile(SettingsPath() / "Vandrel.ini");
    EXPECT_EQ(written.rfind("; my settings\r\npound = 0\r\nMyKey = mine\r\nmaxfiles = 799\r\n", 0), 0u)
        << written;
    EXPECT_NE(written.find("[WEB.PAL]\r\nx = 5\r\nOutput = 1\r\nNote = hand\r\nSwatchFont = 0\r\n"
                           "WinID = -1\r\n"),
              std::string::npos)
        << written;
    EXPECT_NE(written.find("\r\n\r\n[gone.pal]\r\nX = 1\r\n"), std::string::npos) << written;
}

TEST_F(Settings, HandEditedNumbersOutsideTheirFieldStayAtItsEnds) {
    AddPalette("a.pal", "#112233\r\n");
    WriteFile(SettingsPath() / "Vandrel.ini",
              "Pound = 256\r\nEditX = 4294967641\r\n[a.pal]\r\nWinID = 257\r\nDrag = 300\r\n"
              "X = 99999999999\r\nY = -99999999999999999999999\r\nSwatchHeight = 65537\r\n");
    Start();
    const PaletteOptions& options = app->PaletteOptionsByName.at("a.pal");
    EXPECT_EQ(options.WinID, 127);
    EXPECT_FALSE(platform.Exists(1)) << "wrapped to 1, the palette would reopen";
    EXPECT_EQ(options.Drag, 127);
    EXPECT_EQ(options.X, INT32_MAX);
    EXPECT_EQ(options.Y, INT32_MIN);
    EXPECT_EQ(options.SwatchHeight, 32767);
    EXPECT_EQ(app->settings.Pound, 127) << "wrapped to 0, the option would be off";
    EXPECT_EQ(app->settings.Prefix, "#");
    EXPECT_EQ(app->settings.EditX, INT32_MAX);
}

TEST_F(Settings, AnotherPaletteFolderIsCreatedWithItsStartPalette) {
    fs::create_directories(SettingsPath());
    const fs::path other = temp.path() / "Palettes";
    WriteFile(SettingsPath() / "Vandrel.ini", "Palette_Directory =  " + other.string() + "\t\r\n");
    Start();
    EXPECT_EQ(app->settings.PaletteDirectory, other.string());
    EXPECT_EQ(fs::file_size(other / "start.pal"), 72u);
    EXPECT_FALSE(fs::exists(SettingsPath() / "start.pal"));
    EXPECT_EQ(app->PaletteNames[0], "start.pal");

    WriteSettings(*app, platform);
    const std::string global = ReadFile(SettingsPath() / "Vandrel.ini");
    const std::string groups = ReadFile(other / "Vandrel.ini");
    EXPECT_EQ(global.find("[start.pal]"), std::string::npos);
    EXPECT_EQ(groups.rfind("[start.pal]\r\nWinID = -1\r\n", 0), 0u) << groups;
    EXPECT_EQ(std::count(platform.replacedFiles.begin(), platform.replacedFiles.end(), "Vandrel.ini"), 2);
}

TEST_F(Settings, TheSettingsFolderNamedAsPaletteFolderWithoutItsSeparatorIsStillOneFile) {
    fs::create_directories(SettingsPath());
    WriteFile(SettingsPath() / "Vandrel.ini", "Palette_Directory = " + SettingsPath().string() + "\r\n");
    Start();
    WriteSettings(*app, platform);
    EXPECT_EQ(std::count(platform.replacedFiles.begin(), platform.replacedFiles.end(), "Vandrel.ini"), 1);
    const std::string text = ReadFile(SettingsPath() / "Vandrel.ini");
    EXPECT_NE(text.find("Systray = 1\r\n[start.pal]\r\nWinID = -1\r\n"), std::string::npos) << text;
}

TEST_F(Settings, FolderWithOnlyASubfolderNamedLikeAPaletteGetsNoStartPalette) {
    fs::create_directories(SettingsPath() / "folder.pal");
    Start();
    EXPECT_FALSE(fs::exists(SettingsPath() / "start.pal"));
    EXPECT_EQ(app->PaletteOptionsByName.count("folder.pal"), 0u);
    EXPECT_EQ(PaletteCount(*app), 0);
}

// A palette folder on a drive that is away at this start, or a path that
// names a file: neither can be entered nor made.
class SettingsPaletteFolderAway : public AppTest {
protected:
    SettingsPaletteFolderAway() {
        fs::create_directories(SettingsPath());
        WriteFile(SettingsPath() / "Vandrel.ini", "Palette_Directory = " + away.string() + "\r\n");
    }
    const fs::path away = temp.path() / "drive" / "Palettes";  // one level cannot make it
};

TEST_F(SettingsPaletteFolderAway, IsKeptWhileTheRunUsesTheSettingsFolder) {
    Start();
    EXPECT_EQ(PaletteFolderInUse(*app), app->SettingsFolder);
    EXPECT_EQ(fs::current_path(), SettingsPath());
    EXPECT_EQ(app->PaletteNames[0], "start.pal");
    EXPECT_FALSE(fs::exists(away.parent_path()));

    WriteSettings(*app, platform);
    const std::string written = ReadFile(SettingsPath() / "Vandrel.ini");
    EXPECT_EQ(written.rfind("Palette_Directory = " + away.string() + "\r\nmaxfiles = 799\r\n", 0),
              0u)
        << written;
    EXPECT_NE(written.find("[start.pal]\r\nWinID = -1\r\n"), std::string::npos)
        << "the groups go to the folder in use: " << written;
    EXPECT_EQ(fs::current_path(), SettingsPath());

    // At the next start the drive is back, with its own palettes.
    fs::create_directories(away);
    WriteFile(away / "sea.pal", "#0000FF\r\n");
    auto next = std::make_unique<App>();
    ReadSettings(*next, platform);
    EXPECT_EQ(PaletteFolderInUse(*next), away.string());
    EXPECT_EQ(next->PaletteOptionsByName.count("sea.pal"), 1u);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(SettingsPaletteFolderAway, PathNamingAFileIsKeptToo) {
    WriteFile(temp.path() / "afile", "x");
    WriteFile(SettingsPath() / "Vandrel.ini",
              "Palette_Directory = " + (temp.path() / "afile").string() + "\r\n");
    Start();
    EXPECT_EQ(PaletteFolderInUse(*app), app->SettingsFolder);
    EXPECT_EQ(app->settings.PaletteDirectory, (temp.path() / "afile").string());
}

TEST_F(SettingsPaletteFolderAway, AFolderChosenInsteadIsStoredAndGetsTheGroups) {
    Start();
    const fs::path other = temp.path() / "other";
    fs::create_directories(other);
    platform.folderAnswers = {other.string()};
    ChoosePaletteFolder(*app, platform);
    EXPECT_EQ(PaletteFolderInUse(*app), other.string());
    EXPECT_EQ(fs::current_path(), other);
    EXPECT_NE(
        ReadFile(SettingsPath() / "Vandrel.ini").find("Palette_Directory = " + other.string()),
        std::string::npos);
    EXPECT_EQ(ReadFile(other / "Vandrel.ini").rfind("[start.pal]\r\nWinID = -1\r\n", 0), 0u)
        << "the palettes listed before the change carry their options into the new folder";
}

// The settings folder can be neither entered nor made. The program runs
// with the defaults and leaves alone the folder it was started in.
class SettingsFolderMissing : public AppTest {
protected:
    SettingsFolderMissing() {
        fs::create_directories(startedIn);
        fs::current_path(startedIn);  // TempFolder restores the old one
    }
    std::size_t FilesWhereStarted() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(startedIn), fs::directory_iterator()));
    }
    const fs::path startedIn = temp.path() / "started-here";
};

TEST_F(SettingsFolderMissing, AFileInItsPlaceLeavesEveryFolderAsItWas) {
    WriteFile(SettingsPath(), "not a folder");
    const std::string strayIni = "Pound = 0\r\nPalette_Directory = " + startedIn.string() + "\r\n";
    WriteFile(startedIn / "Vandrel.ini", strayIni);
    WriteFile(startedIn / "stray.pal", "#112233\r\n");

    Start();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(app->PaletteNames[0].empty()) << "nothing listed from the folder where the program started";
    EXPECT_EQ(platform.MessageLines().at(0),
              "Error: Could not create the folder " + SettingsPath().string());
    EXPECT_EQ(platform.messages.at(0).buttons, MessageButtons::Ok);
    EXPECT_EQ(app->settings.Pound, 1) << "the defaults, not the file where the program started";
    EXPECT_EQ(app->settings.PaletteDirectory, app->SettingsFolder);
    EXPECT_EQ(app->PaletteOptionsByName.count("stray.pal"), 0u);
    EXPECT_EQ(PaletteFolderInUse(*app), "");

    WriteSettings(*app, platform);
    ReadSettings(*app, platform);  // as a change of the palette folder does
    EXPECT_EQ(platform.messages.size(), 1u) << "told once";
    WriteSettings(*app, platform);
    EXPECT_EQ(ReadFile(startedIn / "Vandrel.ini"), strayIni);
    EXPECT_EQ(FilesWhereStarted(), 2u);
    EXPECT_EQ(ReadFile(SettingsPath()), "not a folder");
}

TEST_F(SettingsFolderMissing, WithoutAProfileFolderTheProgramStillRunsAndExits) {
    fs::remove_all(temp.path() / "profile");
    Start();
    EXPECT_EQ(
        platform.MessageLines(),
        std::vector<std::string>{"Error: Could not create the folder " + SettingsPath().string()});
    EXPECT_TRUE(platform.trayIconAdded);
    EXPECT_EQ(PaletteCount(*app), 0);
    ExitFromTray(*app, platform);
    EXPECT_FALSE(app->running);
    EXPECT_EQ(FilesWhereStarted(), 0u) << "no start.pal, no settings file";
    EXPECT_FALSE(fs::exists(temp.path() / "profile"));
}

TEST_F(Settings, UnwritableSettingsFileLeavesOptionsInMemory) {
    Start();
    fs::create_directories(SettingsPath() / "Vandrel.ini");  // a folder in the file's place
    WriteSettings(*app, platform);
    EXPECT_TRUE(fs::is_directory(SettingsPath() / "Vandrel.ini"));
    EXPECT_FALSE(fs::exists(SettingsPath() / kTemporaryFileName));
}

TEST(SwatchGeometrySafety, HandEditedValuesAreMadeSafeWhereUsed) {
    PaletteOptions options = DefaultPaletteOptions(1920);
    options.SwatchFont = 9;
    options.SwatchWidth = 0;
    options.SwatchHeight = -4;
    options.Style = 7;
    const SwatchGeometry geometry = EffectiveSwatchGeometry(options);
    EXPECT_EQ(geometry.font, 5);
    EXPECT_EQ(geometry.width, 59);
    EXPECT_EQ(geometry.height, 18);
    EXPECT_TRUE(geometry.rounded);
    options.SwatchWidth = 30000;
    options.SwatchFont = -3;
    EXPECT_EQ(EffectiveSwatchGeometry(options).width, 1000);
    EXPECT_EQ(EffectiveSwatchGeometry(options).font, -1);
}

}  // namespace
}  // namespace vandrel::testing
