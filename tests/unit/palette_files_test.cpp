#include <gtest/gtest.h>

#include "palette/palette_file.h"
#include "core/files.h"

using namespace std::string_literals;
#include "palette/palette_list.h"
#include "palette/palette_store.h"
#include "app/operations.h"
#include "editor/editing.h"
#include "palette_window/palette_window.h"
#include "config/settings.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace vandrel::testing {
namespace {

using Lines = std::vector<std::string>;

TEST(PaletteFileReader, LineEndsOfEveryKind) {
    EXPECT_EQ(ReadPaletteLines("#FF0000\r\n#0000FF\r\n"), (Lines{"#FF0000", "#0000FF"}));
    EXPECT_EQ(ReadPaletteLines("a\nb\rc\0d"s), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(ReadPaletteLines("a\r\n\r\n"), (Lines{"a", ""})) << "an extra empty line counts";
    EXPECT_EQ(ReadPaletteLines(""), (Lines{""})) << "an empty file is one empty colour";
    EXPECT_EQ(ReadPaletteLines("abc"), (Lines{"abc"}));
}

TEST(PaletteFileReader, OddFilesStillGiveTheirColours) {
    EXPECT_EQ(ReadPaletteLines("\xEF\xBB\xBF#FF0000\r\n"), (Lines{"#FF0000"})) << "a UTF-8 mark is skipped";
    const Lines huge = ReadPaletteLines("#123456" + std::string(100000, 'x') + "\n#ABCDEF\n");
    ASSERT_EQ(huge.size(), 2u);
    EXPECT_EQ(huge[0].size(), kLongestKeptLine);
    EXPECT_EQ(huge[1], "#ABCDEF");
}

TEST(PaletteFileReader, KeepsToTwelveLines) {
    std::string text;
    for (int i = 0; i < 15; ++i) text += "#0000" + std::to_string(10 + i) + "\r\n";
    const Lines lines = ReadPaletteLines(text);
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines.back(), "#000021");
}

// Files are read in pieces of the reader's buffer: sizes around a piece's end
// must come back whole, and the limit must cut exactly.
TEST(WholeFileReader, EverySizeComesBackWholeAndTheLimitCuts) {
    TempFolder temp;
    const std::string file = (temp.path() / "f.pal").string();
    const std::string missing = (temp.path() / "missing.pal").string();
    std::string bytes = "left from the file before";
    for (const std::size_t size : {0u, 1u, 16383u, 16384u, 16385u, 32768u, 100000u}) {
        std::string text(size, 'x');
        for (std::size_t i = 0; i < size; ++i) text[i] = static_cast<char>('a' + i % 26);
        WriteFile(file, text);
        const auto whole = ReadWholeFile(file);
        ASSERT_TRUE(whole) << size;
        EXPECT_EQ(*whole, text) << size;
        ASSERT_TRUE(ReadWholeFileInto(file, kLargestReadPalette, bytes)) << size;
        EXPECT_EQ(bytes, text.substr(0, kLargestReadPalette)) << size;
    }
    EXPECT_EQ(ReadWholeFile(file, 16384)->size(), 16384u);
    EXPECT_FALSE(ReadWholeFile(missing));
    EXPECT_FALSE(ReadWholeFileInto(missing, kLargestReadPalette, bytes));
    EXPECT_EQ(bytes, "") << "nothing of the last file is left to be taken for this one";
}

// The list keeps a palette's codes in one string: changing one leaves the others as they were.
TEST(PaletteCodesInTheList, EachCodeKeepsItsPlaceWhateverTheLengthsAround) {
    PaletteCodes codes;
    codes.Set(0, "FF0000");
    codes.Set(1, "00FF00");
    codes.Set(2, "0000FF");
    codes.Set(1, "");          // shorter
    EXPECT_EQ(codes[0], "FF0000");
    EXPECT_EQ(codes[1], "");
    EXPECT_EQ(codes[2], "0000FF");
    codes.Set(1, "ABCDEF12");  // longer
    codes.Set(12, "LAST");
    EXPECT_EQ(codes[1], "ABCDEF12");
    EXPECT_EQ(codes[2], "0000FF");
    EXPECT_EQ(codes[11], "");
    EXPECT_EQ(codes[12], "LAST");
    codes.Set(13, "nowhere");  // past the last colour: nothing changes
    EXPECT_EQ(codes[13], "");
    EXPECT_EQ(codes[12], "LAST");
    PaletteCodes same;
    same.Set(0, "FF0000");
    same.Set(1, "ABCDEF12");
    same.Set(2, "0000FF");
    same.Set(12, "LAST");
    EXPECT_EQ(codes, same);
    codes.clear();
    for (std::size_t j = 0; j <= 12; ++j) EXPECT_EQ(codes[j], "") << j;
}

TEST(PaletteFileWriter, WritesCompleteCodesOnly) {
    EXPECT_EQ(PaletteFileText({"#FF0000", "0000FF"}), "#FF0000\r\n#0000FF\r\n");
    EXPECT_EQ(PaletteFileText({"#FF0000", "#12", "", "#"}), "#FF0000\r\n");
    EXPECT_EQ(StartPaletteText().size(), 72u);
}

class PaletteList : public AppTest {
protected:
    void List() {
        ReadSettings(*app, platform);
        ListPalettes(*app, platform);
    }
};

TEST_F(PaletteList, HandWrittenFilesListLikeOurOwn) {
    AddPalette("ours.pal", "#FF8000\r\n#0000FF\r\n");
    AddPalette("lf.pal", "#ff8000\n#0000ff\n");
    AddPalette("bare.pal", "ff8000\r\n0000Ff");
    AddPalette("notes.txt", "#123456\r\n");
    List();
    ASSERT_EQ(PaletteCount(*app), 3);
    for (const char* name : {"ours.pal", "lf.pal", "bare.pal"}) {
        const int p = app->PaletteIndexByName.at(name);
        EXPECT_EQ(app->PaletteColourCount[p], 2) << name;
        EXPECT_EQ(app->PaletteColours[p][0], "FF8000") << name;
        EXPECT_EQ(app->PaletteColours[p][1], "0000FF") << name;
    }
}

TEST_F(PaletteList, EmptyFilesAndTrailingEmptyLines) {
    AddPalette("empty.pal", "");
    AddPalette("trailing.pal", "#FF0000\r\n\r\n");
    List();
    const int empty = app->PaletteIndexByName.at("empty.pal");
    EXPECT_EQ(app->PaletteColourCount[empty], 1);
    EXPECT_EQ(app->PaletteColours[empty][0], "");
    const int trailing = app->PaletteIndexByName.at("trailing.pal");
    EXPECT_EQ(app->PaletteColourCount[trailing], 2);
    EXPECT_EQ(app->PaletteColours[trailing][1], "");
}

TEST_F(PaletteList, LockedPalettesAreLeftOutAndHaveNoIndex) {
    AddPalette("a.pal", "#111111\r\n");
    AddPalette("b.pal", "#222222\r\n");
    WriteFile(SettingsPath() / "Vandrel.ini", "[a.pal]\r\nLocked = 1\r\n");
    List();
    EXPECT_EQ(PaletteCount(*app), 1);
    EXPECT_EQ(app->PaletteNames[0], "b.pal");
    EXPECT_EQ(PaletteIndexOf(*app, "a.pal"), -1);
    EXPECT_EQ(PaletteIndexOf(*app, ""), -1);
    EXPECT_EQ(PaletteIndexOf(*app, "unknown.pal"), -1);
    EXPECT_EQ(app->PaletteIndexByName.count(""), 0u) << "a look-up must not invent an entry";
}

TEST_F(PaletteList, FoldersNamedLikePalettesAreSkipped) {
    AddPalette("real.pal", "#111111\r\n");
    fs::create_directories(SettingsPath() / "dir.pal");
    List();
    EXPECT_EQ(PaletteCount(*app), 1);
}

TEST_F(PaletteList, MoreThan800FilesListTheFirst800) {
    fs::create_directories(SettingsPath());
    for (int i = 0; i < 805; ++i) {
        std::string name = std::to_string(1000 + i);
        name.insert(0, "p").append(".pal");
        WriteFile(SettingsPath() / name, "#123456\r\n");
    }
    List();
    EXPECT_EQ(PaletteCount(*app), 800);
    EXPECT_EQ(app->PaletteNames[799], "p1799.pal");
    EXPECT_EQ(app->PaletteIndexByName.size(), 800u);
}

class PaletteStore : public AppTest {
protected:
    void SetUp() override {
        AddPalette("start.pal", StartPaletteText());
        Start();
    }
};

TEST_F(PaletteStore, SavingRedAndBlueWritesEighteenBytesWhateverThePrefix) {
    for (int pound : {1, 0}) {
        app->settings.Prefix = pound ? "#" : "";
        app->EditorModified = 1;
        const std::string row2 = pound ? "#0000FF" : "0000FF";
        EXPECT_EQ(SavePalette(*app, platform, "rb.pal", false, {app->settings.Prefix + "FF0000", row2, ""}),
                  kSaveWritten);
        EXPECT_EQ(ReadFile(SettingsPath() / "rb.pal"), "#FF0000\r\n#0000FF\r\n");
    }
    EXPECT_EQ(app->EditorModified, 0);
    PaletteSaved(*app, platform);  // what every save that wrote is followed by
    EXPECT_GE(PaletteIndexOf(*app, "rb.pal"), 0) << "the list is rebuilt";
    const PaletteOptions& options = app->PaletteOptionsByName.at("rb.pal");
    EXPECT_EQ(options, DefaultPaletteOptions(1920)) << "a new palette gets the default options";
}

TEST_F(PaletteStore, APaletteFileThatAppearsWhileRunningGetsDefaultsNotZeros) {
    WriteFile(SettingsPath() / "dropped.pal", "#123456\r\n");
    ListPalettes(*app, platform);
    EXPECT_EQ(app->PaletteOptionsByName.at("dropped.pal"), DefaultPaletteOptions(1920));
}

TEST_F(PaletteStore, SavingKeepsTheOptionsOfAPaletteWhoseWinIdReadsAsZero) {
    WriteFile(SettingsPath() / "Vandrel.ini", "[start.pal]\r\nWinID = 0\r\nX = 77\r\nStyle = 0\r\n");
    ReadSettings(*app, platform);
    app->EditorModified = 1;
    SavePalette(*app, platform, "start.pal", false, {"#FF0000"});
    EXPECT_EQ(app->PaletteOptionsByName.at("start.pal").X, 77);
    EXPECT_EQ(app->PaletteOptionsByName.at("start.pal").Style, 0);
}

TEST_F(PaletteStore, SaveWithQuestion) {
    app->EditorModified = 0;
    EXPECT_EQ(SavePalette(*app, platform, "x.pal", true, {"#FF0000"}), kSaveNothingToDo);
    app->EditorModified = 1;
    platform.messageAnswers = {MessageAnswer::No};
    EXPECT_EQ(SavePalette(*app, platform, "x.pal", true, {"#FF0000"}), kSaveDeclined);
    EXPECT_EQ(platform.MessageLines().back(), "Save: Save your changes?");
    EXPECT_EQ(app->EditorModified, 0);
    EXPECT_FALSE(fs::exists(SettingsPath() / "x.pal"));
}

TEST_F(PaletteStore, FailedSaveIsReportedAndKeepsTheChanges) {
    fs::create_directories(SettingsPath() / "blocked.pal");  // cannot be replaced by a file
    app->EditorModified = 1;
    EXPECT_EQ(SavePalette(*app, platform, "blocked.pal", false, {"#FF0000"}), kSaveFailed);
    EXPECT_EQ(app->EditorModified, 1);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].title, "Error");
    EXPECT_NE(platform.messages[0].text.find("blocked.pal"), std::string::npos);
    EXPECT_FALSE(fs::exists(SettingsPath() / kTemporaryFileName));
}

