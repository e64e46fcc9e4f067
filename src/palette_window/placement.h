// Moving palette windows, snapping them to each other and to the edges of
// their monitor, and putting a palette back at its first place.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/state.h"

namespace vandrel {

constexpr int kSnapDistance = 15;  // units of 96 DPI; a gap of exactly this much does not snap

// Rounds to the nearest integer, halves to the even neighbour.
int RoundHalfEven(double value);

// Where a moved palette window goes. `moved` and `others` are outer window
// rectangles (the others in slot order, the moved one left out), `monitor`
// the full rectangle of the moved window's monitor. None: it stays.
// `dpi`: the monitor's, by which the snapping distance and the overlap scale.
std::optional<Point> SnapPlace(const Rect& moved, const std::vector<Rect>& others, const Rect& monitor,
                               float scale, int dpi = 96);

// Snaps the palette window of a slot after a move, when snapping is on.
// Any other window is left alone.
void SnapPaletteWindow(App& app, Platform& platform, int window);

// A press on a window's background: the system moves the window with the mouse.
void MoveByBackground(App& app, Platform& platform, int window);

// A press on a swatch of a movable palette: the swatch gives up the mouse
// while the system moves the window, and a short click still delivers.
void DragPalette(App& app, Platform& platform, int slot, int control);

// The palette comes back at the right edge of the primary screen, 200
// pixels down; an open window is rebuilt there and stays open.
void ResetPalettePosition(App& app, Platform& platform, const std::string& name);

}  // namespace vandrel
