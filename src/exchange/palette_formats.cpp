#include "exchange/palette_formats.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <unordered_set>

#include "palette/css_names.h"

namespace vandrel {
namespace {

// ---- small text helpers ---------------------------------------------------

bool IsBlank(char ch) { return ch == ' ' || ch == '\t' || ch == '\v' || ch == '\f'; }
bool IsSpace(char ch) { return IsBlank(ch) || ch == '\r' || ch == '\n'; }
bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }
bool IsLetter(char ch) { return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z'); }
char Lower(char ch) { return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch; }

int HexDigit(char ch) {
    if (ch >= '0' && ch <= '9') return ch - '0';
    if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
    if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
    return -1;
}

bool AllHex(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char ch) { return HexDigit(ch) >= 0; });
}

unsigned HexValue(std::string_view digits) {
    unsigned value = 0;
    for (char ch : digits) value = value * 16 + static_cast<unsigned>(HexDigit(ch));
    return value;
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
    return text;
}

std::string_view WithoutUtf8Mark(std::string_view bytes) {
    return bytes.substr(0, 3) == "\xEF\xBB\xBF" ? bytes.substr(3) : bytes;
}

// Each line without its end (LF, CR LF or a lone CR).
template <class LineFunction>
void ForEachLine(std::string_view bytes, LineFunction&& line) {
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = pos;
        while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r') ++end;
        line(bytes.substr(pos, end - pos));
        pos = end + 1;
        if (end < bytes.size() && bytes[end] == '\r' && pos < bytes.size() && bytes[pos] == '\n') ++pos;
    }
}

