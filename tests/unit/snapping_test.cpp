// The snapping of a moved palette window, as a function of the edges alone.
#include <gtest/gtest.h>

#include "palette_window/placement.h"

namespace vandrel {
namespace {

constexpr Rect kScreen{0, 0, 1280, 800};

// A window of the default start palette's outer size (61 x 153) at x, y.
Rect Palette(int x, int y, int width = 61, int height = 153) { return {x, y, x + width, y + height}; }

std::optional<Point> Snap(const Rect& moved, const std::vector<Rect>& others = {}, const Rect& monitor = kScreen,
                          float scale = 1.0f) {
    return SnapPlace(moved, others, monitor, scale);
}

TEST(Snapping, MonitorEdgesSnapAtFourteenPixelsAndNotAtFifteen) {
    EXPECT_EQ(Snap(Palette(14, 300)), (Point{0, 300}));
    EXPECT_EQ(Snap(Palette(15, 300)), std::nullopt);
    EXPECT_EQ(Snap(Palette(600, 14)), (Point{600, 0}));
    EXPECT_EQ(Snap(Palette(600, 15)), std::nullopt);
    // Right and bottom: the far edge within 14 pixels of the monitor's.
    EXPECT_EQ(Snap(Palette(1280 - 61 - 14, 300)), (Point{1219, 300}));
    EXPECT_EQ(Snap(Palette(1280 - 61 - 15, 300)), std::nullopt);
    EXPECT_EQ(Snap(Palette(600, 800 - 153 - 14)), (Point{600, 647}));
    EXPECT_EQ(Snap(Palette(600, 800 - 153 - 15)), std::nullopt);
    // Beyond the edge counts as near it too; both axes at once in a corner.
    EXPECT_EQ(Snap(Palette(-40, -5)), (Point{0, 0}));
    EXPECT_EQ(Snap(Palette(1250, 790)), (Point{1219, 647}));
}

TEST(Snapping, BesideAnotherWindowEdgeToEdge) {
    const Rect other = Palette(600, 300);
    // Left of it: the moved window's right edge 14 pixels short of its left edge.
    EXPECT_EQ(Snap(Palette(600 - 61 - 14, 320), {other}), (Point{539, 320}));
    EXPECT_EQ(Snap(Palette(600 - 61 - 15, 320), {other}), std::nullopt);
    EXPECT_EQ(Snap(Palette(600 - 61 + 10, 320), {other}), (Point{539, 320})) << "overlapping it by 10";
    // Right of it.
    EXPECT_EQ(Snap(Palette(661 + 14, 320), {other}), (Point{661, 320}));
    EXPECT_EQ(Snap(Palette(661 + 15, 320), {other}), std::nullopt);
    // Side by side needs a vertical overlap.
    EXPECT_EQ(Snap(Palette(661 + 5, 453), {other}), std::nullopt) << "starts where the other ends";
    EXPECT_EQ(Snap(Palette(661 + 5, 452), {other}), (Point{661, 452}));
}

TEST(Snapping, AboveAndBelowAnotherWindowOverlappingTwoPixels) {
    const Rect other = Palette(600, 300);
    // Above: the columns meet because the two 1-pixel margins overlap.
    EXPECT_EQ(Snap(Palette(610, 300 - 153 - 14), {other}), (Point{610, 300 - 153 + 2}));
    EXPECT_EQ(Snap(Palette(610, 300 - 153 - 15), {other}), std::nullopt);
    // Below.
    EXPECT_EQ(Snap(Palette(610, 453 + 14), {other}), (Point{610, 451}));
    EXPECT_EQ(Snap(Palette(610, 453 + 15), {other}), std::nullopt);
    // Above or below needs a horizontal overlap.
    EXPECT_EQ(Snap(Palette(661, 460), {other}), std::nullopt);
    EXPECT_EQ(Snap(Palette(660, 460), {other}), (Point{660, 451}));
}

TEST(Snapping, ALaterWindowOverridesAnEarlierOneOnTheSameAxis) {
    const Rect toTheRight = Palette(700, 300);  // the moved window's right edge 9 short of its left
    const Rect toTheLeft = Palette(579, 300);   // its right edge 10 short of the moved window's left
    const Rect moved = Palette(630, 320);
    EXPECT_EQ(Snap(moved, {toTheRight, toTheLeft}), (Point{640, 320}));
    EXPECT_EQ(Snap(moved, {toTheLeft, toTheRight}), (Point{639, 320}));
    // Each axis is decided on its own: one window gives x, the other y.
    const Rect above = Palette(780, 100);
    EXPECT_EQ(Snap(Palette(770, 260), {toTheRight, above}), (Point{761, 251}));
}

TEST(Snapping, AMonitorEdgeWinsOverAWindowOnTheSameAxis) {
    const Rect other = Palette(72, 300);
    EXPECT_EQ(Snap(Palette(10, 320), {other}), (Point{0, 320})) << "not 11, left of the other";
    // On the other axis the window still counts.
    EXPECT_EQ(Snap(Palette(14, 453 + 10), {other}), (Point{0, 451}));
}

TEST(Snapping, TheEdgesOfTheWindowsOwnMonitorAreUsed) {
    const Rect second{1280, 0, 2560, 1024};
    EXPECT_EQ(Snap(Palette(1280 + 14, 300), {}, second), (Point{1280, 300}));
    EXPECT_EQ(Snap(Palette(1280 + 15, 300), {}, second), std::nullopt);
    EXPECT_EQ(Snap(Palette(2560 - 61 - 5, 1024 - 153 - 5), {}, second), (Point{2499, 871}));
    EXPECT_EQ(Snap(Palette(1500, 700), {}, second), std::nullopt) << "700 is far from this monitor's bottom";
    const Rect leftOfPrimary{-1920, 0, 0, 1080};
    EXPECT_EQ(Snap(Palette(-70, 300), {}, leftOfPrimary), (Point{-61, 300}));
}

TEST(Snapping, SizesAreDividedByTheScale) {
    // 1.25: 61 x 153 counts as 49 x 122 (48.8 and 122.4 rounded).
    EXPECT_EQ(Snap(Palette(1280 - 49 - 14, 300), {}, kScreen, 1.25f), (Point{1231, 300}));
    EXPECT_EQ(Snap(Palette(1280 - 49 - 15, 300), {}, kScreen, 1.25f), std::nullopt);
    EXPECT_EQ(Snap(Palette(600, 800 - 122 - 14), {}, kScreen, 1.25f), (Point{600, 678}));
    // 1.5: 41 x 102 (40.67 rounded up, 102 exact).
    EXPECT_EQ(Snap(Palette(1280 - 41 - 14, 300), {}, kScreen, 1.5f), (Point{1239, 300}));
    EXPECT_EQ(Snap(Palette(1280 - 41 - 15, 300), {}, kScreen, 1.5f), std::nullopt);
    const Rect other = Palette(600, 300);  // 41 x 102 at 1.5
    EXPECT_EQ(Snap(Palette(610, 402 + 10), {other}, kScreen, 1.5f), (Point{610, 400}));
    EXPECT_EQ(Snap(Palette(600 - 41 - 10, 320), {other}, kScreen, 1.5f), (Point{559, 320}));
}

TEST(Snapping, HalvesRoundToTheEvenNeighbour) {
    EXPECT_EQ(RoundHalfEven(30.5), 30);
    EXPECT_EQ(RoundHalfEven(31.5), 32);
    EXPECT_EQ(RoundHalfEven(-0.5), 0);
    EXPECT_EQ(RoundHalfEven(-1.5), -2);
    EXPECT_EQ(RoundHalfEven(48.8), 49);
    // 1.25 and 1.5 never make halves of whole sizes; 2 does: 61 / 2 counts
    // as 30, 63 / 2 as 32.
    EXPECT_EQ(Snap(Palette(1270, 300, 61), {}, kScreen, 2.0f), (Point{1250, 300}));
    EXPECT_EQ(Snap(Palette(1270, 300, 63), {}, kScreen, 2.0f), (Point{1248, 300}));
    // The far edge is the sum rounded: 601 + 30.5 = 631.5 gives 632, which
    // decides whether another window's edge is near.
    const Rect other = Palette(646, 0, 61, 1000);
    EXPECT_EQ(Snap(Palette(601, 300, 61), {other}, kScreen, 2.0f), (Point{616, 300})) << "646 - 632 = 14";
    EXPECT_EQ(Snap(Palette(600, 300, 61), {other}, kScreen, 2.0f), std::nullopt) << "646 - 630 = 16";
}

// Each correction raises another move and another pass: the passes must
// settle. Next to the screen's edges and beside or above one window the
// second pass keeps the place; where the 2-pixel overlap above a window
// creates a side-by-side overlap, a third pass is needed.
TEST(Snapping, RepeatedPassesSettleSoTheMoveLoopEnds) {
    const std::vector<Rect> others = {Palette(400, 200), Palette(800, 500, 61, 300)};
    int snapped = 0, settledAtOnce = 0;
    for (int x = -30; x < 1300; x += 7) {
        for (int y = -30; y < 820; y += 11) {
            Point place{x, y};
            int moves = 0;
            while (const auto next = Snap(Palette(place.x, place.y), others)) {
                if (*next == place) break;
                place = *next;
                ASSERT_LE(++moves, 2) << "still moving, from " << x << "," << y;
            }
            if (moves >= 1) ++snapped;
            if (moves == 1) ++settledAtOnce;
        }
    }
    EXPECT_GT(snapped, 1000);
    EXPECT_GT(settledAtOnce, snapped * 9 / 10);
    // The corner case: above-left of a window, its right edge 2 pixels past the window's left.
    EXPECT_EQ(Snap(Palette(341, 36), others), (Point{341, 49}));
    EXPECT_EQ(Snap(Palette(341, 49), others), (Point{339, 49}));
    EXPECT_EQ(Snap(Palette(339, 49), others), (Point{339, 49})) << "where it is: no further move";
}

}  // namespace
}  // namespace vandrel
