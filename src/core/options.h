// Every option the settings files hold, described once: the two records
// with their defaults as member initialisers, and per record one table of
// its keys in the order they are written. The reader and the writer of the
// settings files walk the tables; no other place names a key.
#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace vandrel {

// The default swatch, named so that constant expressions can check it (a
// record holding a string is no literal type for every compiler).
constexpr std::int16_t kDefaultSwatchWidth = 59;
constexpr std::int16_t kDefaultSwatchHeight = 18;
constexpr std::int8_t kDefaultSwatchFont = 2;

// The options of one palette, a group named by the palette's file name.
struct PaletteOptions {
    std::int32_t X = 0;  // depends on the screen: DefaultPaletteOptions fills it
    std::int32_t Y = 200;
    std::int8_t WinID = -1;  // the slot the palette's window had open; -1: closed
    std::int8_t Drag = 1;
    std::int8_t Sticky = 1;
    std::int8_t Output = 0;  // 0: clipboard, 1: typed
    std::int8_t Style = 1;   // 1: rounded swatches, 0: square
    std::int8_t Outline = 1;
    std::int16_t SwatchWidth = kDefaultSwatchWidth;
    std::int16_t SwatchHeight = kDefaultSwatchHeight;
    std::int8_t SwatchFont = kDefaultSwatchFont;  // -1: swatches without text
    std::int8_t Locked = 0;
    std::string Format;  // the colour template; empty: the hex code as always
    friend bool operator==(const PaletteOptions&, const PaletteOptions&) = default;
};

// The global options, the top section of the settings folder's file.
struct Settings {
    std::string PaletteDirectory;  // depends on the run: DefaultSettings fills it
    std::int32_t WinX = 0;
    std::int32_t WinY = 0;
    std::int32_t EditX = 345;
    std::int32_t EditY = 0;
    std::int8_t Snap = 1;
    std::int8_t Pound = 1;
    std::int8_t Systray = 1;
    std::int8_t SystrayColorMenu = 1;
    std::int8_t SwatchTips = 1;
    std::string Hotkey = "Win+Alt+C";       // the picker's global shortcut; empty: none
    std::string PickFormat = "{#}{R}{G}{B}";  // the template of a picked colour's text
    std::string Prefix;  // "#" while Pound is set; derived, never stored
};

// A key and the member that holds its value; the member's type is the key's.
template <class Record>
struct OptionKey {
    const char* key;
    std::variant<std::int8_t Record::*, std::int16_t Record::*, std::int32_t Record::*,
                 std::string Record::*>
        member;
};

// The per-palette keys in the order they are written.
inline constexpr OptionKey<PaletteOptions> kPaletteOptionKeys[] = {
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

// The global keys in the order they are written, after "maxfiles" (which is
// written for information only and never read).
inline constexpr OptionKey<Settings> kSettingsKeys[] = {
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

// Keys added since the first files were written: each is written only
// where its value differs from its default and removed where it is set back
// to it, so that the file of a user who never touches them keeps its bytes.
// A line that reads as the default (a hand-written "SwatchTips = 1") stays.
inline constexpr OptionKey<PaletteOptions> kPaletteExtraKeys[] = {
    {"Format", &PaletteOptions::Format},
};
inline constexpr OptionKey<Settings> kSettingsExtraKeys[] = {
    {"SwatchTips", &Settings::SwatchTips},
    {"Hotkey", &Settings::Hotkey},
    {"PickFormat", &Settings::PickFormat},
};

// The options a palette gets when its group or a key is missing, and a new
// palette when it is first saved: the window at the right edge of the screen.
PaletteOptions DefaultPaletteOptions(int screenWidth);

// The global options when the file or a key is missing: the palettes live in
// the settings folder.
Settings DefaultSettings(const std::string& settingsFolder);

}  // namespace vandrel
