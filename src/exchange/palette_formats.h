// Other programs' palette files: GIMP (.gpl), Adobe Swatch Exchange (.ase),
// Paint.NET (.txt), hex lists (.hex), style sheets (.css) and our own (.pal).
// Readers are as tolerant as the programs that write these files; none trusts
// a count or a length the file gives beyond the bytes it holds.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/types.h"

namespace vandrel {

enum class PaletteFormat { Gpl, Ase, PaintNet, Hex, Css, Pal };

// A named run of colours as a file holds it. An empty name stands for the
// file's own name. Names are UTF-8.
struct ColourSet {
    std::string name;
    std::vector<ColourValue> colours;
    friend bool operator==(const ColourSet&, const ColourSet&) = default;
};

// The format a file name's extension stands for, letter case ignored.
std::optional<PaletteFormat> FormatOfFileName(std::string_view name);

// The sets of colours of a file; nothing when it holds none of that format.
std::vector<ColourSet> ReadGpl(std::string_view bytes);
std::vector<ColourSet> ReadAse(std::string_view bytes);
std::vector<ColourSet> ReadPaintNet(std::string_view bytes);
std::vector<ColourSet> ReadHexList(std::string_view bytes);
std::vector<ColourSet> ReadCss(std::string_view bytes);
std::vector<ColourSet> ReadVandrelPalette(std::string_view bytes);
std::vector<ColourSet> ReadPaletteFormat(PaletteFormat format, std::string_view bytes);

// The writers; `name` (UTF-8) is the palette's, without ".pal".
std::string WriteGpl(const std::string& name, const std::vector<ColourValue>& colours);
std::string WriteAse(const std::vector<ColourSet>& groups);  // a group each
std::string WritePaintNet(const std::string& name, const std::vector<ColourValue>& colours);
std::string WriteHexList(const std::vector<ColourValue>& colours);
std::string WriteCss(const std::string& name, const std::vector<ColourValue>& colours);

// A CSS colour value ("#abc", "rgb(1 2 3)", "hsl(...)", "tomato"); none
// when the text is none.
std::optional<ColourValue> ParseCssColour(std::string_view text);

}  // namespace vandrel
