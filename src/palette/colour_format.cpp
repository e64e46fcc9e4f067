#include "palette/colour_format.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

#include "palette/css_names.h"

namespace vandrel {
namespace {

constexpr double kPi = 3.14159265358979323846;

// value rounded to `decimals` places, halves away from zero, trailing zeros
// dropped, never "-0".
std::string Decimal(double value, int decimals) {
    double scale = 1;
    for (int i = 0; i < decimals; ++i) scale *= 10;
    const long long scaled = std::llround(value * scale);
    if (scaled == 0) return "0";
    const unsigned long long magnitude = static_cast<unsigned long long>(std::llabs(scaled));
    const auto unit = static_cast<unsigned long long>(scale);
    std::string text = scaled < 0 ? "-" : "";
    text += std::to_string(magnitude / unit);
    std::string fraction = std::to_string(magnitude % unit);
    fraction.insert(0, static_cast<std::size_t>(decimals) - fraction.size(), '0');
    while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
    if (!fraction.empty()) text += "." + fraction;
    return text;
}

// numerator / denominator rounded halves up, both not negative.
int RoundedRatio(int numerator, int denominator) {
    return (2 * numerator + denominator) / (2 * denominator);
}

std::string Hex2(int value, const char* digits) {
    return {digits[(value >> 4) & 0xF], digits[value & 0xF]};
}

double Linear(int channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

struct Lab {
    double l = 0, a = 0, b = 0;
};

// Björn Ottosson's OKLab from linear sRGB.
Lab OkLab(ColourValue colour) {
    const double r = Linear(RedOf(colour)), g = Linear(GreenOf(colour)), b = Linear(BlueOf(colour));
    const double l = std::cbrt(0.4122214708 * r + 0.5363325363 * g + 0.0514459929 * b);
    const double m = std::cbrt(0.2119034982 * r + 0.6806995451 * g + 0.1073969566 * b);
    const double s = std::cbrt(0.0883024619 * r + 0.2817188376 * g + 0.6299787005 * b);
    return {0.2104542553 * l + 0.7936177850 * m - 0.0040720468 * s,
            1.9779984951 * l - 2.4285922050 * m + 0.4505937099 * s,
            0.0259040371 * l + 0.7827717662 * m - 0.8086757660 * s};
}

// CIELAB against D50, sRGB's D65 adapted by the Bradford transform.
Lab CieLab(ColourValue colour) {
    const double r = Linear(RedOf(colour)), g = Linear(GreenOf(colour)), b = Linear(BlueOf(colour));
    const double x65 = 0.41239079926595934 * r + 0.357584339383878 * g + 0.1804807884018343 * b;
    const double y65 = 0.21263900587151027 * r + 0.715168678767756 * g + 0.07219231536073371 * b;
    const double z65 = 0.01933081871559182 * r + 0.11919477979462598 * g + 0.9505321522496607 * b;
    const double x = 1.0479298208405488 * x65 + 0.022946793341019088 * y65 - 0.05019222954313557 * z65;
    const double y = 0.029627815688159344 * x65 + 0.990434484573249 * y65 - 0.01707382502938514 * z65;
    const double z = -0.009243058152591178 * x65 + 0.015055144896577895 * y65 + 0.7518742899580008 * z65;
    auto f = [](double t) {
        constexpr double kEpsilon = 216.0 / 24389.0, kKappa = 24389.0 / 27.0;
        return t > kEpsilon ? std::cbrt(t) : (kKappa * t + 16) / 116;
    };
    const double fx = f(x / (0.3457 / 0.3585)), fy = f(y), fz = f(z / ((1 - 0.3457 - 0.3585) / 0.3585));
    return {116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)};
}

// Hue in whole degrees 0-359 (0 for a grey), shared by HSL and HSV.
int Hue(int r, int g, int b) {
    const int high = std::max({r, g, b}), low = std::min({r, g, b}), d = high - low;
    if (d == 0) return 0;
    // Sixty times the sector position, times d, kept in integers so that
    // halves round exactly.
    int times = 0;
    if (high == r) times = 60 * (g - b) + (g < b ? 360 * d : 0);
    else if (high == g) times = 60 * (b - r) + 120 * d;
    else times = 60 * (r - g) + 240 * d;
    const int hue = RoundedRatio(times, d);
    return hue >= 360 ? hue - 360 : hue;
}

double Degrees(double b, double a) {
    double hue = std::atan2(b, a) * 180 / kPi;
    return hue < 0 ? hue + 360 : hue;
}

// The text of a placeholder; false for a name that is none.
bool Placeholder(std::string_view name, ColourValue colour, std::string_view pound, std::string& out) {
    const int r = RedOf(colour), g = GreenOf(colour), b = BlueOf(colour);
    const int high = std::max({r, g, b}), low = std::min({r, g, b});
    constexpr const char* kUpper = "0123456789ABCDEF";
    constexpr const char* kLower = "0123456789abcdef";
    auto percentOf255 = [](int v) { return std::to_string(RoundedRatio(100 * v, 255)); };
    auto cmy = [&](int channel) {
        return std::to_string(high == 0 ? 0 : RoundedRatio(100 * (high - channel), high));
    };
    if (name == "#") out += pound;
    else if (name == "R") out += Hex2(r, kUpper);
    else if (name == "G") out += Hex2(g, kUpper);
    else if (name == "B") out += Hex2(b, kUpper);
    else if (name == "r") out += Hex2(r, kLower);
    else if (name == "g") out += Hex2(g, kLower);
    else if (name == "b") out += Hex2(b, kLower);
    else if (name == "red") out += std::to_string(r);
    else if (name == "green") out += std::to_string(g);
    else if (name == "blue") out += std::to_string(b);
    else if (name == "rf" || name == "gf" || name == "bf") {
        const int v = name == "rf" ? r : name == "gf" ? g : b;
        out += Decimal(RoundedRatio(1000 * v, 255) / 1000.0, 3);
    } else if (name == "h") out += std::to_string(Hue(r, g, b));
    else if (name == "s") {
        // d / (1 - |2L - 1|) in sums of the two extremes.
        const int sum = high + low, d = high - low;
        const int range = sum <= 255 ? sum : 510 - sum;
        out += std::to_string(d == 0 ? 0 : RoundedRatio(100 * d, range));
    } else if (name == "l") out += std::to_string(RoundedRatio(100 * (high + low), 510));
    else if (name == "hsv_s") out += std::to_string(high == 0 ? 0 : RoundedRatio(100 * (high - low), high));
    else if (name == "hsv_v") out += percentOf255(high);
    else if (name == "c") out += cmy(r);
    else if (name == "m") out += cmy(g);
    else if (name == "y") out += cmy(b);
    else if (name == "k") out += percentOf255(255 - high);
    else if (name == "int") out += std::to_string(colour & 0xFFFFFF);
    else if (name == "ok_l" || name == "ok_c" || name == "ok_h" || name == "ok_a" || name == "ok_b") {
        const Lab lab = OkLab(colour);
        const double chroma = std::hypot(lab.a, lab.b);
        if (name == "ok_l") out += Decimal(lab.l * 100, 2);
        else if (name == "ok_c") out += Decimal(chroma, 4);
        else if (name == "ok_a") out += Decimal(lab.a, 4);
        else if (name == "ok_b") out += Decimal(lab.b, 4);
        else {
            const double hue = chroma < 0.0001 ? 0 : Degrees(lab.b, lab.a);
            const std::string text = Decimal(hue, 2);
            out += text == "360" ? "0" : text;
        }
    } else if (name == "lab_l" || name == "lab_a" || name == "lab_b") {
        const Lab lab = CieLab(colour);
        out += Decimal(name == "lab_l" ? lab.l : name == "lab_a" ? lab.a : lab.b, 2);
    } else {
        return false;
    }
    return true;
}

// 0xRRGGBB as the program's colour value.
constexpr ColourValue FromRgb(std::uint32_t rgb) {
    return Rgb(static_cast<int>(rgb >> 16), static_cast<int>(rgb >> 8), static_cast<int>(rgb));
}

}  // namespace

std::string_view EffectiveFormat(std::string_view stored) {
    if (stored.empty()) return kDefaultFormat;
    return stored.substr(0, kMaxFormatLength);
}

std::string FormatColour(std::string_view format, ColourValue colour, std::string_view pound) {
    format = format.substr(0, kMaxFormatLength);
    std::string out;
    out.reserve(format.size() + 16);
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '{') {
            const std::size_t close = format.find_first_of("{}", i + 1);
            if (close != std::string_view::npos && format[close] == '}' &&
                Placeholder(format.substr(i + 1, close - i - 1), colour, pound, out)) {
                i = close;
                continue;
            }
        }
        out += format[i];
    }
    return out;
}

