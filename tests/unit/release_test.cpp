// Start with Windows (the Run value read and written through the fake's
// registry), an installer's request to end, and the version.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/event_loop.h"
#include "config/start_with_windows.h"
#include "core/version.h"
#include "editor/editor_window.h"
#include "test_support.h"

namespace vandrel::testing {
namespace {

const std::string kExe = "C:\\Users\\someone\\AppData\\Local\\Programs\\Vandrel\\Vandrel.exe";

class StartWithWindowsItem : public AppTest {
protected:
    void SetUp() override {
        platform.programPath = kExe;
        AddPalette("web.pal", "#1A2B3C\r\n");
        Start();
    }
    // Opens the tray menu as a click on the icon does: whether the item shows checked.
    bool ShownChecked() {
        platform.Queue({EventKind::Tray, kTrayOwnerWindow, 0, 0, SubKind::RightClick});
        RunQueued();
        return platform.menuChecks.at({MenuId::Tray, kItemStartWithWindows});
    }
    void Choose() {
        platform.Queue({EventKind::Menu, kTrayOwnerWindow, kItemStartWithWindows});
        RunQueued();
    }
    std::optional<std::string> RunValue() { return platform.ReadRegistryText(kRunKey, kRunValueName); }
    void SetApproved(std::vector<std::uint8_t> bytes) {
        platform.WriteRegistryBytes(kStartupApprovedKey, kRunValueName, bytes);
    }
};

TEST_F(StartWithWindowsItem, ChoosingItWritesThisExecutableQuotedAndChoosingItAgainRemovesIt) {
    EXPECT_FALSE(ShownChecked());
    Choose();
    EXPECT_EQ(RunValue(), "\"" + kExe + "\"");
    EXPECT_TRUE(ShownChecked());
    Choose();
    EXPECT_EQ(RunValue(), std::nullopt);
    EXPECT_FALSE(ShownChecked());
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(StartWithWindowsItem, OnlyAValueStartingThisVeryExecutableCounts) {
    const std::vector<std::pair<std::string, bool>> values = {
        {"\"" + kExe + "\"", true},
        {kExe, true},  // unquoted, as people write it by hand
        {"\"C:\\USERS\\SOMEONE\\appdata\\local\\programs\\vandrel\\VANDREL.EXE\" /minimised", true},
        {"C:/Users/someone/AppData/Local/Programs/Vandrel/Vandrel.exe --tray", true},
        {"  \"" + kExe + "\"  ", true},
        {"\"D:\\Portable\\Vandrel\\Vandrel.exe\"", false},
        {"\"" + kExe + ".old\"", false},
        {"\"C:\\Users\\someone\\AppData\\Local\\Programs\\Vandrel\\Vandrel\"", false},
        {"", false},
        {"\"", false},
    };
    for (const auto& [value, checked] : values) {
        platform.WriteRegistryText(kRunKey, kRunValueName, value);
        EXPECT_EQ(ShownChecked(), checked) << value;
    }
    // Another copy's value: choosing the item starts this one instead.
    platform.WriteRegistryText(kRunKey, kRunValueName, "\"D:\\Portable\\Vandrel\\Vandrel.exe\"");
    Choose();
    EXPECT_EQ(RunValue(), "\"" + kExe + "\"");
}

TEST_F(StartWithWindowsItem, SwitchedOffInTheStartupAppsItIsUncheckedAndChoosingItSwitchesItOn) {
    platform.WriteRegistryText(kRunKey, kRunValueName, "\"" + kExe + "\"");
    SetApproved({0x02, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_TRUE(ShownChecked());
    const std::vector<std::uint8_t> off = {0x03, 0, 0, 0, 0x10, 0x2E, 0x5A, 0x7B, 0x31, 0xDA, 0xD9, 0x01};
    SetApproved(off);
    EXPECT_FALSE(ShownChecked());
    Choose();
    std::vector<std::uint8_t> on = off;
    on[0] = 0x02;
    EXPECT_EQ(platform.ReadRegistryBytes(kStartupApprovedKey, kRunValueName), on) << "the rest as the system wrote it";
    EXPECT_EQ(RunValue(), "\"" + kExe + "\"");
    EXPECT_TRUE(ShownChecked());
    // Checked, choosing removes the Run value only.
    Choose();
    EXPECT_EQ(RunValue(), std::nullopt);
    EXPECT_EQ(platform.ReadRegistryBytes(kStartupApprovedKey, kRunValueName), on);
    // No entry in the startup apps: none is made.
    platform.registry.clear();
    Choose();
    EXPECT_EQ(platform.ReadRegistryBytes(kStartupApprovedKey, kRunValueName), std::nullopt);
    EXPECT_TRUE(ShownChecked());
}

TEST_F(StartWithWindowsItem, ARegistryThatRefusesTheChangeGivesAMessage) {
    platform.failRegistryWrites = true;
    Choose();
    EXPECT_EQ(RunValue(), std::nullopt);
    EXPECT_EQ(platform.MessageLines(),
              (std::vector<std::string>{"Error: Vandrel could not change its start with Windows in the registry."}));
    EXPECT_TRUE(app->running);
}

TEST_F(StartWithWindowsItem, AnInstallersRequestToEndEndsAsTheTraysExitDoesWithoutAQuestion) {
    platform.Queue({EventKind::Menu, kTrayOwnerWindow, kFirstEditItem + app->PaletteIndexByName.at("web.pal")});
    RunQueued();
    ASSERT_TRUE(platform.Exists(kEditorWindow));
    user.Type(kEditorWindow, EditFieldId(2), "123456");  // a change the editor would ask about
    RunQueued();
    std::filesystem::remove(SettingsPath() / "Vandrel.ini");
    platform.Queue({EventKind::ExitAsked, kTrayOwnerWindow});
    RunQueued();
    EXPECT_FALSE(app->running);
    EXPECT_TRUE(platform.shutDown);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_NE(ReadFile(SettingsPath() / "Vandrel.ini").find("[web.pal]"), std::string::npos);
}

TEST(Version, IsTheProjectVersionInDottedNumbers) {
    EXPECT_EQ(kProgramVersion, std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) + "." +
                                   std::to_string(kVersionPatch));
    EXPECT_GE(kVersionMajor, 1);
}

}  // namespace
}  // namespace vandrel::testing
