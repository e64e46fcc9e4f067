#include "config/settings.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "core/dialog_owner.h"
#include "core/files.h"
#include "palette/colour_code.h"
#include "palette/palette_file.h"

namespace vandrel {
namespace {

using KeyValues = std::vector<std::pair<std::string, std::string>>;

// One value read or written, whatever the member's type. A number that does
// not fit its field is held at the field's nearest end: wrapped, a
// hand-edited WinID = 257 would reopen the palette in slot 1, Pound = 256
// would switch the "#" off.
void ReadValue(const IniGroup& group, const char* key, std::string& field,
               const std::string& fallback) {
    field = ReadIniString(group, key, fallback);
}
template <class Int>
void ReadValue(const IniGroup& group, const char* key, Int& field, Int fallback) {
    using Limits = std::numeric_limits<Int>;
    field = static_cast<Int>(
        std::clamp<std::int64_t>(ReadIniInt(group, key, fallback), Limits::min(), Limits::max()));
}
std::string ValueText(const std::string& value) { return value; }
template <class Int>
std::string ValueText(Int value) {
    return std::to_string(static_cast<long long>(value));
}

// Every key of a record, from one group; missing keys take the defaults.
template <class Record, std::size_t kCount>
void ReadRecord(const IniGroup& group, const OptionKey<Record> (&keys)[kCount],
                const Record& defaults, Record& record) {
    for (const OptionKey<Record>& key : keys)
        std::visit(
            [&](auto member) { ReadValue(group, key.key, record.*member, defaults.*member); },
            key.member);
}

template <class Record, std::size_t kCount>
void AppendValues(const OptionKey<Record> (&keys)[kCount], const Record& record,
                  KeyValues& values) {
    for (const OptionKey<Record>& key : keys)
        std::visit([&](auto member) { values.emplace_back(key.key, ValueText(record.*member)); },
                   key.member);
}

// The extra keys: written where they differ from the default; a line that
// no longer does goes, unless it already reads as the default.
template <class Record, std::size_t kCount>
void SetExtraValues(IniDocument& document, const std::string& group,
                    const OptionKey<Record> (&keys)[kCount], const Record& record,
                    const Record& defaults) {
    const IniGroup stored = FindIniGroup(document, group);
    KeyValues values;
    std::vector<const char*> removed;
    for (const OptionKey<Record>& key : keys)
        std::visit(
            [&](auto member) {
                if (record.*member != defaults.*member) {
                    values.emplace_back(key.key, ValueText(record.*member));
                    return;
                }
                auto storedValue = record.*member;
                ReadValue(stored, key.key, storedValue, defaults.*member);
                if (storedValue != record.*member) removed.push_back(key.key);
            },
            key.member);
    // Changes last: they move the entries `stored` points at.
    for (const char* key : removed) RemoveIniValue(document, group, key);
    if (!values.empty()) SetIniValues(document, group, values);
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
    WriteWholeFile(platform, kSettingsFileName, SerializeIni(document));
}

// Makes the folder current, creating it (one level) when that fails.
bool EnterFolder(Platform& platform, const std::string& folder) {
    if (platform.SetCurrentFolder(folder)) return true;
    platform.CreateFolder(folder);
    return platform.SetCurrentFolder(folder);
}

// Spelled alike but for the trailing separator and letter case, as the file
// system compares names.
bool SameFolder(const std::string& a, const std::string& b) {
    return AsciiUpper(WithTrailingSeparator(a)) == AsciiUpper(WithTrailingSeparator(b));
}

std::string WithoutTrailingSeparator(std::string folder) {
    while (folder.size() > 1 && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
    return folder;
}

}  // namespace

std::optional<std::vector<FolderEntry>> ReadSettings(App& app, Platform& platform) {
    const std::string profile = platform.ProfileFolder();
    const std::string settingsFolder = WithTrailingSeparator(profile) + "Vandrel" + kPathSeparator;
    // A folder change rereads the settings: a folder still missing is told once.
    const bool told = app.unusablePaletteFolder == settingsFolder;
    app.SettingsFolder = settingsFolder;
    app.unusablePaletteFolder.clear();

    // Without a profile the path would name a folder at the root of the drive.
    if (profile.empty() || !EnterFolder(platform, settingsFolder)) {
        // The current folder is wherever the program was started: nothing is
        // read from it, and PaletteFolderInUse keeps everything else out of it.
        ReadRecord(IniGroup{}, kSettingsKeys, DefaultSettings(settingsFolder), app.settings);
        app.unusablePaletteFolder = settingsFolder;
        if (!told)
            platform.ShowMessage(
                DialogOwner(platform), "Error",
                "Could not create the folder " + WithoutTrailingSeparator(settingsFolder),
                MessageButtons::Ok);
        return std::nullopt;
    }

    IniDocument settingsDocument = LoadIni(platform);
    const Settings settingsDefaults = DefaultSettings(settingsFolder);
    const IniGroup top = FindIniGroup(settingsDocument, "");
    ReadRecord(top, kSettingsKeys, settingsDefaults, app.settings);
    ReadRecord(top, kSettingsExtraKeys, settingsDefaults, app.settings);
    if (app.settings.PaletteDirectory.empty()) app.settings.PaletteDirectory = settingsFolder;

    // The palettes of a folder that cannot be used now (a drive that is
    // away, a path that names a file) come from the settings folder, so the
    // run still has its palettes; the stored folder is kept for the next run.
    if (!EnterFolder(platform, app.settings.PaletteDirectory)) {
        app.unusablePaletteFolder = app.settings.PaletteDirectory;
        platform.SetCurrentFolder(settingsFolder);
    }
    auto listing = platform.ListFolder("*.pal");
    if (listing && listing->empty() && WriteWholeFile(platform, kStartPaletteName, StartPaletteText()))
        listing = platform.ListFolder("*.pal");

    // Palettes kept in the settings folder have their options in the same
    // file: it is read once (a full folder's file is large).
    const bool sameFile = app.unusablePaletteFolder.empty() && SameFolder(app.settings.PaletteDirectory, settingsFolder);
    const IniDocument document = sameFile ? std::move(settingsDocument) : LoadIni(platform);
    const PaletteOptions paletteDefaults = DefaultPaletteOptions(app.desktops.ScreenWidth);
    if (!listing) return std::nullopt;
    for (const FolderEntry& entry : *listing) {
        if (entry.isFolder) continue;
        const IniGroup group = FindIniGroup(document, entry.name);
        PaletteOptions& options = OptionsOf(app, entry.name);
        ReadRecord(group, kPaletteOptionKeys, paletteDefaults, options);
        ReadRecord(group, kPaletteExtraKeys, paletteDefaults, options);
    }
    return listing;
}

void WriteSettings(App& app, Platform& platform, PaletteGroups groups) {
    for (int slot = 1; slot <= kMaxOpenPalettes; ++slot) {
        const Slot& s = app.Slots[slot];
        if (s.PaletteName.empty()) continue;
        if (const auto place = platform.WindowRect(slot)) {
            PaletteOptions& options = OptionsOf(app, s.PaletteName);
            options.X = place->left;
            options.Y = place->top;
        }
    }

    const std::string paletteFolder = PaletteFolderInUse(app);
    if (paletteFolder.empty()) return;  // the run has no folder of its own to write to

    const PaletteOptions paletteDefaults = DefaultPaletteOptions(app.desktops.ScreenWidth);
    auto setPaletteGroups = [&](IniDocument& document) {
        for (const std::string& name : app.PaletteNames) {
            if (name.empty()) continue;
            if (groups == PaletteGroups::OnlyMissing && !FindIniGroup(document, name).keys.empty())
                continue;
            KeyValues values;
            const PaletteOptions& options = OptionsOf(app, name);
            AppendValues(kPaletteOptionKeys, options, values);
            SetIniValues(document, name, values);
            SetExtraValues(document, name, kPaletteExtraKeys, options, paletteDefaults);
        }
    };
    // Palettes kept in the settings folder share its file: it is written once,
    // so that a run ended between two writes cannot leave the new global
    // options beside the old palette options.
    const bool oneFile = SameFolder(paletteFolder, app.SettingsFolder);

    if (app.unusablePaletteFolder != app.SettingsFolder &&
        platform.SetCurrentFolder(app.SettingsFolder)) {
        IniDocument document = LoadIni(platform);
        KeyValues values{{"maxfiles", ValueText(kMaxPaletteIndex)}};
        AppendValues(kSettingsKeys, app.settings, values);
        SetIniValues(document, "", values);
        SetExtraValues(document, "", kSettingsExtraKeys, app.settings, DefaultSettings(app.SettingsFolder));
        if (oneFile) setPaletteGroups(document);
        SaveIni(platform, document);
        if (oneFile) return;
    }

    if (!platform.SetCurrentFolder(paletteFolder)) return;
    IniDocument document = LoadIni(platform);
    setPaletteGroups(document);
    SaveIni(platform, document);
}

}  // namespace vandrel