TEST_F(PaletteStore, FailedSaveLeavesTheOldFileWhole) {
    WriteFile(SettingsPath() / "keep.pal", "#ABCDEF\r\n");
    fs::create_directories(SettingsPath() / kTemporaryFileName);  // the temporary cannot be made
    app->EditorModified = 1;
    EXPECT_EQ(SavePalette(*app, platform, "keep.pal", false, {"#FF0000"}), kSaveFailed);
    EXPECT_EQ(ReadFile(SettingsPath() / "keep.pal"), "#ABCDEF\r\n");
}

TEST_F(PaletteStore, NameChecksAndTheirMessages) {
    EXPECT_EQ(CheckPaletteName("sixteen_chars_ok"), "");
    EXPECT_EQ(CheckPaletteName("seventeen_chars_x"), "Palette file name should not be more than 16 characters.");
    for (const std::string bad : {"a.b", "c:d", "e\\f", "g/h", "i*", "j?", "k\"", "l<", "m>", "n|", "tab\there"})
        EXPECT_EQ(CheckPaletteName(bad), "Invalid file name") << bad;

    platform.nameAnswers = {"", "web.site", "Start", "fresh"};
    EXPECT_FALSE(NewPaletteDialog(*app, platform, ""));
    EXPECT_TRUE(platform.messages.empty()) << "an empty answer ends silently";
    EXPECT_FALSE(NewPaletteDialog(*app, platform, ""));
    EXPECT_EQ(platform.MessageLines().back(), "Error: Invalid file name");
    const bool ignoresCase = fs::exists(SettingsPath() / "START.PAL");
    EXPECT_EQ(NewPaletteDialog(*app, platform, ""), !ignoresCase);
    if (ignoresCase) {
        EXPECT_EQ(platform.MessageLines().back(), "Error: A Palette exists with that name!");
    }
    EXPECT_TRUE(NewPaletteDialog(*app, platform, ""));
    EXPECT_EQ(app->EditorPaletteName, "fresh.pal");
    EXPECT_FALSE(fs::exists(SettingsPath() / "fresh.pal")) << "no file before the first save";
}

