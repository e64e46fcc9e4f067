// The palette file format: one colour code per line, "#RRGGBB" CR LF when we
// write it; whatever the lines hold when we read it.
#pragma once

#include <string>
#include <vector>

namespace vandrel {

// How much of a line, and of a file, a reader keeps: far more than a colour
// code needs, little enough that a stray huge file costs nothing.
constexpr std::size_t kLongestKeptLine = 255;
constexpr std::size_t kLargestReadPalette = 64 * 1024;

// The first (at most) twelve lines of a palette file. Lines end at CR LF, a
// lone CR or LF, a NUL byte or the end; an empty file is one empty line.
std::vector<std::string> ReadPaletteLines(const std::string& bytes);

// The default palette "start.pal".
extern const char* const kStartPaletteCodes[8];
std::string StartPaletteText();

// "#" + six digits and CR LF for each row that holds a complete code; other
// rows (the empty entry row, incomplete codes) are left out.
std::string PaletteFileText(const std::vector<std::string>& rowTexts);

}  // namespace vandrel
