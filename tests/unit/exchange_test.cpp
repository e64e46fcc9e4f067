#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <map>
#include <set>

#include "app/event_loop.h"
#include "app/operations.h"
#include "palette/css_names.h"
#include "exchange/palette_formats.h"
#include "exchange/palette_import.h"
#include "palette/colour_code.h"
#include "palette/palette_list.h"
#include "palette_window/palette_window.h"
#include "settings/manage_window.h"
#include "test_support.h"

using namespace std::string_literals;

namespace vandrel {
void PrintTo(const ColourSet& set, std::ostream* out) {
    *out << '"' << set.name << "\":";
    for (ColourValue colour : set.colours) *out << ' ' << FormatColourCode(colour, "#");
}
}  // namespace vandrel

namespace vandrel::testing {
namespace {

using Colours = std::vector<ColourValue>;
using Sets = std::vector<ColourSet>;

constexpr ColourValue Hex(unsigned rgb) { return Rgb((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

// ---- Adobe Swatch Exchange files put together by hand -----------------------

std::string U16(unsigned value) { return {static_cast<char>(value >> 8), static_cast<char>(value & 0xFF)}; }
std::string U32(std::uint32_t value) { return U16(value >> 16) + U16(value & 0xFFFF); }
std::string F32(float value) { return U32(std::bit_cast<std::uint32_t>(value)); }
std::string Utf16Name(const std::string& ascii) {
    std::string out = U16(static_cast<unsigned>(ascii.size() + 1));
    for (char ch : ascii) out += U16(static_cast<unsigned char>(ch));
    return out + U16(0);
}
std::string Block(unsigned type, const std::string& body) { return U16(type) + U32(static_cast<std::uint32_t>(body.size())) + body; }
std::string Entry(const std::string& name, const std::string& model, std::vector<float> values) {
    std::string body = Utf16Name(name) + model;
    for (float v : values) body += F32(v);
    return Block(0x0001, body + U16(2));
}
std::string GroupStart(const std::string& name) { return Block(0xC001, Utf16Name(name)); }
std::string GroupEnd() { return Block(0xC002, ""); }
std::string Ase(std::uint32_t count, const std::string& blocks) { return "ASEF" + U16(1) + U16(0) + U32(count) + blocks; }

TEST(AseReader, ModelsGroupsAndOddBlocks) {
    const std::string colours = Entry("r", "RGB ", {1.0f, 0.5f, 0.0f}) + Entry("g", "Gray", {0.2f}) +
                                Entry("c", "CMYK", {1.0f, 0.0f, 0.0f, 0.5f}) + Entry("w", "LAB ", {1.0f, 0.0f, 0.0f}) +
                                Entry("k", "LAB ", {0.0f, 0.0f, 0.0f}) + Entry("p", "LAB ", {50.0f, 0.0f, 0.0f});
    const Sets expected = {{"", {Hex(0xFF8000), Hex(0x333333), Hex(0x008080), Hex(0xFFFFFF), Hex(0x000000), Hex(0x777777)}}};
    EXPECT_EQ(ReadAse(Ase(6, colours)), expected) << "RGB exact, grey, plain CMYK, LAB (L as a fraction or in percent)";
    // sRGB red is L*a*b* (54.29, 80.80, 69.89) under D50.
    const Sets red = ReadAse(Ase(1, Entry("x", "LAB ", {0.5432f, 80.81f, 69.89f})));
    ASSERT_EQ(red.size(), 1u);
    EXPECT_GE(RedOf(red[0].colours[0]), 250);
    EXPECT_LE(GreenOf(red[0].colours[0]), 10);

    const std::string grouped = Entry("out", "RGB ", {0, 0, 1}) + GroupStart("Warm") + Entry("a", "RGB ", {1, 0, 0}) +
                                GroupEnd() + GroupStart("Cool") + Entry("b", "RGB ", {0, 1, 0}) + GroupEnd() +
                                Entry("out2", "RGB ", {1, 1, 1});
    const Sets groups = {{"", {Hex(0x0000FF), Hex(0xFFFFFF)}}, {"Warm", {Hex(0xFF0000)}}, {"Cool", {Hex(0x00FF00)}}};
    EXPECT_EQ(ReadAse(Ase(8, grouped)), groups) << "group ends counted";
    EXPECT_EQ(ReadAse(Ase(6, grouped)), groups) << "group ends not counted";
    EXPECT_EQ(ReadAse(Ase(4000000000u, grouped)), groups) << "a count of four billion reserves nothing";
    EXPECT_EQ(ReadAse(Ase(3, Block(0x7777, "junk") + Entry("a", "RGB ", {1, 0, 0}) + Entry("z", "XYZ ", {1, 1, 1}))),
              (Sets{{"", {Hex(0xFF0000)}}}))
        << "an unknown block and an unknown model are passed by";
    const std::string odd = Block(0x0001, U16(7) + "\0a"s + "RGB " + F32(1) + F32(1) + F32(1));
    EXPECT_EQ(ReadAse(Ase(2, odd + Entry("a", "RGB ", {0, 0, 0}))), (Sets{{"", {Hex(0)}}}))
        << "a name longer than its block is that block's loss only";

    const std::string file = Ase(2, Entry("a", "RGB ", {1, 0, 0}) + Entry("b", "RGB ", {0, 0, 1}));
    EXPECT_EQ(ReadAse(file.substr(0, file.size() - 3)), (Sets{{"", {Hex(0xFF0000)}}})) << "a block cut short ends it";
    EXPECT_EQ(ReadAse(file.substr(0, 12) + U16(1) + U32(0xFFFFFFF0u) + "xx"), Sets{}) << "a length past the end";
    for (const std::string& broken : {""s, "ASEF"s, "ASEF\0\2\0\0\0\0\0\1"s, "GIMP Palette\n"s, std::string(5000, '\xFF')})
        EXPECT_TRUE(ReadAse(broken).empty());
}

TEST(GplReader, HeadersCommentsAndLineEnds) {
    const std::string text =
        "GIMP Palette\r\nName: Sunset  \r\nColumns: 4\r\n#\r\n# a comment\r\n\r\n255   0   0\tRed\r\n"
        "  0\t128 255 Sky blue\r\n10 20\r\n300 0 0 too bright\r\n1 2 3x\r\nDescription: any word\r\n  7   8   9";
    EXPECT_EQ(ReadGpl(text), (Sets{{"Sunset", {Hex(0xFF0000), Hex(0x0080FF), Hex(0x070809)}}}));
    EXPECT_EQ(ReadGpl("GIMP Palette\n1 1 1\n"), (Sets{{"", {Hex(0x010101)}}})) << "no name: the file's";
    EXPECT_TRUE(ReadGpl("1 1 1\n2 2 2\n").empty()) << "no header, no GIMP palette";
    EXPECT_TRUE(ReadGpl("GIMP Palette\nName: Empty\n").empty());
}

TEST(PaintNetReader, PaddingOfNinetySixIsDropped) {
    std::string padded = "; paint.net Palette File\r\n;comment\r\nFFFF0000\r\n80ffffff\r\n00112233\r\n";
    for (int i = 3; i < 96; ++i) padded += "FFFFFFFF\r\n";
    EXPECT_EQ(ReadPaintNet(padded), (Sets{{"", {Hex(0xFF0000), Hex(0xFFFFFF), Hex(0x112233)}}}))
        << "the padding goes, alpha is ignored, a white with other alpha stays";
    std::string ninetyFive = "FF000000\n";
    for (int i = 1; i < 95; ++i) ninetyFive += "FFFFFFFF\n";
    ASSERT_EQ(ReadPaintNet(ninetyFive).size(), 1u);
    EXPECT_EQ(ReadPaintNet(ninetyFive)[0].colours.size(), 95u) << "any other file keeps its whites";
    EXPECT_TRUE(ReadPaintNet("FF0000\nhello\n").empty());
}

TEST(HexAndVandrelReaders, OneCodeALine) {
    EXPECT_EQ(ReadHexList("ff0000\n#00FF00\r\n  0000ff  \nnope\n12345\n"),
              (Sets{{"", {Hex(0xFF0000), Hex(0x00FF00), Hex(0x0000FF)}}}));
    EXPECT_EQ(ReadVandrelPalette("#FF0000\r\n00ff00\r\n\r\n#12\r\n"), (Sets{{"", {Hex(0xFF0000), Hex(0x00FF00)}}}));
    EXPECT_TRUE(ReadHexList("\x89PNG\r\n\x1a\n").empty());
}

TEST(CssReader, EveryColourValueOnceInOrder) {
    const struct {
        const char* value;
        unsigned rgb;
    } values[] = {
        {"#f00", 0xFF0000}, {"#336699", 0x336699}, {"#33669980", 0x336699}, {"rgb(255, 128, 0)", 0xFF8000},
        {"rgba(255,128,0,0.5)", 0xFF8000}, {"rgb(255 128 0 / 50%)", 0xFF8000}, {"rgb(100%, 0%, 50%)", 0xFF0080},
        {"hsl(120, 100%, 50%)", 0x00FF00}, {"hsla(240deg 100% 50% / .3)", 0x0000FF}, {"hsl(0.5turn, 100%, 25%)", 0x008080},
        {"Tomato", 0xFF6347}, {"rebeccapurple", 0x663399},
    };
    for (const auto& [value, rgb] : values) {
        const auto colour = ParseCssColour(value);
        ASSERT_TRUE(colour) << value;
        EXPECT_EQ(*colour, Hex(rgb)) << value;
    }
    for (const char* none : {"#12", "#12345", "rgb(1, 2)", "hsl(1, 2, 3)", "bold", "12px"})
        EXPECT_FALSE(ParseCssColour(none)) << none;

    const std::string sheet =
        "/* red in a comment */ @import url(red.css);\n"
        "a:hover, .red { color: red; border: 1px solid #00f; background: url(red.png) }\n"
        "@media (min-width: 10px) { .x { color: #FF0000; box-shadow: 0 0 2px rgb(0 0 255), 1px 1px navy } }\n"
        ":root { --accent: hsl(120 100% 25%); font-family: \"Red Hat\", sans-serif; }";
    EXPECT_EQ(ReadCss(sheet), (Sets{{"", {Hex(0xFF0000), Hex(0x0000FF), Hex(0x000080), Hex(0x008000)}}}));
    EXPECT_TRUE(ReadCss("body { margin: 0 }").empty());

    EXPECT_EQ(std::size(kCssNamedColours), 148u);
    EXPECT_TRUE(std::is_sorted(std::begin(kCssNamedColours), std::end(kCssNamedColours),
                               [](const auto& a, const auto& b) { return a.name < b.name; }));
}

TEST(PaletteWriters, BytesAndRoundTrips) {
    const Colours colours = {Hex(0xFF0000), Hex(0x0A0B0C), Hex(0xFFFFFF)};
    EXPECT_EQ(WriteGpl("My Reds", colours),
              "GIMP Palette\nName: My Reds\nColumns: 1\n#\n255   0   0\t#FF0000\n 10  11  12\t#0A0B0C\n255 255 255\t#FFFFFF\n");
    EXPECT_EQ(WriteHexList(colours), "ff0000\n0a0b0c\nffffff\n");
    EXPECT_EQ(WriteCss("My Reds", colours),
              ":root {\n  --my-reds-1: #ff0000;\n  --my-reds-2: #0a0b0c;\n  --my-reds-3: #ffffff;\n}\n");
    const std::string paintNet = WritePaintNet("My Reds", colours);
    EXPECT_TRUE(paintNet.starts_with(";"));
    EXPECT_TRUE(paintNet.ends_with("\r\nFFFF0000\r\nFF0A0B0C\r\nFFFFFFFF\r\n")) << paintNet;
    const std::string ase = WriteAse({{"My Reds", colours}});
    EXPECT_EQ(ase.substr(0, 12), "ASEF" + U16(1) + U16(0) + U32(5)) << "group start, three colours, group end";
    EXPECT_EQ(ase.substr(12, 6 + 2 + 16), Block(0xC001, Utf16Name("My Reds")));
    EXPECT_EQ(ase.substr(12 + 24, 42), Entry("#FF0000", "RGB ", {1.0f, 0.0f, 0.0f})) << "a normal RGB entry";

    const Sets single = {{"My Reds", colours}};
    EXPECT_EQ(ReadGpl(WriteGpl("My Reds", colours)), single);
    EXPECT_EQ(ReadAse(ase), single);
    for (const Sets& read : {ReadPaintNet(paintNet), ReadHexList(WriteHexList(colours)), ReadCss(WriteCss("x", colours))})
        EXPECT_EQ(read, (Sets{{"", colours}}));
    std::vector<ColourValue> many;
    for (unsigned i = 0; i < 12; ++i) many.push_back(Hex(i * 0x151515u));
    const Sets all = {{"one", colours}, {"Ünïcode", many}};
    EXPECT_EQ(ReadAse(WriteAse(all)), all) << "every palette, a group each, names in UTF-16";
}

TEST(ImportNames, SplittingCuttingAndFreeNumbers) {
    const std::set<std::string> folder = {"Reds", "Blues 1", "Blues 3", "ABCDEFGHIJKLMNOP"};
    auto inUse = [&](const std::string& name) { return folder.count(name) != 0; };
    using Names = std::vector<std::string>;
    const struct {
        std::string base;
        int palettes;
        Names names;
    } cases[] = {
        {"Greens", 1, {"Greens"}},
        {"Reds", 1, {"Reds 2"}},
        {"Reds", 2, {"Reds 2", "Reds 3"}},
        {"Blues", 3, {"Blues 2", "Blues 4", "Blues 5"}},
        {"Greens", 3, {"Greens 1", "Greens 2", "Greens 3"}},
        {"ABCDEFGHIJKLMNOP", 1, {"ABCDEFGHIJKLMN 2"}},
        {"Visibone Websafe Colours", 28, {"Visibone Webs 1"}},
        {"Very long palette", 9, {"Very long pale 1"}},
        {"con", 1, {"con 2"}},
    };
    for (const auto& [base, palettes, names] : cases) {
        const Names made = NamesForSet(base, palettes, inUse);
        ASSERT_EQ(made.size(), static_cast<std::size_t>(palettes)) << base;
        EXPECT_EQ(Names(made.begin(), made.begin() + names.size()), names) << base;
        for (const std::string& name : made) EXPECT_LE(name.size(), 16u) << name;
    }
    EXPECT_EQ(NamesForSet("Visibone Websafe Colours", 28, inUse).back(), "Visibone Webs 28");
    EXPECT_EQ(CleanPaletteName(" A/B: c.d?\t "), "AB cd");
}

class Import : public AppTest {
protected:
    void SetUp() override {
        AddPalette("start.pal", "#FF0000\r\n");
        Start();
    }
    std::string Source(const std::string& name, const std::string& bytes) {
        const auto path = temp.path() / name;
        WriteFile(path, bytes);
        return path.string();
    }
};

std::string Gpl(int colours) {
    std::string text = "GIMP Palette\nName: Thirty\n";
    for (int i = 0; i < colours; ++i) text += std::to_string(i) + " 0 0\n";
    return text;
}

TEST_F(Import, FilesBecomePalettesOfTwelveAndOneMessageTellsOfEach) {
    platform.openAnswers.push_back({Source("thirty.gpl", Gpl(30)), Source("two.ase", Ase(6,
        GroupStart("Warm") + Entry("a", "RGB ", {1, 0, 0}) + GroupEnd() + GroupStart("Cool") +
        Entry("b", "RGB ", {0, 0, 1}) + Entry("c", "RGB ", {0, 1, 0}) + GroupEnd())),
        Source("broken.gpl", "GIMP Pal"), Source("start.hex", "123456\n"), Source("notes.doc", "#123456")});
    OpenManageWindow(*app, platform);
    platform.Queue({.kind = EventKind::Menu, .window = kManageWindow, .item = kItemFromFile});
    RunUntilIdle();
    ASSERT_EQ(platform.openDialogs.size(), 1u);
    EXPECT_EQ(platform.openDialogs[0].front().caption, "All palettes");
    EXPECT_EQ(platform.openDialogs[0].size(), 7u);
    EXPECT_EQ(platform.MessageLines(), (std::vector<std::string>{
        "Vandrel: Imported 30 colors from thirty.gpl into 3 palettes.\n"
        "Imported 3 colors from two.ase into 2 palettes.\n"
        "broken.gpl is not a palette file Vandrel can read.\n"
        "Imported 1 color from start.hex into 1 palette.\n"
        "notes.doc is not a palette file Vandrel can read."}));
    std::string first;
    for (int i = 0; i < 12; ++i) first += FormatColourCode(Rgb(i, 0, 0), "#") + "\r\n";
    EXPECT_EQ(ReadFile(SettingsPath() / "Thirty 1.pal"), first);
    EXPECT_EQ(ReadFile(SettingsPath() / "Thirty 3.pal").size(), 6u * 9);
    EXPECT_EQ(ReadFile(SettingsPath() / "Cool.pal"), "#0000FF\r\n#00FF00\r\n");
    EXPECT_EQ(ReadFile(SettingsPath() / "start 2.pal"), "#123456\r\n") << "start.pal was there already";
    EXPECT_FALSE(std::filesystem::exists(SettingsPath() / "broken.pal"));
    EXPECT_EQ(PaletteCount(*app), 7) << "the list follows";
    EXPECT_EQ(platform.ReadControl(kManageWindow, kPaletteList).text, "Thirty 1.pal") << "the first new one selected";
}

TEST_F(Import, AFullListTakesWhatFitsAndAHandedFileArrivesAsAnEvent) {
    for (int i = 0; i < kPaletteCapacity - 3; ++i)
        WriteFile(SettingsPath() / ("p" + std::to_string(i) + ".pal"), "#000000\r\n");
    ListPalettes(*app, platform);
    platform.Queue({.kind = EventKind::FilesHanded, .files = {Source("thirty.gpl", Gpl(60))}});
    RunUntilIdle();
    EXPECT_EQ(platform.MessageLines(), (std::vector<std::string>{
        "Vandrel: Imported 24 colors from thirty.gpl into 2 palettes; 36 colors did not fit in the palette list."}));
    EXPECT_EQ(PaletteCount(*app), kPaletteCapacity);
}

// The palette files of the folder and their contents.
std::map<std::string, std::string> PaletteFiles(const std::filesystem::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().extension() != ".ini") files[entry.path().filename().string()] = ReadFile(entry.path());
    return files;
}

// "Thirty 1.pal" ... of Gpl(colours), as the import writes them, names from `first` on.
std::map<std::string, std::string> ThirtyPalettes(int colours, int first = 1) {
    std::map<std::string, std::string> files;
    for (int c = 0; c < colours; ++c)
        files["Thirty " + std::to_string(first + c / kMaxColours) + ".pal"] += FormatColourCode(Rgb(c, 0, 0), "#") + "\r\n";
    return files;
}

TEST_F(Import, ALargeFileIsWrittenInIdlePassesAndTheListAndMessageFollowOnceAtTheEnd) {
    constexpr int kPalettes = 20;
    OpenManageWindow(*app, platform);
    platform.Queue({.kind = EventKind::FilesHanded, .files = {Source("big.gpl", Gpl(kPalettes * kMaxColours))}});
    RunLoopPass(*app, platform);
    EXPECT_EQ(PaletteFiles(SettingsPath()).size(), 1 + kImportFilesPerPass) << "the first pass writes a few";
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(PaletteCount(*app), 1) << "the list is rebuilt once, at the end";
    std::size_t before = PaletteFiles(SettingsPath()).size();
    int passes = 1;
    while (app->import && passes < 1000) {
        RunLoopPass(*app, platform);
        ++passes;
        const std::size_t now = PaletteFiles(SettingsPath()).size();
        EXPECT_LE(now - before, kImportFilesPerPass) << "pass " << passes;
        if (app->import) {
            EXPECT_TRUE(platform.messages.empty()) << "pass " << passes;
        }
        before = now;
    }
    EXPECT_GE(passes, static_cast<int>((kPalettes + kImportFilesPerPass - 1) / kImportFilesPerPass));
    EXPECT_EQ(platform.MessageLines(),
              (std::vector<std::string>{"Vandrel: Imported 240 colors from big.gpl into 20 palettes."}));
    auto expected = ThirtyPalettes(kPalettes * kMaxColours);
    expected["start.pal"] = "#FF0000\r\n";
    EXPECT_EQ(PaletteFiles(SettingsPath()), expected);
    EXPECT_EQ(PaletteCount(*app), 1 + kPalettes);
    EXPECT_EQ(platform.ReadControl(kManageWindow, kPaletteList).text, "Thirty 1.pal");
    RunLoopPass(*app, platform);
    EXPECT_EQ(platform.messages.size(), 1u) << "told once";
}

TEST_F(Import, WhatEndsTheRunMidImportFindsEveryPaletteWritten) {
    constexpr int kColours = 20 * kMaxColours;
    const std::filesystem::path other = temp.path() / "other";
    std::filesystem::create_directories(other);
    const std::string source = Source("big.gpl", Gpl(kColours));
    enum Way { TrayExit, ExitAsked, SessionEnding, FolderChange };
    for (Way way : {TrayExit, ExitAsked, SessionEnding, FolderChange}) {
        SCOPED_TRACE(way);
        for (const auto& [name, bytes] : PaletteFiles(SettingsPath()))
            if (name != "start.pal") std::filesystem::remove(SettingsPath() / name);
        NewProgram();
        platform.messages.clear();
        platform.events.clear();
        platform.shutDown = false;
        Start();
        OpenManageWindow(*app, platform);
        platform.Queue({.kind = EventKind::FilesHanded, .files = {source}});
        RunLoopPass(*app, platform);
        RunLoopPass(*app, platform);  // an idle one
        ASSERT_TRUE(app->import);
        switch (way) {
            case TrayExit: platform.Queue({.kind = EventKind::Menu, .window = kTrayOwnerWindow, .item = kItemExit}); break;
            case ExitAsked: platform.Queue({EventKind::ExitAsked, kTrayOwnerWindow}); break;
            case SessionEnding: platform.hook(kTrayOwnerWindow, HookEvent::SessionEnding); break;
            case FolderChange:
                platform.folderAnswers.push_back(other.string());
                platform.Queue({.kind = EventKind::Control, .window = kManageWindow, .control = kFolderButton});
                break;
        }
        if (way != SessionEnding) RunLoopPass(*app, platform);
        EXPECT_FALSE(app->import);
        auto expected = ThirtyPalettes(kColours);
        expected["start.pal"] = "#FF0000\r\n";
        EXPECT_EQ(PaletteFiles(SettingsPath()), expected) << "every palette whole, once, no file left half made";
        const std::vector<std::string> told = {"Vandrel: Imported 240 colors from big.gpl into 20 palettes."};
        EXPECT_EQ(platform.MessageLines(), way == SessionEnding ? std::vector<std::string>{} : told);
        if (way == FolderChange) {
            const auto there = PaletteFiles(other);
            EXPECT_EQ(there.size(), 1u) << "nothing imported into the new folder";
            EXPECT_TRUE(there.count("start.pal"));
        }
    }
}

TEST_F(Import, ASecondImportHandedInMeanwhileComesAfterTheFirstWithNamesOfItsOwn) {
    platform.Queue({.kind = EventKind::FilesHanded, .files = {Source("first.gpl", Gpl(20 * kMaxColours))}});
    RunLoopPass(*app, platform);
    ASSERT_TRUE(app->import);
    platform.Queue({.kind = EventKind::FilesHanded, .files = {Source("second.gpl", Gpl(5 * kMaxColours))}});
    RunUntilIdle();
    EXPECT_EQ(platform.MessageLines(), (std::vector<std::string>{
        "Vandrel: Imported 240 colors from first.gpl into 20 palettes.",
        "Vandrel: Imported 60 colors from second.gpl into 5 palettes."}));
    auto expected = ThirtyPalettes(20 * kMaxColours);
    expected.merge(ThirtyPalettes(5 * kMaxColours, 21));
    expected["start.pal"] = "#FF0000\r\n";
    EXPECT_EQ(PaletteFiles(SettingsPath()), expected) << "the second's names follow the first's";
    EXPECT_EQ(PaletteCount(*app), 26);
}

TEST_F(Import, ExportWritesTheChosenTypeAndRemembersTheFolder) {
    WriteFile(SettingsPath() / "Two Tone.pal", "#FF0000\r\n#0000ff\r\n");
    ListPalettes(*app, platform);
    OpenPaletteWindow(*app, platform, PaletteIndexOf(*app, "Two Tone.pal"), 1);
    const std::string out = (temp.path() / "out").string();
    platform.saveAnswers.push_back({out, 4});
    platform.saveAnswers.push_back({out + "-all.ase", 5});
    for (int i = 0; i < 2; ++i) platform.Queue({.kind = EventKind::Menu, .window = 1, .item = kItemExport});
    RunQueued();
    ASSERT_EQ(platform.saveDialogs.size(), 2u);
    EXPECT_EQ(platform.saveDialogs[0].suggested, "Two Tone");
    EXPECT_EQ(platform.saveDialogs[0].folder, "") << "at first the documents folder";
    EXPECT_EQ(platform.saveDialogs[1].folder, temp.path().string());
    EXPECT_EQ(platform.saveDialogs[0].types.back().caption, "Adobe Swatch Exchange, all palettes (*.ase)");
    EXPECT_EQ(ReadFile(out + ".css"), ":root {\n  --two-tone-1: #ff0000;\n  --two-tone-2: #0000ff;\n}\n");
    Sets all = ReadAse(ReadFile(out + "-all.ase"));
    std::sort(all.begin(), all.end(), [](const ColourSet& a, const ColourSet& b) { return a.name < b.name; });
    EXPECT_EQ(all,
              (Sets{{"Two Tone", {Hex(0xFF0000), Hex(0x0000FF)}}, {"start", {Hex(0xFF0000)}}}));
    EXPECT_TRUE(platform.messages.empty());
}

}  // namespace
}  // namespace vandrel::testing
