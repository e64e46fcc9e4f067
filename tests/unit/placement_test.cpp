// Moving palette windows as a user does: by a swatch, by the background,
// snapping on the way, and putting a palette back at its first place.
#include <gtest/gtest.h>

#include "app/closing.h"
#include "palette/palette_file.h"
#include "palette_window/palette_window.h"
#include "palette_window/placement.h"
#include "config/settings.h"
#include "test_support.h"

namespace vandrel::testing {
namespace {

class Placement : public AppTest {
protected:
    void SetUp() override {
        AddPalette("start.pal", StartPaletteText());  // 8 colours: 61 x 153
        AddPalette("web.pal", "#1A2B3C\r\n#000000\r\n#FFFFFF\r\n");  // 61 x 58
        platform.monitors = {{0, 0, 1280, 800}};
        platform.display = {1, 1280, 1280};
        Start();
    }
    int Open(const std::string& name, Point at) {
        PaletteOptions& options = OptionsOf(*app, name);
        options.X = at.x;
        options.Y = at.y;
        return OpenPaletteWindow(*app, platform, app->PaletteIndexByName.at(name), -1);
    }
    Point At(int window) { return platform.WindowPosition(window); }
};

TEST_F(Placement, ASwatchDraggedNearTheEdgeSnapsAndGivesUpTheMouseWhileMoving) {
    const int slot = Open("start.pal", {600, 300});
    user.Drag(slot, 1203, {{500, 310}, {300, 320}, {14, 330}});
    RunQueued();
    EXPECT_EQ(At(slot), (Point{0, 330}));
    EXPECT_EQ(platform.swatchEnabledDuringDrag, std::vector<bool>{false});
    EXPECT_TRUE(platform.ReadControl(slot, 1203).enabled) << "enabled again after the drag";
    EXPECT_EQ(platform.clipboardWrites, 0) << "a drag delivers nothing";

    user.Drag(slot, 1203, {{200, 330}, {15, 330}});
    RunQueued();
    EXPECT_EQ(At(slot), (Point{15, 330})) << "15 pixels away it stays where the mouse put it";
}

TEST_F(Placement, TheWindowFollowsTheMouseAgainOnceDraggedAwayFromTheEdge) {
    const int slot = Open("start.pal", {600, 300});
    user.Drag(slot, 1200, {{10, 300}, {12, 300}, {40, 300}});
    RunQueued();
    EXPECT_EQ(At(slot), (Point{40, 300}));
}

TEST_F(Placement, TwoPalettesOfEqualWidthJoinIntoOneColumnOrStandSideBySide) {
    const int below = Open("start.pal", {600, 300});
    const int moved = Open("web.pal", {100, 100});
    // Dragged with its bottom 10 pixels above the other's top: 2 pixels into it.
    user.Drag(moved, 1400, {{603, 300 - 58 - 10}});
    RunQueued();
    EXPECT_EQ(At(moved), (Point{603, 300 - 58 + 2}));
    // Dragged to its right side: edge to edge, no overlap.
    user.Drag(moved, 1400, {{661 + 12, 350}});
    RunQueued();
    EXPECT_EQ(At(moved), (Point{661, 350}));
    EXPECT_EQ(At(below), (Point{600, 300})) << "the other window stays";
}

TEST_F(Placement, SnapOffLeavesTheWindowWhereTheMousePutsIt) {
    app->settings.Snap = 0;
    const int slot = Open("start.pal", {600, 300});
    user.Drag(slot, 1200, {{5, 3}});
    RunQueued();
    EXPECT_EQ(At(slot), (Point{5, 3}));
}

TEST_F(Placement, MoveOffPressingASwatchMovesNothingAndTheClickDelivers) {
    OptionsOf(*app, "web.pal").Drag = 0;
    const int slot = Open("web.pal", {600, 300});
    user.Drag(slot, 1200, {{5, 3}});
    platform.Queue({EventKind::Control, slot, 0, 1200, SubKind::LeftClick});
    RunQueued();
    EXPECT_EQ(platform.dragsStarted, 0);
    EXPECT_EQ(At(slot), (Point{600, 300}));
    EXPECT_EQ(platform.clipboard, "#1A2B3C");
    platform.dragPaths.clear();
}

TEST_F(Placement, AShortClickOnAMovablePaletteStillDelivers) {
    const int slot = Open("web.pal", {600, 300});
    user.Drag(slot, 1201, {});  // pressed and released without moving
    RunQueued();
    EXPECT_EQ(platform.clipboard, "#000000");
    EXPECT_EQ(At(slot), (Point{600, 300}));
    user.Click(slot, 1202);  // released before the move loop could start
    RunQueued();
    EXPECT_EQ(platform.clipboard, "#FFFFFF");
    EXPECT_EQ(platform.clipboardWrites, 2);
}

TEST_F(Placement, OpeningNeverSnapsAndNeverChecksThePlace) {
    const int near = Open("start.pal", {5, 7});
    const int away = Open("web.pal", {5000, -900});
    EXPECT_EQ(At(near), (Point{5, 7}));
    EXPECT_EQ(At(away), (Point{5000, -900}));
}

TEST_F(Placement, APressOnTheBackgroundMovesTheWindow) {
    platform.OpenWindow(kManageWindow, {});
    user.PressBackground(kManageWindow);
    EXPECT_EQ(platform.draggedWindows, std::vector<int>{kManageWindow});
    // A palette window's background is its margin: it moves only while movable.
    const int movable = Open("start.pal", {600, 300});
    user.PressBackground(movable);
    OptionsOf(*app, "web.pal").Drag = 0;
    const int fixed = Open("web.pal", {100, 300});
    user.PressBackground(fixed);
    EXPECT_EQ(platform.draggedWindows, (std::vector<int>{kManageWindow, movable}));
}

TEST_F(Placement, OnlyPaletteWindowsSnap) {
    WindowSpec framed;
    framed.client = {300, 300, 500, 500};
    platform.OpenWindow(kManageWindow, framed);
    platform.PlaceWindow(kManageWindow, {3, 3});
    EXPECT_EQ(At(kManageWindow), (Point{3, 3}));
}

TEST_F(Placement, ResetBringsAnOpenPaletteBackToTheRightEdgeAndKeepsItOpen) {
    Open("start.pal", {300, 300});
    const int slot = Open("web.pal", {100, 100});
    OptionsOf(*app, "web.pal").SwatchWidth = 47;
    ClosePaletteWindow(*app, platform, 1);
    ResetPalettePosition(*app, platform, "web.pal");
    const PaletteOptions& options = OptionsOf(*app, "web.pal");
    EXPECT_EQ(options.X, 1280 - 47 - 1);
    EXPECT_EQ(options.Y, 200);
    ASSERT_EQ(options.WinID, 1) << "reopened in the first free slot";
    EXPECT_EQ(At(1), (Point{1232, 200}));
    EXPECT_FALSE(platform.Exists(slot));
}

TEST_F(Placement, ResetOfAClosedPaletteTakesEffectAtItsNextOpening) {
    ResetPalettePosition(*app, platform, "start.pal");
    EXPECT_FALSE(platform.Exists(1));
    EXPECT_EQ(OptionsOf(*app, "start.pal").X, 1280 - 59 - 1);
    const int slot = OpenPaletteWindow(*app, platform, app->PaletteIndexByName.at("start.pal"), -1);
    EXPECT_EQ(At(slot), (Point{1220, 200}));
}

TEST_F(Placement, TheSnappedPlaceIsStoredAtExitAndComesBack) {
    const int slot = Open("start.pal", {600, 300});
    user.Drag(slot, 1200, {{1270, 5}});
    RunQueued();
    ASSERT_EQ(At(slot), (Point{1219, 0}));
    WriteSettings(*app, platform);
    NewProgram();
    Start();
    EXPECT_EQ(At(1), (Point{1219, 0}));
}

TEST_F(Placement, AFarAwayPlaceKeepsTheWindowsArithmeticInRange) {
    OptionsOf(*app, "web.pal").X = 2147483647;
    OptionsOf(*app, "web.pal").Y = -2147483647 - 1;
    const int slot = OpenPaletteWindow(*app, platform, app->PaletteIndexByName.at("web.pal"), -1);
    const Rect rect = *platform.WindowRect(slot);
    EXPECT_EQ(rect.Width(), 61);
    EXPECT_EQ(rect.Height(), 58);
    EXPECT_GT(rect.left, 100000);
    EXPECT_LT(rect.top, -100000);
}

}  // namespace
}  // namespace vandrel::testing
