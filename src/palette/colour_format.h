// A colour as text in a template ("rgb({red}, {green}, {blue})"), and the
// facts a swatch's tooltip tells: the nearest CSS name and the contrast on
// white and black.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "platform/types.h"

namespace vandrel {

constexpr std::string_view kDefaultFormat = "{#}{R}{G}{B}";
// A longer template is used up to here (a hand-edited file may hold anything).
constexpr std::size_t kMaxFormatLength = 255;
// What the "Custom..." box takes.
constexpr int kMaxCustomFormatLength = 100;

// The built-in choices, in the order the menu shows them.
inline constexpr std::array<std::string_view, 12> kBuiltInFormats = {
    "{#}{R}{G}{B}",
    "rgb({red}, {green}, {blue})",
    "rgb({red} {green} {blue})",
    "hsl({h}, {s}%, {l}%)",
    "hsl({h} {s}% {l}%)",
    "oklch({ok_l}% {ok_c} {ok_h})",
    "0xFF{R}{G}{B}",
    "0x00{B}{G}{R}",
    "{red}, {green}, {blue}",
    "{rf}, {gf}, {bf}",
    "hsv({h}, {hsv_s}%, {hsv_v}%)",
    "cmyk({c}%, {m}%, {y}%, {k}%)",
};

// The template a stored value stands for: the default when it is empty.
std::string_view EffectiveFormat(std::string_view stored);

// The colour in the template; `pound` is what "{#}" becomes. A brace that
// does not open a known placeholder stays as typed.
std::string FormatColour(std::string_view format, ColourValue colour, std::string_view pound);

// The CSS named colour nearest in OKLab; `exact` when it is that colour.
struct ColourName {
    std::string_view name;
    bool exact = false;
};
ColourName NearestCssName(ColourValue colour);

// WCAG 2.x contrast ratio of two colours (1 to 21).
double ContrastRatio(ColourValue a, ColourValue b);
// "14.43:1 AAA": two decimals rounded down and the grade.
std::string ContrastText(double ratio);

// The four lines a swatch's tooltip shows, joined by "\n".
std::string SwatchTipText(ColourValue colour, std::string_view storedFormat, std::string_view pound);

}  // namespace vandrel
