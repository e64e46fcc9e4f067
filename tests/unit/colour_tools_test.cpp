#include <gtest/gtest.h>

#include <map>
#include <stdexcept>

#include "app/event_loop.h"
#include "editor/editor_window.h"
#include "palette/colour_code.h"
#include "palette/palette_file.h"
#include "tools/colour_generators.h"
#include "tools/screen_grab.h"
#include "test_support.h"

namespace vandrel::testing {
namespace {

constexpr AlphaColour Alpha(ColourValue colour, int alpha) {
    return (colour & 0xFFFFFF) | (static_cast<AlphaColour>(alpha) << 24);
}

// --- the pure parts -----------------------------------------------------------------

TEST(Blending, TheWorkedExamples) {
    const ColourValue red = ParseColourCode("FF0000");
    const ColourValue blue = ParseColourCode("0000FF");
    auto blend = [&](int a1, int a2) {
        return FormatColourCode(BlendOver(Alpha(red, a1), Alpha(blue, a2)) & 0xFFFFFF, "");
    };
    EXPECT_EQ(blend(100, 100), "9E0060");
    EXPECT_EQ(blend(25, 175), "2200DC");
    EXPECT_EQ(blend(175, 25), "F4000A");
    EXPECT_EQ(BlendOver(Alpha(red, 0), Alpha(blue, 9)), Alpha(blue, 9)) << "a clear top leaves the bottom";
    EXPECT_EQ(BlendOver(Alpha(red, 9), Alpha(blue, 0)), Alpha(red, 9)) << "over nothing the top stays";
}

TEST(Blending, StaysBetweenItsTwoColoursAndLeavesAColourWithItselfAlone) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> channel(0, 255), alpha(25, 175);
    for (int round = 0; round < 5000; ++round) {
        const ColourValue top = Rgb(channel(random), channel(random), channel(random));
        const ColourValue bottom = Rgb(channel(random), channel(random), channel(random));
        const int a1 = alpha(random), a2 = alpha(random);
        const AlphaColour mixed = BlendOver(Alpha(top, a1), Alpha(bottom, a2));
        for (int shift : {0, 8, 16}) {
            const int t = (top >> shift) & 0xFF, b = (bottom >> shift) & 0xFF, m = (mixed >> shift) & 0xFF;
            ASSERT_GE(m, std::min(t, b)) << round;
            ASSERT_LE(m, std::max(t, b)) << round;
        }
        ASSERT_EQ(BlendOver(Alpha(top, a1), Alpha(top, a2)) & 0xFFFFFF, top) << round;
    }
}

TEST(ClipboardPieces, CutAtLineFeedsWithoutTheirCarriageReturns) {
    using Pieces = std::vector<std::string>;
    auto first = [](const std::string& text, std::size_t count) {
        Pieces pieces = ClipboardPieces(text);
        EXPECT_EQ(pieces.size(), 12u);
        pieces.resize(count);
        return pieces;
    };
    EXPECT_EQ(first("#FF0000\r\n#00FF00\r\n", 3), (Pieces{"#FF0000", "#00FF00", ""}));
    EXPECT_EQ(first("FF0000\r\n00FF00", 2), (Pieces{"FF0000", "00FF00"})) << "the usual Windows clipboard";
    EXPECT_EQ(first("FF0000\n00FF00", 2), (Pieces{"FF0000", "00FF00"}));
    EXPECT_EQ(first("#ABCDEF99 and more\n\nhello", 3), (Pieces{"#ABCDEF", "", "hello"}));
    EXPECT_EQ(first("", 1), (Pieces{""}));
}

// --- the tools in the editor ----------------------------------------------------------

class ColourTools : public AppTest {
protected:
    void SetUp() override {
        AddPalette("start.pal", StartPaletteText());
        AddPalette("two.pal", "#FF0000\r\n#0000FF\r\n");
        AddPalette("one.pal", "#FF0000\r\n");
        std::string eleven;
        for (int i = 0; i < 11; ++i) eleven += "#10203" + std::to_string(i % 10) + "\r\n";
        AddPalette("eleven.pal", eleven);
        Start();
    }
    void EditPalette(const std::string& name) {
        platform.Queue({EventKind::Menu, kTrayOwnerWindow, kFirstEditItem + app->PaletteIndexByName.at(name)});
        RunQueued();
    }
    void Tool(int item) {
        user.ClickTool(kEditorWindow, kEditorToolbar, item);
        RunQueued();
    }
    std::string Row(int row) { return EditorRowText(platform, row); }
    int LastRow() const { return app->EditorColourCount; }
    int Paints(int row) { return platform.Control(kEditorWindow, EditSwatchId(row)).paints; }
    bool ToolsEnabled() {
        return platform.Control(kEditorWindow, kEditorToolbar).ToolEnabled(kItemGrabColour);
    }
    void Pass(std::function<void()> step) { platform.duringGrab.push_back(std::move(step)); }
    void ExpectGrabOver() {
        EXPECT_EQ(platform.activeGrabs, 0) << "the hook is gone";
        EXPECT_EQ(platform.captureWindow, 0) << "the capture is released";
        EXPECT_FALSE(platform.Window(kEditorWindow).topmost) << "the editor left the topmost band";
    }
};

TEST_F(ColourTools, TheGrabFollowsThePointerAndAPressTakesTheColour) {
    EditPalette("two.pal");
    ASSERT_EQ(LastRow(), 3);
    const int paintsBefore = Paints(3);
    platform.screen[{10, 10}] = Rgb(0x12, 0x34, 0x56);
    platform.screen[{20, 20}] = Rgb(0xAB, 0xCD, 0xEF);
    std::vector<bool> topmostDuring;
    Pass([&] { platform.cursor = {10, 10}; });
    Pass([&] { topmostDuring.push_back(platform.Window(kEditorWindow).topmost); });  // still over it
    Pass([&] { platform.cursor = {20, 20}; });
    Pass([&] {});
    Pass([&] { platform.grabPressed = true; });
    Tool(kItemGrabColour);
    EXPECT_EQ(topmostDuring, (std::vector<bool>{true}));
    EXPECT_EQ(Paints(3) - paintsBefore, 2) << "the row is rewritten only when the colour changes";
    EXPECT_EQ(Row(3), "#ABCDEF");
    EXPECT_EQ(LastRow(), 4) << "a press adds an entry row";
    EXPECT_EQ(Row(4), "");
    EXPECT_EQ(app->EditorModified, 1);
    EXPECT_EQ(platform.captureWindow, 0);
    ExpectGrabOver();
    EXPECT_EQ(platform.foreground, kEditorWindow) << "the editor comes forward";
    RunQueued();
    EXPECT_EQ(LastRow(), 4) << "nothing left over from the grab adds a row later";
}

TEST_F(ColourTools, AnotherWindowComingForwardEndsTheGrabWithoutANewRow) {
    EditPalette("two.pal");
    platform.screenColour = Rgb(0, 0x80, 0);
    Pass([&] {});
    Pass([&] { ++platform.foregroundHandle; });
    Tool(kItemGrabColour);
    EXPECT_EQ(Row(3), "#008000") << "the colour shown stays";
    EXPECT_EQ(LastRow(), 3);
    RunQueued();
    EXPECT_EQ(LastRow(), 3) << "its change is not handled as typing afterwards";
    EXPECT_EQ(app->EditorModified, 1);
    ExpectGrabOver();
}

TEST_F(ColourTools, TheGrabReadsThePixelAtTheScaledPointerAndWhiteOffTheScreen) {
    app->desktops.Scale = 1.25f;
    app->settings.Prefix = "";
    EditPalette("two.pal");
    platform.screen[{125, 51}] = kUnreadablePixel;
    Pass([&] { platform.cursor = {100, 41}; });
    Pass([&] { platform.grabPressed = true; });
    Tool(kItemGrabColour);
    ASSERT_FALSE(platform.pixelReads.empty());
    EXPECT_EQ(platform.pixelReads.back(), (Point{125, 51}));
    EXPECT_EQ(Row(3), "FFFFFF") << "without the prefix, and white where nothing can be read";
    EXPECT_EQ(ScaledCursor({3, 5}, 1.5f), (Point{4, 8})) << "halves go to the even neighbour";
}

TEST_F(ColourTools, APressIntoTheTwelfthRowFillsTheEditor) {
    EditPalette("eleven.pal");
    ASSERT_EQ(LastRow(), 12);
    Pass([&] { platform.grabPressed = true; });
    Tool(kItemGrabColour);
    EXPECT_EQ(LastRow(), 12);
    EXPECT_EQ(Row(12), "#000000");
    EXPECT_FALSE(ToolsEnabled());
    Tool(kItemGrabColour);
    EXPECT_EQ(platform.grabsStarted, 1) << "a full editor starts no grab";
}

TEST_F(ColourTools, EveryEndOfTheGrabUnhooksTheMouse) {
    EditPalette("two.pal");
    // The editor goes while the grab runs.
    Pass([&] { platform.CloseWindow(kEditorWindow); });
    Tool(kItemGrabColour);
    EXPECT_EQ(platform.activeGrabs, 0);
    EXPECT_EQ(platform.captureWindow, 0);

    // The session ends.
    EditPalette("two.pal");
    Pass([&] { platform.hook(kEditorWindow, HookEvent::SessionEnding); });
    Tool(kItemGrabColour);
    ExpectGrabOver();

    // Something fails in the middle of a pass.
    Pass([&] { throw std::runtime_error("the screen went away"); });
    EXPECT_THROW(GrabScreenColour(*app, platform), std::runtime_error);
    EXPECT_EQ(platform.activeGrabs, 0);
    EXPECT_EQ(platform.captureWindow, 0);
}

TEST_F(ColourTools, WithoutTheHookThereIsNoGrab) {
    EditPalette("two.pal");
    platform.failMouseHook = true;
    Tool(kItemGrabColour);
    EXPECT_EQ(LastRow(), 3);
    EXPECT_EQ(Row(3), "");
    EXPECT_EQ(app->EditorModified, 0) << "nothing happened";
    ExpectGrabOver();
}

TEST_F(ColourTools, TheColourPickerKeepsItsCustomColoursForTheRun) {
    EditPalette("two.pal");
    app->customColours[0] = Rgb(1, 2, 3);
    app->customColours[5] = Rgb(9, 8, 7);
    platform.colourAnswers = {Rgb(0x11, 0x22, 0x33)};
    Tool(kItemColourPicker);
    EXPECT_EQ(Row(3), "#112233");
    EXPECT_EQ(LastRow(), 4);
    Tool(kItemColourPicker);  // cancelled
    ASSERT_EQ(platform.colourDialogs.size(), 2u);
    EXPECT_EQ(platform.colourDialogs[1][0], 0u) << "the first custom colour is black at every opening";
    EXPECT_EQ(platform.colourDialogs[1][5], Rgb(9, 8, 7));
    EXPECT_EQ(LastRow(), 4) << "cancelled: no colour";
    EXPECT_EQ(app->EditorModified, 1);
}

TEST_F(ColourTools, RandomColoursAreSixUniformHexDigits) {
    app->settings.Prefix = "";
    EditPalette("two.pal");
    Tool(kItemRandomColour);
    EXPECT_EQ(Row(3).size(), 6u);
    EXPECT_EQ(HexEntryFilter(Row(3), ""), Row(3));
    EXPECT_EQ(LastRow(), 4);

    std::map<char, int> counts;
    constexpr int kDraws = 16000;
    for (int i = 0; i < kDraws; ++i)
        for (char digit : RandomCode(*app, platform)) ++counts[digit];
    ASSERT_EQ(counts.size(), 16u) << "every digit, and nothing else";
    for (const auto& [digit, count] : counts) {
        EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(digit)) || (digit >= 'A' && digit <= 'F')) << digit;
        EXPECT_NEAR(count, kDraws * 6 / 16, kDraws * 6 / 16 / 10) << digit;  // within 10 %
    }
    App another;
    EXPECT_NE(RandomCode(*app, platform) + RandomCode(*app, platform),
              RandomCode(another, platform) + RandomCode(another, platform))
        << "another run, another sequence";
}

