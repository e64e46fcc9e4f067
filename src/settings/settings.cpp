#include "settings/settings.h"

#include <string>
#include <variant>

#include "app/files.h"
#include "palette/palette_file.h"

namespace vandrel {
namespace {

using OptionField = std::variant<std::int8_t PaletteOptions::*, std::int16_t PaletteOptions::*,
                                 std::int32_t PaletteOptions::*>;

struct PaletteKey {
    const char* key;
    OptionField field;
};

// The per-palette keys in the order they are written.
const PaletteKey kPaletteKeys[] = {
    {"WinID", &PaletteOptions::WinID},
    {"X", &PaletteOptions::X},
    {"Y", &PaletteOptions::Y},
    {"Drag", &PaletteOptions::Drag},
    {"Sticky", &PaletteOptions::Sticky},
    {"Style", &PaletteOptions::Style},
    {"Outline", &PaletteOptions::Outline},
    {"Output", &PaletteOptions::Output},
    {"SwatchWidth", &PaletteOptions::SwatchWidth},
    {"SwatchHeight", &PaletteOptions::SwatchHeight},
    {"SwatchFont", &PaletteOptions::SwatchFont},
    {"Locked", &PaletteOptions::Locked},
};

using SettingsField =
    std::variant<std::int8_t Settings::*, std::int32_t Settings::*, std::string Settings::*>;

struct GlobalKey {
    const char* key;
    SettingsField field;
};

// The global keys in the order they are written ("maxfiles" goes first).
const GlobalKey kGlobalKeys[] = {
    {"Pound", &Settings::Pound},
    {"Snap", &Settings::Snap},
    {"WinX", &Settings::WinX},
    {"WinY", &Settings::WinY},
    {"EditX", &Settings::EditX},
    {"EditY", &Settings::EditY},
    {"Palette_Directory", &Settings::PaletteDirectory},
    {"Systray_Color_Menu", &Settings::SystrayColorMenu},
    {"Systray", &Settings::Systray},
};

Settings DefaultSettings(const std::string& settingsFolder) {
    Settings defaults;
    defaults.Pound = 1;
    defaults.Snap = 1;
    defaults.WinX = 0;
    defaults.WinY = 0;
    defaults.EditX = 345;
    defaults.EditY = 0;
    defaults.PaletteDirectory = settingsFolder;
    defaults.SystrayColorMenu = 1;
    defaults.Systray = 1;
    return defaults;
}

// One settings value read or written, whatever the field's type.
void ReadValue(const IniGroup& group, const char* key, std::string& field, const std::string& fallback) {
    field = ReadIniString(group, key, fallback);
}
template <class Int>
void ReadValue(const IniGroup& group, const char* key, Int& field, Int fallback) {
    field = static_cast<Int>(ReadIniInt(group, key, fallback));
}
std::string ValueText(const std::string& value) { return value; }
template <class Int>
std::string ValueText(Int value) {
    return std::to_string(static_cast<long long>(value));
}

IniCodec CodecFor(Platform& platform) {
    return {[&platform](const std::string& t) { return platform.Utf8ToCodePage(t); },
            [&platform](const std::string& t) { return platform.CodePageToUtf8(t); }};
}

IniDocument LoadIni(Platform& platform) {
    const auto bytes = ReadWholeFile(kSettingsFileName);
    return bytes ? ParseIni(*bytes, CodecFor(platform)) : IniDocument{};
}

void SaveIni(Platform& platform, const IniDocument& document) {
    WriteWholeFile(platform, kSettingsFileName, SerializeIni(document, CodecFor(platform)));
}

// Makes the folder current, creating it (one level) when that fails.
bool EnterFolder(Platform& platform, const std::string& folder) {
    if (platform.SetCurrentFolder(folder)) return true;
    platform.CreateFolder(folder);
    return platform.SetCurrentFolder(folder);
}

void ReadPaletteGroup(const IniDocument& document, const std::string& name,
                      const PaletteOptions& defaults, PaletteOptions& options) {
    const IniGroup group = FindIniGroup(document, name);
    for (const PaletteKey& key : kPaletteKeys)
        std::visit([&](auto member) { ReadValue(group, key.key, options.*member, defaults.*member); },
                   key.field);
}

}  // namespace

void ReadSettings(App& app, Platform& platform) {
    app.SettingsFolder = WithTrailingSeparator(platform.ProfileFolder()) + "Vandrel" + kPathSeparator;
    EnterFolder(platform, app.SettingsFolder);

    const Settings defaults = DefaultSettings(app.SettingsFolder);
    {
        const IniDocument document = LoadIni(platform);
        const IniGroup top = FindIniGroup(document, "");
        for (const GlobalKey& key : kGlobalKeys)
            std::visit([&](auto member) { ReadValue(top, key.key, app.settings.*member, defaults.*member); },
                       key.field);
    }
    if (app.settings.PaletteDirectory.empty()) app.settings.PaletteDirectory = app.SettingsFolder;

    // A palette folder that can be neither entered nor created (a vanished
    // drive, a path that names a file) falls back to the settings folder, so
    // the program still has its palettes instead of an empty list.
    if (!EnterFolder(platform, app.settings.PaletteDirectory)) {
        app.settings.PaletteDirectory = app.SettingsFolder;
        EnterFolder(platform, app.SettingsFolder);
    }
    auto listing = platform.ListFolder("*.pal");
    if (listing && listing->empty())
        WriteWholeFile(platform, kStartPaletteName, StartPaletteText());

    const IniDocument document = LoadIni(platform);
    const PaletteOptions paletteDefaults = DefaultPaletteOptions(app.desktops.ScreenWidth);
    listing = platform.ListFolder("*.pal");
    if (!listing) return;
    for (const FolderEntry& entry : *listing) {
        if (entry.isFolder) continue;
        ReadPaletteGroup(document, entry.name, paletteDefaults, OptionsOf(app, entry.name));
    }
}

void WriteSettings(App& app, Platform& platform, PaletteGroups groups) {
    for (int slot = 1; slot <= kMaxOpenPalettes; ++slot) {
        const Slot& s = app.Slots[slot];
        if (s.PaletteName.empty() || !platform.WindowExists(slot)) continue;
        const Point place = platform.WindowPosition(slot);
        PaletteOptions& options = OptionsOf(app, s.PaletteName);
        options.X = place.x;
        options.Y = place.y;
    }

    if (platform.SetCurrentFolder(app.SettingsFolder)) {
        IniDocument document = LoadIni(platform);
        std::vector<std::pair<std::string, std::string>> values{{"maxfiles", ValueText(kMaxPaletteIndex)}};
        for (const GlobalKey& key : kGlobalKeys)
            std::visit([&](auto member) { values.emplace_back(key.key, ValueText(app.settings.*member)); },
                       key.field);
        SetIniValues(document, "", values);
        SaveIni(platform, document);
    }

    if (!platform.SetCurrentFolder(app.settings.PaletteDirectory)) return;
    IniDocument document = LoadIni(platform);
    for (const std::string& name : app.PaletteNames) {
        if (name.empty()) continue;
        if (groups == PaletteGroups::OnlyMissing && !FindIniGroup(document, name).keys.empty()) continue;
        const PaletteOptions& options = OptionsOf(app, name);
        std::vector<std::pair<std::string, std::string>> values;
        for (const PaletteKey& key : kPaletteKeys)
            std::visit([&](auto member) { values.emplace_back(key.key, ValueText(options.*member)); },
                       key.field);
        SetIniValues(document, name, values);
    }
    SaveIni(platform, document);
}

SwatchGeometry EffectiveSwatchGeometry(const PaletteOptions& options) {
    // Swatches larger than this only come from a hand-edited file.
    constexpr int kLargestSwatch = 1000;
    const PaletteOptions defaults = DefaultPaletteOptions(0);
    SwatchGeometry geometry;
    geometry.width = options.SwatchWidth > 0 ? options.SwatchWidth : defaults.SwatchWidth;
    geometry.height = options.SwatchHeight > 0 ? options.SwatchHeight : defaults.SwatchHeight;
    if (geometry.width > kLargestSwatch) geometry.width = kLargestSwatch;
    if (geometry.height > kLargestSwatch) geometry.height = kLargestSwatch;
    geometry.font = options.SwatchFont < 0 ? -1 : (options.SwatchFont > 5 ? 5 : options.SwatchFont);
    geometry.rounded = options.Style != 0;
    return geometry;
}

}  // namespace vandrel
