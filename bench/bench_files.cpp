// Start-up and exit costs with a full palette folder: listing 800 palettes
// of 12 colours, reading and writing settings with 800 palette groups,
// building the menus for them; and the work of a swatch click.
#include <benchmark/benchmark.h>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <fstream>
#include <memory>

#include "core/state.h"
#include "fake/fake_platform.h"
#include "app/event_loop.h"
#include "app/operations.h"
#include "app/startup.h"
#include "settings/manage_window.h"
#include "palette/palette_list.h"
#include "palette_window/menus.h"
#include "palette_window/palette_window.h"
#include "config/settings.h"

namespace fs = std::filesystem;
using namespace vandrel;

namespace {

struct FullFolder {
    fs::path root = fs::temp_directory_path() / "vandrel-bench";
    testing::FakePlatform platform;
    std::unique_ptr<App> app = std::make_unique<App>();

    FullFolder() {
        fs::remove_all(root);
        fs::create_directories(root / "profile" / "Vandrel");
        platform.profileFolder = (root / "profile").string();
        for (int p = 0; p < 800; ++p) {
            std::ofstream out(root / "profile" / "Vandrel" / ("palette" + std::to_string(p) + ".pal"),
                              std::ios::binary);
            for (int c = 0; c < 12; ++c) out << "#" << std::hex << (0x100000 + p * 12 + c) << "\r\n";
        }
        ReadSettings(*app, platform);
        ListPalettes(*app, platform);
        WriteSettings(*app, platform);  // a settings file with 800 groups
    }
    ~FullFolder() {
        fs::current_path(fs::temp_directory_path());
        fs::remove_all(root);
    }
};

void ListPalettes800(benchmark::State& state) {
    FullFolder folder;
    for (auto _ : state) {
        ListPalettes(*folder.app, folder.platform);
        benchmark::DoNotOptimize(folder.app->PaletteNames[799]);
    }
}
BENCHMARK(ListPalettes800)->Unit(benchmark::kMillisecond);

#ifndef _WIN32
// What the system alone costs for the same files: open, one read, close each.
// ListPalettes is bound by this, which moves with the host's load by half from
// hour to hour; the two side by side say what the program adds.
void BareFileCalls800(benchmark::State& state) {
    FullFolder folder;
    ListPalettes(*folder.app, folder.platform);
    char buffer[16384];
    for (auto _ : state) {
        for (const std::string& name : folder.app->PaletteNames) {
            const int file = open(name.c_str(), O_RDONLY | O_CLOEXEC);
            if (read(file, buffer, sizeof buffer) <= 0) state.SkipWithError("a palette file could not be read");
            close(file);
        }
    }
}
BENCHMARK(BareFileCalls800)->Unit(benchmark::kMillisecond);
#endif

// A palette folder change from the manage window to another folder of 800
// palettes and back, alternating: the logic's part of the switch (settings
// stored and read, the list, the menus, the palette windows, the manage list).
void ChoosePaletteFolder800(benchmark::State& state) {
    FullFolder folder;
    const fs::path other = folder.root / "other";
    fs::create_directories(other);
    for (const auto& entry : fs::directory_iterator(folder.root / "profile" / "Vandrel"))
        if (entry.path().extension() == ".pal") fs::copy_file(entry.path(), other / entry.path().filename());
    StartUp(*folder.app, folder.platform);
    OpenManageWindow(*folder.app, folder.platform);
    const std::string folders[2] = {other.string(), (folder.root / "profile" / "Vandrel").string()};
    int next = 0;
    for (auto _ : state) {
        folder.platform.folderAnswers = {folders[next]};
        next = 1 - next;
        ChoosePaletteFolder(*folder.app, folder.platform);
        benchmark::DoNotOptimize(folder.app->PaletteNames[799]);
    }
}
BENCHMARK(ChoosePaletteFolder800)->Unit(benchmark::kMillisecond);

void ReadAndWriteSettings800(benchmark::State& state) {
    FullFolder folder;
    for (auto _ : state) {
        ReadSettings(*folder.app, folder.platform);
        WriteSettings(*folder.app, folder.platform);
    }
}
BENCHMARK(ReadAndWriteSettings800)->Unit(benchmark::kMillisecond);

void BuildMenus800(benchmark::State& state) {
    FullFolder folder;
    for (auto _ : state) {
        BuildMenus(*folder.app, folder.platform);
        benchmark::DoNotOptimize(folder.platform.menus.size());
    }
}
BENCHMARK(BuildMenus800)->Unit(benchmark::kMillisecond);

// From the click's event to the code on the clipboard, with the full folder
// listed and a palette window open.
void SwatchClickToClipboard(benchmark::State& state) {
    FullFolder folder;
    App& app = *folder.app;
    OpenPaletteWindow(app, folder.platform, 0, -1);
    const int slot = app.PaletteOptionsByName.at(app.PaletteNames[0]).WinID;
    Event click;
    click.kind = EventKind::Control;
    click.window = slot;
    click.control = SwatchId(slot, 1);
    click.subKind = SubKind::LeftClick;
    for (auto _ : state) {
        RunPass(app, folder.platform, click);
        benchmark::DoNotOptimize(folder.platform.clipboard.size());
    }
    if (folder.platform.clipboard.empty()) state.SkipWithError("the click copied nothing");
}
BENCHMARK(SwatchClickToClipboard)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