ColourValue FromRgb24(unsigned rgb) { return Rgb((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

std::vector<ColourSet> OneSet(std::string name, std::vector<ColourValue> colours) {
    if (colours.empty()) return {};
    std::vector<ColourSet> sets;
    sets.push_back({std::move(name), std::move(colours)});
    return sets;
}

// ---- big-endian data --------------------------------------------------------

class BigEndianReader {
public:
    explicit BigEndianReader(std::string_view bytes) : bytes_(bytes) {}
    std::size_t Left() const { return bytes_.size() - pos_; }
    bool Has(std::size_t count) const { return Left() >= count; }
    std::uint32_t Unsigned(int size) {
        std::uint32_t value = 0;
        for (int i = 0; i < size; ++i) value = value << 8 | static_cast<unsigned char>(bytes_[pos_++]);
        return value;
    }
    float Float() { return std::bit_cast<float>(Unsigned(4)); }
    std::string_view Take(std::size_t count) {
        const std::string_view taken = bytes_.substr(pos_, count);
        pos_ += count;
        return taken;
    }

private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
};

void PutBigEndian(std::string& out, std::uint32_t value, int size) {
    for (int shift = (size - 1) * 8; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xFF);
}

// UTF-16 (big-endian code units) to UTF-8; a lone surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::string_view units) {
    std::string out;
    auto unit = [&](std::size_t i) {
        return static_cast<unsigned>(static_cast<unsigned char>(units[i]) << 8 | static_cast<unsigned char>(units[i + 1]));
    };
    for (std::size_t i = 0; i + 1 < units.size(); i += 2) {
        unsigned code = unit(i);
        if (code == 0) break;
        if (code >= 0xD800 && code < 0xDC00 && i + 3 < units.size() && unit(i + 2) >= 0xDC00 &&
            unit(i + 2) < 0xE000) {
            code = 0x10000 + ((code - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
            i += 2;
        } else if (code >= 0xD800 && code < 0xE000) {
            code = 0xFFFD;
        }
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | code >> 6);
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | code >> 12);
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | code >> 18);
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return out;
}

// UTF-8 to UTF-16 code units; a byte that starts no valid sequence stands for itself (Latin-1).
std::vector<std::uint16_t> Utf8ToUtf16(std::string_view text) {
    std::vector<std::uint16_t> units;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int length = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
        bool valid = length > 0 && i + length <= text.size();
        for (int k = 1; valid && k < length; ++k) valid = (static_cast<unsigned char>(text[i + k]) >> 6) == 2;
        if (!valid) {
            units.push_back(lead);
            ++i;
            continue;
        }
        unsigned code = length == 1 ? lead : lead & (0x7F >> length);
        for (int k = 1; k < length; ++k) code = code << 6 | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        i += length;
        if (code >= 0x10000) {
            code -= 0x10000;
            units.push_back(static_cast<std::uint16_t>(0xD800 + (code >> 10)));
            units.push_back(static_cast<std::uint16_t>(0xDC00 + (code & 0x3FF)));
        } else {
            units.push_back(static_cast<std::uint16_t>(code));
        }
    }
    return units;
}

int ClampByte(double value) {
    if (!(value == value)) return 0;  // NaN
    return static_cast<int>(std::lround(std::clamp(value, 0.0, 255.0)));
}

double Unit(float value) { return std::isfinite(value) ? std::clamp(static_cast<double>(value), 0.0, 1.0) : 0.0; }

// CIE L*a*b* (D50, as Adobe keeps it) to sRGB, through XYZ and the
// Bradford-adapted matrix; out-of-gamut values are clamped.
ColourValue LabToSrgb(double l, double a, double b) {
    const double fy = (l + 16.0) / 116.0, fx = fy + a / 500.0, fz = fy - b / 200.0;
    auto finv = [](double t) { return t > 6.0 / 29.0 ? t * t * t : 3.0 * (6.0 / 29.0) * (6.0 / 29.0) * (t - 4.0 / 29.0); };
    const double x = 0.96422 * finv(fx), y = 1.0 * finv(fy), z = 0.82521 * finv(fz);
    const double linear[3] = {3.1338561 * x - 1.6168667 * y - 0.4906146 * z,
                              -0.9787684 * x + 1.9161415 * y + 0.0334540 * z,
                              0.0719453 * x - 0.2289914 * y + 1.4052427 * z};
    int channel[3];
    for (int i = 0; i < 3; ++i) {
        const double c = std::clamp(linear[i], 0.0, 1.0);
        const double encoded = c <= 0.0031308 ? 12.92 * c : 1.055 * std::pow(c, 1.0 / 2.4) - 0.055;
        channel[i] = ClampByte(encoded * 255.0);
    }
    return Rgb(channel[0], channel[1], channel[2]);
}

// ---- CSS values -------------------------------------------------------------

// A number with an optional unit or "%" at the start of `text`.
struct CssNumber {
    double value = 0;
    bool percent = false;
    std::string unit;
};

std::optional<CssNumber> TakeCssNumber(std::string_view& text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    const std::size_t digitsStart = i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) ++i;
    }
    if (i == digitsStart || (i == digitsStart + 1 && text[digitsStart] == '.')) return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E') && i + 1 < text.size() &&
        (IsDigit(text[i + 1]) || ((text[i + 1] == '-' || text[i + 1] == '+') && i + 2 < text.size() && IsDigit(text[i + 2])))) {
        i += 2;
        while (i < text.size() && IsDigit(text[i])) ++i;
    }
    CssNumber number;
    number.value = std::strtod(std::string(text.substr(0, i)).c_str(), nullptr);
    if (!std::isfinite(number.value)) number.value = 0;
    if (i < text.size() && text[i] == '%') {
        number.percent = true;
        ++i;
    } else {
        while (i < text.size() && IsLetter(text[i]) && number.unit.size() < 8) number.unit += Lower(text[i++]);
    }
    text.remove_prefix(i);
    return number;
}

// The arguments of rgb()/hsl(), comma or space separated, with an optional "/ alpha".
std::optional<std::vector<CssNumber>> CssArguments(std::string_view inside) {
    std::vector<CssNumber> values;
    for (;;) {
        while (!inside.empty() && (IsSpace(inside.front()) || inside.front() == ',' || inside.front() == '/'))
            inside.remove_prefix(1);
        if (inside.empty()) break;
        if (values.size() == 4) return std::nullopt;
        auto number = TakeCssNumber(inside);
        if (!number) return std::nullopt;
        values.push_back(*number);
    }
    if (values.size() < 3) return std::nullopt;
    return values;
}

ColourValue HslToRgb(double hue, double saturation, double lightness) {
    hue = std::fmod(hue, 360.0);
    if (hue < 0) hue += 360.0;
    saturation = std::clamp(saturation, 0.0, 1.0);
    lightness = std::clamp(lightness, 0.0, 1.0);
    auto f = [&](double n) {
        const double k = std::fmod(n + hue / 30.0, 12.0);
        const double a = saturation * std::min(lightness, 1.0 - lightness);
        return lightness - a * std::max(-1.0, std::min({k - 3.0, 9.0 - k, 1.0}));
    };
    return Rgb(ClampByte(f(0) * 255.0), ClampByte(f(8) * 255.0), ClampByte(f(4) * 255.0));
}