TEST_F(ColourTools, TheBlenderNeedsTwoColoursAndMixesRowsOneAndTwo) {
    EditPalette("one.pal");
    Tool(kItemBlender);
    EXPECT_EQ(platform.MessageLines(), (std::vector<std::string>{"Error: Magic color blending requires at least two colors."}));
    EXPECT_EQ(LastRow(), 2);
    EXPECT_EQ(app->EditorModified, 0);

    EditPalette("two.pal");
    for (int i = 0; i < 5; ++i) Tool(kItemBlender);
    ASSERT_EQ(LastRow(), 8);
    for (int row = 3; row <= 7; ++row) {
        const ColourValue mixed = ParseColourCode(Row(row));
        EXPECT_EQ(GreenOf(mixed), 0) << Row(row);
        EXPECT_EQ(RedOf(mixed) > 0 && BlueOf(mixed) > 0, true) << Row(row);
    }
}

TEST_F(ColourTools, FromClipboardBuildsANewPalette) {
    auto import = [&](const std::string& name, const std::string& clipboard) {
        platform.clipboard = clipboard;
        platform.nameAnswers = {name};
        platform.Queue({EventKind::Menu, kManageWindow, kItemFromClipboard});
        RunQueued();
        return EditorRowTexts(*app, platform);
    };
    using Rows = std::vector<std::string>;
    EXPECT_EQ(import("a", "#FF0000\r\n#00FF00\r\n"), (Rows{"#FF0000", "#00FF00", ""}));
    EXPECT_EQ(app->EditorPaletteName, "a.pal");
    EXPECT_EQ(app->EditorModified, 1);
    platform.messageAnswers = {MessageAnswer::No};  // the unsaved palette a is left
    EXPECT_EQ(import("b", "FF0000\r\n00FF00"), (Rows{"#FF0000", "#00FF00", ""}));
    platform.messageAnswers = {MessageAnswer::No};
    EXPECT_EQ(import("c", "FF0000\n00FF00"), (Rows{"#FF0000", "#00FF00", ""}));
    platform.messageAnswers = {MessageAnswer::No};
    EXPECT_EQ(import("d", "hello\n#FF0000"), (Rows{"#HELLO"})) << "not a code: the import stops there";
    std::string many;
    for (int i = 0; i < 14; ++i) many += (i == 2 ? std::string() : "#0000" + std::to_string(10 + i)) + "\n";
    platform.messageAnswers = {MessageAnswer::No};
    const Rows rows = import("e", many);
    ASSERT_EQ(rows.size(), 12u) << "11 codes of the first 12 pieces (one empty), then the entry row";
    EXPECT_EQ(rows[10], "#000021");
    EXPECT_EQ(rows[11], "");
    platform.messageAnswers = {MessageAnswer::No};
    EXPECT_EQ(import("f", ""), (Rows{""})) << "no text: one empty row";
    platform.nameAnswers = {""};
    platform.Queue({EventKind::Menu, kManageWindow, kItemFromClipboard});
    RunQueued();
    EXPECT_EQ(app->EditorPaletteName, "f.pal") << "cancelled: nothing changes";
}

}  // namespace
}  // namespace vandrel::testing
