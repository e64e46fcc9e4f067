#include <gtest/gtest.h>

#include <random>

#include "palette/colour_code.h"

namespace vandrel {
namespace {

TEST(ColourCode, FormatsRedGreenBlueAsUpperCaseHexPairs) {
    EXPECT_EQ(FormatColourCode(Rgb(10, 0, 255), "#"), "#0A00FF");
    EXPECT_EQ(FormatColourCode(Rgb(10, 0, 255), ""), "0A00FF");
    EXPECT_EQ(FormatColourCode(Rgb(0, 0, 0), ""), "000000");
    EXPECT_EQ(FormatColourCode(Rgb(255, 255, 255), ""), "FFFFFF");
}

TEST(ColourCode, ParsesWhatUsersAndFilesHold) {
    EXPECT_EQ(ParseColourCode("#ff8000"), Rgb(255, 128, 0));
    EXPECT_EQ(ParseColourCode("##12#3456"), Rgb(0x12, 0x34, 0x56));
    EXPECT_EQ(ParseColourCode("12345"), Rgb(0x12, 0x34, 0x5));
    EXPECT_EQ(ParseColourCode("1G2H3I"), Rgb(1, 2, 3));
    EXPECT_EQ(ParseColourCode("XYZ"), Rgb(0, 0, 0));
    EXPECT_EQ(ParseColourCode("FF0000 and more text"), Rgb(255, 0, 0));
    EXPECT_EQ(ParseColourCode(""), Rgb(0, 0, 0));
    EXPECT_EQ(ParseColourCode("#"), Rgb(0, 0, 0));
}

TEST(ColourCode, HexPrefixValueReadsLeadingDigitsOnly) {
    EXPECT_EQ(HexPrefixValue("fF"), 255);
    EXPECT_EQ(HexPrefixValue("7"), 7);
    EXPECT_EQ(HexPrefixValue("7x"), 7);
    EXPECT_EQ(HexPrefixValue("x7"), 0);
    EXPECT_EQ(HexPrefixValue(""), 0);
}

TEST(ColourCode, StripHashRemovesEveryHash) {
    EXPECT_EQ(StripHash("#A#B##C#"), "ABC");
    EXPECT_EQ(StripHash("ABC"), "ABC");
    // The kept form: no "#", ASCII letters upper case, other bytes as they were.
    EXPECT_EQ(BareCode("#a1#b2c3"), "A1B2C3");
    EXPECT_EQ(BareCode("#z\xE9\x7F "), "Z\xE9\x7F ");
    EXPECT_EQ(BareCode("#"), "");
}

TEST(ColourCode, FilterKeepsPrefixAndUpToSixUpperCaseDigits) {
    EXPECT_EQ(HexEntryFilter("#a1b2c3", "#"), "#123");
    EXPECT_EQ(HexEntryFilter("FF 00 11 22", ""), "FF0011");
    EXPECT_EQ(HexEntryFilter("", "#"), "#");
    EXPECT_EQ(HexEntryFilter("#ABCDEF", "#"), "#ABCDEF");
    EXPECT_EQ(HexEntryFilter("ABCDEF12", "#"), "#ABCDEF");
}

TEST(ColourCode, ParseInvertsFormatForEveryColour) {
    for (ColourValue colour = 0; colour < (1u << 24); ++colour) {
        const std::string prefix = (colour & 1) ? "#" : "";
        if (ParseColourCode(FormatColourCode(colour, prefix)) != colour)
            FAIL() << "colour " << colour << " does not survive formatting";
    }
}

TEST(ColourCode, FilterIsIdempotent) {
    std::mt19937 random(7);
    const std::string alphabet = "0123456789ABCDEFabcdefXYZ# \t-";
    for (int round = 0; round < 20000; ++round) {
        std::string text(random() % 14, ' ');
        for (char& ch : text) ch = alphabet[random() % alphabet.size()];
        for (const std::string prefix : {"", "#"}) {
            const std::string once = HexEntryFilter(text, prefix);
            ASSERT_EQ(HexEntryFilter(once, prefix), once) << "text '" << text << "'";
        }
    }
}

}  // namespace
}  // namespace vandrel
