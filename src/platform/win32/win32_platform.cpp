#include "platform/win32/win32_platform.h"

namespace vandrel::win32 {
namespace {

Win32Platform* gPlatform = nullptr;

}  // namespace

Win32Platform* CurrentPlatform() { return gPlatform; }

Win32Platform::Win32Platform(HINSTANCE instance) : instance_(instance) {
    gPlatform = this;
    taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
    appIcon_.reset(static_cast<HICON>(
        LoadImageA(instance_, MAKEINTRESOURCEA(1), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                   GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR)));
    RegisterClasses();
    helper_ = CreateWindowExA(0, kHelperClass, "Vandrel helper", WS_POPUP, 0, 0, 1, 1, nullptr,
                              nullptr, instance_, nullptr);
}

Win32Platform::~Win32Platform() {
    Shutdown();
    if (helper_) ::DestroyWindow(helper_);
    gPlatform = nullptr;
}

void Win32Platform::RegisterClasses() {
    struct ClassInfo {
        const char* name;
        WNDPROC proc;
        HCURSOR cursor;
    };
    const ClassInfo classes[] = {
        {kPaletteClass, PaletteWindowProc, LoadCursor(nullptr, IDC_ARROW)},
        {kSwatchClass, SwatchProc, nullptr},
        {kTrayOwnerClass, TrayOwnerProc, LoadCursor(nullptr, IDC_ARROW)},
        {kHelperClass, HelperProc, nullptr},
    };
    for (const ClassInfo& info : classes) {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = info.proc;
        wc.hInstance = instance_;
        wc.hCursor = info.cursor;
        wc.hIcon = appIcon_.get();
        wc.lpszClassName = info.name;
        if (!RegisterClassExA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
            OutputDebugStringA("Vandrel: a window class could not be registered\n");
    }
}

int Win32Platform::NumberOf(HWND hwnd) const {
    for (const auto& [number, handle] : windows_)
        if (handle == hwnd) return number;
    return kNoWindow;
}

HWND Win32Platform::HandleOf(int window) const {
    auto found = windows_.find(window);
    return found == windows_.end() ? nullptr : found->second;
}

HFONT Win32Platform::Font(int number) const {
    auto found = fonts_.find(number);
    return found == fonts_.end() ? nullptr : static_cast<HFONT>(found->second.get());
}

Event Win32Platform::WaitEvent(int milliseconds) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (events_.empty() && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (!events_.empty()) {
            Event event = events_.front();
            events_.pop_front();
            return event;
        }
        const DWORD waited = GetTickCount() - start;
        if (waited >= static_cast<DWORD>(milliseconds)) return {};
        MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(milliseconds) - waited,
                                    QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

void Win32Platform::Shutdown() {
    RemoveTrayIcon();
    // Palette windows and others go before their owner.
    for (auto it = windows_.begin(); it != windows_.end();) {
        if (it->first != kTrayOwnerWindow) {
            ::DestroyWindow(it->second);
            it = windows_.erase(it);
        } else {
            ++it;
        }
    }
    if (HWND owner = HandleOf(kTrayOwnerWindow)) ::DestroyWindow(owner);
    windows_.clear();
    menus_.clear();
    events_.clear();
}

LRESULT CALLBACK HelperProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace vandrel::win32
