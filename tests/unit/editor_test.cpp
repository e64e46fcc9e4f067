#include <gtest/gtest.h>

#include "app/event_loop.h"
#include "editor/editing.h"
#include "editor/editor_window.h"
#include "palette/colour_code.h"
#include "palette/palette_file.h"
#include "palette_window/palette_window.h"
#include "test_support.h"

namespace vandrel::testing {
namespace {

namespace fs = std::filesystem;

constexpr ColourValue kWhite = Rgb(255, 255, 255);
constexpr ColourValue kRed = Rgb(255, 0, 0);
constexpr ColourValue kBlue = Rgb(0, 0, 255);
constexpr int T = kEditorToolbarHeight;  // the fake's toolbar is as tall as it is made

class Editor : public AppTest {
protected:
    void SetUp() override {
        AddPalette("start.pal", StartPaletteText());
        AddPalette("three.pal", "#FF0000\r\n#00FF00\r\n#0000FF\r\n");
        AddPalette("twelve.pal", Lines(12));
        AddPalette("empty.pal", "");
        AddPalette("broken.pal", "#FF0000\r\n#12\r\n#00FF00\r\n");
    }
    // "Use #'s" off, as the manage window sets it.
    void PoundOff() {
        app->settings.Pound = 0;
        app->settings.Prefix = "";
    }
    static std::string Lines(int count) {
        std::string text;
        // #00A0B0, #01A0B0, ... #11A0B0: every row its own code.
        for (int i = 0; i < count; ++i) text += "#" + std::string(i < 10 ? "0" : "") + std::to_string(i) + "A0B0\r\n";
        return text;
    }
    void Edit(const std::string& name) {
        platform.Queue({EventKind::Menu, kTrayOwnerWindow, kFirstEditItem + app->PaletteIndexByName.at(name)});
        RunQueued();
    }
    void Menu(int item, int window) {
        platform.Queue({EventKind::Menu, window, item});
        RunQueued();
    }
    void Tool(int item) {
        user.ClickTool(kEditorWindow, kEditorToolbar, item);
        RunQueued();
    }
    void CloseBox() {
        platform.Queue({EventKind::Close, kEditorWindow});
        RunQueued();
    }
    // Keys typed one after the other into the focused field, each handled
    // before the next arrives, as the event loop does.
    void Keys(const std::string& keys) {
        for (char key : keys) {
            user.Key(kEditorWindow, key);
            RunQueued();
        }
    }
    void FocusRow(int row) { FocusEditorControl(platform, EditFieldId(row), 99, 99); }
    int Rows() const { return app->EditorColourCount; }
    std::string Text(int row) { return platform.Control(kEditorWindow, EditFieldId(row)).text; }
    bool Has(int control) { return platform.Window(kEditorWindow).controls.count(control) != 0; }
    // The colour both previews of a row show; the test fails when they differ.
    ColourValue Colour(int row) {
        const auto& a = platform.Control(kEditorWindow, EditSwatchId(row)).drawing;
        const auto& b = platform.Control(kEditorWindow, EditSwatch2Id(row)).drawing;
        EXPECT_FALSE(a.empty());
        EXPECT_FALSE(b.empty());
        if (a.empty() || b.empty()) return 0x1000000;
        EXPECT_EQ(a.back().colour, b.back().colour) << "row " << row;
        return a.back().colour;
    }
    int Height() { return platform.Window(kEditorWindow).rect.Height(); }
    int Focused() { return platform.FocusedControl(kEditorWindow); }
    bool ToolsEnabled() {
        const FakeControl& toolbar = platform.Control(kEditorWindow, kEditorToolbar);
        int enabled = 0;
        for (int tool : kEditorColourTools) enabled += toolbar.ToolEnabled(tool);
        EXPECT_TRUE(enabled == 0 || enabled == 4) << "the four colour tools go together";
        return enabled == 4;
    }
    std::string SavedFile(const std::string& name) { return ReadFile(SettingsPath() / name); }
};

// --- the window and loading ------------------------------------------------

TEST_F(Editor, TheWindowItsToolbarAndTheLabel) {
    Start();
    Edit("start.pal");
    const FakeWindow& window = platform.Window(kEditorWindow);
    EXPECT_TRUE(window.shown);
    EXPECT_EQ(window.description.title, "Vandrel");
    EXPECT_EQ(window.description.kind, WindowKind::Framed);
    EXPECT_FALSE(window.description.sizable);
    EXPECT_FALSE(window.description.minimiseBox);
    EXPECT_EQ(window.rect.left, 345);
    EXPECT_EQ(window.rect.Width(), 150);
    const auto& tools = platform.Control(kEditorWindow, kEditorToolbar).description.tools;
    std::vector<std::string> tips;
    for (const ToolItem& tool : tools) tips.push_back(tool.tooltip);
    EXPECT_EQ(tips, (std::vector<std::string>{"Save palette", "Copy palette", "", "Grab color from screen",
                                              "Color picker", "Random color", "Magic color blender"}));
    EXPECT_EQ(tools[2].item, 0) << "the third position is a separator";
    const FakeControl& label = platform.Control(kEditorWindow, kEditorNameLabel);
    EXPECT_EQ(label.text, "start");
    EXPECT_EQ(label.description.font, 5);
    EXPECT_EQ(label.description.rect, (Rect{0, 27, 150, 47}));
    const auto& shortcuts = window.shortcuts;
    ASSERT_EQ(shortcuts.size(), 2u);
    EXPECT_EQ(shortcuts[0].virtualKey, kKeyUp);
    EXPECT_EQ(shortcuts[1].virtualKey, kKeyDown);
    EXPECT_EQ(EditorLabel("my.pal.pal"), "my");
}

TEST_F(Editor, ThreeColoursGiveFourRowsWithTheirMoveButtons) {
    Start();
    Edit("three.pal");
    ASSERT_EQ(Rows(), 4);
    EXPECT_EQ(Height(), 4 * 19 + T + 27);
    EXPECT_EQ(Text(1), "#FF0000");
    EXPECT_EQ(Text(4), "") << "the entry row";
    EXPECT_EQ(Colour(1), kRed);
    EXPECT_EQ(Colour(3), kBlue);
    EXPECT_EQ(Colour(4), kWhite);
    EXPECT_EQ(Focused(), EditFieldId(4));
    for (int row = 1; row <= 4; ++row) {
        EXPECT_EQ(Has(EditUpId(row)), row == 2 || row == 3) << "Move up of row " << row;
        EXPECT_EQ(Has(EditDownId(row)), row == 1 || row == 2) << "Move down of row " << row;
    }
    const FakeControl& field = platform.Control(kEditorWindow, EditFieldId(2));
    EXPECT_EQ(field.description.rect, (Rect{46, T + 25 + 19, 104, T + 25 + 19 + 18}));
    EXPECT_EQ(field.description.font, 3);
    EXPECT_EQ(field.description.flags & (kFlagCentred | kFlagUpperCase | kFlagNoBorder),
              kFlagCentred | kFlagUpperCase | kFlagNoBorder);
    EXPECT_EQ(platform.Control(kEditorWindow, EditUpId(2)).description.rect,
              (Rect{29, T + 25 + 19 + 1, 45, T + 25 + 19 + 17}));
    EXPECT_EQ(platform.Control(kEditorWindow, EditSwatch2Id(3)).description.rect,
              (Rect{122, T + 25 + 38, 147, T + 25 + 38 + 18}));
    EXPECT_TRUE(ToolsEnabled());
    EXPECT_EQ(app->EditorModified, 0) << "loading is no change";
}

TEST_F(Editor, TwelveColoursFillTheEditorAndDisableTheColourTools) {
    Start();
    Edit("twelve.pal");
    ASSERT_EQ(Rows(), 12);
    EXPECT_EQ(Text(12), "#11A0B0");
    EXPECT_EQ(Height(), 12 * 19 + T + 27);
    EXPECT_FALSE(Has(EditUpId(12)));
    EXPECT_FALSE(Has(EditDownId(11)));
    EXPECT_TRUE(Has(EditUpId(11)));
    EXPECT_FALSE(ToolsEnabled());
    const FakeControl& toolbar = platform.Control(kEditorWindow, kEditorToolbar);
    EXPECT_TRUE(toolbar.ToolEnabled(kItemSavePalette));
    EXPECT_TRUE(toolbar.ToolEnabled(kItemCopyPalette));
}

TEST_F(Editor, AnEmptyOrMissingFileGivesOneEmptyRow) {
    Start();
    Edit("empty.pal");
    ASSERT_EQ(Rows(), 1);
    EXPECT_EQ(Text(1), "");
    // 1 x 19 + T + 27 is less than the window's least height, which the system keeps.
    EXPECT_EQ(Height(), kEditorLeastHeight);
    fs::remove(SettingsPath() / "three.pal");
    Edit("three.pal");
    EXPECT_EQ(Rows(), 1);
    EXPECT_TRUE(platform.messages.empty()) << "no message for a file that cannot be read";
}

TEST_F(Editor, AnIncompleteLineEndsTheRows) {
    Start();
    Edit("broken.pal");
    ASSERT_EQ(Rows(), 2);
    EXPECT_EQ(Text(1), "#FF0000");
    EXPECT_EQ(Text(2), "#12");
    EXPECT_EQ(Colour(2), ParseColourCode("12"));
}

TEST_F(Editor, CodesShowWithThePrefixOfTheMoment) {
    WriteFile(SettingsPath() / "lower.pal", "ff8000\r\n");
    Start();
    PoundOff();
    Edit("start.pal");
    EXPECT_EQ(Text(1), "000000");
    EXPECT_EQ(Text(8), "FFFFFF");
    Edit("lower.pal");
    EXPECT_EQ(Text(1), "FF8000") << "the field shows capitals";
}

TEST_F(Editor, ASecondPaletteReplacesTheRowsWhereTheWindowStands) {
    Start();
    Edit("start.pal");
    platform.SetPosition(kEditorWindow, {400, 300});
    OpenPaletteWindow(*app, platform, app->PaletteIndexByName.at("three.pal"), -1);
    Menu(kItemEdit, 1);  // "Edit" of the palette window's popup menu
    EXPECT_EQ(platform.WindowPosition(kEditorWindow), (Point{400, 300}));
    EXPECT_EQ(Rows(), 4);
    EXPECT_EQ(platform.Control(kEditorWindow, kEditorNameLabel).text, "three");
    EXPECT_EQ(app->EditorPaletteName, "three.pal");
    for (int row = 5; row <= 9; ++row) EXPECT_FALSE(Has(EditFieldId(row))) << row;
    EXPECT_EQ(Height(), 4 * 19 + T + 27);
}

// --- typing -----------------------------------------------------------------

TEST_F(Editor, TypingCompletesAColourAndAddsARow) {
    Start();
    Edit("three.pal");
    Keys("f");
    EXPECT_EQ(Text(4), "#F");
    EXPECT_EQ(platform.Control(kEditorWindow, EditFieldId(4)).selection, (std::pair{2, 2}))
        << "the caret at the end";
    EXPECT_EQ(Colour(4), kWhite);
    EXPECT_EQ(app->EditorModified, 1);
    Keys("f0000");
    EXPECT_EQ(Text(4), "#FF0000");
    EXPECT_EQ(Colour(4), kRed);
    ASSERT_EQ(Rows(), 5);
    EXPECT_EQ(Height(), 5 * 19 + T + 27) << "19 more pixels";
    EXPECT_EQ(Focused(), EditFieldId(5));
    EXPECT_TRUE(Has(EditUpId(4)));
    EXPECT_TRUE(Has(EditDownId(3)));
    Keys("0000ff");
    EXPECT_EQ(Text(5), "#0000FF");
    EXPECT_EQ(Rows(), 6);
}

TEST_F(Editor, WithoutThePoundACodeCompletesAtSixCharacters) {
    Start();
    PoundOff();
    Edit("three.pal");
    Keys("ff000");
    EXPECT_EQ(Rows(), 4);
    Keys("0");
    EXPECT_EQ(Text(4), "FF0000");
    EXPECT_EQ(Rows(), 5);
}

TEST_F(Editor, OnlyHexDigitsSurviveAndASeventhDigitIsCut) {
    Start();
    Edit("three.pal");
    Keys("g");
    EXPECT_EQ(Text(4), "#") << "the G is gone; what is left is the clean text, the prefix";
    Keys("\b");
    Keys("a g");
    EXPECT_EQ(Text(4), "#A");
    Keys("#");
    EXPECT_EQ(Text(4), "#A") << "a # survives only as the prefix";
    user.Type(kEditorWindow, EditFieldId(1), "ff00001");  // pasted over row 1
    RunQueued();
    EXPECT_EQ(Text(1), "#FF0000");
    EXPECT_EQ(Colour(1), kRed);
    EXPECT_EQ(Rows(), 4) << "row 1 was not the last: no row is added";
}

TEST_F(Editor, TakingTheLastDigitOfARowPaintsItWhiteAndSavingLeavesItOut) {
    Start();
    Edit("three.pal");
    FocusRow(2);
    Keys("\b");
    EXPECT_EQ(Text(2), "#00FF0");
    EXPECT_EQ(Colour(2), kWhite);
    EXPECT_EQ(Rows(), 4);
    Tool(kItemSavePalette);
    EXPECT_EQ(SavedFile("three.pal"), "#FF0000\r\n#0000FF\r\n");
}

// --- emptying rows ------------------------------------------------------------

TEST_F(Editor, AnEmptiedMiddleRowDisappearsAndTheFocusMovesUp) {
    Start();
    Edit("three.pal");
    FocusRow(2);
    user.Type(kEditorWindow, EditFieldId(2), "");
    RunQueued();
    ASSERT_EQ(Rows(), 3);
    EXPECT_EQ(Text(2), "#0000FF");
    EXPECT_EQ(Colour(2), kBlue);
    EXPECT_EQ(Text(3), "");
    EXPECT_EQ(Height(), 3 * 19 + T + 27);
    EXPECT_EQ(Focused(), EditFieldId(1));
    EXPECT_EQ(platform.Control(kEditorWindow, EditFieldId(1)).selection, (std::pair{7, 7}));
    EXPECT_FALSE(Has(EditFieldId(4)));
    EXPECT_FALSE(Has(EditUpId(3)));
    EXPECT_FALSE(Has(EditDownId(2)));
    EXPECT_EQ(app->EditorModified, 1);
}

TEST_F(Editor, AnEmptiedLastRowStays) {
    Start();
    Edit("three.pal");
    Keys("12\b\b");
    EXPECT_EQ(Text(4), "#") << "the prefix is typed text like any other";
    Keys("\b");
    EXPECT_EQ(Rows(), 4);
    EXPECT_EQ(Text(4), "");
    EXPECT_EQ(Colour(4), kWhite);
}

TEST_F(Editor, AFullEditorGetsItsEntryRowBack) {
    Start();
    Edit("twelve.pal");
    FocusRow(3);
    user.Type(kEditorWindow, EditFieldId(3), "");
    RunQueued();
    ASSERT_EQ(Rows(), 12);
    EXPECT_EQ(Text(3), "#03A0B0");
    EXPECT_EQ(Text(11), "#11A0B0");
    EXPECT_EQ(Text(12), "");
    EXPECT_TRUE(ToolsEnabled());
    EXPECT_TRUE(Has(EditUpId(11)));
    EXPECT_FALSE(Has(EditUpId(12)));
}

// --- moving colours, arrows, copying ---------------------------------------------

TEST_F(Editor, MovingColoursAndSavingThemInTheNewOrder) {
    Start();
    Edit("three.pal");
    FocusRow(1);
    user.Click(kEditorWindow, EditUpId(3));
    RunQueued();
    EXPECT_EQ(Text(2), "#0000FF");
    EXPECT_EQ(Text(3), "#00FF00");
    EXPECT_EQ(Colour(2), kBlue);
    EXPECT_EQ(app->EditorModified, 1);
    EXPECT_EQ(Focused(), EditFieldId(1)) << "the focus does not move";
    user.Click(kEditorWindow, EditDownId(1));
    RunQueued();
    EXPECT_EQ(Text(1), "#0000FF");
    EXPECT_EQ(Text(2), "#FF0000");
    EXPECT_EQ(Rows(), 4);
    Tool(kItemSavePalette);
    EXPECT_EQ(SavedFile("three.pal"), "#0000FF\r\n#FF0000\r\n#00FF00\r\n");
    EXPECT_EQ(app->EditorModified, 0);
}

TEST_F(Editor, TheArrowKeysMoveBetweenRowsAndSelectTheCode) {
    Start();
    Edit("three.pal");
    ASSERT_EQ(Focused(), EditFieldId(4));
    user.PressShortcut(kEditorWindow, kKeyDown);
    RunQueued();
    EXPECT_EQ(Focused(), EditFieldId(4)) << "nothing below the last row";
    for (int row : {3, 2, 1, 1}) {
        user.PressShortcut(kEditorWindow, kKeyUp);
        RunQueued();
        EXPECT_EQ(Focused(), EditFieldId(row));
    }
    EXPECT_EQ(platform.Control(kEditorWindow, EditFieldId(1)).selection, (std::pair{0, 7}));
    user.PressShortcut(kEditorWindow, kKeyDown);
    RunQueued();
    EXPECT_EQ(Focused(), EditFieldId(2));
    EXPECT_EQ(app->EditorModified, 0);
}

TEST_F(Editor, CopyPaletteGivesTheRowsAsTheyStandWithCrLf) {
    AddPalette("rb.pal", "#FF0000\r\n#0000FF\r\n");
    Start();
    Edit("rb.pal");
    Tool(kItemCopyPalette);
    EXPECT_EQ(platform.clipboard, "#FF0000\r\n#0000FF\r\n\r\n") << "the entry row gives the empty last line";
    Keys("12");
    Tool(kItemCopyPalette);
    EXPECT_EQ(platform.clipboard, "#FF0000\r\n#0000FF\r\n#12\r\n");
    EXPECT_EQ(app->EditorModified, 1) << "copying changes nothing";
}

// --- saving and the modified mark -------------------------------------------------

TEST_F(Editor, SavingRebuildsThePaletteWindowWithTheNewColours) {
    Start();
    OpenPaletteWindow(*app, platform, app->PaletteIndexByName.at("three.pal"), -1);
    Edit("three.pal");
    Keys("123456");
    Tool(kItemSavePalette);
    EXPECT_EQ(SavedFile("three.pal"), "#FF0000\r\n#00FF00\r\n#0000FF\r\n#123456\r\n");
    EXPECT_EQ(app->PaletteColourCount[app->PaletteIndexByName.at("three.pal")], 4);
    EXPECT_EQ(platform.Window(1).controls.size(), 4u) << "the palette window shows four swatches";
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(Editor, OpeningAndClosingWithoutAChangeAsksNothing) {
    Start();
    Edit("start.pal");
    platform.SetPosition(kEditorWindow, {500, 60});
    CloseBox();
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_FALSE(platform.Exists(kEditorWindow));
    EXPECT_EQ(app->settings.EditX, 500);
    EXPECT_EQ(app->settings.EditY, 60);
    Edit("start.pal");
    EXPECT_EQ(platform.WindowPosition(kEditorWindow), (Point{500, 60})) << "it opens where it closed";
}

TEST_F(Editor, TheCloseBoxAsksAboutChangesAndClosesWhateverTheAnswer) {
    Start();
    Edit("three.pal");
    Keys("123456");
    platform.messageAnswers = {MessageAnswer::No};
    CloseBox();
    EXPECT_EQ(platform.MessageLines(), (std::vector<std::string>{"Save: Save your changes?"}));
    EXPECT_FALSE(platform.Exists(kEditorWindow));
    EXPECT_EQ(app->EditorModified, 0);
    EXPECT_EQ(SavedFile("three.pal"), "#FF0000\r\n#00FF00\r\n#0000FF\r\n") << "No writes nothing";

    Edit("three.pal");
    Keys("123456");
    platform.messageAnswers = {MessageAnswer::Yes};
    CloseBox();
    EXPECT_FALSE(platform.Exists(kEditorWindow));
    EXPECT_EQ(SavedFile("three.pal"), "#FF0000\r\n#00FF00\r\n#0000FF\r\n#123456\r\n");
}

TEST_F(Editor, AFailedSaveKeepsTheEditorAndItsRowsWhateverPathSaved) {
    Start();
    Edit("three.pal");
    Keys("123456");
    // The palette file cannot be replaced: a folder stands in its way.
    fs::remove(SettingsPath() / "three.pal");
    fs::create_directory(SettingsPath() / "three.pal");
    auto keptEverything = [&](const char* path) {
        EXPECT_TRUE(platform.Exists(kEditorWindow)) << path;
        EXPECT_EQ(Rows(), 5) << path;
        EXPECT_EQ(Text(4), "#123456") << path;
        EXPECT_EQ(app->EditorPaletteName, "three.pal") << path;
        EXPECT_EQ(app->EditorModified, 1) << path;
        EXPECT_EQ(platform.messages.back().title, "Error") << path;
    };
    Tool(kItemSavePalette);
    keptEverything("the toolbar");
    platform.messageAnswers = {MessageAnswer::Yes};
    CloseBox();
    keptEverything("the close box");
    platform.messageAnswers = {MessageAnswer::Yes};
    Edit("start.pal");
    keptEverything("a switch to another palette");
    platform.messageAnswers = {MessageAnswer::Yes};
    platform.nameAnswers = {"fresh"};
    Menu(kItemBlank, kManageWindow);
    keptEverything("Blank");
    EXPECT_EQ(platform.nameAnswers.size(), 1u) << "no name was asked for";
}

TEST_F(Editor, SwitchingPalettesWithUnsavedChangesAsksFirst) {
    Start();
    Edit("three.pal");
    Keys("123456");
    platform.messageAnswers = {MessageAnswer::Yes};
    Edit("start.pal");
    EXPECT_EQ(platform.MessageLines(), (std::vector<std::string>{"Save: Save your changes?"}));
    EXPECT_EQ(SavedFile("three.pal"), "#FF0000\r\n#00FF00\r\n#0000FF\r\n#123456\r\n")
        << "Yes saves the palette being left";
    EXPECT_EQ(app->EditorPaletteName, "start.pal");
    EXPECT_EQ(Rows(), 9);
    EXPECT_EQ(app->EditorModified, 0);

    Keys("abcdef");
    platform.messageAnswers = {MessageAnswer::No};
    OpenPaletteWindow(*app, platform, app->PaletteIndexByName.at("three.pal"), -1);
    Menu(kItemEdit, 1);
    EXPECT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(SavedFile("start.pal"), StartPaletteText()) << "No drops the changes";
    EXPECT_EQ(app->EditorPaletteName, "three.pal");
    EXPECT_EQ(Text(4), "#123456");
    EXPECT_EQ(app->EditorModified, 0);
    CloseBox();
    EXPECT_EQ(platform.messages.size(), 2u) << "a clear mark: closing asks nothing more";
}

TEST_F(Editor, EditingThePaletteAlreadyShownKeepsItsUnsavedRows) {
    Start();
    Edit("three.pal");
    Keys("123456");
    Edit("three.pal");
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(Text(4), "#123456");
    EXPECT_EQ(app->EditorModified, 1);
    Edit("start.pal");  // unchanged since: asks, and No is the fake's answer
    EXPECT_EQ(platform.MessageLines(), (std::vector<std::string>{"Save: Save your changes?"}));
}

TEST_F(Editor, ThePrefixChangingWhileOpenLeavesTheRowsAsTheyStand) {
    Start();
    Edit("three.pal");
    PoundOff();
    EXPECT_EQ(Text(1), "#FF0000");
    EXPECT_EQ(app->EditorModified, 0);
    AddEditorRow(*app, platform, "123456");
    EXPECT_EQ(Rows(), 4) << "the entry row is empty: no row follows it";
    DeleteEditorRow(*app, platform, 4);
    AddEditorRow(*app, platform, "123456");
    EXPECT_EQ(Rows(), 3) << "\"#0000FF\" no longer counts as complete";
    app->EditorModified = 1;
    fs::remove(SettingsPath() / "three.pal");
    Tool(kItemSavePalette);
    EXPECT_EQ(SavedFile("three.pal"), "#FF0000\r\n#00FF00\r\n#0000FF\r\n") << "saving still writes them";
}

// --- blank palettes and the tools' hand-over -------------------------------------

TEST_F(Editor, BlankCancelledChangesNothing) {
    Start();
    platform.nameAnswers = {""};
    Menu(kItemBlank, kManageWindow);
    EXPECT_FALSE(platform.Exists(kEditorWindow)) << "with the editor closed nothing opens";
    Edit("three.pal");
    platform.nameAnswers = {""};
    Menu(kItemBlank, kManageWindow);
    EXPECT_EQ(app->EditorPaletteName, "three.pal");
    EXPECT_EQ(Rows(), 4);
    EXPECT_EQ(app->EditorModified, 0);
}

TEST_F(Editor, BlankStartsANamedPaletteThatTheFirstSaveCreates) {
    Start();
    Edit("start.pal");
    platform.nameAnswers = {"fresh"};
    Menu(kItemBlank, kManageWindow);
    ASSERT_EQ(Rows(), 1);
    EXPECT_EQ(Text(1), "");
    EXPECT_EQ(platform.Control(kEditorWindow, kEditorNameLabel).text, "fresh");
    EXPECT_EQ(app->EditorModified, 1);
    EXPECT_FALSE(fs::exists(SettingsPath() / "fresh.pal"));
    Keys("ff0000aabbcc");
    EXPECT_EQ(Rows(), 3);
    Tool(kItemSavePalette);
    EXPECT_EQ(SavedFile("fresh.pal"), "#FF0000\r\n#AABBCC\r\n");
    EXPECT_GE(PaletteIndexOf(*app, "fresh.pal"), 0) << "in the palette list, so in the menus";
    bool inTray = false;
    for (const MenuItem& item : platform.menus[MenuId::Tray].items) inTray |= item.caption == "fresh";
    EXPECT_TRUE(inTray);
}

TEST_F(Editor, TheToolsColourGoesIntoTheLastRow) {
    Start();
    Edit("three.pal");
    DeliverToolColour(*app, platform, "#AABBCC");
    RunQueued();
    EXPECT_EQ(Text(4), "#AABBCC");
    EXPECT_EQ(Colour(4), Rgb(0xAA, 0xBB, 0xCC));
    EXPECT_EQ(Rows(), 5);
    EXPECT_EQ(app->EditorModified, 1);
    platform.messageAnswers = {MessageAnswer::No};
    Edit("twelve.pal");
    FocusRow(12);
    user.Type(kEditorWindow, EditFieldId(12), "");
    RunQueued();
    ASSERT_TRUE(ToolsEnabled());
    DeliverToolColour(*app, platform, "0A0B0C");
    RunQueued();
    EXPECT_EQ(Text(12), "#0A0B0C");
    EXPECT_EQ(Rows(), 12);
    EXPECT_FALSE(ToolsEnabled()) << "full again";
}

}  // namespace
}  // namespace vandrel::testing
