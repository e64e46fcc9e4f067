#include <gtest/gtest.h>

#include "app/event_loop.h"
#include "palette/palette_file.h"
#include "palette_window/colour_output.h"
#include "palette_window/palette_window.h"
#include "test_support.h"

namespace vandrel::testing {
namespace {

std::string Describe(const std::vector<KeyRecord>& records) {
    std::string text;
    for (const KeyRecord& r : records) {
        if (!text.empty()) text += ' ';
        if (r.unicodeChar) text += "U+" + std::to_string(r.unicodeChar);
        else if (r.virtualKey == kVkShift) text += "Shift";
        else if (r.virtualKey == kVkControl) text += "Ctrl";
        else if (r.virtualKey == kVkMenu) text += "Alt";
        else if (r.virtualKey < 128) text += static_cast<char>(r.virtualKey);
        else text += "VK" + std::to_string(r.virtualKey);
        text += r.keyUp ? "^" : "v";
    }
    return text;
}

TEST(KeyRecords, HashCodeOnAUsLayoutIsTwentyTwoRecords) {
    FakePlatform platform;
    const auto records = KeyRecordsFor("#1A2B3C", [&](char ch) { return platform.KeyScan(ch); });
    EXPECT_EQ(records.size(), 22u);
    EXPECT_EQ(Describe(records),
              "Shiftv 3v 3^ Shift^ 1v 1^ Shiftv Av A^ Shift^ 2v 2^ Shiftv Bv B^ Shift^ 3v 3^ Shiftv Cv C^ "
              "Shift^");
}

TEST(KeyRecords, OtherLayoutsGetTheirOwnShiftState) {
    FakePlatform platform;
    auto scan = [&](char ch) { return platform.KeyScan(ch); };
    platform.layout = Layout::German;  // "#" has a key of its own
    EXPECT_EQ(Describe(KeyRecordsFor("#1A", scan)), "VK191v VK191^ 1v 1^ Shiftv Av A^ Shift^");
    platform.layout = Layout::French;  // digits need Shift, "#" needs AltGr
    EXPECT_EQ(Describe(KeyRecordsFor("#1", scan)), "Ctrlv Altv 3v 3^ Alt^ Ctrl^ Shiftv 1v 1^ Shift^");
}

TEST(KeyRecords, CharactersWithoutAKeyGoAsUnicode) {
    const auto records = KeyRecordsFor("#", [](char) -> std::int16_t { return -1; });
    EXPECT_EQ(Describe(records), "U+35v U+35^");
}

class Output : public AppTest {
protected:
    void SetUp() override {
        AddPalette("web.pal", "#1A2B3C\r\n#000000\r\n");
        Start();
        OpenPaletteWindow(*app, platform, 0, -1);
    }
    void Click(int control) {
        RunPass(*app, platform, {EventKind::Control, 1, 0, control, SubKind::LeftClick});
    }
    PaletteOptions& Options() { return app->PaletteOptionsByName.at("web.pal"); }
};

TEST_F(Output, ClipboardModeCopiesEveryClickWhateverIsInFront) {
    platform.foreground = kManageWindow;
    Click(1200);
    EXPECT_EQ(platform.clipboard, "#1A2B3C");
    Click(1201);
    EXPECT_EQ(platform.clipboard, "#000000") << "black delivers like any colour";
    app->settings.Prefix = "";
    Click(1201);
    EXPECT_EQ(platform.clipboard, "000000");
    EXPECT_EQ(platform.clipboardWrites, 3);
    EXPECT_TRUE(platform.sentKeys.empty());
}

TEST_F(Output, KeyboardModeTypesOncePerHalfSecondIntoOtherPrograms) {
    Options().Output = 1;
    platform.foreground = -1;
    Click(1200);
    ASSERT_EQ(platform.sentKeys.size(), 1u);
    EXPECT_EQ(platform.sentKeys[0].size(), 22u) << "one SendInput call for the whole code";
    platform.clock += 500;
    Click(1200);
    EXPECT_EQ(platform.sentKeys.size(), 1u) << "500 ms after the last typing is too soon";
    platform.clock += 1;
    Click(1200);
    EXPECT_EQ(platform.sentKeys.size(), 2u);
    EXPECT_EQ(platform.clipboardWrites, 0) << "no fallback to the clipboard";
}

TEST_F(Output, KeyboardModeTypesNothingWhileOurOwnWindowIsInFront) {
    Options().Output = 1;
    for (int window : {kManageWindow, kEditorWindow, 1}) {
        platform.foreground = window;
        Click(1200);
    }
    EXPECT_TRUE(platform.sentKeys.empty());
    EXPECT_EQ(platform.clipboardWrites, 0);
}

TEST_F(Output, AHandEditedOutputValueStillDelivers) {
    Options().Output = 7;
    Click(1200);
    EXPECT_EQ(platform.clipboard, "#1A2B3C");
}

TEST_F(Output, ASwatchWhoseWindowHasGoneDeliversNothing) {
    platform.CloseWindow(1);
    app->Slots[1].PaletteName.clear();
    Click(1200);
    EXPECT_EQ(platform.clipboardWrites, 0);
}

}  // namespace
}  // namespace vandrel::testing
