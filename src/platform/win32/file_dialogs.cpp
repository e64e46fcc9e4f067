// The open and save dialogs (Unicode), the paths of the command line, and
// their hand-over from a second start to the running copy.
#include "platform/win32/loaded_libraries.h"
#include "platform/win32/win32_platform.h"

#include <commdlg.h>

namespace vandrel::win32 {
namespace {

// What a WM_COPYDATA of palette paths carries in dwData.
constexpr ULONG_PTR kFilesHandedTag = 0x56444C46;  // "VDLF"
constexpr std::size_t kMostHandedFiles = 1000;

std::wstring Widen(const std::string& text) {
    if (text.empty()) return {};
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

// In the code page; `lossy` tells of a character it has not.
std::string Narrow(const std::wstring& wide, bool& lossy) {
    lossy = false;
    if (wide.empty()) return {};
    BOOL usedDefault = FALSE;
    const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                                           nullptr, 0, nullptr, &usedDefault);
    std::string text(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    if (length > 0)
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()), text.data(),
                            length, nullptr, &usedDefault);
    lossy = usedDefault != FALSE || length <= 0;
    return text;
}

std::wstring ShortPathOf(const std::wstring& path) {
    std::wstring buffer(32768, L'\0');
    const DWORD length = GetShortPathNameW(path.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0 || length >= buffer.size()) return {};
    buffer.resize(length);
    return buffer;
}

// The program keeps paths in the code page (its files are opened by them); a
// name the code page cannot spell is reached by its short form, which the
// system gives every name. A file still to be made keeps its own name in a
// folder so reached.
std::string CodePagePath(const std::wstring& wide) {
    bool lossy = false;
    std::string text = Narrow(wide, lossy);
    if (!lossy) return text;
    const std::wstring shortPath = ShortPathOf(wide);
    if (!shortPath.empty()) {
        std::string shortText = Narrow(shortPath, lossy);
        if (!lossy) return shortText;
    }
    const std::size_t slash = wide.find_last_of(L"\\/");
    if (slash != std::wstring::npos) {
        const std::wstring folder = ShortPathOf(wide.substr(0, slash));
        if (!folder.empty()) {
            bool folderLossy = false;
            std::string folderText = Narrow(folder, folderLossy);
            if (!folderLossy) return folderText + "\\" + Narrow(wide.substr(slash + 1), lossy);
        }
    }
    return text;
}

// "caption\0patterns\0...\0\0"
std::wstring FilterOf(const std::vector<FileType>& types) {
    std::wstring filter;
    for (const FileType& type : types) {
        filter += Widen(type.caption);
        filter += L'\0';
        filter += Widen(type.patterns);
        filter += L'\0';
    }
    filter += L'\0';
    return filter;
}

template <typename Function>
Function CommonDialogEntry(const char* name) {
    // comdlg32 is loaded at its first use, as for the colour chooser.
    static HMODULE module = LoadLibraryA("comdlg32.dll");
    return Entry<Function>(module, name);
}

// The command line's arguments after the program's name, by the rules of the C runtime.
std::vector<std::wstring> CommandLineArguments(const wchar_t* line) {
    std::vector<std::wstring> arguments;
    if (!line) return arguments;
    // The program's name: up to a blank, or quoted; no escapes.
    if (*line == L'"') {
        ++line;
        while (*line && *line != L'"') ++line;
        if (*line) ++line;
    } else {
        while (*line && *line != L' ' && *line != L'\t') ++line;
    }
    for (;;) {
        while (*line == L' ' || *line == L'\t') ++line;
        if (!*line) break;
        std::wstring argument;
        bool quoted = false;
        while (*line && (quoted || (*line != L' ' && *line != L'\t'))) {
            std::size_t backslashes = 0;
            while (*line == L'\\') {
                ++backslashes;
                ++line;
            }
            if (*line == L'"') {
                argument.append(backslashes / 2, L'\\');
                if (backslashes % 2 == 1) {
                    argument += L'"';
                } else if (quoted && line[1] == L'"') {
                    argument += L'"';
                    ++line;
                } else {
                    quoted = !quoted;
                }
                ++line;
            } else {
                argument.append(backslashes, L'\\');
                if (*line && (quoted || (*line != L' ' && *line != L'\t'))) argument += *line++;
            }
        }
        arguments.push_back(std::move(argument));
    }
    return arguments;
}

// The full paths of the files the program was started with; arguments that
// start with "/" are switches, not files.
std::vector<std::wstring> CommandLineFiles() {
    std::vector<std::wstring> files;
    for (const std::wstring& argument : CommandLineArguments(GetCommandLineW())) {
        if (argument.empty() || argument[0] == L'/') continue;
        std::wstring full(32768, L'\0');
        const DWORD length = GetFullPathNameW(argument.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (length == 0 || length >= full.size()) continue;
        full.resize(length);
        files.push_back(std::move(full));
        if (files.size() == kMostHandedFiles) break;
    }
    return files;
}

// The extensions of the save dialog's types, without "*.", in order.
struct SaveTypes {
    std::vector<std::wstring> extensions;
};

std::wstring ExtensionOf(const std::string& patterns) {
    std::wstring extension = Widen(patterns.substr(0, patterns.find(';')));
    if (extension.rfind(L"*.", 0) == 0) extension.erase(0, 2);
    return extension;
}

// The save dialog's hook: a name typed without an extension gets the chosen
// type's, not the first type's.
UINT_PTR CALLBACK SaveDialogHook(HWND hook, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        const auto* info = reinterpret_cast<const OPENFILENAMEW*>(lParam);
        SetWindowLongPtrW(hook, GWLP_USERDATA, static_cast<LONG_PTR>(info->lCustData));
        return 0;
    }
    if (message != WM_NOTIFY) return 0;
    const auto* notify = reinterpret_cast<const OFNOTIFYW*>(lParam);
    if (notify->hdr.code != CDN_TYPECHANGE || !notify->lpOFN) return 0;
    const auto* types = reinterpret_cast<const SaveTypes*>(GetWindowLongPtrW(hook, GWLP_USERDATA));
    const DWORD index = notify->lpOFN->nFilterIndex;
    if (types && index >= 1 && index <= types->extensions.size())
        SendMessageW(GetParent(hook), CDM_SETDEFEXT, 0, reinterpret_cast<LPARAM>(types->extensions[index - 1].c_str()));
    return 0;
}

}  // namespace

