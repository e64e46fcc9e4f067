// "Start with Windows": the user's Run value that starts this executable at
// sign-in, and the system's startup-apps list that may switch it off.
#pragma once

#include <string>

#include "platform/platform.h"

namespace vandrel {

inline constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* kStartupApprovedKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
inline constexpr const char* kRunValueName = "Vandrel";

// The program a Run command starts: the quoted path, or an unquoted one up to
// its ".exe".
std::string ProgramOfCommand(const std::string& command);
// Whether two paths name the same file as Windows reads them: without
// regard to case, "/" as "\".
bool SamePath(const std::string& a, const std::string& b);

// The Run value starts this very executable and the startup-apps list has
// not switched it off.
bool StartsWithWindows(Platform& platform);
// Checked: the Run value goes. Unchecked: it is written (quoted) and the
// startup-apps entry, where there is one, is marked enabled. False when the
// registry refused the change.
bool ToggleStartWithWindows(Platform& platform);

}  // namespace vandrel
