// Reading and writing the settings files "Vandrel.ini": global keys in the
// settings folder, one group per palette in the palette folder.
#pragma once

#include <optional>
#include <vector>

#include "app/state.h"
#include "settings/ini.h"

namespace vandrel {

constexpr const char* kSettingsFileName = "Vandrel.ini";
constexpr const char* kStartPaletteName = "start.pal";

// Finds or creates the settings and palette folders and "start.pal", and
// reads every option. Leaves the palette folder current.
//
// A palette folder that can be neither entered nor created (a drive that is
// away) is kept as the stored Palette_Directory, and the run uses the
// settings folder instead. A settings folder that can be neither entered
// nor created leaves the run without any folder: the defaults, no palettes,
// nothing written, and the user is told once.
// Returns the listing of the palette folder it made (none when it made none),
// for a start-up that lists the palettes right after.
std::optional<std::vector<FolderEntry>> ReadSettings(App& app, Platform& platform);

// The folder this run's palettes come from and their groups go to: the
// palette folder, or the settings folder in its place; empty when the run
// has no folder, and then no palette file may be listed, created or written.
std::string PaletteFolderInUse(const App& app);

enum class PaletteGroups {
    All,          // every listed palette's group is written
    OnlyMissing,  // groups the palette folder's file already has are left as they are
};

// Stores the places of open palette windows, then every option. Leaves the
// palette folder current. Files that cannot be written are skipped.
void WriteSettings(App& app, Platform& platform, PaletteGroups groups = PaletteGroups::All);

// Values a hand-edited file may hold that would make a window impossible,
// made safe where they are used; the stored values stay as the file says.
struct SwatchGeometry {
    int width = 0;
    int height = 0;
    int font = -1;  // -1: no text
    bool rounded = false;
};
SwatchGeometry EffectiveSwatchGeometry(const PaletteOptions& options);

}  // namespace vandrel
