// The palette list: every unlocked palette file of the palette folder, in
// the order the folder enumeration returns them.
#pragma once

#include "core/state.h"

namespace vandrel {

// Rebuilds PaletteNames, PaletteColours, PaletteColourCount and
// PaletteIndexByName from the current (palette) folder. Keeps to the first
// 800 palettes.
void ListPalettes(App& app, Platform& platform);

// The same list made in steps, so that start-up can show the palette windows
// first: BeginListing clears the list and lists the folder (false when there
// is nothing to read), each ListingStep reads up to `files` more palette
// files and returns true once the list is whole.
// A listing of the folder just made may be handed over instead of a new one.
bool BeginListing(App& app, Platform& platform, PaletteListing& listing,
                  std::optional<std::vector<FolderEntry>> listed = std::nullopt);
bool ListingStep(App& app, PaletteListing& listing, std::size_t files);

// Lists only the palettes whose stored WinID names a slot, in folder order,
// from a listing BeginListing made (which it leaves to be read again).
void ListReopenedPalettes(App& app, const PaletteListing& listing);

// Number of palettes in the list.
int PaletteCount(const App& app);

// True for names that end in ".pal", letter case ignored.
bool HasPaletteExtension(const std::string& name);

}  // namespace vandrel
