// Reading and writing the settings files "Vandrel.ini": global keys in the
// settings folder, one group per palette in the palette folder.
#pragma once

#include "app/state.h"
#include "settings/ini.h"

namespace vandrel {

constexpr const char* kSettingsFileName = "Vandrel.ini";
constexpr const char* kStartPaletteName = "start.pal";

// Finds or creates the settings and palette folders and "start.pal", and
// reads every option. Leaves the palette folder current.
void ReadSettings(App& app, Platform& platform);

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
