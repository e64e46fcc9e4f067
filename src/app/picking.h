// The picker as the program runs it: the global shortcut held from start-up,
// a pick started by it or by the tray, and what a taken colour reaches: the
// clipboard and the palette of picked colours.
#pragma once

#include <string>
#include <vector>

#include "core/state.h"

namespace vandrel {

constexpr const char* kPickedPaletteName = "picked.pal";

// Registers the shortcut of the settings once a run. Returns what to tell
// the user when it cannot be used (once a run), empty when all is well.
std::string HoldShortcut(App& app, Platform& platform);

// Runs a pick; the colour taken goes to the clipboard and to the top of
// picked.pal. Returns the events that came for the rest of the program meanwhile.
std::vector<Event> PickScreenColour(App& app, Platform& platform);

// picked.pal with the colour on top, written safely; its window, the list,
// the menus and the manage list follow. False when it could not be written.
bool RecordPickedColour(App& app, Platform& platform, ColourValue colour);

}  // namespace vandrel
