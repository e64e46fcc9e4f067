// Colour templates and the facts of a swatch's tooltip, against values
// worked out apart from this code (exact fractions for the rational
// formats, the published matrices derived anew from the primaries for
// CIELAB).
#include <gtest/gtest.h>

#include <string>

#include "palette/colour_code.h"
#include "palette/colour_format.h"

namespace vandrel {
namespace {

TEST(ColourFormat, EveryPlaceholderOnEdgeColours) {
    const std::string every =
        "{R} {G} {B} {r} {g} {b} {red} {green} {blue} {rf} {gf} {bf} {h} {s} {l} {hsv_s} {hsv_v} "
        "{c} {m} {y} {k} {int} {ok_l} {ok_c} {ok_h} {ok_a} {ok_b} {lab_l} {lab_a} {lab_b}";
    const struct {
        const char* code;
        const char* text;
    } table[] = {
        {"000000", "00 00 00 00 00 00 0 0 0 0 0 0 0 0 0 0 0 0 0 0 100 0 0 0 0 0 0 0 0 0"},
        {"FFFFFF", "FF FF FF ff ff ff 255 255 255 1 1 1 0 0 100 0 100 0 0 0 0 16777215 100 0 0 0 0 100 0 0"},
        {"FF0000", "FF 00 00 ff 00 00 255 0 0 1 0 0 0 100 50 100 100 0 100 100 0 255 62.8 0.2577 29.23 0.2249 0.1258 54.29 80.8 69.89"},
        {"00FF00", "00 FF 00 00 ff 00 0 255 0 0 1 0 120 100 50 100 100 100 0 100 0 65280 86.64 0.2948 142.5 -0.2339 0.1795 87.82 -79.27 80.99"},
        {"0000FF", "00 00 FF 00 00 ff 0 0 255 0 0 1 240 100 50 100 100 100 100 0 0 16711680 45.2 0.3132 264.05 -0.0325 -0.3115 29.57 68.29 -112.03"},
        {"808080", "80 80 80 80 80 80 128 128 128 0.502 0.502 0.502 0 0 50 0 50 0 0 0 50 8421504 59.99 0 0 0 0 53.59 0 0"},
        {"010203", "01 02 03 01 02 03 1 2 3 0.004 0.008 0.012 210 50 1 67 1 67 33 0 99 197121 8.23 0.008 240.75 -0.0039 -0.007 0.5 -0.17 -0.48"},
        {"1A2B3C", "1A 2B 3C 1a 2b 3c 26 43 60 0.102 0.169 0.235 210 40 17 57 24 57 28 0 76 3943194 28.26 0.0388 249.34 -0.0137 -0.0363 16.68 -2.85 -13.25"},
        {"777777", "77 77 77 77 77 77 119 119 119 0.467 0.467 0.467 0 0 47 0 47 0 0 0 53 7829367 56.93 0 0 0 0 50.03 0 0"},
        {"FFFF00", "FF FF 00 ff ff 00 255 255 0 1 1 0 60 100 50 100 100 0 0 100 0 65535 96.8 0.211 109.77 -0.0714 0.1986 97.61 -15.75 93.39"},
        {"800080", "80 00 80 80 00 80 128 0 128 0.502 0 0.502 300 100 25 100 50 0 100 0 50 8388736 42.09 0.1935 328.36 0.1647 -0.1015 29.69 56.11 -36.29"},
    };
    for (const auto& row : table)
        EXPECT_EQ(FormatColour(every, ParseColourCode(row.code), "#"), row.text) << row.code;
}

TEST(ColourFormat, HalvesRoundUpAndHuesWrapToZero) {
    // Hue 0.5 and 359.5 (#780100, #780001), saturation 2.5 (#292827), an
    // OKLCH hue of 359.9999 (#4E3C41).
    EXPECT_EQ(FormatColour("{h} {h}", ParseColourCode("780100"), ""), "1 1");
    EXPECT_EQ(FormatColour("{h}", ParseColourCode("780001"), ""), "0");
    EXPECT_EQ(FormatColour("{s} {l}", ParseColourCode("292827"), ""), "3 16");
    EXPECT_EQ(FormatColour("{ok_h}", ParseColourCode("4E3C41"), ""), "0");
}

TEST(ColourFormat, TemplatesAndBraces) {
    const ColourValue colour = ParseColourCode("1A2B3C");
    EXPECT_EQ(FormatColour(kDefaultFormat, colour, "#"), "#1A2B3C");
    EXPECT_EQ(FormatColour(kDefaultFormat, colour, ""), "1A2B3C");
    EXPECT_EQ(FormatColour("{{R}}", colour, "#"), "{1A}");
    EXPECT_EQ(FormatColour("{x} {R", colour, "#"), "{x} {R");
    EXPECT_EQ(FormatColour("{} {#}{int}}", colour, "#"), "{} #3943194}");
    EXPECT_EQ(FormatColour("", colour, "#"), "");
    const char* expected[] = {"#1A2B3C", "rgb(26, 43, 60)", "rgb(26 43 60)", "hsl(210, 40%, 17%)",
                              "hsl(210 40% 17%)", "oklch(28.26% 0.0388 249.34)", "0xFF1A2B3C",
                              "0x003C2B1A", "26, 43, 60", "0.102, 0.169, 0.235",
                              "hsv(210, 57%, 24%)", "cmyk(57%, 28%, 0%, 76%)"};
    for (std::size_t i = 0; i < kBuiltInFormats.size(); ++i)
        EXPECT_EQ(FormatColour(kBuiltInFormats[i], colour, "#"), expected[i]);
    // Up to 255 characters of a hand-typed template count.
    const std::string longFormat = std::string(254, 'x') + "{R}";
    EXPECT_EQ(FormatColour(longFormat, colour, "#"), std::string(254, 'x') + "{");
    EXPECT_EQ(FormatColour(std::string(252, 'x') + "{R}", colour, "#"), std::string(252, 'x') + "1A");
    EXPECT_EQ(EffectiveFormat(""), kDefaultFormat);
    EXPECT_EQ(EffectiveFormat(longFormat).size(), kMaxFormatLength);
}

TEST(ColourFacts, ContrastAndNames) {
    EXPECT_EQ(ContrastText(ContrastRatio(Rgb(0, 0, 0), Rgb(255, 255, 255))), "21.00:1 AAA");
    EXPECT_EQ(ContrastText(ContrastRatio(ParseColourCode("777777"), Rgb(255, 255, 255))), "4.47:1 AA large");
    EXPECT_EQ(ContrastText(4.5), "4.50:1 AA");
    EXPECT_EQ(ContrastText(2.999), "2.99:1 fail");
    EXPECT_EQ(ContrastText(1), "1.00:1 fail");
    const struct {
        const char* code;
        const char* name;
        bool exact;
    } names[] = {{"FF0000", "red", true},        {"00FFFF", "aqua", true},
                 {"FF00FF", "fuchsia", true},    {"808080", "gray", true},
                 {"2F4F4F", "darkslategray", true}, {"663399", "rebeccapurple", true},
                 {"1A2B3C", "midnightblue", false}, {"FE0000", "red", false},
                 {"010203", "black", false},     {"FFFFFE", "white", false}};
    for (const auto& row : names) {
        const ColourName found = NearestCssName(ParseColourCode(row.code));
        EXPECT_EQ(found.name, row.name) << row.code;
        EXPECT_EQ(found.exact, row.exact) << row.code;
    }
}

TEST(ColourFacts, SwatchTipLines) {
    const ColourValue colour = ParseColourCode("1A2B3C");
    EXPECT_EQ(SwatchTipText(colour, "", "#"),
              "#1A2B3C\nnear midnightblue\non white 14.43:1 AAA\non black 1.45:1 fail");
    EXPECT_EQ(SwatchTipText(colour, "{#}{R}{G}{B}", ""), "1A2B3C\nnear midnightblue\non white 14.43:1 AAA\non black 1.45:1 fail");
    EXPECT_EQ(SwatchTipText(Rgb(255, 0, 0), "rgb({red}, {green}, {blue})", ""),
              "rgb(255, 0, 0) (#FF0000)\nred\non white 3.99:1 AA large\non black 5.25:1 AA");
}

}  // namespace
}  // namespace vandrel
