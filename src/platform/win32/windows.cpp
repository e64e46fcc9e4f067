// Windows and controls: palette windows with their swatches, the tray
// owner, and the window procedures that turn messages into events.
#include "platform/win32/win32_platform.h"

#include <windowsx.h>

namespace vandrel::win32 {
namespace {

SwatchState* StateOf(HWND swatch) {
    return reinterpret_cast<SwatchState*>(GetWindowLongPtrA(swatch, GWLP_USERDATA));
}

// Press-to-move on the background of any program window.
bool MoveByBackground(HWND hwnd, UINT message) {
    Win32Platform* platform = CurrentPlatform();
    if (message != WM_LBUTTONDOWN || !platform || !platform->HookInstalled()) return false;
    SendMessageA(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, 0);
    return true;
}

void PushControlEvent(HWND swatch, SubKind subKind) {
    Win32Platform* platform = CurrentPlatform();
    if (!platform) return;
    Event event;
    event.kind = EventKind::Control;
    event.window = platform->NumberOf(GetParent(swatch));
    event.control = GetDlgCtrlID(swatch);
    event.subKind = subKind;
    platform->Push(event);
}

}  // namespace

std::int64_t Win32Platform::CreatePaletteWindow(int window, const Rect& client, int owner,
                                                 ColourValue background) {
    // Created hidden and without activation; shown once its swatches exist.
    HWND hwnd = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kPaletteClass, "VN", WS_POPUP,
                                client.left, client.top, client.Width(), client.Height(),
                                HandleOf(owner), nullptr, instance_, nullptr);
    if (!hwnd) return 0;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, static_cast<LONG_PTR>(ToColorRef(background)));
    windows_[window] = hwnd;
    return reinterpret_cast<std::int64_t>(hwnd);
}

std::int64_t Win32Platform::CreateTrayOwnerWindow(const Rect& rect, const std::string& title) {
    HWND hwnd = CreateWindowExA(WS_EX_TOOLWINDOW, kTrayOwnerClass, title.c_str(), WS_POPUP, rect.left,
                                rect.top, rect.Width(), rect.Height(), nullptr, nullptr, instance_,
                                nullptr);
    if (!hwnd) return 0;
    windows_[kTrayOwnerWindow] = hwnd;
    return reinterpret_cast<std::int64_t>(hwnd);
}

void Win32Platform::ShowWindow(int window) {
    if (HWND hwnd = HandleOf(window)) ::ShowWindow(hwnd, SW_SHOWNOACTIVATE);
}

bool Win32Platform::WindowExists(int window) {
    HWND hwnd = HandleOf(window);
    return hwnd && IsWindow(hwnd);
}

void Win32Platform::DestroyWindow(int window) {
    if (HWND hwnd = HandleOf(window)) ::DestroyWindow(hwnd);
    windows_.erase(window);
}

Point Win32Platform::WindowPosition(int window) {
    RECT r{};
    GetWindowRect(HandleOf(window), &r);
    return {r.left, r.top};
}

Size Win32Platform::WindowSize(int window) {
    RECT r{};
    GetWindowRect(HandleOf(window), &r);
    return {r.right - r.left, r.bottom - r.top};
}

void Win32Platform::MoveWindow(int window, Point position) {
    SetWindowPos(HandleOf(window), nullptr, position.x, position.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Platform::SetExtendedStyle(int window, std::uint32_t style) {
    SetWindowLongPtrA(HandleOf(window), GWL_EXSTYLE, static_cast<LONG_PTR>(style));
}

void Win32Platform::SetColourKey(int window, ColourValue key) {
    SetLayeredWindowAttributes(HandleOf(window), ToColorRef(key), 0, LWA_COLORKEY);
}

void Win32Platform::SetTopmost(int window, bool topmost) {
    SetWindowPos(HandleOf(window), topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

int Win32Platform::ForegroundWindowNumber() {
    HWND foreground = GetForegroundWindow();
    if (!foreground) return -1;
    DWORD process = 0;
    GetWindowThreadProcessId(foreground, &process);
    if (process != GetCurrentProcessId()) return -1;
    return NumberOf(foreground);
}

void Win32Platform::DrawClientOutline(int window, ColourValue colour) {
    HWND hwnd = HandleOf(window);
    if (!hwnd) return;
    RECT client{};
    GetClientRect(hwnd, &client);
    WindowDc dc(hwnd);
    GdiObject brush(CreateSolidBrush(ToColorRef(colour)));
    FrameRect(dc.get(), &client, static_cast<HBRUSH>(brush.get()));
}

HWND Win32Platform::Control(int window, int control) const {
    HWND parent = HandleOf(window);
    return parent ? GetDlgItem(parent, control) : nullptr;
}

bool Win32Platform::CreateSwatch(int window, int control, const Rect& rect, ColourValue data) {
    HWND parent = HandleOf(window);
    if (!parent) return false;
    HWND swatch = CreateWindowExA(0, kSwatchClass, "", WS_CHILD | WS_VISIBLE, rect.left, rect.top,
                                  rect.Width(), rect.Height(), parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(control)), instance_,
                                  nullptr);
    if (!swatch) return false;
    auto state = std::make_unique<SwatchState>();
    state->data = data;
    state->cursor = LoadCursor(nullptr, IDC_HAND);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = rect.Width();
    info.bmiHeader.biHeight = -rect.Height();
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    state->bitmap.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &state->bits, nullptr, 0));
    SetWindowLongPtrA(swatch, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state.release()));
    return true;
}