std::vector<std::string> Win32Platform::ChooseFilesToOpen(int owner, const std::string& title,
                                                          const std::vector<FileType>& types) {
    using Function = BOOL(WINAPI*)(LPOPENFILENAMEW);
    const Function open = CommonDialogEntry<Function>("GetOpenFileNameW");
    if (!open) return {};
    HWND ownerHandle = HandleOf(owner);
    ModalScope modal(*this, ownerHandle);
    const std::wstring filter = FilterOf(types);
    const std::wstring caption = Widen(title);
    std::wstring buffer(65536, L'\0');
    OPENFILENAMEW info{};
    info.lStructSize = sizeof info;
    info.hwndOwner = ownerHandle;
    info.lpstrFilter = filter.c_str();
    info.nFilterIndex = 1;
    info.lpstrFile = buffer.data();
    info.nMaxFile = static_cast<DWORD>(buffer.size());
    info.lpstrTitle = caption.c_str();
    info.Flags = OFN_EXPLORER | OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR |
                 OFN_HIDEREADONLY;
    if (!open(&info)) return {};
    // One file: its full path. Several: the folder, then each name, each ending in a NUL.
    std::vector<std::wstring> parts;
    for (const wchar_t* part = buffer.c_str(); *part && part < buffer.c_str() + buffer.size();
         part += wcslen(part) + 1)
        parts.emplace_back(part);
    std::vector<std::string> paths;
    if (parts.size() == 1) {
        paths.push_back(CodePagePath(parts[0]));
    } else {
        std::wstring folder = parts[0];
        if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
        for (std::size_t i = 1; i < parts.size(); ++i) paths.push_back(CodePagePath(folder + parts[i]));
    }
    return paths;
}

