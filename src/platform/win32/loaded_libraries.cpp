#include "platform/win32/loaded_libraries.h"

namespace vandrel::win32 {
namespace {

struct CommonControls {
    bool ready = false;
    decltype(&::SetWindowSubclass) setWindowSubclass = nullptr;
    decltype(&::RemoveWindowSubclass) removeWindowSubclass = nullptr;
    decltype(&::DefSubclassProc) defSubclassProc = nullptr;
    decltype(&::ImageList_Create) imageListCreate = nullptr;
    decltype(&::ImageList_ReplaceIcon) imageListReplaceIcon = nullptr;
    decltype(&::ImageList_Destroy) imageListDestroy = nullptr;
};

const CommonControls& Loaded() {
    static const CommonControls controls = [] {
        CommonControls loaded;
        HMODULE module = LoadLibraryA("comctl32.dll");
        if (!module) return loaded;
        // By name, as version 6 (which the manifest asks for) exports them.
        loaded.setWindowSubclass = Entry<decltype(loaded.setWindowSubclass)>(module, "SetWindowSubclass");
        loaded.removeWindowSubclass = Entry<decltype(loaded.removeWindowSubclass)>(module, "RemoveWindowSubclass");
        loaded.defSubclassProc = Entry<decltype(loaded.defSubclassProc)>(module, "DefSubclassProc");
        loaded.imageListCreate = Entry<decltype(loaded.imageListCreate)>(module, "ImageList_Create");
        loaded.imageListReplaceIcon = Entry<decltype(loaded.imageListReplaceIcon)>(module, "ImageList_ReplaceIcon");
        loaded.imageListDestroy = Entry<decltype(loaded.imageListDestroy)>(module, "ImageList_Destroy");
        const auto initialise = Entry<decltype(&::InitCommonControlsEx)>(module, "InitCommonControlsEx");
        INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX),
                                     ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES};
        loaded.ready = initialise && initialise(&classes);
        if (!loaded.ready) OutputDebugStringA("Vandrel: common controls are missing\n");
        return loaded;
    }();
    return controls;
}

}  // namespace

bool CommonControlsReady() { return Loaded().ready; }

BOOL SetSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data) {
    const auto function = Loaded().setWindowSubclass;
    return function ? function(window, procedure, id, data) : FALSE;
}

BOOL RemoveSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id) {
    const auto function = Loaded().removeWindowSubclass;
    return function ? function(window, procedure, id) : FALSE;
}

LRESULT DefaultSubclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto function = Loaded().defSubclassProc;
    return function ? function(window, message, wParam, lParam) : DefWindowProcA(window, message, wParam, lParam);
}

HIMAGELIST CreateImageList(int width, int height, UINT flags, int initial, int grow) {
    const auto function = Loaded().imageListCreate;
    return function ? function(width, height, flags, initial, grow) : nullptr;
}

int AddIconToImageList(HIMAGELIST list, HICON icon) {
    const auto function = Loaded().imageListReplaceIcon;
    return function && list ? function(list, -1, icon) : -1;
}

void DestroyImageList(HIMAGELIST list) {
    const auto function = Loaded().imageListDestroy;
    if (function && list) function(list);
}

void EnsureOle() {
    static const bool started = [] {
        HMODULE module = LoadLibraryA("ole32.dll");
        const auto initialise = Entry<HRESULT(WINAPI*)(LPVOID)>(module, "OleInitialize");
        // Left running until the process ends, as the chooser may come back.
        return initialise && SUCCEEDED(initialise(nullptr));
    }();
    (void)started;
}

namespace {

struct ShellFunctions {
    decltype(&::Shell_NotifyIconA) notifyIcon = nullptr;
    decltype(&::ShellExecuteExA) executeEx = nullptr;
    decltype(&::SHBrowseForFolderA) browseForFolder = nullptr;
    decltype(&::SHGetPathFromIDListA) pathFromList = nullptr;
    decltype(&::ILCreateFromPathA) listFromPath = nullptr;
    decltype(&::ILFree) freeList = nullptr;
    decltype(&::SHGetSpecialFolderLocation) specialFolder = nullptr;
};

const ShellFunctions& Shell() {
    static const ShellFunctions shell = [] {
        ShellFunctions loaded;
        HMODULE module = LoadLibraryA("shell32.dll");
        if (!module) {
            OutputDebugStringA("Vandrel: shell32 is missing\n");
            return loaded;
        }
        loaded.notifyIcon = Entry<decltype(loaded.notifyIcon)>(module, "Shell_NotifyIconA");
        loaded.executeEx = Entry<decltype(loaded.executeEx)>(module, "ShellExecuteExA");
        loaded.browseForFolder = Entry<decltype(loaded.browseForFolder)>(module, "SHBrowseForFolderA");
        loaded.pathFromList = Entry<decltype(loaded.pathFromList)>(module, "SHGetPathFromIDListA");
        loaded.listFromPath = Entry<decltype(loaded.listFromPath)>(module, "ILCreateFromPathA");
        loaded.freeList = Entry<decltype(loaded.freeList)>(module, "ILFree");
        loaded.specialFolder = Entry<decltype(loaded.specialFolder)>(module, "SHGetSpecialFolderLocation");
        return loaded;
    }();
    return shell;
}

}  // namespace

BOOL NotifyIcon(DWORD message, NOTIFYICONDATAA* data) {
    const auto function = Shell().notifyIcon;
    return function ? function(message, data) : FALSE;
}

BOOL ExecuteWithShell(SHELLEXECUTEINFOA* info) {
    const auto function = Shell().executeEx;
    if (function) return function(info);
    SetLastError(ERROR_MOD_NOT_FOUND);
    return FALSE;
}

PIDLIST_ABSOLUTE BrowseForFolder(BROWSEINFOA* info) {
    const auto function = Shell().browseForFolder;
    return function ? function(info) : nullptr;
}

BOOL PathFromItemList(PCIDLIST_ABSOLUTE list, char* path) {
    const auto function = Shell().pathFromList;
    return function && list ? function(list, path) : FALSE;
}

PIDLIST_ABSOLUTE ItemListFromPath(const char* path) {
    const auto function = Shell().listFromPath;
    return function ? function(path) : nullptr;
}

void FreeItemList(PIDLIST_RELATIVE list) {
    const auto function = Shell().freeList;
    if (function && list) function(list);
}

HRESULT SpecialFolderLocation(int folder, PIDLIST_ABSOLUTE* list) {
    const auto function = Shell().specialFolder;
    return function ? function(nullptr, folder, list) : E_NOTIMPL;
}

}  // namespace vandrel::win32