ColourName NearestCssName(ColourValue colour) {
    struct Entry {
        Lab lab;
        std::string_view name;
    };
    // Made on first use: 148 conversions, once per run.
    static const auto table = [] {
        std::array<Entry, std::size(kCssNamedColours)> entries{};
        for (std::size_t i = 0; i < entries.size(); ++i)
            entries[i] = {OkLab(FromRgb(kCssNamedColours[i].rgb)), kCssNamedColours[i].name};
        return entries;
    }();
    for (const CssNamedColour& named : kCssNamedColours)
        if (FromRgb(named.rgb) == (colour & 0xFFFFFF)) return {named.name, true};
    const Lab lab = OkLab(colour);
    double best = std::numeric_limits<double>::max();
    std::string_view name;
    for (const Entry& entry : table) {
        const double dl = entry.lab.l - lab.l, da = entry.lab.a - lab.a, db = entry.lab.b - lab.b;
        const double distance = dl * dl + da * da + db * db;
        if (distance < best) {
            best = distance;
            name = entry.name;
        }
    }
    return {name, false};
}

double ContrastRatio(ColourValue a, ColourValue b) {
    auto luminance = [](ColourValue c) {
        return 0.2126 * Linear(RedOf(c)) + 0.7152 * Linear(GreenOf(c)) + 0.0722 * Linear(BlueOf(c));
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

std::string ContrastText(double ratio) {
    // Rounded down; the small allowance keeps 21 from reading as 20.99.
    const long long hundredths = static_cast<long long>(std::floor(ratio * 100 + 1e-9));
    std::string fraction = std::to_string(hundredths % 100);
    if (fraction.size() < 2) fraction.insert(0, "0");
    // Graded as shown, so that "7.00:1" never reads "AA".
    const char* grade = hundredths >= 700   ? "AAA"
                        : hundredths >= 450 ? "AA"
                        : hundredths >= 300 ? "AA large"
                                            : "fail";
    return std::to_string(hundredths / 100) + "." + fraction + ":1 " + grade;
}

std::string SwatchTipText(ColourValue colour, std::string_view storedFormat, std::string_view pound) {
    const std::string_view format = EffectiveFormat(storedFormat);
    std::string text = FormatColour(format, colour, pound);
    if (format != kDefaultFormat) text += " (" + FormatColour(kDefaultFormat, colour, "#") + ")";
    const ColourName name = NearestCssName(colour);
    text += name.exact ? "\n" : "\nnear ";
    text += name.name;
    text += "\non white " + ContrastText(ContrastRatio(colour, Rgb(255, 255, 255)));
    text += "\non black " + ContrastText(ContrastRatio(colour, Rgb(0, 0, 0)));
    return text;
}

}  // namespace vandrel
