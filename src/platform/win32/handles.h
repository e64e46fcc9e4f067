// Small owners for system handles, so that no path leaks them.
#pragma once

#include <windows.h>

#include <ole2.h>
#include <shlobj.h>

#include "platform/win32/loaded_libraries.h"

#include <memory>
#include <type_traits>

namespace vandrel::win32 {

struct GdiDeleter {
    void operator()(void* object) const {
        if (object) DeleteObject(static_cast<HGDIOBJ>(object));
    }
};
// Fonts, bitmaps, brushes and pens.
using GdiObject = std::unique_ptr<std::remove_pointer_t<HGDIOBJ>, GdiDeleter>;

struct IconDeleter {
    void operator()(HICON icon) const {
        if (icon) DestroyIcon(icon);
    }
};
using IconHandle = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

struct MenuDeleter {
    void operator()(HMENU menu) const {
        if (menu) DestroyMenu(menu);
    }
};
using MenuHandle = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDeleter>;

struct AcceleratorDeleter {
    void operator()(HACCEL table) const {
        if (table) DestroyAcceleratorTable(table);
    }
};
using AcceleratorHandle = std::unique_ptr<std::remove_pointer_t<HACCEL>, AcceleratorDeleter>;

// Mutexes, events and other kernel objects closed with CloseHandle.
struct KernelDeleter {
    void operator()(HANDLE handle) const {
        if (handle && handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    }
};
using KernelHandle = std::unique_ptr<void, KernelDeleter>;

// A FindFirstFileA search; hold only a valid handle.
struct FindDeleter {
    void operator()(HANDLE handle) const {
        if (handle && handle != INVALID_HANDLE_VALUE) FindClose(handle);
    }
};
using FindHandle = std::unique_ptr<void, FindDeleter>;

// An item list the shell allocated for the caller.
struct PidlDeleter {
    void operator()(ITEMIDLIST* list) const {
        if (list) FreeItemList(list);  // the shell's own: no need for OLE's allocator here
    }
};
using PidlHandle = std::unique_ptr<ITEMIDLIST, PidlDeleter>;

// OLE for the thread (the folder chooser needs a single-threaded apartment),
// undone only if it was done.
class OleSession {
  public:
    OleSession() : result_(OleInitialize(nullptr)) {}
    ~OleSession() {
        if (SUCCEEDED(result_)) OleUninitialize();
    }
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;

  private:
    HRESULT result_;
};

// A memory device context with one object selected into it for its lifetime.
class MemoryDc {
  public:
    explicit MemoryDc(HGDIOBJ selected) : dc_(CreateCompatibleDC(nullptr)) {
        if (dc_) previous_ = SelectObject(dc_, selected);
    }
    ~MemoryDc() {
        if (!dc_) return;
        SelectObject(dc_, previous_);
        DeleteDC(dc_);
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    HDC get() const { return dc_; }

  private:
    HDC dc_;
    HGDIOBJ previous_ = nullptr;
};

// A window's device context, released at the end of the scope.
class WindowDc {
  public:
    explicit WindowDc(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    ~WindowDc() {
        if (dc_) ReleaseDC(hwnd_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }

  private:
    HWND hwnd_;
    HDC dc_;
};

// Selects an object into a DC for a scope.
class Selected {
  public:
    Selected(HDC dc, HGDIOBJ object)
        : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
    ~Selected() {
        if (previous_) SelectObject(dc_, previous_);
    }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace vandrel::win32
