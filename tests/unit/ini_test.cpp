#include <gtest/gtest.h>

#include "settings/ini.h"

namespace vandrel {
namespace {

const IniCodec kPlain{};

std::string Rewrite(const std::string& text) { return SerializeIni(ParseIni(text, kPlain), kPlain); }

TEST(IniFormat, KeysCompareWithoutLetterCaseAndAreUpdatedInPlace) {
    IniDocument doc = ParseIni("pound=0\r\nSnap = 1\r\n", kPlain);
    EXPECT_EQ(ReadIniInt(doc, "", "Pound", 1), 0);
    SetIniValue(doc, "", "Pound", "1");
    EXPECT_EQ(SerializeIni(doc, kPlain), "pound = 1\r\nSnap = 1\r\n");
}

TEST(IniFormat, GroupsCompareWithoutLetterCaseAndFirstMatchWins) {
    const IniDocument doc = ParseIni("[Web.PAL]\nX=1\nx=2\n[web.pal]\nX=3\n", kPlain);
    EXPECT_EQ(ReadIniInt(doc, "web.pal", "X", -5), 1);
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
    const IniDocument doc = ParseIni("  \tA =  x y \rB\t= 2\n [g] \n", kPlain);
    EXPECT_EQ(ReadIniString(doc, "", "A", "?"), "x y");
    EXPECT_EQ(ReadIniInt(doc, "", "B", 0), 2);
    ASSERT_EQ(doc.entries.size(), 3u);
    EXPECT_EQ(doc.entries[2].name, "g");
}

TEST(IniFormat, HandAddedKeysSurviveAtTheirPlace) {
    IniDocument doc = ParseIni("[a.pal]\r\nWinID = 1\r\nMyNote = keep me\r\nX = 5\r\n", kPlain);
    SetIniValue(doc, "a.pal", "X", "7");
    SetIniValue(doc, "a.pal", "Y", "8");
    EXPECT_EQ(SerializeIni(doc, kPlain),
              "[a.pal]\r\nWinID = 1\r\nMyNote = keep me\r\nX = 7\r\nY = 8\r\n");
}

TEST(IniFormat, NewKeysGoAfterTheLastKeyOfTheirSection) {
    IniDocument doc = ParseIni("; top comment\r\n[g]\r\nA = 1\r\n; g comment\r\n", kPlain);
    SetIniValue(doc, "", "Top", "1");  // no top key yet: start of the file
    SetIniValue(doc, "g", "B", "2");
    SetIniValue(doc, "new", "C", "3");
    EXPECT_EQ(SerializeIni(doc, kPlain),
              "Top = 1\r\n; top comment\r\n[g]\r\nA = 1\r\nB = 2\r\n; g comment\r\n\r\n[new]\r\nC = 3\r\n");
}

TEST(IniFormat, SeveralKeysOfAGroupAtOnceKeepTheirOrder) {
    IniDocument doc = ParseIni("[g]\r\nB = old\r\n; note\r\n[h]\r\nZ = 1\r\n", kPlain);
    SetIniValues(doc, "G", {{"A", "1"}, {"b", "2"}, {"C", "3"}});
    SetIniValues(doc, "new", {{"X", "1"}, {"Y", "2"}});
    EXPECT_EQ(SerializeIni(doc, kPlain),
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
    const IniDocument doc = ParseIni("Pound = yes\r\n", kPlain);
    EXPECT_EQ(ReadIniInt(doc, "", "Pound", 1), 0) << "a word reads as 0, not as the default";
    EXPECT_EQ(ReadIniInt(doc, "", "Snap", 1), 1);
    EXPECT_EQ(ReadIniInt(doc, "missing.pal", "X", 99), 99);
}

TEST(IniFormat, GroupNamesMayHoldBrackets) {
    IniDocument doc;
    SetIniValue(doc, "a]b.pal", "X", "5");
    const IniDocument reread = ParseIni(SerializeIni(doc, kPlain), kPlain);
    EXPECT_EQ(ReadIniInt(reread, "a]b.pal", "X", 0), 5);
    EXPECT_EQ(reread.entries.size(), 2u);
}

TEST(IniFormat, KeyWithoutValueAndHeaderWithoutBracket) {
    const IniDocument doc = ParseIni("Lonely\r\n[open\r\nA=1\r\n", kPlain);
    EXPECT_EQ(ReadIniString(doc, "", "Lonely", "default"), "");
    EXPECT_EQ(ReadIniInt(doc, "open", "A", 0), 1);
}

TEST(IniFormat, Utf8FilesKeepTheirMarkAndEncoding) {
    // The codec stands in for the system code page: here Latin-1 "\xE9" <-> UTF-8 "\xC3\xA9".
    const IniCodec codec{
        [](const std::string& t) {
            std::string out;
            for (std::size_t i = 0; i < t.size(); ++i) {
                if (t.compare(i, 2, "\xC3\xA9") == 0) { out += '\xE9'; ++i; } else out += t[i];
            }
            return out;
        },
        [](const std::string& t) {
            std::string out;
            for (char ch : t) out += ch == '\xE9' ? std::string("\xC3\xA9") : std::string(1, ch);
            return out;
        }};
    IniDocument doc = ParseIni("\xEF\xBB\xBF[caf\xC3\xA9.pal]\r\nX = 1\r\n", codec);
    EXPECT_TRUE(doc.utf8Bom);
    EXPECT_EQ(ReadIniInt(doc, "caf\xE9.pal", "X", 0), 1);
    SetIniValue(doc, "caf\xE9.pal", "X", "2");
    EXPECT_EQ(SerializeIni(doc, codec), "\xEF\xBB\xBF\r\n[caf\xC3\xA9.pal]\r\nX = 2\r\n");
    // A plain file stays plain.
    EXPECT_EQ(Rewrite("A=\xE9\r\n"), "A = \xE9\r\n");
}

}  // namespace
}  // namespace vandrel