std::optional<ColourValue> CssFunction(std::string_view function, std::string_view inside) {
    const auto arguments = CssArguments(inside);
    if (!arguments) return std::nullopt;
    const auto& v = *arguments;
    if (function == "rgb" || function == "rgba") {
        int channel[3];
        for (int i = 0; i < 3; ++i) {
            if (!v[i].unit.empty()) return std::nullopt;
            channel[i] = ClampByte(v[i].percent ? v[i].value * 255.0 / 100.0 : v[i].value);
        }
        return Rgb(channel[0], channel[1], channel[2]);
    }
    double hue = v[0].value;
    if (v[0].percent || !v[1].percent || !v[2].percent) return std::nullopt;
    if (v[0].unit == "turn") hue *= 360.0;
    else if (v[0].unit == "rad") hue *= 180.0 / 3.14159265358979323846;
    else if (v[0].unit == "grad") hue *= 0.9;
    else if (!v[0].unit.empty() && v[0].unit != "deg") return std::nullopt;
    return HslToRgb(hue, v[1].value / 100.0, v[2].value / 100.0);
}

std::optional<ColourValue> NamedCssColour(std::string_view word) {
    if (word.size() > 20) return std::nullopt;
    std::string lower(word);
    for (char& ch : lower) ch = Lower(ch);
    const auto* end = std::end(kCssNamedColours);
    const auto* found = std::lower_bound(std::begin(kCssNamedColours), end, lower,
                                         [](const CssNamedColour& named, const std::string& key) { return named.name < key; });
    if (found == end || found->name != lower) return std::nullopt;
    return FromRgb24(found->rgb);
}

std::optional<ColourValue> HashColour(std::string_view digits) {
    if (!AllHex(digits)) return std::nullopt;
    if (digits.size() == 3 || digits.size() == 4) {
        const unsigned r = HexValue(digits.substr(0, 1)), g = HexValue(digits.substr(1, 1)), b = HexValue(digits.substr(2, 1));
        return Rgb(static_cast<int>(r * 17), static_cast<int>(g * 17), static_cast<int>(b * 17));
    }
    if (digits.size() == 6 || digits.size() == 8) return FromRgb24(HexValue(digits.substr(0, 6)));
    return std::nullopt;
}

bool IsNameChar(char ch) {
    return IsLetter(ch) || IsDigit(ch) || ch == '-' || ch == '_' || static_cast<unsigned char>(ch) >= 0x80;
}

// Every colour in one declaration's value, in order.
template <class ColourFunction>
void ColoursOfValue(std::string_view value, ColourFunction&& found) {
    std::size_t i = 0;
    while (i < value.size()) {
        const char ch = value[i];
        if (ch == '"' || ch == '\'') {  // strings hold no colours
            const std::size_t close = value.find(ch, i + 1);
            i = close == std::string_view::npos ? value.size() : close + 1;
        } else if (ch == '#') {
            std::size_t end = i + 1;
            while (end < value.size() && IsNameChar(value[end])) ++end;
            if (auto colour = HashColour(value.substr(i + 1, end - i - 1))) found(*colour);
            i = end;
        } else if (IsNameChar(ch) && !IsDigit(ch)) {
            std::size_t end = i;
            while (end < value.size() && IsNameChar(value[end])) ++end;
            const std::string_view word = value.substr(i, end - i);
            if (end < value.size() && value[end] == '(') {
                const std::size_t close = value.find(')', end);
                std::string lower(word.substr(0, 8));
                for (char& c : lower) c = Lower(c);
                if (close != std::string_view::npos && word.size() <= 4 &&
                    (lower == "rgb" || lower == "rgba" || lower == "hsl" || lower == "hsla")) {
                    if (auto colour = CssFunction(lower, value.substr(end + 1, close - end - 1))) found(*colour);
                    i = close + 1;
                } else if (lower == "url") {
                    i = close == std::string_view::npos ? value.size() : close + 1;  // a file name, not colours
                } else {
                    i = end + 1;  // var(), calc() and the like: look inside
                }
            } else {
                if (auto colour = NamedCssColour(word)) found(*colour);
                i = end;
            }
        } else if (IsDigit(ch)) {
            while (i < value.size() && IsNameChar(value[i])) ++i;  // "12px", "1e3"
        } else {
            ++i;
        }
    }
}