TEST_F(PaletteStore, ExistingNameIsRefused) {
    platform.nameAnswers = {"start"};
    EXPECT_FALSE(NewPaletteDialog(*app, platform, ""));
    EXPECT_EQ(platform.MessageLines().back(), "Error: A Palette exists with that name!");
}

TEST_F(PaletteStore, DeleteNeedsTwoPalettesAndAYes) {
    app->ManageSelection = "start.pal";
    DeletePalette(*app, platform);
    EXPECT_EQ(platform.MessageLines().back(), "Error: You must have at least one palette");

    WriteFile(SettingsPath() / "web.pal", "#112233\r\n");
    ListPalettes(*app, platform);
    platform.messageAnswers = {MessageAnswer::No};
    DeletePalette(*app, platform);
    EXPECT_EQ(platform.MessageLines().back(), "Delete: Are you sure you want to delete start.pal?");
    EXPECT_TRUE(fs::exists(SettingsPath() / "start.pal"));

    platform.messageAnswers = {MessageAnswer::Yes};
    DeletePalette(*app, platform);
    EXPECT_FALSE(fs::exists(SettingsPath() / "start.pal"));
    EXPECT_EQ(app->PaletteNames[0], "web.pal");
    EXPECT_EQ(app->ManageSelection, "");
    EXPECT_EQ(app->PaletteOptionsByName.count("start.pal"), 1u) << "its options stay";
}

