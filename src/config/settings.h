// Reading and writing the settings files "Vandrel.ini": global keys in the
// settings folder, one group per palette in the palette folder.
#pragma once

#include <optional>
#include <vector>

#include "core/state.h"
#include "config/ini.h"

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

enum class PaletteGroups {
    All,          // every listed palette's group is written
    OnlyMissing,  // groups the palette folder's file already has are left as they are
};

// Stores the places of open palette windows, then every option. Leaves the
// palette folder current. Files that cannot be written are skipped.
void WriteSettings(App& app, Platform& platform, PaletteGroups groups = PaletteGroups::All);

}  // namespace vandrel
