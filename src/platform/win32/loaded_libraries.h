// Libraries loaded at their first use instead of at start: comctl32 (the
// manage window, the editor, the about window) and ole32 (the folder chooser)
// add a fifth to start-up under Wine, and a run that shows only palette
// windows and the tray menu needs neither; shell32, which the tray icon needs,
// is loaded after the palette windows show.
#pragma once

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

namespace vandrel::win32 {

// A function of a loaded library, or nullptr. GetProcAddress gives a generic
// function pointer; the cast through void(*)() says that the type is known.
template <typename Function>
Function Entry(HMODULE module, const char* name) {
    FARPROC found = module ? GetProcAddress(module, name) : nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

// Loads comctl32 and registers the classes of its controls; false when it
// could not (the controls then fail to be made, as any control may).
bool CommonControlsReady();

// The comctl32 functions the controls use. Without the library, subclassing
// fails, the default procedure is the system's and image lists are none.
BOOL SetSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data);
BOOL RemoveSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id);
LRESULT DefaultSubclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
HIMAGELIST CreateImageList(int width, int height, UINT flags, int initial, int grow);
int AddIconToImageList(HIMAGELIST list, HICON icon);
void DestroyImageList(HIMAGELIST list);

// OLE on this thread, once, for the rest of the run: the folder chooser and
// the shell's handlers of links need a single-threaded apartment.
void EnsureOle();

// The shell32 functions the program uses; each fails as the system's would
// when the library cannot be loaded.
BOOL NotifyIcon(DWORD message, NOTIFYICONDATAA* data);
BOOL ExecuteWithShell(SHELLEXECUTEINFOA* info);
PIDLIST_ABSOLUTE BrowseForFolder(BROWSEINFOA* info);
BOOL PathFromItemList(PCIDLIST_ABSOLUTE list, char* path);
PIDLIST_ABSOLUTE ItemListFromPath(const char* path);
void FreeItemList(PIDLIST_RELATIVE list);
HRESULT SpecialFolderLocation(int folder, PIDLIST_ABSOLUTE* list);

}  // namespace vandrel::win32
