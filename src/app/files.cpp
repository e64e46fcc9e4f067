#include "app/files.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include <fcntl.h>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace vandrel {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

bool IsSeparator(char ch) { return ch == '\\' || ch == '/'; }

// On the disk before it replaces the old file, so that a power cut leaves
// the old file or the new one, never an empty one.
bool SyncToDisk(std::FILE* file) {
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}

}  // namespace

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    std::string joined = folder;
    while (!joined.empty() && IsSeparator(joined.back())) joined.pop_back();
    std::size_t start = 0;
    while (start < name.size() && IsSeparator(name[start])) ++start;
    return joined + kPathSeparator + name.substr(start);
}

std::string WithTrailingSeparator(const std::string& folder) {
    if (!folder.empty() && IsSeparator(folder.back())) return folder;
    return folder + kPathSeparator;
}

std::optional<std::string> ReadWholeFile(const std::string& path, std::size_t limit) {
    std::string bytes;
    if (!ReadWholeFileInto(path, limit, bytes)) return std::nullopt;
    return bytes;
}

bool ReadWholeFileInto(const std::string& path, std::size_t limit, std::string& bytes) {
    // Straight from the file into our buffer, without a stream: a full folder
    // is read file by file, and a stream costs calls to the system of its own.
#ifdef _WIN32
    const int file = _open(path.c_str(), _O_RDONLY | _O_BINARY);
#else
    const int file = open(path.c_str(), O_RDONLY | O_CLOEXEC);
#endif
    bytes.clear();
    if (file < 0) return false;
    char buffer[16384];
    bool failed = false;
    while (bytes.size() < limit) {
        const std::size_t asked = std::min(sizeof buffer, limit - bytes.size());
#ifdef _WIN32
        const auto got = _read(file, buffer, static_cast<unsigned>(asked));
#else
        const auto got = read(file, buffer, asked);
#endif
        if (got < 0) {
            failed = true;
            break;
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
        // A disk file gives less than was asked only at its end: a palette
        // takes one read instead of two.
        if (static_cast<std::size_t>(got) < asked) break;
    }
#ifdef _WIN32
    _close(file);
#else
    close(file);
#endif
    if (failed) bytes.clear();
    return !failed;
}

bool WriteWholeFile(Platform& platform, const std::string& path, const std::string& bytes) {
    const std::string temporary = path + ".saving";
    {
        FileHandle file(std::fopen(temporary.c_str(), "wb"));
        if (!file) return false;
        const bool written =
            std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size() &&
            std::fflush(file.get()) == 0 && SyncToDisk(file.get());
        if (std::fclose(file.release()) != 0 || !written) {
            platform.RemoveFile(temporary);
            return false;
        }
    }
    if (!platform.ReplaceFile(temporary, path)) {
        platform.RemoveFile(temporary);
        return false;
    }
    return true;
}

bool FileReadable(const std::string& path) {
    FileHandle file(std::fopen(path.c_str(), "rb"));
    return file != nullptr;
}

}  // namespace vandrel
