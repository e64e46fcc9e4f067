#include "palette/palette_file.h"

#include <algorithm>

#include "core/state.h"
#include "palette/colour_code.h"

namespace vandrel {

const char* const kStartPaletteCodes[8] = {"#000000", "#FF0000", "#FFFF00", "#00FF00",
                                           "#00FFFF", "#0000FF", "#FF00FF", "#FFFFFF"};

std::vector<std::string> ReadPaletteLines(const std::string& bytes) {
    std::vector<std::string> lines;
    ForEachPaletteLine(bytes, [&lines](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

std::string StartPaletteText() {
    std::string text;
    for (const char* code : kStartPaletteCodes) text += std::string(code) + "\r\n";
    return text;
}

std::string PaletteFileText(const std::vector<std::string>& rowTexts) {
    std::string text;
    int rows = 0;
    for (const std::string& row : rowTexts) {
        if (rows++ == kMaxColours) break;
        const std::string code = "#" + StripHash(row);
        if (code.size() == 7) text += code + "\r\n";
    }
    return text;
}

}  // namespace vandrel
