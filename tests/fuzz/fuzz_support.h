// What the fuzz targets share: a program started against the fake platform
// in a folder of its own, once per process, with the files a run needs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include <unistd.h>

#include "app/event_loop.h"
#include "app/startup.h"
#include "fake/fake_platform.h"
#include "fake/user.h"

namespace vandrel::fuzzing {

inline std::string Bytes(const std::uint8_t* data, std::size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

// One profile folder for the whole run, removed at the end.
inline const std::filesystem::path& Profile() {
    struct Folder {
        std::filesystem::path path;
        Folder() {
            path = std::filesystem::temp_directory_path() /
                   ("vandrel-fuzz-" + std::to_string(static_cast<unsigned long>(::getpid())));
            std::filesystem::create_directories(path / "Vandrel");
        }
        ~Folder() {
            std::error_code error;
            std::filesystem::current_path(std::filesystem::temp_directory_path(), error);
            std::filesystem::remove_all(path, error);
        }
    };
    static Folder folder;
    return folder.path;
}

inline void Write(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// A fresh program: settings folder emptied and refilled with `files`, started.
struct Program {
    testing::FakePlatform platform;
    testing::User user{platform};
    std::unique_ptr<App> app = std::make_unique<App>();

    template <class Files>
    explicit Program(const Files& files) {
        const std::filesystem::path folder = Profile() / "Vandrel";
        std::error_code error;
        std::filesystem::current_path(Profile(), error);
        for (const auto& entry : std::filesystem::directory_iterator(folder, error))
            std::filesystem::remove_all(entry.path(), error);
        for (const auto& [name, bytes] : files) Write(folder / name, bytes);
        platform.profileFolder = Profile().string();
        // Without drawing the images: the fake never shows them, and drawing
        // them for every input took most of a run.
        app->imagesLoaded = true;
        StartFromFiles(*app, platform);
    }
    // The event loop's passes until nothing is queued (bounded: a handler
    // that keeps queueing is a finding of its own).
    void Run() {
        for (int pass = 0; pass < 2000 && !platform.events.empty() && app->running; ++pass)
            RunPass(*app, platform, platform.WaitEvent(kEventWait));
        if (!platform.events.empty() && app->running) __builtin_trap();
    }
};

// A finding: the fuzzer reports the input that broke a rule.
inline void Expect(bool holds) {
    if (!holds) __builtin_trap();
}

}  // namespace vandrel::fuzzing
