// Other programs' palette files: reading an Adobe Swatch Exchange file and a
// GIMP palette of 10,000 colours, and importing one into an empty folder
// (834 palettes' worth, as many as the list has room for).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "app/operations.h"
#include "app/startup.h"
#include "config/settings.h"
#include "exchange/palette_formats.h"
#include "fake/fake_platform.h"
#include "palette/palette_list.h"

namespace fs = std::filesystem;
using namespace vandrel;

namespace {

std::vector<ColourValue> TenThousandColours() {
    std::vector<ColourValue> colours;
    for (unsigned i = 0; i < 10000; ++i) colours.push_back((i * 2654435761u) & 0xFFFFFF);
    return colours;
}

void ReadAse10000(benchmark::State& state) {
    const std::string bytes = WriteAse({{"Ten thousand", TenThousandColours()}});
    for (auto _ : state) benchmark::DoNotOptimize(ReadAse(bytes));
}
BENCHMARK(ReadAse10000)->Unit(benchmark::kMillisecond);

void ReadGpl10000(benchmark::State& state) {
    const std::string bytes = WriteGpl("Ten thousand", TenThousandColours());
    for (auto _ : state) benchmark::DoNotOptimize(ReadGpl(bytes));
}
BENCHMARK(ReadGpl10000)->Unit(benchmark::kMillisecond);

void ImportAse10000(benchmark::State& state) {
    const fs::path root = fs::temp_directory_path() / "vandrel-bench-import";
    const fs::path folder = root / "profile" / "Vandrel";
    const fs::path source = root / "ten-thousand.ase";
    fs::remove_all(root);
    fs::create_directories(folder);
    std::ofstream(source, std::ios::binary) << WriteAse({{"Ten thousand", TenThousandColours()}});
    for (auto _ : state) {
        state.PauseTiming();
        for (const auto& entry : fs::directory_iterator(folder)) fs::remove(entry.path());
        testing::FakePlatform platform;
        platform.profileFolder = (root / "profile").string();
        auto app = std::make_unique<App>();
        StartUp(*app, platform);  // an empty folder: start.pal only
        state.ResumeTiming();
        ImportPaletteFiles(*app, platform, {source.string()});
        benchmark::DoNotOptimize(app->PaletteNames[799]);
        state.PauseTiming();
        fs::current_path(root);
        state.ResumeTiming();
    }
    fs::remove_all(root);
}
BENCHMARK(ImportAse10000)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
