// The picker's loupe as values: which pixels it reads, where it stands, how
// the magnified pixels are laid out and what colour a pick gives. No windows.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace vandrel {

constexpr int kLoupeAcross = 11;   // pixels across at first
constexpr int kLoupeSpan = 11 * 12;  // screen pixels the magnified pixels take across, the grid aside
constexpr int kLoupeGap = 20;      // from the pointer to the loupe, both ways
constexpr int kLoupeStrip = 24;    // the colour strip's height at 96 DPI

// What the loupe shows: pixels across (odd) and the square a pick averages.
struct LoupeLook {
    int across = kLoupeAcross;
    int square = 1;  // 1, 3 or 5
    friend bool operator==(const LoupeLook&, const LoupeLook&) = default;
};

// Zoomed in (fewer pixels across) or out; the ends stay.
int ZoomedIn(int across);
int ZoomedOut(int across);
// The screen pixels one magnified pixel takes: about the same loupe at every zoom.
int CellSize(int across);
// The magnified pixels with their grid.
Size GridSize(int across);

// The screen's pixels around a point: `area` is the square asked for,
// centred on the point; pixels off the screen have alpha 0.
struct ScreenPatch {
    Rect area;
    Image pixels;  // area's size, 0xAARRGGBB
};

// The square of `across` pixels centred on `at`.
Rect PatchArea(Point at, int across);
// The smallest rectangle holding every monitor.
Rect ScreenBounds(const std::vector<Rect>& monitors);
// The part of `area` inside `bounds`; empty (zero size) when none.
Rect CutTo(const Rect& area, const Rect& bounds);
bool Holds(const Rect& rect, Point point);

// The patch around `at`: the screen copied only where it lies (a copy that
// crosses the screen's edge copies nothing on some systems).
ScreenPatch ReadPatch(Platform& platform, Point at, int across, const Rect& screen);

// The mean of the pixels of the centred square that lie on the screen, each
// channel rounded halves up; none when no pixel of it could be read.
std::optional<ColourValue> MeanColour(const ScreenPatch& patch, int square);

// The magnified pixels: a cell per pixel, a one-pixel grid between them, off
// the screen a dark grey, and the square a pick averages framed in black
// and white so that the frame shows on any colour.
Image LoupeGrid(const ScreenPatch& patch, const LoupeLook& look);

// Where the loupe of that size goes: to the lower right of the pointer, on
// the other side where it would leave the pointer's monitor, inside it, and
// never over the pixel being read.
Point PlaceLoupe(Point pointer, Size loupe, const std::vector<Rect>& monitors);

// The shortcut's text ("Win+Alt+C": Ctrl, Alt, Shift and Win, then a letter,
// a digit or F1 to F24); none when it is no shortcut the program can use.
std::optional<HotkeyKeys> ParseHotkey(std::string_view text);

// picked.pal's codes after a pick: the colour first, then the others in
// their order without it, at most twelve.
std::vector<std::string> PickedCodes(const std::vector<std::string>& lines, ColourValue colour);

}  // namespace vandrel
