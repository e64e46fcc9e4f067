// Delivering a clicked colour: on the clipboard, or typed as keystrokes into
// the application in front.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/state.h"

namespace vandrel {

constexpr int kTypingInterval = 500;  // ms between two typed codes
constexpr std::uint16_t kVkShift = 0x10;
constexpr std::uint16_t kVkControl = 0x11;
constexpr std::uint16_t kVkMenu = 0x12;

// The key records that type `text` on a layout described by `keyScan`
// (VkKeyScanExA): each character with the modifiers its layout needs; a
// character the layout has no key for goes as a Unicode key event.
std::vector<KeyRecord> KeyRecordsFor(const std::string& text,
                                     const std::function<std::int16_t(char)>& keyScan);

// Types the text into the focused window with one SendInput call.
void TypeCode(Platform& platform, const std::string& text);

// A choice in the popup's "Format" sub-menu of the palette window in `slot`:
// a built-in format (kFirstFormatItem + i) or "Custom..." (kItemCustomFormat),
// which asks for the template.
void ChooseFormat(App& app, Platform& platform, int slot, int item);
TextQuestion FormatQuestion(const std::string& current);

// A left click on swatch `control` of the palette window in `slot`.
void DeliverSwatchColour(App& app, Platform& platform, int slot, int control);

}  // namespace vandrel
