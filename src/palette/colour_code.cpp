#include "palette/colour_code.h"

namespace vandrel {
namespace {

int HexDigitValue(char ch) {
    if (ch >= '0' && ch <= '9') return ch - '0';
    if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
    if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
    return -1;
}

std::string Hex2(int value) {
    static const char kDigits[] = "0123456789ABCDEF";
    return {kDigits[(value >> 4) & 0xF], kDigits[value & 0xF]};
}

}  // namespace

std::string FormatColourCode(ColourValue colour, const std::string& prefix) {
    return prefix + Hex2(RedOf(colour)) + Hex2(GreenOf(colour)) + Hex2(BlueOf(colour));
}

std::string StripHash(const std::string& text) {
    std::string result;
    result.reserve(text.size());
    for (char ch : text)
        if (ch != '#') result += ch;
    return result;
}

int HexPrefixValue(const std::string& slice) {
    int value = 0;
    for (std::size_t i = 0; i < slice.size() && i < 2; ++i) {
        int digit = HexDigitValue(slice[i]);
        if (digit < 0) break;
        value = value * 16 + digit;
    }
    return value;
}

ColourValue ParseColourCode(const std::string& text) {
    const std::string s = StripHash(text);
    auto pair = [&s](std::size_t start) {
        return start < s.size() ? HexPrefixValue(s.substr(start, 2)) : 0;
    };
    return Rgb(pair(0), pair(2), pair(4));
}

std::string HexEntryFilter(const std::string& text, const std::string& prefix) {
    std::string result = prefix;
    const std::size_t limit = prefix.size() + 6;
    for (char ch : text) {
        if (result.size() >= limit) break;
        if ((ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'F')) result += ch;
    }
    return result;
}

std::string AsciiUpper(std::string text) {
    for (char& ch : text)
        if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
    return text;
}

std::string BareCode(std::string_view text) {
    std::string bare;
    bare.reserve(text.size());
    for (char ch : text)
        if (ch != '#') bare += ch >= 'a' && ch <= 'z' ? static_cast<char>(ch - 'a' + 'A') : ch;
    return bare;
}

}  // namespace vandrel
