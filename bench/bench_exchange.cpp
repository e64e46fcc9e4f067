// Other programs' palette files: reading an Adobe Swatch Exchange file and a
// GIMP palette of 10,000 colours, and importing one into an empty folder
// (834 palettes' worth, as many as the list has room for): the whole import,
// and its longest pass of the event loop beside a start-up's with a full folder.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>

#include "app/event_loop.h"
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

// A folder holding only start.pal, and a source file of 10,000 colours in one set.
struct ImportFolder {
    fs::path root = fs::temp_directory_path() / "vandrel-bench-import";
    fs::path folder = root / "profile" / "Vandrel";
    fs::path source = root / "ten-thousand.ase";
    ImportFolder() {
        fs::remove_all(root);
        fs::create_directories(folder);
        std::ofstream(source, std::ios::binary) << WriteAse({{"Ten thousand", TenThousandColours()}});
    }
    ~ImportFolder() {
        fs::current_path(fs::temp_directory_path());
        fs::remove_all(root);
    }
    // A program started on the emptied folder.
    std::unique_ptr<App> Started(testing::FakePlatform& platform) {
        fs::current_path(root);
        for (const auto& entry : fs::directory_iterator(folder)) fs::remove(entry.path());
        platform.profileFolder = (root / "profile").string();
        auto app = std::make_unique<App>();
        StartUp(*app, platform);  // start.pal only
        return app;
    }
};

// The whole import, all its passes.
void ImportAse10000(benchmark::State& state) {
    ImportFolder files;
    for (auto _ : state) {
        state.PauseTiming();
        testing::FakePlatform platform;
        auto app = files.Started(platform);
        state.ResumeTiming();
        ImportPaletteFiles(*app, platform, {files.source.string()});
        FinishImport(*app, platform);
        if (app->PaletteNames[799].empty()) state.SkipWithError("the list is not full");
    }
}
BENCHMARK(ImportAse10000)->Unit(benchmark::kMillisecond)->Iterations(3);

double Milliseconds(std::chrono::steady_clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

// Each of the loop's passes, timed, while `pending` holds.
template <typename Pending>
std::vector<double> PassTimes(App& app, testing::FakePlatform& platform, Pending pending) {
    std::vector<double> times;
    while (pending() && times.size() < 100000) {
        const auto start = std::chrono::steady_clock::now();
        RunLoopPass(app, platform);
        times.push_back(Milliseconds(std::chrono::steady_clock::now() - start));
    }
    return times;
}

// The loop's longest pass while a 10,000-colour file is imported into an
// empty folder (799 palettes written, the list of 800 made), beside the
// longest pass of a start-up with a full folder (800 palettes of 12 colours
// read 25 a pass, then the menus), side by side in each iteration. Counters
// in ms: the start-up's longest and median pass; the import's longest pass,
// its first (the files read, the first palettes written) and last (list,
// menus, manage list, message), its median and 99th percentile (a write
// the disk holds up shows as a longest pass of its own); and their passes.
void LongestPassImportVsStartUp(benchmark::State& state) {
    const fs::path full = fs::temp_directory_path() / "vandrel-bench-full";
    fs::remove_all(full);
    fs::create_directories(full / "profile" / "Vandrel");
    for (int p = 0; p < 800; ++p) {
        std::ofstream out(full / "profile" / "Vandrel" / ("palette" + std::to_string(p) + ".pal"), std::ios::binary);
        for (int c = 0; c < 12; ++c) out << "#" << std::hex << (0x100000 + p * 12 + c) << "\r\n";
    }
    ImportFolder files;
    // The pass that `share` of the passes take no longer than.
    auto quantile = [](std::vector<double> times, double share) {
        std::sort(times.begin(), times.end());
        return times.empty() ? 0.0 : times[static_cast<std::size_t>(share * static_cast<double>(times.size() - 1))];
    };
    double startLongest = 0, startMedian = 0, startPasses = 0;
    double importLongest = 0, importFirst = 0, importLast = 0, importMedian = 0, importP99 = 0, importPasses = 0;
    for (auto _ : state) {
        {
            testing::FakePlatform platform;
            platform.profileFolder = (full / "profile").string();
            auto app = std::make_unique<App>();
            StartUp(*app, platform, StartMode::PaletteWindowsFirst);
            if (!app->startPending) state.SkipWithError("start-up did not go on in passes");
            const auto times = PassTimes(*app, platform, [&] { return app->startPending; });
            startLongest += *std::max_element(times.begin(), times.end());
            startMedian += quantile(times, 0.5);
            startPasses += static_cast<double>(times.size());
        }
        {
            testing::FakePlatform platform;
            auto app = files.Started(platform);
            platform.Queue({.kind = EventKind::FilesHanded, .files = {files.source.string()}});
            const auto times =
                PassTimes(*app, platform, [&] { return !platform.events.empty() || app->import != nullptr; });
            if (app->PaletteNames[799].empty() || platform.messages.size() != 1)
                state.SkipWithError("the import did not end with a full list and its message");
            importLongest += *std::max_element(times.begin(), times.end());
            importFirst += times.front();
            importLast += times.back();
            importMedian += quantile(times, 0.5);
            importP99 += quantile(times, 0.99);
            importPasses += static_cast<double>(times.size());
        }
        fs::current_path(fs::temp_directory_path());
    }
    const auto average = benchmark::Counter::kAvgIterations;
    state.counters["start_longest_ms"] = benchmark::Counter(startLongest, average);
    state.counters["start_median_ms"] = benchmark::Counter(startMedian, average);
    state.counters["start_passes"] = benchmark::Counter(startPasses, average);
    state.counters["import_longest_ms"] = benchmark::Counter(importLongest, average);
    state.counters["import_first_ms"] = benchmark::Counter(importFirst, average);
    state.counters["import_last_ms"] = benchmark::Counter(importLast, average);
    state.counters["import_median_ms"] = benchmark::Counter(importMedian, average);
    state.counters["import_p99_ms"] = benchmark::Counter(importP99, average);
    state.counters["import_passes"] = benchmark::Counter(importPasses, average);
    state.counters["longest_ratio"] = importLongest / std::max(startLongest, 1e-9);
    fs::remove_all(full);
}
BENCHMARK(LongestPassImportVsStartUp)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
