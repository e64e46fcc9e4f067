// The palette file format: one colour code per line, "#RRGGBB" CR LF when we
// write it; whatever the lines hold when we read it.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "core/state.h"

namespace vandrel {

// How much of a line, and of a file, a reader keeps: far more than a colour
// code needs, little enough that a stray huge file costs nothing.
constexpr std::size_t kLongestKeptLine = 255;
constexpr std::size_t kLargestReadPalette = 64 * 1024;

// The first (at most) twelve lines of a palette file. Lines end at CR LF, a
// lone CR or LF, a NUL byte or the end; an empty file is one empty line.
std::vector<std::string> ReadPaletteLines(const std::string& bytes);

// The same lines handed to `line` one by one, without copies (the list reads
// a whole folder of files); returns how many there were.
template <class LineFunction>
int ForEachPaletteLine(std::string_view bytes, LineFunction&& line) {
    int count = 0;
    // Editors may save a UTF-8 mark in front of the first code.
    std::size_t pos = bytes.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
    do {
        std::size_t end = pos;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n' && bytes[end] != '\0') ++end;
        // A code is seven characters; a line longer than this is kept only in part.
        line(bytes.substr(pos, std::min(end - pos, kLongestKeptLine)));
        ++count;
        if (end < bytes.size()) {
            pos = end + 1;
            if (bytes[end] == '\r' && pos < bytes.size() && bytes[pos] == '\n') ++pos;
        } else {
            pos = end;
        }
    } while (pos < bytes.size() && count < kMaxColours);
    return count;
}

// The default palette "start.pal".
extern const char* const kStartPaletteCodes[8];
std::string StartPaletteText();

// "#" + six digits and CR LF for each row that holds a complete code; other
// rows (the empty entry row, incomplete codes) are left out.
std::string PaletteFileText(const std::vector<std::string>& rowTexts);

}  // namespace vandrel
