#include <gtest/gtest.h>

#include "app/closing.h"
#include "config/settings.h"
#include "palette/palette_file.h"
#include "palette_window/palette_window.h"
#include "test_support.h"

namespace vandrel::testing {
namespace {

class PaletteWindows : public AppTest {
protected:
    void SetUp() override {
        AddPalette("start.pal", StartPaletteText());
        AddPalette("web.pal", "#1A2B3C\r\n#FEFEFE\r\n#828282\r\n");
        AddPalette("sea.pal", "#0000FF\r\n");
        Start();
    }
    int Index(const std::string& name) { return app->PaletteIndexByName.at(name); }
    PaletteOptions& Options(const std::string& name) { return app->PaletteOptionsByName.at(name); }
};

TEST_F(PaletteWindows, SlotChoiceAndTheThirdPaletteRefused) {
    EXPECT_EQ(OpenPaletteWindow(*app, platform, Index("start.pal"), -1), 1);
    EXPECT_EQ(OpenPaletteWindow(*app, platform, Index("web.pal"), -1), 2);
    EXPECT_EQ(OpenPaletteWindow(*app, platform, Index("sea.pal"), -1), -1);
    EXPECT_EQ(platform.MessageLines(), std::vector<std::string>{"Error: Maximum number of palettes open! (2)"});
    EXPECT_EQ(Options("sea.pal").WinID, -1);
    EXPECT_EQ(app->Slots[1].PaletteName, "start.pal");
    EXPECT_EQ(app->Slots[2].PaletteName, "web.pal");
    EXPECT_EQ(Options("web.pal").WinID, 2);
}

TEST_F(PaletteWindows, ReopeningKeepsItsSlotAndPlaceEvenWithALowerSlotFree) {
    OpenPaletteWindow(*app, platform, Index("start.pal"), -1);
    OpenPaletteWindow(*app, platform, Index("web.pal"), -1);
    platform.SetPosition(2, {321, 123});
    ClosePaletteWindow(*app, platform, 1);
    EXPECT_EQ(OpenPaletteWindow(*app, platform, Index("web.pal"), -1), 2);
    EXPECT_EQ(platform.WindowPosition(2), (Point{321, 123}));
    EXPECT_FALSE(platform.Exists(1));
}

TEST_F(PaletteWindows, GeometryOfSquareAndRoundedSwatches) {
    PaletteOptions& web = Options("web.pal");
    web.SwatchWidth = 14;
    web.SwatchHeight = 14;
    web.SwatchFont = -1;
    web.X = 500;
    web.Y = 300;
    web.Style = 0;
    OpenPaletteWindow(*app, platform, Index("web.pal"), -1);
    EXPECT_EQ(platform.windows.at(1).rect, (Rect{500, 300, 516, 347}));
    EXPECT_EQ(platform.Control(1, 1201).description.rect, (Rect{1, 16, 15, 31}));
    web.Style = 1;
    RefreshPaletteWindows(*app, platform, "web.pal");
    EXPECT_EQ(platform.windows.at(1).rect, (Rect{500, 300, 516, 346}));
    EXPECT_EQ(platform.Control(1, 1202).description.rect, (Rect{1, 31, 15, 45}));
}

TEST_F(PaletteWindows, TheWindowIsAKeyedToolWindowShownWithoutActivation) {
    OpenPaletteWindow(*app, platform, Index("start.pal"), -1);
    const FakeWindow& window = platform.windows.at(1);
    EXPECT_EQ(window.description.kind, WindowKind::Palette);
    EXPECT_EQ(window.description.title, "VN");
    EXPECT_TRUE(window.description.noActivate);
    EXPECT_EQ(window.description.colourKey, Rgb(254, 254, 254));
    EXPECT_EQ(window.description.background, Rgb(254, 254, 254));
    EXPECT_TRUE(window.topmost);
    EXPECT_TRUE(window.shown);
    EXPECT_EQ(window.description.owner, kTrayOwnerWindow);
    EXPECT_EQ(window.controls.size(), 8u);
    EXPECT_EQ(app->Slots[1].WindowHandle, window.handle);
    Options("sea.pal").Sticky = 0;
    OpenPaletteWindow(*app, platform, Index("sea.pal"), -1);
    EXPECT_FALSE(platform.windows.at(2).topmost);
}

TEST_F(PaletteWindows, KeyColourIsPaintedWhiteButDeliversItself) {
    OpenPaletteWindow(*app, platform, Index("web.pal"), -1);
    const FakeControl& swatch = platform.Control(1, 1201);
    EXPECT_EQ(swatch.description.data, Rgb(254, 254, 254));
    EXPECT_EQ(swatch.description.kind, ControlKind::Surface);
    ASSERT_GE(swatch.drawing.size(), 2u);
    EXPECT_EQ(swatch.drawing[0].kind, DrawOp::Kind::FillRect);
    EXPECT_EQ(swatch.drawing[0].colour, Rgb(254, 254, 254)) << "the rounded corners stay transparent";
    EXPECT_EQ(swatch.drawing[1].kind, DrawOp::Kind::FillRoundRect);
    EXPECT_EQ(swatch.drawing[1].colour, Rgb(255, 255, 255));
}

TEST_F(PaletteWindows, TextColourFollowsBrightness) {
    EXPECT_EQ(SwatchBrightness(Rgb(0x82, 0x82, 0x82)), 128);
    EXPECT_EQ(SwatchBrightness(Rgb(0x83, 0x83, 0x83)), 129);
    const PaletteOptions options = DefaultPaletteOptions(1920);
    const ColourValue white = Rgb(255, 255, 255), black = 0;
    for (const auto& [code, text] : std::vector<std::pair<std::string, ColourValue>>{
             {"FF0000", white}, {"0000FF", white}, {"FF00FF", white}, {"828282", white},
             {"00FF00", black}, {"FFFF00", black}, {"FFFFFF", black}, {"838383", black}})
        EXPECT_EQ(DescribeSwatch(code, options, "#").textColour, text) << code;
}

TEST_F(PaletteWindows, DrawingOfSquareAndRoundedSwatchesWithAndWithoutOutlineAndText) {
    PaletteOptions options = DefaultPaletteOptions(1920);  // 59 x 18, font 2, rounded, outline
    SwatchLook look = DescribeSwatch("1A2B3C", options, "#");
    EXPECT_TRUE(look.rounded);
    EXPECT_EQ(look.area, (Rect{0, 0, 59, 19}));
    EXPECT_EQ(look.shape, (Rect{0, 0, 59, 18}));
    EXPECT_EQ(look.radiusX, 7);
    EXPECT_EQ(look.text, "#1A2B3C");

    OpenPaletteWindow(*app, platform, Index("web.pal"), -1);
    const std::vector<DrawOp>& ops = platform.Control(1, 1200).drawing;
    ASSERT_EQ(ops.size(), 4u);
    EXPECT_EQ(ops[2].kind, DrawOp::Kind::FrameRoundRect);
    EXPECT_EQ(ops[2].colour, 0u);
    const Size text = FakeTextSize(2, "#1A2B3C");
    EXPECT_EQ(ops[3].rect.left, (59 - text.width) / 2);
    EXPECT_EQ(ops[3].rect.top, (18 - text.height) / 2);
    EXPECT_EQ(ops[3].text, "#1A2B3C");

    options.Style = 0;
    options.Outline = 0;
    options.SwatchFont = -1;
    options.SwatchWidth = options.SwatchHeight = 14;
    look = DescribeSwatch("1A2B3C", options, "");
    EXPECT_EQ(look.shape, (Rect{0, 0, 14, 15}));
    EXPECT_FALSE(look.outline);
    EXPECT_TRUE(look.text.empty());

    // A 14 x 14 rounded swatch is a circle: the radius is cut to half the size.
    options.Style = 1;
    look = DescribeSwatch("1A2B3C", options, "");
    EXPECT_EQ(look.radiusX, 7);
    options.SwatchWidth = 10;
    EXPECT_EQ(DescribeSwatch("1A2B3C", options, "").radiusX, 5);
}

TEST_F(PaletteWindows, CursorShowsWhetherThePaletteMoves) {
    OpenPaletteWindow(*app, platform, Index("start.pal"), -1);
    EXPECT_EQ(platform.Control(1, 1200).description.cursor, CursorKind::SizeAll);
    Options("web.pal").Drag = 0;
    OpenPaletteWindow(*app, platform, Index("web.pal"), -1);
    EXPECT_EQ(platform.Control(2, 1400).description.cursor, CursorKind::Hand);
}

TEST_F(PaletteWindows, FailedCreationLeavesTheSlotFree) {
    platform.failWindowCreation = true;
    EXPECT_EQ(OpenPaletteWindow(*app, platform, Index("start.pal"), -1), -1);
    EXPECT_EQ(app->Slots[1].WindowHandle, 0);
    EXPECT_FALSE(platform.Exists(1));
    EXPECT_EQ(Options("start.pal").WinID, -1) << "not recorded as open";
    platform.failWindowCreation = false;
    EXPECT_EQ(OpenPaletteWindow(*app, platform, Index("web.pal"), -1), 1) << "the slot is still free";
}

TEST_F(PaletteWindows, PaletteWithoutColoursGivesAnEmptyKeyedWindow) {
    app->PaletteColourCount[Index("sea.pal")] = 0;
    Options("sea.pal").X = 10;
    Options("sea.pal").Y = 10;
    OpenPaletteWindow(*app, platform, Index("sea.pal"), -1);
    EXPECT_EQ(platform.windows.at(1).rect, (Rect{10, 10, 71, 11}));
    EXPECT_TRUE(platform.windows.at(1).controls.empty());
}

TEST_F(PaletteWindows, StartUpReopensLastRunsPalettesInTheirSlots) {
    WriteSettings(*app, platform);
    NewProgram();
    WriteFile(SettingsPath() / "Vandrel.ini",
              "[web.pal]\r\nWinID = 2\r\nX = 40\r\nY = 50\r\n[sea.pal]\r\nWinID = 1\r\nX = 60\r\nY = 70\r\n"
              "[start.pal]\r\nWinID = -1\r\n");
    Start();
    EXPECT_EQ(app->Slots[1].PaletteName, "sea.pal");
    EXPECT_EQ(app->Slots[2].PaletteName, "web.pal");
    EXPECT_EQ(platform.WindowPosition(2), (Point{40, 50}));
    EXPECT_EQ(platform.WindowPosition(1), (Point{60, 70}));
}

TEST_F(PaletteWindows, TwoPalettesClaimingOneSlotBothOpen) {
    NewProgram();
    WriteFile(SettingsPath() / "Vandrel.ini", "[web.pal]\r\nWinID = 1\r\n[sea.pal]\r\nWinID = 1\r\n");
    Start();
    EXPECT_FALSE(app->Slots[1].PaletteName.empty());
    EXPECT_FALSE(app->Slots[2].PaletteName.empty());
    EXPECT_NE(app->Slots[1].PaletteName, app->Slots[2].PaletteName);
}

TEST_F(PaletteWindows, SwatchNumbersOfTheSlotsNeverOverlap) {
    EXPECT_EQ(SwatchId(1, 0), 1200);
    EXPECT_EQ(SwatchId(2, 0), 1400);
    EXPECT_EQ(SwatchId(2, 12), 1412);
    EXPECT_EQ(SlotOfSwatch(1212), 1);
    EXPECT_EQ(SlotOfSwatch(1400), 2);
    EXPECT_EQ(SlotOfSwatch(1300), 0);
    EXPECT_EQ(SlotOfSwatch(EditFieldId(12)), 0);
    EXPECT_EQ(SlotOfSwatch(EditDownId(12)), 0);
}

}  // namespace
}  // namespace vandrel::testing

