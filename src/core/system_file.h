// The few file calls that differ between systems, behind one header: each
// system has its own implementation file (system_file_posix.cpp for the
// native build, system_file_win32.cpp for the product).
#pragma once

#include <cstddef>
#include <cstdio>

namespace vandrel {

// '\\' on Windows, '/' elsewhere.
extern const char kPathSeparator;

// A file opened for reading, closed when it goes.
class ReadOnlyFile {
  public:
    explicit ReadOnlyFile(const char* path);
    ~ReadOnlyFile();
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    bool IsOpen() const { return descriptor_ >= 0; }
    // Up to `size` bytes; less only at the end of the file; -1 on an error.
    long long Read(char* buffer, std::size_t size);

  private:
    int descriptor_ = -1;
};

// What was written to the stream is on the disk before this returns true.
bool SyncToDisk(std::FILE* file);

}  // namespace vandrel
