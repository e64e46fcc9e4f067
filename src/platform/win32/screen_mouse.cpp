// The screen and the mouse for the eyedropper: the pointer, a pixel, and the
// low-level mouse hook that swallows presses while a grab lives.
#include "platform/win32/win32_platform.h"

namespace vandrel::win32 {
namespace {

// A low-level hook procedure gets no context of its own: the one grab that
// is running. The program has one thread, on which the system calls it.
class HookedGrab;
HookedGrab* runningGrab = nullptr;

class HookedGrab : public MouseGrab {
public:
    explicit HookedGrab(HWND capture) : capture_(capture) {
        if (runningGrab) return;  // one at a time; a second one swallows nothing
        hook_ = SetWindowsHookExA(WH_MOUSE_LL, Swallow, GetModuleHandleA(nullptr), 0);
        if (!hook_) {
            OutputDebugStringA("Vandrel: the mouse hook of the eyedropper could not be installed\n");
            return;
        }
        runningGrab = this;
        if (capture_) SetCapture(capture_);
    }
    ~HookedGrab() override {
        if (!hook_) return;
        UnhookWindowsHookEx(hook_);
        runningGrab = nullptr;
        if (capture_ && GetCapture() == capture_) ReleaseCapture();
    }
    HookedGrab(const HookedGrab&) = delete;
    HookedGrab& operator=(const HookedGrab&) = delete;

    bool Hooked() const override { return hook_ != nullptr; }
    bool Pressed() const override { return pressed_; }

private:
    static LRESULT CALLBACK Swallow(int code, WPARAM message, LPARAM details) {
        if (code >= 0 && runningGrab && (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN)) {
            runningGrab->pressed_ = true;
            return 1;  // the window under the pointer never sees the press
        }
        return CallNextHookEx(nullptr, code, message, details);
    }

    HWND capture_;
    HHOOK hook_ = nullptr;
    bool pressed_ = false;
};

}  // namespace

Point Win32Platform::CursorPosition() {
    POINT at{};
    if (!GetCursorPos(&at)) return {};
    return {at.x, at.y};
}

ColourValue Win32Platform::ScreenPixel(Point at) {
    HDC screen = GetDC(nullptr);
    if (!screen) return kUnreadablePixel;
    const COLORREF pixel = GetPixel(screen, at.x, at.y);
    ReleaseDC(nullptr, screen);
    return pixel == CLR_INVALID ? kUnreadablePixel : static_cast<ColourValue>(pixel & 0xFFFFFF);
}

std::unique_ptr<MouseGrab> Win32Platform::GrabMouse(int captureWindow) {
    return std::make_unique<HookedGrab>(HandleOf(captureWindow));
}

std::int64_t Win32Platform::ForegroundWindowHandle() {
    return reinterpret_cast<std::int64_t>(GetForegroundWindow());
}

}  // namespace vandrel::win32
