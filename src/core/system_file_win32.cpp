#include <fcntl.h>
#include <io.h>

#include "core/system_file.h"

namespace vandrel {

const char kPathSeparator = '\\';

ReadOnlyFile::ReadOnlyFile(const char* path) : descriptor_(_open(path, _O_RDONLY | _O_BINARY)) {}

ReadOnlyFile::~ReadOnlyFile() {
    if (descriptor_ >= 0) _close(descriptor_);
}

long long ReadOnlyFile::Read(char* buffer, std::size_t size) {
    return descriptor_ < 0
               ? -1
               : static_cast<long long>(_read(descriptor_, buffer, static_cast<unsigned>(size)));
}

bool SyncToDisk(std::FILE* file) {
    return _commit(_fileno(file)) == 0;
}

}  // namespace vandrel
