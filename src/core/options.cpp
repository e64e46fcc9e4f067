#include "core/options.h"

namespace vandrel {

PaletteOptions DefaultPaletteOptions(int screenWidth) {
    PaletteOptions options;
    // One swatch wide, two pixels off the right edge.
    options.X = screenWidth - options.SwatchWidth - 2;
    return options;
}

Settings DefaultSettings(const std::string& settingsFolder) {
    Settings settings;
    settings.PaletteDirectory = settingsFolder;
    return settings;
}

}  // namespace vandrel
