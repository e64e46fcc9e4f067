// Folders, files, text encodings, the profile folder and the displays.
#include "platform/win32/loaded_libraries.h"
#include "platform/win32/win32_platform.h"

#include <shellapi.h>
#include <shlobj.h>

namespace vandrel::win32 {
namespace {

std::string Convert(const std::string& text, UINT from, UINT to) {
    if (text.empty()) return text;
    const int wide =
        MultiByteToWideChar(from, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (wide <= 0) return text;
    std::wstring middle(static_cast<std::size_t>(wide), L'\0');
    MultiByteToWideChar(from, 0, text.data(), static_cast<int>(text.size()), middle.data(), wide);
    const int narrow =
        WideCharToMultiByte(to, 0, middle.data(), wide, nullptr, 0, nullptr, nullptr);
    if (narrow <= 0) return text;
    std::string result(static_cast<std::size_t>(narrow), '\0');
    WideCharToMultiByte(to, 0, middle.data(), wide, result.data(), narrow, nullptr, nullptr);
    return result;
}

}  // namespace

DisplayInfo Win32Platform::ExamineDisplays() {
    DisplayInfo info;
    info.screenWidth = GetSystemMetrics(SM_CXSCREEN);
    int primaryWidth = 0, firstWidth = 0;
    for (DWORD index = 0;; ++index) {
        DISPLAY_DEVICEA device{};
        device.cb = sizeof device;
        if (!EnumDisplayDevicesA(nullptr, index, &device, 0)) break;
        if (!(device.StateFlags & DISPLAY_DEVICE_ATTACHED_TO_DESKTOP)) continue;
        DEVMODEA mode{};
        mode.dmSize = sizeof mode;
        const int width = EnumDisplaySettingsA(device.DeviceName, ENUM_CURRENT_SETTINGS, &mode)
                              ? static_cast<int>(mode.dmPelsWidth)
                              : 0;
        if (info.desktopCount++ == 0) firstWidth = width;
        if (device.StateFlags & DISPLAY_DEVICE_PRIMARY_DEVICE) primaryWidth = width;
    }
    info.desktop0Width = primaryWidth ? primaryWidth : firstWidth;
    return info;
}

std::string Win32Platform::ProfileFolder() {
    // The system sets USERPROFILE to the profile folder at log-on; asking the
    // shell instead would load it before the first palette window shows.
    char path[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA("USERPROFILE", path, MAX_PATH);
    if (length > 0 && length < MAX_PATH && GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES)
        return std::string(path, length);
    PIDLIST_ABSOLUTE list = nullptr;
    if (FAILED(SpecialFolderLocation(CSIDL_PROFILE, &list))) return {};
    const PidlHandle owned{list};
    return owned && PathFromItemList(owned.get(), path) ? std::string(path) : std::string();
}

bool Win32Platform::SetCurrentFolder(const std::string& path) {
    return !path.empty() && SetCurrentDirectoryA(path.c_str()) != FALSE;
}

bool Win32Platform::CreateFolder(const std::string& path) {
    return CreateDirectoryA(path.c_str(), nullptr) != FALSE;
}

std::optional<std::vector<FolderEntry>> Win32Platform::ListFolder(const std::string& pattern) {
    WIN32_FIND_DATAA data{};
    HANDLE first = FindFirstFileA(pattern.c_str(), &data);
    if (first == INVALID_HANDLE_VALUE) {
        // No match in a folder that exists is an empty listing, not a failure.
        if (GetLastError() == ERROR_FILE_NOT_FOUND) return std::vector<FolderEntry>{};
        return std::nullopt;
    }
    const FindHandle find{first};
    std::vector<FolderEntry> entries;
    do {
        const std::string name = data.cFileName;
        if (name == "." || name == "..") continue;
        entries.push_back({name, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileA(find.get(), &data));
    return entries;
}

bool Win32Platform::ReplaceFile(const std::string& from, const std::string& to) {
    return MoveFileExA(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool Win32Platform::RemoveFile(const std::string& name) {
    return DeleteFileA(name.c_str()) != FALSE;
}

std::string Win32Platform::CodePageToUtf8(const std::string& text) {
    return Convert(text, CP_ACP, CP_UTF8);
}

std::string Win32Platform::Utf8ToCodePage(const std::string& text) {
    return Convert(text, CP_UTF8, CP_ACP);
}

bool Win32Platform::OpenWithShell(const std::string& target) {
    // Handlers that the shell starts through COM want an apartment on this thread.
    EnsureOle();
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    // Done before we go on, even if the loop ends soon; the program started is ours to watch.
    info.fMask = SEE_MASK_NOASYNC | SEE_MASK_NOCLOSEPROCESS;
    info.lpVerb = "open";
    info.lpFile = target.c_str();
    info.nShow = SW_SHOWNORMAL;
    if (!ExecuteWithShell(&info)) return false;
    if (!info.hProcess) return true;  // handed to a program that was running already
    const KernelHandle handler{info.hProcess};
    // A launcher that finds no program for the address ends at once with a failure code (under
    // Wine, winebrowser without a browser, within half a second); one still running by the
    // deadline is the program itself, opening it.
    constexpr DWORD kHandlerVerdict = 3000;  // the longest a click on a link holds the program up
    if (!PumpUntil(handler.get(), kHandlerVerdict)) return true;
    DWORD code = 0;
    return !GetExitCodeProcess(handler.get(), &code) || code == 0;
}

}  // namespace vandrel::win32
