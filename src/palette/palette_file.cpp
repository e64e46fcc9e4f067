#include "palette/palette_file.h"

#include <algorithm>

#include "app/state.h"
#include "palette/colour_code.h"

namespace vandrel {

const char* const kStartPaletteCodes[8] = {"#000000", "#FF0000", "#FFFF00", "#00FF00",
                                           "#00FFFF", "#0000FF", "#FF00FF", "#FFFFFF"};

std::vector<std::string> ReadPaletteLines(const std::string& bytes) {
    std::vector<std::string> lines;
    // Editors may save a UTF-8 mark in front of the first code.
    std::size_t pos = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    do {
        std::size_t end = pos;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n' && bytes[end] != '\0')
            ++end;
        // A code is seven characters; a line longer than this is kept only in part.
        lines.push_back(bytes.substr(pos, std::min(end - pos, kLongestKeptLine)));
        if (end < bytes.size()) {
            pos = end + 1;
            if (bytes[end] == '\r' && pos < bytes.size() && bytes[pos] == '\n') ++pos;
        } else {
            pos = end;
        }
    } while (pos < bytes.size() && lines.size() < static_cast<std::size_t>(kMaxColours));
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