ColourValue Win32Platform::SwatchData(int window, int control) {
    HWND swatch = Control(window, control);
    SwatchState* state = swatch ? StateOf(swatch) : nullptr;
    return state ? state->data : 0;
}

void Win32Platform::SetControlCursor(int window, int control, CursorKind cursor) {
    HWND swatch = Control(window, control);
    if (SwatchState* state = swatch ? StateOf(swatch) : nullptr)
        state->cursor = LoadCursor(nullptr, cursor == CursorKind::SizeAll ? IDC_SIZEALL : IDC_HAND);
}

void Win32Platform::EnableControl(int window, int control, bool enabled) {
    if (HWND hwnd = Control(window, control)) EnableWindow(hwnd, enabled ? TRUE : FALSE);
}

bool Win32Platform::ControlExists(int window, int control) { return Control(window, control) != nullptr; }

std::string Win32Platform::ControlText(int window, int control) {
    HWND hwnd = Control(window, control);
    if (!hwnd) return {};
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(hwnd)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

DragOutcome Win32Platform::MoveWithMouse(int window) {
    HWND hwnd = HandleOf(window);
    // A release that came before we got here ends the press as a click.
    // The physical button that acts as the left one (users may swap them).
    const int leftButton = GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
    if (!hwnd || !(GetAsyncKeyState(leftButton) & 0x8000)) return DragOutcome::NotStarted;
    HWND previousForeground = GetForegroundWindow();
    RECT before{}, after{};
    GetWindowRect(hwnd, &before);
    POINT cursor{};
    GetCursorPos(&cursor);
    // The move command itself rather than a caption press: the press would
    // first activate the window, taking the focus from the user's application.
    SendMessageA(hwnd, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, MAKELPARAM(cursor.x, cursor.y));
    GetWindowRect(hwnd, &after);
    // Some systems activate a window in its move loop; hand the focus back
    // to the application the user was working in.
    if (GetForegroundWindow() == hwnd && previousForeground && previousForeground != hwnd)
        SetForegroundWindow(previousForeground);
    return (before.left == after.left && before.top == after.top) ? DragOutcome::ReleasedWithoutMove
                                                                   : DragOutcome::Moved;
}

LRESULT CALLBACK PaletteWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_MEASUREITEM:
            if (MeasureMenuImage(lParam)) return TRUE;
            break;
        case WM_DRAWITEM:
            if (DrawMenuImage(lParam)) return TRUE;
            break;
        case WM_MOUSEACTIVATE: return MA_NOACTIVATE;  // never take the focus from the user's application
        case WM_ERASEBKGND: {
            RECT client{};
            GetClientRect(hwnd, &client);
            const auto background = static_cast<COLORREF>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
            GdiObject brush(CreateSolidBrush(background));
            FillRect(reinterpret_cast<HDC>(wParam), &client, static_cast<HBRUSH>(brush.get()));
            return 1;
        }
        case WM_PAINT:
        case WM_MOVE: {
            const LRESULT result = DefWindowProcA(hwnd, message, wParam, lParam);
            if (Win32Platform* platform = CurrentPlatform())
                platform->Report(hwnd, message == WM_MOVE ? HookEvent::Moved : HookEvent::Painted);
            return result;
        }
        default: break;
    }
    if (MoveByBackground(hwnd, message)) return 0;
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK SwatchProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    SwatchState* state = StateOf(hwnd);
    switch (message) {
        case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
        case WM_SETCURSOR:
            if (state && state->cursor) {
                SetCursor(state->cursor);
                return TRUE;
            }
            break;
        case WM_LBUTTONDOWN:
            if (state) state->pressed = true;
            SetCapture(hwnd);
            PushControlEvent(hwnd, SubKind::LeftDown);
            return 0;
        case WM_LBUTTONUP: {
            const bool wasPressed = state && state->pressed;
            if (state) state->pressed = false;
            if (GetCapture() == hwnd) ReleaseCapture();
            RECT client{};
            GetClientRect(hwnd, &client);
            const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (wasPressed && PtInRect(&client, at)) PushControlEvent(hwnd, SubKind::LeftClick);
            return 0;
        }
        case WM_RBUTTONUP: PushControlEvent(hwnd, SubKind::RightClick); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(hwnd, &paint);
            if (state && state->bitmap) {
                RECT client{};
                GetClientRect(hwnd, &client);
                MemoryDc source(state->bitmap.get());
                BitBlt(dc, 0, 0, client.right, client.bottom, source.get(), 0, 0, SRCCOPY);
            }
            EndPaint(hwnd, &paint);
            return 0;
        }
        case WM_NCDESTROY:
            delete state;
            SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
            break;
        default: break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK TrayOwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Win32Platform* platform = CurrentPlatform();
    if (platform && message == platform->TaskbarCreatedMessage()) {
        platform->ReAddTrayIcon();  // the notification area was recreated
        return 0;
    }
    if (message == WM_MEASUREITEM && MeasureMenuImage(lParam)) return TRUE;
    if (message == WM_DRAWITEM && DrawMenuImage(lParam)) return TRUE;
    if (message == kTrayCallbackMessage && platform) {
        SubKind subKind = SubKind::None;
        switch (LOWORD(lParam)) {
            case WM_LBUTTONUP: subKind = SubKind::LeftClick; break;
            case WM_RBUTTONUP: subKind = SubKind::RightClick; break;
            case WM_LBUTTONDBLCLK: subKind = SubKind::DoubleClick; break;
            default: return 0;
        }
        Event event;
        event.kind = EventKind::Tray;
        event.window = kTrayOwnerWindow;
        event.subKind = subKind;
        platform->Push(event);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace vandrel::win32
