#include "core/files.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "core/system_file.h"

namespace vandrel {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

bool IsSeparator(char ch) { return ch == '\\' || ch == '/'; }

// `name` in the folder of `path` (the current folder for a bare name).
std::string SiblingPath(const std::string& path, const char* name) {
    std::size_t end = path.size();
    while (end > 0 && !IsSeparator(path[end - 1])) --end;
    return path.substr(0, end) + name;
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
    ReadOnlyFile file(path.c_str());
    bytes.clear();
    if (!file.IsOpen()) return false;
    char buffer[16384];
    while (bytes.size() < limit) {
        const std::size_t asked = std::min(sizeof buffer, limit - bytes.size());
        const long long got = file.Read(buffer, asked);
        if (got < 0) {
            bytes.clear();
            return false;
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
        // A disk file gives less than was asked only at its end: a palette
        // takes one read instead of two.
        if (static_cast<std::size_t>(got) < asked) break;
    }
    return true;
}

bool WriteWholeFile(Platform& platform, const std::string& path, const std::string& bytes) {
    // Beside the file, under a short name of its own: "<name>.saving" would pass
    // the 255 characters a name may have when the file's own name is long.
    const std::string temporary = SiblingPath(path, kTemporaryFileName);
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
