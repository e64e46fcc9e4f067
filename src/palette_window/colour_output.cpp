#include "palette_window/colour_output.h"

#include "core/dialog_owner.h"
#include "palette/colour_code.h"
#include "palette/colour_format.h"
#include "palette_window/menus.h"
#include "palette_window/palette_window.h"

namespace vandrel {

std::vector<KeyRecord> KeyRecordsFor(const std::string& text,
                                     const std::function<std::int16_t(char)>& keyScan) {
    std::vector<KeyRecord> records;
    records.reserve(text.size() * 8);
    for (char ch : text) {
        const std::int16_t scan = keyScan(ch);
        const int virtualKey = scan & 0xFF;
        const int shiftState = (scan >> 8) & 0xFF;
        if (scan == -1 || virtualKey == 0xFF) {
            const auto unit = static_cast<std::uint16_t>(static_cast<unsigned char>(ch));
            records.push_back({0, unit, false});
            records.push_back({0, unit, true});
            continue;
        }
        // Shift, Ctrl and Alt as the layout asks (Ctrl + Alt is AltGr).
        std::vector<std::uint16_t> modifiers;
        if (shiftState & 1) modifiers.push_back(kVkShift);
        if (shiftState & 2) modifiers.push_back(kVkControl);
        if (shiftState & 4) modifiers.push_back(kVkMenu);
        for (std::uint16_t modifier : modifiers) records.push_back({modifier, 0, false});
        records.push_back({static_cast<std::uint16_t>(virtualKey), 0, false});
        records.push_back({static_cast<std::uint16_t>(virtualKey), 0, true});
        for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it)
            records.push_back({*it, 0, true});
    }
    return records;
}

void TypeCode(Platform& platform, const std::string& text) {
    platform.SendKeys(KeyRecordsFor(text, [&platform](char ch) { return platform.KeyScan(ch); }));
}

TextQuestion FormatQuestion(const std::string& current) {
    return {"Color Format", "Please enter a color format, such as rgb({red}, {green}, {blue})", current,
            {380, 130}, kMaxCustomFormatLength};
}

void ChooseFormat(App& app, Platform& platform, int slot, int item) {
    if (slot < 1 || slot > kMaxOpenPalettes || app.Slots[slot].PaletteName.empty()) return;
    PaletteOptions& options = OptionsOf(app, app.Slots[slot].PaletteName);
    std::string format;
    if (item == kItemCustomFormat) {
        format = platform.AskText(DialogOwner(platform),
                                  FormatQuestion(std::string(EffectiveFormat(options.Format))));
        if (format.empty()) return;  // cancelled or emptied: nothing changes
    } else if (item >= kFirstFormatItem && item < kFirstFormatItem + static_cast<int>(kBuiltInFormats.size())) {
        format = kBuiltInFormats[static_cast<std::size_t>(item - kFirstFormatItem)];
    } else {
        return;
    }
    // The default is no line at all in the settings file.
    options.Format = format == kDefaultFormat ? std::string() : format;
    BuildMenus(app, platform);
    RefreshSwatchTips(app, platform, slot);
}

void DeliverSwatchColour(App& app, Platform& platform, int slot, int control) {
    const Slot& s = app.Slots[slot];
    const ControlState swatch = platform.ReadControl(slot, control);
    if (s.PaletteName.empty() || !swatch.exists) return;
    const std::string code = DeliveredText(app, s.PaletteName, swatch.data);
    const PaletteOptions& options = OptionsOf(app, s.PaletteName);
    // Anything but keyboard output (a hand-edited value included) copies, so
    // that a click always delivers.
    if (options.Output != 1) {
        platform.SetClipboardText(code);
        return;
    }
    const std::uint32_t now = platform.Clock();
    if (static_cast<std::uint32_t>(now - app.LastTypedTime) > kTypingInterval &&
        app.ActiveWindowNo < 1) {
        TypeCode(platform, code);
        app.LastTypedTime = now;
    }
}

}  // namespace vandrel