std::string UpperHex(ColourValue colour) {
    char text[8];
    std::snprintf(text, sizeof text, "%02X%02X%02X", RedOf(colour), GreenOf(colour), BlueOf(colour));
    return text;
}

std::string LowerHex(ColourValue colour) {
    char text[8];
    std::snprintf(text, sizeof text, "%02x%02x%02x", RedOf(colour), GreenOf(colour), BlueOf(colour));
    return text;
}

}  // namespace

std::optional<PaletteFormat> FormatOfFileName(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) return std::nullopt;
    std::string extension(name.substr(dot + 1));
    for (char& ch : extension) ch = Lower(ch);
    if (extension == "gpl") return PaletteFormat::Gpl;
    if (extension == "ase") return PaletteFormat::Ase;
    if (extension == "txt") return PaletteFormat::PaintNet;
    if (extension == "hex") return PaletteFormat::Hex;
    if (extension == "css") return PaletteFormat::Css;
    if (extension == "pal") return PaletteFormat::Pal;
    return std::nullopt;
}

// ---- readers ----------------------------------------------------------------

std::vector<ColourSet> ReadGpl(std::string_view bytes) {
    bytes = WithoutUtf8Mark(bytes);
    std::string name;
    std::vector<ColourValue> colours;
    bool first = true, isGimp = false;
    ForEachLine(bytes, [&](std::string_view line) {
        if (first) {
            first = false;
            isGimp = Trim(line) == "GIMP Palette";
            return;
        }
        if (!isGimp) return;
        line = Trim(line);
        if (line.empty() || line.front() == '#') return;
        // "Name: ...", "Columns: 4" and any other "Word:" line.
        std::size_t word = 0;
        while (word < line.size() && (IsLetter(line[word]) || line[word] == '-' || line[word] == '_')) ++word;
        if (word > 0 && word < line.size() && line[word] == ':') {
            if (line.substr(0, word) == "Name") name = std::string(Trim(line.substr(word + 1)));
            return;
        }
        int channel[3];
        std::size_t pos = 0;
        for (int& value : channel) {
            while (pos < line.size() && IsBlank(line[pos])) ++pos;
            const std::size_t start = pos;
            value = 0;
            while (pos < line.size() && IsDigit(line[pos]) && pos - start < 4) value = value * 10 + (line[pos++] - '0');
            if (pos == start || value > 255 || (pos < line.size() && !IsBlank(line[pos]))) return;
        }
        colours.push_back(Rgb(channel[0], channel[1], channel[2]));
    });
    return OneSet(std::move(name), std::move(colours));
}

std::vector<ColourSet> ReadAse(std::string_view bytes) {
    BigEndianReader in(bytes);
    if (!in.Has(12) || in.Take(4) != "ASEF" || in.Unsigned(2) != 1) return {};
    in.Unsigned(2);  // the minor version
    // Writers disagree whether group ends count: the blocks are read to the
    // end of the data whatever the count says.
    in.Unsigned(4);
    std::vector<ColourSet> sets;
    int group = -1;    // the set of the open group
    int outside = -1;  // the set of colours outside groups
    while (in.Has(6)) {
        const std::uint32_t type = in.Unsigned(2);
        const std::uint32_t length = in.Unsigned(4);
        if (!in.Has(length)) break;  // a block cut short ends the file
        BigEndianReader block(in.Take(length));
        auto name = [&]() -> std::optional<std::string> {
            if (!block.Has(2)) return std::nullopt;
            const std::size_t units = block.Unsigned(2);
            if (!block.Has(units * 2)) return std::nullopt;
            return Utf16ToUtf8(block.Take(units * 2));
        };
        if (type == 0xC001) {
            sets.push_back({name().value_or(""), {}});
            group = static_cast<int>(sets.size()) - 1;
        } else if (type == 0xC002) {
            group = -1;
        } else if (type == 0x0001) {
            if (!name() || !block.Has(4)) continue;
            const std::string_view model = block.Take(4);
            const std::size_t count = model == "CMYK" ? 4 : model == "Gray" ? 1 : 3;
            if (!block.Has(count * 4)) continue;
            float v[4] = {};
            for (std::size_t i = 0; i < count; ++i) v[i] = block.Float();
            ColourValue colour;
            if (model == "RGB ") {
                colour = Rgb(ClampByte(Unit(v[0]) * 255), ClampByte(Unit(v[1]) * 255), ClampByte(Unit(v[2]) * 255));
            } else if (model == "Gray") {
                const int grey = ClampByte(Unit(v[0]) * 255);
                colour = Rgb(grey, grey, grey);
            } else if (model == "CMYK") {
                const double k = 1.0 - Unit(v[3]);
                colour = Rgb(ClampByte(255 * (1 - Unit(v[0])) * k), ClampByte(255 * (1 - Unit(v[1])) * k),
                             ClampByte(255 * (1 - Unit(v[2])) * k));
            } else if (model == "LAB ") {
                // L is kept as a fraction; a file that gives it in percent reads alike.
                double l = std::isfinite(v[0]) ? v[0] : 0.0;
                if (l <= 1.0) l *= 100.0;
                colour = LabToSrgb(std::clamp(l, 0.0, 100.0), std::isfinite(v[1]) ? v[1] : 0.0,
                                   std::isfinite(v[2]) ? v[2] : 0.0);
            } else {
                continue;  // a model we do not know
            }
            if (group < 0 && outside < 0) {
                sets.push_back({"", {}});
                outside = static_cast<int>(sets.size()) - 1;
            }
            sets[group >= 0 ? group : outside].colours.push_back(colour);
        }
        // Any other block is passed by its length.
    }
    std::erase_if(sets, [](const ColourSet& set) { return set.colours.empty(); });
    return sets;
}

