#include "palette_window/placement.h"

#include <cmath>
#include <cstdlib>

#include "core/scale.h"
#include "palette_window/colour_output.h"
#include "palette_window/palette_window.h"

namespace vandrel {

int RoundHalfEven(double value) {
    const double down = std::floor(value);
    const double rest = value - down;
    double result = down;
    if (rest > 0.5 || (rest == 0.5 && std::fmod(down, 2.0) != 0.0)) result = down + 1.0;
    return static_cast<int>(result);
}

namespace {

struct Edges {
    long long left, top, right, bottom;
};

// Coordinates are window units; sizes are divided by the scale.
Edges EdgesOf(const Rect& r, float scale) {
    const double s = static_cast<double>(scale);
    return {r.left, r.top, RoundHalfEven(r.left + r.Width() / s), RoundHalfEven(r.top + r.Height() / s)};
}

bool Near(long long a, long long b, int distance) { return std::llabs(a - b) < distance; }

}  // namespace

std::optional<Point> SnapPlace(const Rect& moved, const std::vector<Rect>& others, const Rect& monitor,
                               float scale, int dpi) {
    // In the screen pixels of the monitor it snaps on.
    const int distance = Scaled(kSnapDistance, dpi);
    const int overlap = Scaled(2, dpi);
    if (!(scale > 0.0f)) scale = 1.0f;
    const Edges s = EdgesOf(moved, scale);
    const long long w = RoundHalfEven(moved.Width() / static_cast<double>(scale));
    const long long h = RoundHalfEven(moved.Height() / static_cast<double>(scale));
    std::optional<long long> newX, newY;

    for (const Rect& other : others) {
        const Edges i = EdgesOf(other, scale);
        const bool vertical = s.top < i.bottom && s.bottom > i.top;
        const bool horizontal = s.left < i.right && s.right > i.left;
        if (Near(i.left, s.right, distance) && vertical)
            newX = i.left - w;  // directly left of the other
        else if (Near(i.right, s.left, distance) && vertical)
            newX = i.right;  // directly right of it
        // Above or below, 2 units into it: the transparent margins of the
        // two windows overlap and the colour columns meet.
        if (Near(i.top, s.bottom, distance) && horizontal)
            newY = i.top - h + overlap;
        else if (Near(i.bottom, s.top, distance) && horizontal)
            newY = i.bottom - overlap;
    }

    // The monitor's edges win over the other windows.
    if (s.left < monitor.left + distance)
        newX = monitor.left;
    else if (s.left + w > monitor.right - distance)
        newX = monitor.right - w;
    if (s.top < monitor.top + distance)
        newY = monitor.top;
    else if (s.top + h > monitor.bottom - distance)
        newY = monitor.bottom - h;

    if (!newX && !newY) return std::nullopt;
    return Point{static_cast<int>(newX.value_or(moved.left)), static_cast<int>(newY.value_or(moved.top))};
}

namespace {

bool IsOpenPaletteWindow(const App& app, int window) {
    return window >= 1 && window <= kMaxOpenPalettes && !app.Slots[window].PaletteName.empty() &&
           app.Slots[window].WindowHandle != 0;
}

}  // namespace

void SnapPaletteWindow(App& app, Platform& platform, int window) {
    if (app.settings.Snap != 1 || !IsOpenPaletteWindow(app, window)) return;
    const auto moved = platform.WindowRect(window);
    if (!moved) return;
    std::vector<Rect> others;
    for (int slot = 1; slot <= kMaxOpenPalettes; ++slot) {
        if (slot == window || !IsOpenPaletteWindow(app, slot)) continue;
        if (const auto rect = platform.WindowRect(slot)) others.push_back(*rect);
    }
    const Point centre{moved->left + moved->Width() / 2, moved->top + moved->Height() / 2};
    const auto place =
        SnapPlace(*moved, others, platform.MonitorRect(window), app.desktops.Scale, platform.DpiAt(centre));
    // A move to where the window already is would only report another move.
    if (place && *place != Point{moved->left, moved->top}) platform.PlaceWindow(window, *place);
}

void MoveByBackground(App& app, Platform& platform, int window) {
    // A palette window's only background is its margin (and the selection
    // mark on it): it moves only while the palette is movable.
    if (window >= 1 && window <= kMaxOpenPalettes) {
        if (!IsOpenPaletteWindow(app, window) || OptionsOf(app, app.Slots[window].PaletteName).Drag != 1)
            return;
    }
    if (WindowExists(platform, window)) platform.MoveWithMouse(window);
}

void DragPalette(App& app, Platform& platform, int slot, int control) {
    platform.ChangeControl(slot, control, {.enabled = false});
    const DragOutcome outcome = platform.MoveWithMouse(slot);
    if (platform.ReadControl(slot, control).exists) platform.ChangeControl(slot, control, {.enabled = true});
    // The move loop swallowed the release of a click that moved nothing:
    // a short click on a movable palette still delivers its colour.
    if (outcome == DragOutcome::ReleasedWithoutMove) DeliverSwatchColour(app, platform, slot, control);
}

void ResetPalettePosition(App& app, Platform& platform, const std::string& name) {
    if (name.empty()) return;
    PaletteOptions& options = OptionsOf(app, name);
    const int y = 200;
    const int dpi = platform.DpiAt({app.desktops.ScreenWidth - 1, y});
    const int x = app.desktops.ScreenWidth - Scaled(EffectiveSwatchGeometry(options).width, dpi) - 1;
    for (int slot = 1; slot <= kMaxOpenPalettes; ++slot) {
        if (app.Slots[slot].PaletteName != name || !WindowExists(platform, slot)) continue;
        ClosePaletteWindow(app, platform, slot);
        options.X = x;
        options.Y = y;
        const int index = PaletteIndexOf(app, name);
        if (index >= 0) OpenPaletteWindow(app, platform, index, -1);
        if (WindowExists(platform, kManageWindow)) platform.Activate(kManageWindow);
    }
    options.X = x;
    options.Y = y;
}

}  // namespace vandrel
