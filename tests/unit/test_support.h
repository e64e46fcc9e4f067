// A fresh program state, the fake platform and a temporary profile folder
// for each test.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "core/state.h"
#include "fake/fake_platform.h"
#include "fake/user.h"

namespace vandrel::testing {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
    std::filesystem::path previousCurrent_;
};

std::string ReadFile(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, const std::string& bytes);
// A sub-menu's items as the system menu shows them once it has opened.
std::vector<MenuItem> SubItemsOf(const MenuItem& item);

class AppTest : public ::testing::Test {
protected:
    AppTest();

    // The settings folder of the fake profile: <temp>/profile/Vandrel.
    std::filesystem::path SettingsPath() const;
    // Writes palette files into the settings folder before start-up.
    void AddPalette(const std::string& name, const std::string& bytes);
    // Runs the start-up sequence against the fake.
    void Start();
    // A fresh program state and no windows, as after the program ended.
    void NewProgram();
    // Runs the event loop's passes until no event is queued.
    void RunQueued();
    // Runs the loop's own passes, idle ones too, until no event is queued and
    // no start-up or import work is left; returns how many it ran.
    int RunUntilIdle();

    TempFolder temp;
    FakePlatform platform;
    User user{platform};
    std::unique_ptr<App> app = std::make_unique<App>();
};

}  // namespace vandrel::testing
