#include <gtest/gtest.h>

#include "app/files.h"
#include "palette/palette_list.h"
#include "settings/settings.h"
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
    EXPECT_FALSE(platform.WindowExists(1));
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
    // Nothing is left of the temporary file the write went through.
    EXPECT_EQ(std::distance(fs::directory_iterator(SettingsPath()), fs::directory_iterator()), 2);
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

TEST_F(Settings, ValuesAreTruncatedToTheirFieldsWidth) {
    AddPalette("a.pal", "#112233\r\n");
    WriteFile(SettingsPath() / "Vandrel.ini", "[a.pal]\r\nWinID = 257\r\nSwatchHeight = 65537\r\n");
    Start();
    EXPECT_EQ(app->PaletteOptionsByName.at("a.pal").WinID, 1);
    EXPECT_EQ(app->PaletteOptionsByName.at("a.pal").SwatchHeight, 1);
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
}

TEST_F(Settings, FolderWithOnlyASubfolderNamedLikeAPaletteGetsNoStartPalette) {
    fs::create_directories(SettingsPath() / "folder.pal");
    Start();
    EXPECT_FALSE(fs::exists(SettingsPath() / "start.pal"));
    EXPECT_EQ(app->PaletteOptionsByName.count("folder.pal"), 0u);
    EXPECT_EQ(PaletteCount(*app), 0);
}

TEST_F(Settings, UnusablePaletteFolderFallsBackToTheSettingsFolder) {
    fs::create_directories(SettingsPath());
    WriteFile(temp.path() / "afile", "x");
    WriteFile(SettingsPath() / "Vandrel.ini",
              "Palette_Directory = " + (temp.path() / "afile").string() + "\r\n");
    Start();
    EXPECT_EQ(app->settings.PaletteDirectory, app->SettingsFolder);
    EXPECT_EQ(app->PaletteNames[0], "start.pal");
}

TEST_F(Settings, UnwritableSettingsFileLeavesOptionsInMemory) {
    Start();
    fs::create_directories(SettingsPath() / "Vandrel.ini");  // a folder in the file's place
    WriteSettings(*app, platform);
    EXPECT_TRUE(fs::is_directory(SettingsPath() / "Vandrel.ini"));
    EXPECT_FALSE(fs::exists(SettingsPath() / "Vandrel.ini.saving"));
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