TEST_F(PaletteStore, LockedPalettesDoNotCountForDelete) {
    WriteFile(SettingsPath() / "web.pal", "#112233\r\n");
    app->PaletteOptionsByName["web.pal"].Locked = 1;
    ListPalettes(*app, platform);
    app->ManageSelection = "start.pal";
    DeletePalette(*app, platform);
    EXPECT_EQ(platform.MessageLines().back(), "Error: You must have at least one palette");
}

TEST_F(PaletteStore, ChoosingAnUnreadableOrUnwritableFolderKeepsTheCurrentOne) {
    WriteFile(temp.path() / "plain-file", "x");
    const fs::path unwritable = temp.path() / "unwritable";
    fs::create_directories(unwritable / "test.vandrel.txt");  // the probe cannot be a file
    platform.folderAnswers = {"", (temp.path() / "plain-file").string(), unwritable.string()};
    ChoosePaletteFolder(*app, platform);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(platform.askedFolderTitles.at(0), "Please select a palette folder");
    ChoosePaletteFolder(*app, platform);
    EXPECT_EQ(platform.MessageLines().back(), "Error: Could not read selected folder");
    ChoosePaletteFolder(*app, platform);
    EXPECT_EQ(platform.MessageLines().back(), "Error: Could not write to selected folder");
    EXPECT_EQ(app->settings.PaletteDirectory, app->SettingsFolder);
    EXPECT_EQ(fs::current_path(), SettingsPath());
}

