#include <gtest/gtest.h>

#include <cstdint>

#include "config/ini.h"

namespace vandrel {
namespace {

std::string Rewrite(const std::string& text) { return SerializeIni(ParseIni(text)); }

TEST(IniFormat, KeysCompareWithoutLetterCaseAndAreUpdatedInPlace) {
    IniDocument doc = ParseIni("pound=0\r\nSnap = 1\r\n");
    EXPECT_EQ(ReadIniInt(doc, "", "Pound", 1), 0);
    SetIniValue(doc, "", "Pound", "1");
    EXPECT_EQ(SerializeIni(doc), "pound = 1\r\nSnap = 1\r\n");
}

TEST(IniFormat, GroupsCompareWithoutLetterCaseAndFirstMatchWins) {
    const IniDocument doc = ParseIni("[Web.PAL]\nX=1\nx=2\n[web.pal]\nX=3\n");
    EXPECT_EQ(ReadIniInt(doc, "web.pal", "X", -5), 1);
}

// Groups are found through an index of their headers: it must follow every
// insertion of keys before them, new groups and duplicate headers.
TEST(IniFormat, GroupLookupsFollowInsertionsNewGroupsAndDuplicates) {
    std::string text;
    for (int g = 0; g < 50; ++g) text += "[g" + std::to_string(g) + "]\r\nX = " + std::to_string(g) + "\r\n";
    text += "[G7]\r\nX = 700\r\n";
    IniDocument doc = ParseIni(text);
    EXPECT_EQ(ReadIniInt(doc, "g49", "X", -1), 49);
    // Keys added to early groups move every later header.
    SetIniValues(doc, "g0", {{"Y", "1"}, {"Z", "2"}});
    SetIniValue(doc, "g7", "Y", "77");
    for (int g : {0, 7, 8, 25, 49}) EXPECT_EQ(ReadIniInt(doc, "g" + std::to_string(g), "X", -1), g) << g;
    EXPECT_EQ(ReadIniInt(doc, "G7", "Y", -1), 77) << "the first of two headers, in any letter case";
    EXPECT_EQ(ReadIniInt(doc, "g0", "Z", -1), 2);
    // A new group goes to the end and is found at once, as is a missing one's absence.
    SetIniValue(doc, "new", "X", "5");
    EXPECT_EQ(ReadIniInt(doc, "NEW", "X", -1), 5);
    EXPECT_EQ(ReadIniInt(doc, "none", "X", -1), -1);
    SetIniValue(doc, "g48", "Y", "48");
    EXPECT_EQ(ReadIniInt(doc, "new", "X", -1), 5);
    // A copy has its own index and stays right when the original changes.
    const IniDocument copy = doc;
    SetIniValue(doc, "g1", "Q", "1");
    EXPECT_EQ(ReadIniInt(copy, "g49", "X", -1), 49);
    EXPECT_EQ(ReadIniInt(doc, "g49", "X", -1), 49);
    const std::string written = SerializeIni(doc);
    EXPECT_EQ(SerializeIni(ParseIni(written)), written);
    EXPECT_NE(written.find("[g7]\r\nX = 7\r\nY = 77\r\n\r\n[g8]"), std::string::npos);
    EXPECT_NE(written.find("[G7]\r\nX = 700\r\n"), std::string::npos) << "the second header keeps its key";
}

TEST(IniFormat, AKeyThatBeginsWithTheBytesOfAMarkStaysAKeyAfterARewrite) {
    // Found by fuzzing: the empty first line went, and the rewrite read back as a marked file.
    const std::string once = SerializeIni(ParseIni("\n\xEF\xBB\xBFPound = 0\r\n"));
    EXPECT_EQ(once, "\r\n\xEF\xBB\xBFPound = 0\r\n");
    EXPECT_EQ(SerializeIni(ParseIni(once)), once);
    EXPECT_FALSE(ParseIni(once).utf8Bom);
}

TEST(IniFormat, CommentsKeepTheirPlaceAndGetOneSpace) {
    EXPECT_EQ(Rewrite(";no space\r\n;  two spaces\r\nA=1\r\n"),
              "; no space\r\n;  two spaces\r\nA = 1\r\n");
}

TEST(IniFormat, BlankLinesGoAndGroupsGetOneEmptyLineBeforeThemButTheFirst) {
    EXPECT_EQ(Rewrite("\r\n\r\nA=1\r\n\r\n\r\n[g1]\r\nB=2\r\n[g2]\r\nC=3\r\n\r\n"),
              "A = 1\r\n[g1]\r\nB = 2\r\n\r\n[g2]\r\nC = 3\r\n");
}

TEST(IniFormat, LinesEndAtCrOrLfAndLeadingBlanksAreIgnored) {
    const IniDocument doc = ParseIni("  \tA =  x y \rB\t= 2\n [g] \n");
    EXPECT_EQ(ReadIniString(doc, "", "A", "?"), "x y");
    EXPECT_EQ(ReadIniInt(doc, "", "B", 0), 2);
    ASSERT_EQ(doc.entries.size(), 3u);
    EXPECT_EQ(doc.entries[2].name, "g");
}

TEST(IniFormat, HandAddedKeysSurviveAtTheirPlace) {
    IniDocument doc = ParseIni("[a.pal]\r\nWinID = 1\r\nMyNote = keep me\r\nX = 5\r\n");
    SetIniValue(doc, "a.pal", "X", "7");
    SetIniValue(doc, "a.pal", "Y", "8");
    EXPECT_EQ(SerializeIni(doc), "[a.pal]\r\nWinID = 1\r\nMyNote = keep me\r\nX = 7\r\nY = 8\r\n");
}

TEST(IniFormat, NewKeysGoAfterTheLastKeyOfTheirSection) {
    IniDocument doc = ParseIni("; top comment\r\n[g]\r\nA = 1\r\n; g comment\r\n");
    SetIniValue(doc, "", "Top", "1");  // no top key yet: start of the file
    SetIniValue(doc, "g", "B", "2");
    SetIniValue(doc, "new", "C", "3");
    EXPECT_EQ(SerializeIni(doc),
              "Top = 1\r\n; top comment\r\n[g]\r\nA = 1\r\nB = 2\r\n; g comment\r\n\r\n[new]\r\nC = 3\r\n");
}

TEST(IniFormat, SeveralKeysOfAGroupAtOnceKeepTheirOrder) {
    IniDocument doc = ParseIni("[g]\r\nB = old\r\n; note\r\n[h]\r\nZ = 1\r\n");
    SetIniValues(doc, "G", {{"A", "1"}, {"b", "2"}, {"C", "3"}});
    SetIniValues(doc, "new", {{"X", "1"}, {"Y", "2"}});
    EXPECT_EQ(SerializeIni(doc),
              "[g]\r\nB = 2\r\nA = 1\r\nC = 3\r\n; note\r\n\r\n[h]\r\nZ = 1\r\n\r\n[new]\r\nX = 1\r\nY = 2\r\n");
    const IniGroup g = FindIniGroup(doc, "g");
    EXPECT_EQ(ReadIniInt(g, "c", 0), 3);
    EXPECT_EQ(ReadIniString(g, "missing", "none"), "none");
    EXPECT_TRUE(FindIniGroup(doc, "absent").keys.empty());
}

TEST(IniFormat, IntegersParseLikeTheOriginalReader) {
    EXPECT_EQ(ParseIniInteger("yes"), 0);
    EXPECT_EQ(ParseIniInteger("  -42abc"), -42);
    EXPECT_EQ(ParseIniInteger("+7"), 7);
    EXPECT_EQ(ParseIniInteger(""), 0);
    const IniDocument doc = ParseIni("Pound = yes\r\n");
    EXPECT_EQ(ReadIniInt(doc, "", "Pound", 1), 0) << "a word reads as 0, not as the default";
    EXPECT_EQ(ReadIniInt(doc, "", "Snap", 1), 1);
    EXPECT_EQ(ReadIniInt(doc, "missing.pal", "X", 99), 99);
}

TEST(IniFormat, NumbersTooLongForSixtyFourBitsStayAtTheEnds) {
    EXPECT_EQ(ParseIniInteger("9223372036854775807"), INT64_MAX);
    EXPECT_EQ(ParseIniInteger("-9223372036854775808"), INT64_MIN);
    EXPECT_EQ(ParseIniInteger("18446744073709551617"), INT64_MAX) << "would wrap to 1";
    EXPECT_EQ(ParseIniInteger("-99999999999999999999999x"), INT64_MIN);
}

TEST(IniFormat, GroupNamesMayHoldBrackets) {
    IniDocument doc;
    SetIniValue(doc, "a]b.pal", "X", "5");
    const IniDocument reread = ParseIni(SerializeIni(doc));
    EXPECT_EQ(ReadIniInt(reread, "a]b.pal", "X", 0), 5);
    EXPECT_EQ(reread.entries.size(), 2u);
}

TEST(IniFormat, KeyWithoutValueAndHeaderWithoutBracket) {
    const IniDocument doc = ParseIni("Lonely\r\n[open\r\nA=1\r\n");
    EXPECT_EQ(ReadIniString(doc, "", "Lonely", "default"), "");
    EXPECT_EQ(ReadIniInt(doc, "open", "A", 0), 1);
}

// Stands in for a system code page that holds "\xE9" (UTF-8 "\xC3\xA9") and
// ASCII only: every other character reads as "?", as the system's does.
const IniCodec kNarrowCodePage{
    [](const std::string& utf8) {
        std::string out;
        for (std::size_t i = 0; i < utf8.size(); ++i) {
            const auto byte = static_cast<unsigned char>(utf8[i]);
            if (byte < 0x80) {
                out += utf8[i];
            } else if (utf8.compare(i, 2, "\xC3\xA9") == 0) {
                out += '\xE9';
                ++i;
            } else {
                out += '?';
                while (i + 1 < utf8.size() &&
                       (static_cast<unsigned char>(utf8[i + 1]) & 0xC0) == 0x80)
                    ++i;
            }
        }
        return out;
    },
    [](const std::string& text) {
        std::string out;
        for (char ch : text) out += ch == '\xE9' ? std::string("\xC3\xA9") : std::string(1, ch);
        return out;
    }};

TEST(IniFormat, Utf8FileKeepsItsMarkAndWhatTheCodePageCannotHold) {
    const std::string file =
        "\xEF\xBB\xBF; Farben für 日本\r\n"
        "Palette_Directory = D:\\色\\pal\r\nNotiz = 日本語\r\n"
        "[caf\xC3\xA9.pal]\r\nX = 1\r\n[日本.pal]\r\nX = 3\r\n";
    IniDocument doc = ParseIni(file, kNarrowCodePage);
    EXPECT_TRUE(doc.utf8Bom);
    EXPECT_EQ(ReadIniInt(doc, "caf\xE9.pal", "X", 0), 1)
        << "group names are looked up in the code page";
    EXPECT_TRUE(FindIniGroup(doc, "??.pal").keys.empty()) << "what reads as ? matches no file name";
    const std::string folder = ReadIniString(doc, "", "Palette_Directory", "");
    EXPECT_EQ(folder, "D:\\?\\pal");

    // What the program writes back unchanged keeps its bytes; what it writes
    // is encoded; what it never touches stays as it was.
    SetIniValue(doc, "", "Palette_Directory", folder);
    SetIniValues(doc, "caf\xE9.pal", {{"X", "2"}, {"Y", "9"}});
    SetIniValue(doc, "\xE9t\xE9.pal", "X", "1");
    EXPECT_EQ(SerializeIni(doc),
              "\xEF\xBB\xBF\r\n; Farben für 日本\r\n"
              "Palette_Directory = D:\\色\\pal\r\nNotiz = 日本語\r\n"
              "[caf\xC3\xA9.pal]\r\nX = 2\r\nY = 9\r\n\r\n[日本.pal]\r\nX = 3\r\n\r\n"
              "[\xC3\xA9t\xC3\xA9.pal]\r\nX = 1\r\n");
    SetIniValue(doc, "", "Palette_Directory", "E:\\caf\xE9");
    EXPECT_NE(SerializeIni(doc).find("\r\nPalette_Directory = E:\\caf\xC3\xA9\r\n"),
              std::string::npos);

    // A plain file stays plain: its bytes are the code page's.
    EXPECT_EQ(Rewrite("A=\xE9\r\n"), "A = \xE9\r\n");
}

}  // namespace
}  // namespace vandrel