std::optional<SaveAnswer> Win32Platform::ChooseFileToSave(int owner, const SaveQuestion& question) {
    using Function = BOOL(WINAPI*)(LPOPENFILENAMEW);
    const Function save = CommonDialogEntry<Function>("GetSaveFileNameW");
    if (!save || question.types.empty()) return std::nullopt;
    std::string folder = question.folder;
    if (folder.empty()) {
        PIDLIST_ABSOLUTE list = nullptr;
        char path[MAX_PATH] = {};
        if (SUCCEEDED(SpecialFolderLocation(CSIDL_PERSONAL, &list))) {
            const PidlHandle owned{list};
            if (owned && PathFromItemList(owned.get(), path)) folder = path;
        }
    }
    HWND ownerHandle = HandleOf(owner);
    ModalScope modal(*this, ownerHandle);
    const std::wstring filter = FilterOf(question.types);
    const std::wstring caption = Widen(question.title);
    const std::wstring start = Widen(folder);
    SaveTypes types;
    for (const FileType& type : question.types) types.extensions.push_back(ExtensionOf(type.patterns));
    std::wstring buffer(32768, L'\0');
    const std::wstring suggested = Widen(question.suggested);
    suggested.copy(buffer.data(), std::min<std::size_t>(suggested.size(), buffer.size() - 1));
    OPENFILENAMEW info{};
    info.lStructSize = sizeof info;
    info.hwndOwner = ownerHandle;
    info.lpstrFilter = filter.c_str();
    info.nFilterIndex = 1;
    info.lpstrFile = buffer.data();
    info.nMaxFile = static_cast<DWORD>(buffer.size());
    info.lpstrInitialDir = start.empty() ? nullptr : start.c_str();
    info.lpstrTitle = caption.c_str();
    info.lpstrDefExt = types.extensions[0].c_str();
    info.lCustData = reinterpret_cast<LPARAM>(&types);
    info.lpfnHook = SaveDialogHook;
    info.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY |
                 OFN_ENABLEHOOK | OFN_ENABLESIZING;
    if (!save(&info)) return std::nullopt;
    SaveAnswer answer;
    answer.path = CodePagePath(buffer.c_str());
    answer.type = info.nFilterIndex >= 1 && info.nFilterIndex <= question.types.size()
                      ? static_cast<int>(info.nFilterIndex) - 1
                      : 0;
    return answer;
}

void Win32Platform::QueueCommandLineFiles() {
    std::vector<std::string> files;
    for (const std::wstring& file : CommandLineFiles()) files.push_back(CodePagePath(file));
    if (files.empty()) return;
    Event event{EventKind::FilesHanded};
    event.files = std::move(files);
    Push(event);
}

bool Win32Platform::HandFilesTo(HWND target) {
    std::wstring payload;
    for (const std::wstring& file : CommandLineFiles()) {
        payload += file;
        payload += L'\0';
    }
    if (payload.empty()) return false;
    COPYDATASTRUCT data{};
    data.dwData = kFilesHandedTag;
    data.cbData = static_cast<DWORD>(payload.size() * sizeof(wchar_t));
    data.lpData = payload.data();
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(target, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, 10000,
                             &result))
        OutputDebugStringA("Vandrel: the running copy could not be handed the files\n");
    return true;
}

bool Win32Platform::ReceiveFiles(WindowObject& object, const COPYDATASTRUCT* data) {
    if (!data || data->dwData != kFilesHandedTag || !data->lpData) return false;
    // Another process's bytes: only as many as it says, whole characters, no
    // more paths than a hand-over makes.
    const auto* text = static_cast<const wchar_t*>(data->lpData);
    const std::size_t count = data->cbData / sizeof(wchar_t);
    Event event{EventKind::FilesHanded, object.number};
    std::size_t start = 0;
    for (std::size_t i = 0; i <= count && event.files.size() < kMostHandedFiles; ++i) {
        if (i < count && text[i] != L'\0') continue;
        if (i > start) event.files.push_back(CodePagePath(std::wstring(text + start, text + i)));
        start = i + 1;
    }
    if (!event.files.empty()) Push(event);
    return true;
}

}  // namespace vandrel::win32