std::vector<ColourSet> ReadPaintNet(std::string_view bytes) {
    std::vector<ColourValue> colours;
    std::size_t trailingWhites = 0;
    ForEachLine(WithoutUtf8Mark(bytes), [&](std::string_view line) {
        line = Trim(line);
        if (line.empty() || line.front() == ';' || line.size() != 8 || !AllHex(line)) return;
        const unsigned value = HexValue(line);
        colours.push_back(FromRgb24(value & 0xFFFFFF));
        trailingWhites = value == 0xFFFFFFFFu ? trailingWhites + 1 : 0;
    });
    // Paint.NET pads every palette it saves to 96 colours with white.
    if (colours.size() == 96) colours.resize(96 - trailingWhites);
    return OneSet("", std::move(colours));
}

std::vector<ColourSet> ReadHexList(std::string_view bytes) {
    std::vector<ColourValue> colours;
    ForEachLine(WithoutUtf8Mark(bytes), [&](std::string_view line) {
        line = Trim(line);
        if (!line.empty() && line.front() == '#') line.remove_prefix(1);
        if (line.size() == 6 && AllHex(line)) colours.push_back(FromRgb24(HexValue(line)));
    });
    return OneSet("", std::move(colours));
}

std::vector<ColourSet> ReadCss(std::string_view bytes) {
    std::vector<ColourValue> colours;
    std::unordered_set<ColourValue> seen;
    auto found = [&](ColourValue colour) {
        if (seen.insert(colour).second) colours.push_back(colour);
    };
    // Declarations are what stands between "{", ";" and "}" at any depth;
    // a piece that ends at "{" is a selector or an at-rule.
    std::string text;
    text.reserve(std::min<std::size_t>(bytes.size(), 1 << 20));
    int depth = 0;
    std::size_t i = 0;
    auto endPiece = [&](char end) {
        if (depth > 0 && end != '{') {
            const std::size_t colon = text.find(':');
            if (colon != std::string::npos) ColoursOfValue(std::string_view(text).substr(colon + 1), found);
        }
        text.clear();
    };
    while (i < bytes.size()) {
        const char ch = bytes[i];
        if (ch == '/' && i + 1 < bytes.size() && bytes[i + 1] == '*') {
            const std::size_t close = bytes.find("*/", i + 2);
            i = close == std::string_view::npos ? bytes.size() : close + 2;
            continue;
        }
        if (ch == '"' || ch == '\'') {
            const std::size_t close = bytes.find(ch, i + 1);
            const std::size_t end = close == std::string_view::npos ? bytes.size() : close + 1;
            text.append(bytes.substr(i, end - i));
            i = end;
            continue;
        }
        if (ch == '{' || ch == '}' || ch == ';') {
            endPiece(ch);
            if (ch == '{') ++depth;
            if (ch == '}' && depth > 0) --depth;
        } else {
            text += ch;
        }
        ++i;
    }
    endPiece(';');
    return OneSet("", std::move(colours));
}

