// Whole-file reading and writing. Every file the program writes goes to a
// temporary file beside it first and is then moved over the old one, so a
// crash or a full disk never leaves a half-written palette or settings file.
#pragma once

#include <optional>
#include <string>

#include "core/system_file.h"
#include "platform/platform.h"

namespace vandrel {


// folder + name with exactly one separator between them.
std::string JoinPath(const std::string& folder, const std::string& name);

// The folder with a separator at its end.
std::string WithTrailingSeparator(const std::string& folder);

// The file's bytes, at most `limit` of them.
std::optional<std::string> ReadWholeFile(const std::string& path,
                                         std::size_t limit = static_cast<std::size_t>(-1));
// The same into `bytes`, whose room is kept for the next file; false (and
// `bytes` empty) when the file cannot be read.
bool ReadWholeFileInto(const std::string& path, std::size_t limit, std::string& bytes);

// The temporary file a write goes to first, in the folder of the file written.
constexpr const char* kTemporaryFileName = "~Vandrel.saving";

// False when the file could not be written completely; the old file is then
// left as it was.
bool WriteWholeFile(Platform& platform, const std::string& path, const std::string& bytes);

// True when the file can be opened for reading.
bool FileReadable(const std::string& path);

}  // namespace vandrel
