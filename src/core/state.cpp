#include "core/state.h"

namespace vandrel {

std::string PaletteCodes::operator[](std::size_t j) const {
    if (j >= ends_.size()) return {};
    const std::uint32_t begin = j == 0 ? 0 : ends_[j - 1];
    return text_.substr(begin, ends_[j] - begin);
}

void PaletteCodes::Set(std::size_t j, std::string_view code) {
    if (j >= ends_.size()) return;
    const std::uint32_t begin = j == 0 ? 0 : ends_[j - 1];
    const std::uint32_t end = ends_[j];
    text_.replace(begin, end - begin, code);
    const auto grown = static_cast<std::uint32_t>(code.size()) - (end - begin);  // wraps when it shrinks
    for (std::size_t later = j; later < ends_.size(); ++later) ends_[later] += grown;
}

void PaletteCodes::clear() {
    // Keeps its room: the list is made again with as many codes.
    text_.clear();
    ends_.fill(0);
}

PaletteOptions& OptionsOf(App& app, const std::string& name) {
    auto found = app.PaletteOptionsByName.find(name);
    if (found != app.PaletteOptionsByName.end()) return found->second;
    return app.PaletteOptionsByName.emplace(name, DefaultPaletteOptions(app.desktops.ScreenWidth)).first->second;
}

int PaletteIndexOf(const App& app, const std::string& name) {
    if (name.empty()) return -1;
    auto found = app.PaletteIndexByName.find(name);
    return found == app.PaletteIndexByName.end() ? -1 : found->second;
}

void ReindexSlots(App& app) {
    // Highest matching index wins, as the list is walked upwards.
    for (int k = 0; k <= kMaxPaletteIndex; ++k) {
        for (int slot = 1; slot <= kMaxOpenPalettes; ++slot) {
            const std::string& name = app.Slots[slot].PaletteName;
            if (!name.empty() && app.PaletteNames[k] == name)
                app.Slots[slot].PaletteIndex = static_cast<std::int16_t>(k);
        }
    }
}

std::string PaletteFolderInUse(const App& app) {
    const std::string& stored = app.settings.PaletteDirectory;
    // Another folder chosen since the settings were read is the one in use.
    if (app.unusablePaletteFolder.empty() || stored != app.unusablePaletteFolder) return stored;
    return app.SettingsFolder == app.unusablePaletteFolder ? std::string() : app.SettingsFolder;
}

int CheckboxValue(int state) { return state == 1 ? 1 : 0; }

float ComputeScale(const DisplayInfo& display) {
    if (display.desktop0Width > 0 && display.screenWidth > 0 &&
        display.desktop0Width != display.screenWidth)
        return static_cast<float>(display.desktop0Width) / static_cast<float>(display.screenWidth);
    return 1.0f;
}

}  // namespace vandrel