namespace vandrel::testing {
namespace {

TEST_F(PaletteWindows, SelectionMarkIsRedOnTheSelectedPaletteOnly) {
    OpenPaletteWindow(*app, platform, Index("start.pal"), -1);
    OpenPaletteWindow(*app, platform, Index("web.pal"), -1);
    DrawSelectionMarks(*app, platform, "web.pal");
    EXPECT_EQ(platform.Outlines(1), std::vector<ColourValue>{kKeyColour});
    EXPECT_EQ(platform.Outlines(2), std::vector<ColourValue>{Rgb(255, 0, 0)});
    EXPECT_EQ(platform.Window(2).clientDrawing.at(0).rect, (Rect{0, 0, 61, 58})) << "the client area's edge";
}

TEST_F(PaletteWindows, PaintsRedrawTheMarkWhileTheManageWindowIsOpen) {
    OpenPaletteWindow(*app, platform, Index("web.pal"), -1);
    ASSERT_TRUE(platform.hook);
    platform.hook(1, HookEvent::Painted);
    EXPECT_TRUE(platform.Outlines(1).empty()) << "no manage window, no mark";
    app->manageOpen = true;
    platform.windows[kManageWindow].controls[kPaletteList].text = "web.pal";
    platform.hook(kManageWindow, HookEvent::Painted);
    EXPECT_EQ(platform.Outlines(1), std::vector<ColourValue>{Rgb(255, 0, 0)});
    platform.windows[kManageWindow].controls[kPaletteList].text = "start.pal";
    platform.hook(1, HookEvent::Painted);
    EXPECT_EQ(platform.Outlines(1).size(), 1u);
}

}  // namespace
}  // namespace vandrel::testing
