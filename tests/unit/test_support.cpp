#include "test_support.h"

#include <fstream>
#include <random>
#include <sstream>

#include "app/event_loop.h"
#include "app/startup.h"

namespace fs = std::filesystem;

namespace vandrel::testing {

TempFolder::TempFolder() : previousCurrent_(fs::current_path()) {
    std::random_device random;
    path_ = fs::temp_directory_path() / ("vandrel-test-" + std::to_string(random()));
    fs::create_directories(path_);
}

TempFolder::~TempFolder() {
    std::error_code error;
    fs::current_path(previousCurrent_, error);
    fs::remove_all(path_, error);
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::vector<MenuItem> SubItemsOf(const MenuItem& item) {
    return item.makeSubItems ? item.makeSubItems() : item.subItems;
}

void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

AppTest::AppTest() {
    fs::create_directories(temp.path() / "profile");
    platform.profileFolder = (temp.path() / "profile").string();
}

fs::path AppTest::SettingsPath() const { return temp.path() / "profile" / "Vandrel"; }

void AppTest::AddPalette(const std::string& name, const std::string& bytes) {
    fs::create_directories(SettingsPath());
    WriteFile(SettingsPath() / name, bytes);
}

void AppTest::Start() { StartUp(*app, platform); }

void AppTest::NewProgram() {
    platform.hook = nullptr;  // it belongs to the old state
    platform.hookInstalled = false;
    platform.windows.clear();
    app = std::make_unique<App>();
}

void AppTest::RunQueued() {
    // Bounded, so that a handler that keeps queueing events fails the test instead of hanging it.
    for (int pass = 0; pass < 1000 && !platform.events.empty() && app->running; ++pass)
        RunPass(*app, platform, platform.WaitEvent(kEventWait));
    EXPECT_TRUE(platform.events.empty()) << "events are still queued";
}

int AppTest::RunUntilIdle() {
    int passes = 0;
    for (; passes < 10000 && app->running && (!platform.events.empty() || app->startPending || app->import); ++passes)
        RunLoopPass(*app, platform);
    EXPECT_TRUE(platform.events.empty() && !app->startPending && !app->import) << "work is still left";
    return passes;
}

}  // namespace vandrel::testing
