#include <fcntl.h>
#include <unistd.h>

#include "core/system_file.h"

namespace vandrel {

const char kPathSeparator = '/';

ReadOnlyFile::ReadOnlyFile(const char* path) : descriptor_(open(path, O_RDONLY | O_CLOEXEC)) {}

ReadOnlyFile::~ReadOnlyFile() {
    if (descriptor_ >= 0) close(descriptor_);
}

long long ReadOnlyFile::Read(char* buffer, std::size_t size) {
    return descriptor_ < 0 ? -1 : static_cast<long long>(read(descriptor_, buffer, size));
}

bool SyncToDisk(std::FILE* file) {
    return fsync(fileno(file)) == 0;
}

}  // namespace vandrel
