#include "config/start_with_windows.h"

#include <algorithm>

namespace vandrel {
namespace {

// The first byte of a startup-apps entry: 02 enabled, 03 switched off by the user.
constexpr std::uint8_t kApprovedEnabled = 0x02;
constexpr std::uint8_t kApprovedDisabled = 0x03;

char Folded(char ch) {
    if (ch == '/') return '\\';
    return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch;
}

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

}  // namespace

std::string ProgramOfCommand(const std::string& command) {
    const std::string text = Trimmed(command);
    if (!text.empty() && text.front() == '"') {
        const auto close = text.find('"', 1);
        return close == std::string::npos ? text.substr(1) : text.substr(1, close - 1);
    }
    // Unquoted: up to the first ".exe" that ends a word, arguments after it.
    std::string folded(text.size(), '\0');
    std::transform(text.begin(), text.end(), folded.begin(), Folded);
    for (auto at = folded.find(".exe"); at != std::string::npos; at = folded.find(".exe", at + 1)) {
        const auto end = at + 4;
        if (end == folded.size() || folded[end] == ' ' || folded[end] == '\t') return text.substr(0, end);
    }
    return text;
}

bool SamePath(const std::string& a, const std::string& b) {
    return !a.empty() && a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Folded(x) == Folded(y); });
}

bool StartsWithWindows(Platform& platform) {
    const auto command = platform.ReadRegistryText(kRunKey, kRunValueName);
    if (!command || !SamePath(ProgramOfCommand(*command), platform.ProgramPath())) return false;
    const auto approved = platform.ReadRegistryBytes(kStartupApprovedKey, kRunValueName);
    return !approved || approved->empty() || approved->front() != kApprovedDisabled;
}

bool ToggleStartWithWindows(Platform& platform) {
    if (StartsWithWindows(platform)) return platform.RemoveRegistryValue(kRunKey, kRunValueName);
    const std::string path = platform.ProgramPath();
    if (path.empty() || !platform.WriteRegistryText(kRunKey, kRunValueName, "\"" + path + "\"")) return false;
    // The rest of the entry (when it was switched off) stays as the system wrote it.
    auto approved = platform.ReadRegistryBytes(kStartupApprovedKey, kRunValueName);
    if (!approved || approved->empty() || approved->front() == kApprovedEnabled) return true;
    approved->front() = kApprovedEnabled;
    return platform.WriteRegistryBytes(kStartupApprovedKey, kRunValueName, *approved);
}

}  // namespace vandrel