TEST_F(PaletteStore, ChoosingAFolderSwitchesToItsPalettes) {
    const fs::path other = temp.path() / "other";
    fs::create_directories(other);
    WriteFile(other / "test.vandrel.txt", "left over");
    WriteFile(other / "sea.pal", "#0000FF\r\n");
    platform.folderAnswers = {other.string()};
    ChoosePaletteFolder(*app, platform);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(app->settings.PaletteDirectory, other.string());
    EXPECT_EQ(fs::current_path(), other);
    EXPECT_FALSE(fs::exists(other / "test.vandrel.txt")) << "the probe is removed";
    EXPECT_FALSE(fs::exists(other / "start.pal")) << "the folder has a palette already";
    EXPECT_EQ(app->PaletteNames[0], "sea.pal");
    EXPECT_EQ(app->PaletteNames[1], "");
    const std::string global = ReadFile(SettingsPath() / "Vandrel.ini");
    EXPECT_NE(global.find("Palette_Directory = " + other.string() + "\r\n"), std::string::npos);
}

TEST_F(PaletteStore, ChoosingAFolderKeepsTheOptionsStoredThere) {
    OpenPaletteWindow(*app, platform, app->PaletteIndexByName.at("start.pal"), -1);
    platform.SetPosition(1, {10, 20});
    const fs::path other = temp.path() / "other";
    fs::create_directories(other);
    WriteFile(other / "start.pal", "#0000FF\r\n");
    WriteFile(other / "Vandrel.ini", "[start.pal]\r\nWinID = -1\r\nX = 500\r\nY = 60\r\n");
    platform.folderAnswers = {other.string()};
    ChoosePaletteFolder(*app, platform);
    const PaletteOptions& options = app->PaletteOptionsByName.at("start.pal");
    EXPECT_EQ(options.X, 500);
    EXPECT_EQ(options.Y, 60);
    EXPECT_FALSE(platform.Exists(1)) << "closed in the new folder, it stays closed";
    const std::string groups = ReadFile(other / "Vandrel.ini");
    EXPECT_NE(groups.find("[start.pal]\r\nWinID = -1\r\nX = 500\r\nY = 60\r\n"), std::string::npos) << groups;
    // The old folder's file has the place the window had when the folder changed.
    const std::string old = ReadFile(SettingsPath() / "Vandrel.ini");
    EXPECT_NE(old.find("[start.pal]\r\nWinID = 1\r\nX = 10\r\nY = 20\r\n"), std::string::npos) << old;
}

}  // namespace
}  // namespace vandrel::testing
