// The program's version: written once, as the project's version in
// CMakeLists.txt, from which the build makes vandrel_version.h.
#pragma once

#include <string_view>

#include "vandrel_version.h"

namespace vandrel {

constexpr std::string_view kProgramVersion = VANDREL_VERSION;
constexpr int kVersionMajor = VANDREL_VERSION_MAJOR;
constexpr int kVersionMinor = VANDREL_VERSION_MINOR;
constexpr int kVersionPatch = VANDREL_VERSION_PATCH;

}  // namespace vandrel
