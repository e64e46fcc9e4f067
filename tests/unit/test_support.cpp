#include "test_support.h"

#include <fstream>
#include <random>
#include <sstream>

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

void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

AppTest::AppTest() {
    fs::create_directories(temp.path() / "profile");
    platform.profileFolder = (temp.path() / "profile").string();
    FillControlTables(*app);
}

fs::path AppTest::SettingsPath() const { return temp.path() / "profile" / "Vandrel"; }

void AppTest::AddPalette(const std::string& name, const std::string& bytes) {
    fs::create_directories(SettingsPath());
    WriteFile(SettingsPath() / name, bytes);
}

void AppTest::Start() { StartUp(*app, platform); }

}  // namespace vandrel::testing
