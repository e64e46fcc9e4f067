// Small owners for system handles, so that no path leaks them.
#pragma once

#include <windows.h>

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

// A memory device context with one object selected into it for its lifetime.
class MemoryDc {
public:
    MemoryDc(HGDIOBJ selected) : dc_(CreateCompatibleDC(nullptr)) {
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
    Selected(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~Selected() { SelectObject(dc_, previous_); }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace vandrel::win32
