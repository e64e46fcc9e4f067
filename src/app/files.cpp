#include "app/files.h"

#include <algorithm>
#include <cstdio>
#include <memory>

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
    FileHandle file(std::fopen(path.c_str(), "rb"));
    if (!file) return std::nullopt;
    // Read straight into our buffer: the stream's own would cost a call to
    // the system per file to size it, and a full folder is read file by file.
    std::setvbuf(file.get(), nullptr, _IONBF, 0);
    std::string bytes;
    char buffer[16384];
    std::size_t got;
    while (bytes.size() < limit &&
           (got = std::fread(buffer, 1, std::min(sizeof buffer, limit - bytes.size()), file.get())) > 0)
        bytes.append(buffer, got);
    if (std::ferror(file.get())) return std::nullopt;
    return bytes;
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