std::vector<ColourSet> ReadVandrelPalette(std::string_view bytes) {
    std::vector<ColourValue> colours;
    ForEachLine(WithoutUtf8Mark(bytes), [&](std::string_view line) {
        std::string code;
        for (char ch : line)
            if (ch != '#' && !IsSpace(ch)) code += ch;
        if (code.size() == 6 && AllHex(code)) colours.push_back(FromRgb24(HexValue(code)));
    });
    return OneSet("", std::move(colours));
}

std::vector<ColourSet> ReadPaletteFormat(PaletteFormat format, std::string_view bytes) {
    switch (format) {
        case PaletteFormat::Gpl: return ReadGpl(bytes);
        case PaletteFormat::Ase: return ReadAse(bytes);
        case PaletteFormat::PaintNet: return ReadPaintNet(bytes);
        case PaletteFormat::Hex: return ReadHexList(bytes);
        case PaletteFormat::Css: return ReadCss(bytes);
        case PaletteFormat::Pal: return ReadVandrelPalette(bytes);
    }
    return {};
}

std::optional<ColourValue> ParseCssColour(std::string_view text) {
    std::optional<ColourValue> first;
    ColoursOfValue(Trim(text), [&](ColourValue colour) {
        if (!first) first = colour;
    });
    return first;
}

// ---- writers ----------------------------------------------------------------

std::string WriteGpl(const std::string& name, const std::vector<ColourValue>& colours) {
    std::string out = "GIMP Palette\nName: " + name + "\nColumns: 1\n#\n";
    for (ColourValue colour : colours) {
        char line[32];
        std::snprintf(line, sizeof line, "%3d %3d %3d\t#", RedOf(colour), GreenOf(colour), BlueOf(colour));
        out += line + UpperHex(colour) + "\n";
    }
    return out;
}

std::string WriteAse(const std::vector<ColourSet>& groups) {
    std::string out = "ASEF";
    PutBigEndian(out, 0x00010000, 4);
    std::size_t blocks = 0;
    for (const ColourSet& group : groups) blocks += group.colours.size() + 2;
    PutBigEndian(out, static_cast<std::uint32_t>(blocks), 4);
    auto putName = [&out](const std::vector<std::uint16_t>& units) {
        PutBigEndian(out, static_cast<std::uint32_t>(units.size() + 1), 2);
        for (std::uint16_t unit : units) PutBigEndian(out, unit, 2);
        PutBigEndian(out, 0, 2);
    };
    for (const ColourSet& group : groups) {
        const auto groupName = Utf8ToUtf16(group.name);
        PutBigEndian(out, 0xC001, 2);
        PutBigEndian(out, static_cast<std::uint32_t>(2 + 2 * (groupName.size() + 1)), 4);
        putName(groupName);
        for (ColourValue colour : group.colours) {
            const auto code = Utf8ToUtf16("#" + UpperHex(colour));
            PutBigEndian(out, 0x0001, 2);
            PutBigEndian(out, static_cast<std::uint32_t>(2 + 2 * (code.size() + 1) + 4 + 12 + 2), 4);
            putName(code);
            out += "RGB ";
            for (int channel : {RedOf(colour), GreenOf(colour), BlueOf(colour)})
                PutBigEndian(out, std::bit_cast<std::uint32_t>(static_cast<float>(channel) / 255.0f), 4);
            PutBigEndian(out, 2, 2);  // a normal colour (neither global nor spot)
        }
        PutBigEndian(out, 0xC002, 2);
        PutBigEndian(out, 0, 4);
    }
    return out;
}

std::string WritePaintNet(const std::string& name, const std::vector<ColourValue>& colours) {
    std::string out = "; paint.net Palette File\r\n; " + name + ", exported from Vandrel\r\n; Colors are AARRGGBB\r\n";
    for (ColourValue colour : colours) out += "FF" + UpperHex(colour) + "\r\n";
    return out;
}

std::string WriteHexList(const std::vector<ColourValue>& colours) {
    std::string out;
    for (ColourValue colour : colours) out += LowerHex(colour) + "\n";
    return out;
}

std::string WriteCss(const std::string& name, const std::vector<ColourValue>& colours) {
    // A character that cannot stand in a property name would make the whole
    // declaration invalid: it is written as "-", as blanks are.
    std::string property;
    for (char ch : name) property += IsNameChar(ch) ? Lower(ch) : '-';
    std::string out = ":root {\n";
    for (std::size_t n = 0; n < colours.size(); ++n)
        out += "  --" + property + "-" + std::to_string(n + 1) + ": #" + LowerHex(colours[n]) + ";\n";
    return out + "}\n";
}

}  // namespace vandrel
