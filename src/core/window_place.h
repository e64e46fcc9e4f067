// Where a framed window of the program opens: its stored place where that
// lies at least partly on a monitor, else at the edge of the nearest one.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/platform.h"

namespace vandrel {

// The client rectangle of a window of `size` whose stored top-left corner is
// (x, y), moved onto the nearest monitor when it would lie on none. The size
// is always the window's own; stored places of any value (a hand-edited
// 2147483647) are safe.
Rect PlaceOnMonitors(std::int64_t x, std::int64_t y, Size size, const std::vector<Rect>& monitors);

// The client rectangle of a window of `size` at a stored place, its corner
// held within a reach no screen passes (a hand-edited 2147483647 would
// overflow the rectangle).
Rect StoredClientRect(std::int64_t x, std::int64_t y, Size size);

// Moves a framed window whose outer size is `outer` onto the nearest monitor
// when its place lies on none; its size stays.
void KeepOnMonitors(WindowSpec& description, Size outer, const std::vector<Rect>& monitors);

// A framed window's description at the scale of the monitor it opens on,
// kept on the monitors: `describe(dpi)` gives it at a DPI; `dpi` is set to the one taken.
template <class Describe>
WindowSpec PlaceAtMonitorScale(Platform& platform, Describe&& describe, int& dpi) {
    const std::vector<Rect> monitors = platform.MonitorRects();
    WindowSpec description = describe(96);
    // A hand-edited or stale place off every monitor would leave it out of reach.
    KeepOnMonitors(description, platform.OuterSizeOf(description), monitors);
    dpi = platform.DpiAt({description.client.left, description.client.top});
    if (dpi != 96) {
        description = describe(dpi);
        KeepOnMonitors(description, platform.OuterSizeOf(description), monitors);
    }
    return description;
}

// True when `window` now stands where the DPI is not the `dpi` it was laid out at.
bool StandsAtOtherDpi(Platform& platform, int window, int dpi);

}  // namespace vandrel
