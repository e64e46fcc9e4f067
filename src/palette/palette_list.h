// The palette list: every unlocked palette file of the palette folder, in
// the order the folder enumeration returns them.
#pragma once

#include "app/state.h"

namespace vandrel {

// Rebuilds PaletteNames, PaletteColours, PaletteColourCount and
// PaletteIndexByName from the current (palette) folder. Keeps to the first
// 800 palettes.
void ListPalettes(App& app, Platform& platform);

// Number of palettes in the list.
int PaletteCount(const App& app);

// True for names that end in ".pal", letter case ignored.
bool HasPaletteExtension(const std::string& name);

}  // namespace vandrel
