// The one window procedure of the program's windows and surfaces: it binds
// each window to its object and turns messages into events and hook reports.
#include "platform/win32/win32_platform.h"

#include <windowsx.h>

#include "platform/win32/control_parts.h"
#include "platform/win32/controls.h"

namespace vandrel::win32 {
namespace {


// Standard controls report to the parent with their control number.
bool FromControl(UINT message, LPARAM lParam) {
    return message == WM_NOTIFY ||
           ((message == WM_COMMAND || message == WM_HSCROLL || message == WM_VSCROLL) &&
            lParam != 0);
}

}  // namespace

LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* object =
            static_cast<WindowObject*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (!object) return FALSE;
        object->hwnd = hwnd;
        SetLastError(ERROR_SUCCESS);
        if (!SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object)) &&
            GetLastError() != ERROR_SUCCESS) {
            object->hwnd = nullptr;
            return FALSE;  // a window we cannot find our object in is not made at all
        }
    }
    auto* object = reinterpret_cast<WindowObject*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!object) return DefWindowProcA(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        object->hwnd = nullptr;
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    return object->platform.HandleMessage(*object, message, wParam, lParam);
}

LRESULT Win32Platform::HandleMessage(WindowObject& object, UINT message, WPARAM wParam,
                                     LPARAM lParam) {
    // Objects closed meanwhile are freed only once no procedure runs.
    struct Depth {
        int& depth;
        explicit Depth(int& d) : depth(d) { ++depth; }
        ~Depth() { --depth; }
    } depth(procedureDepth_);
    if (object.role == Role::Surface) return HandleSurface(object, message, wParam, lParam);
    if (object.role == Role::Helper) return DefWindowProcA(object.hwnd, message, wParam, lParam);
    return HandleTopLevel(object, message, wParam, lParam);
}

LRESULT Win32Platform::HandleTopLevel(WindowObject& object, UINT message, WPARAM wParam,
                                      LPARAM lParam) {
    // The hook may close the window: keep what is needed afterwards.
    HWND hwnd = object.hwnd;
    const int number = object.number;
    LRESULT result = 0;
    if (HandleSessionMessage(object, message, wParam, result)) return result;
    if (HandleRegisteredMessage(object, message, lParam)) return 0;
    if (HandleCommand(object, message, wParam, lParam)) return 0;
    switch (message) {
        case WM_MEASUREITEM:
            if (MeasureMenuImage(lParam)) return TRUE;
            break;
        case WM_DRAWITEM:
            if (DrawMenuImage(lParam)) return TRUE;
            break;
        case WM_INITMENUPOPUP:
            if (FillSubMenu(reinterpret_cast<HMENU>(wParam))) return 0;
            break;
        case WM_MOUSEACTIVATE:
            // WS_EX_NOACTIVATE alone does not keep a click from activating the window under Wine.
            if (object.NoActivate()) return MA_NOACTIVATE;
            break;
        case WM_ERASEBKGND:
            if (object.background) {
                RECT client{};
                GetClientRect(hwnd, &client);
                FillRect(reinterpret_cast<HDC>(wParam), &client,
                         static_cast<HBRUSH>(object.background.get()));
                return 1;
            }
            break;
        case WM_CTLCOLORSTATIC:
            if (object.background)
                return ColourControl(object, reinterpret_cast<HDC>(wParam),
                                     reinterpret_cast<HWND>(lParam));
            break;
        case WM_GETMINMAXINFO:
            LimitTracking(object, *reinterpret_cast<MINMAXINFO*>(lParam));
            return 0;
        case DM_GETDEFID: {
            // Enter clicks the focused push button, as in a dialog.
            if (object.role != Role::Framed) break;
            HWND focus = GetFocus();
            const ControlRecord* record =
                focus && GetParent(focus) == hwnd ? RecordOf(number, GetDlgCtrlID(focus)) : nullptr;
            if (record && (record->kind == ControlKind::PushButton ||
                           record->kind == ControlKind::ImageButton))
                return MAKELRESULT(GetDlgCtrlID(focus), DC_HASDEFID);
            return 0;
        }
        case WM_ACTIVATE:
            // Coming back, the focus returns to the control that had it.
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus && IsChild(hwnd, focus)) object.lastFocus = focus;
            } else if (object.lastFocus && IsWindow(object.lastFocus) &&
                       IsChild(hwnd, object.lastFocus)) {
                SetFocus(object.lastFocus);
                return 0;
            }
            break;
        case WM_COPYDATA:
            if (ReceiveFiles(object, reinterpret_cast<const COPYDATASTRUCT*>(lParam))) return TRUE;
            break;
        case WM_CLOSE:
            Push({EventKind::Close, number});
            return 0;  // the logic decides
        case WM_LBUTTONDOWN: {
            const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            HWND child = ChildWindowFromPointEx(hwnd, at, CWP_SKIPINVISIBLE);
            if (!child || child == hwnd) Report(number, HookEvent::BackgroundPress);
            return 0;
        }
        case WM_DPICHANGED: {
            // Framed windows take the place the system suggests at once; every window is
            // laid out again at the new scale by the program, once the event is handled.
            if (object.role == Role::Framed) {
                const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
                SetWindowPos(hwnd, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                             suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
            }
            scaleChanged_ = true;
            Push({EventKind::ScaleChanged, number});
            return 0;
        }
        case WM_MOVE:
        case WM_PAINT: {
            const LRESULT done = DefWindowProcA(hwnd, message, wParam, lParam);
            Report(number, message == WM_MOVE ? HookEvent::Moved : HookEvent::Painted);
            return done;
        }
        default:
            break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

bool Win32Platform::HandleCommand(WindowObject& object, UINT message, WPARAM wParam,
                                  LPARAM lParam) {
    Event event;
    if (message == WM_COMMAND && lParam == 0 && HIWORD(wParam) == 1) {
        // A shortcut of the window's accelerator table.
        event.kind = EventKind::Menu;
        event.item = LOWORD(wParam);
    } else if (message == WM_COMMAND && lParam == 0 && LOWORD(wParam) == IDCANCEL) {
        // Escape in a window without a Cancel button closes it, as in a dialog.
        event.kind = EventKind::Close;
    } else {
        if (!FromControl(message, lParam)) return false;
        // One of this window's controls: the number it was made with, and the
        // kind recorded then, tell what its notices mean.
        const Source source = SourceOf(message, wParam, lParam);
        const auto found = source.sender ? object.controls.find(GetDlgCtrlID(source.sender)) : object.controls.end();
        if (found == object.controls.end() || found->second.hwnd != source.sender ||
            !TranslateControlMessage(source, found->second.kind, message, wParam, lParam, event))
            return false;
    }
    event.window = object.number;
    Push(event);
    return true;
}

bool Win32Platform::HandleSessionMessage(WindowObject& object, UINT message, WPARAM wParam,
                                         LRESULT& result) {
    if (message == WM_QUERYENDSESSION) {
        sessionEndReported_ = false;  // a new end of the session begins
        result = TRUE;
        return true;
    }
    if (message != WM_ENDSESSION) return false;
    // Every window of ours receives it; the program hears of it once.
    if (!wParam) {
        sessionEndReported_ = false;
    } else if (!sessionEndReported_ && hook_) {
        sessionEndReported_ = true;
        Report(object.number, HookEvent::SessionEnding);
    }
    result = 0;
    return true;
}

bool Win32Platform::HandleRegisteredMessage(WindowObject& object, UINT message, LPARAM lParam) {
    if (message == taskbarCreated_ && taskbarCreated_ != 0) {
        // The notification area was made again: our icon must be added again.
        // A broadcast while the icon is still there fails to add it; it is
        // still ours to remove at the end.
        if (object.number == trayOwner_ && trayOwner_ != kNoWindow && AddTrayIconNow())
            trayAdded_ = true;
        return true;
    }
    if (message == comeForward_ && comeForward_ != 0) {
        Push({EventKind::ComeForward, object.number});
        return true;
    }
    if (message == exitAsked_ && exitAsked_ != 0) {
        Push({EventKind::ExitAsked, object.number});
        return true;
    }
    if (message != kTrayCallbackMessage) return false;
    SubKind subKind = SubKind::None;
    switch (LOWORD(lParam)) {
        case WM_LBUTTONUP:
            subKind = SubKind::LeftClick;
            break;
        case WM_RBUTTONUP:
            subKind = SubKind::RightClick;
            break;
        case WM_LBUTTONDBLCLK:
            subKind = SubKind::DoubleClick;
            break;
        default:
            return true;
    }
    Event event;
    event.kind = EventKind::Tray;
    event.window = object.number;
    event.subKind = subKind;
    Push(event);
    return true;
}

LRESULT Win32Platform::ColourControl(WindowObject& object, HDC dc, HWND) {
    // Links paint their own text colour. Texts, boxes and track bars on the window's own background colour.
    SetBkColor(dc, BackgroundOf(object.description));
    return reinterpret_cast<LRESULT>(object.background.get());
}

void Win32Platform::LimitTracking(const WindowObject& object, MINMAXINFO& limits) const {
    if (object.role != Role::Framed || !object.hwnd) return;
    const auto style = static_cast<DWORD>(GetWindowLongPtrA(object.hwnd, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrA(object.hwnd, GWL_EXSTYLE));
    auto outer = [&](Size client) {
        RECT r{0, 0, client.width, client.height};
        AdjustForDpi(&r, style, exStyle, object.description.dpi);
        return POINT{r.right - r.left, r.bottom - r.top};
    };
    const Size minimum = object.description.minClient;
    const Size maximum = object.description.maxClient;
    if (minimum.width > 0 || minimum.height > 0) {
        const POINT size = outer(minimum);
        if (minimum.width > 0) limits.ptMinTrackSize.x = size.x;
        if (minimum.height > 0) limits.ptMinTrackSize.y = size.y;
    }
    if (maximum.width > 0 || maximum.height > 0) {
        const POINT size = outer(maximum);
        if (maximum.width > 0) limits.ptMaxTrackSize.x = size.x;
        if (maximum.height > 0) limits.ptMaxTrackSize.y = size.y;
    }
}

LRESULT Win32Platform::HandleSurface(WindowObject& object, UINT message, WPARAM wParam,
                                     LPARAM lParam) {
    HWND hwnd = object.hwnd;
    auto push = [&](SubKind subKind) {
        Event event;
        event.kind = EventKind::Control;
        event.window = object.parentNumber;
        event.control = object.number;
        event.subKind = subKind;
        Push(event);
    };
    switch (message) {
        case WM_MOUSEACTIVATE: {
            const WindowObject* parent = ObjectOf(object.parentNumber);
            if (!parent || parent->NoActivate()) return MA_NOACTIVATE;
            break;
        }
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT && object.cursor) {
                SetCursor(object.cursor);
                return TRUE;
            }
            break;
        case WM_LBUTTONDOWN: {
            // A release the system never showed us (under Wine, one away from
            // the program's windows) leaves the capture behind: a press beyond
            // this surface belongs to the window under the pointer.
            RECT client{};
            GetClientRect(hwnd, &client);
            POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (!PtInRect(&client, at)) {
                object.pressed = false;
                if (GetCapture() == hwnd) ReleaseCapture();
                ClientToScreen(hwnd, &at);
                HWND under = WindowFromPoint(at);
                if (under && under != hwnd && GetWindowThreadProcessId(under, nullptr) == GetCurrentThreadId()) {
                    ScreenToClient(under, &at);
                    SendMessageA(under, WM_LBUTTONDOWN, wParam, MAKELPARAM(at.x, at.y));
                }
                return 0;
            }
            object.pressed = true;
            // No tooltip while the press may move the window.
            parts::HoldTools(GetParent(hwnd), true);
            object.tipsHeld = true;
            SetCapture(hwnd);
            push(SubKind::LeftDown);
            return 0;
        }
        case WM_MOUSEMOVE:
            if (!object.tipAdded && !object.tip.empty() && CommonControlsReady()) {
                // Every swatch of the window gets its tooltip at the first move
                // over one: a tool added during the move onto it misses that move.
                if (WindowObject* parent = ObjectOf(object.parentNumber)) {
                    for (auto& [id, record] : parent->controls) {
                        WindowObject* surface = record.surface.get();
                        if (!surface || surface->tipAdded || surface->tip.empty() || !surface->hwnd) continue;
                        surface->tipAdded = true;
                        parts::AddTool(surface->hwnd, surface->tip, instance_);
                    }
                }
                PostMessageA(hwnd, WM_MOUSEMOVE, wParam, lParam);
            }
            if (object.tipsHeld && !(wParam & MK_LBUTTON)) {
                object.tipsHeld = false;
                parts::HoldTools(GetParent(hwnd), false);
            }
            // The button came up where we could not see it: the press is over.
            if (GetCapture() == hwnd && !(wParam & MK_LBUTTON)) {
                object.pressed = false;
                ReleaseCapture();
            }
            break;
        case WM_LBUTTONUP: {
            const bool wasPressed = object.pressed;
            object.pressed = false;
            if (GetCapture() == hwnd) ReleaseCapture();
            RECT client{};
            GetClientRect(hwnd, &client);
            const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (wasPressed && PtInRect(&client, at)) push(SubKind::LeftClick);
            return 0;
        }
        case WM_RBUTTONUP:
            push(SubKind::RightClick);
            return 0;
        case WM_CAPTURECHANGED:
            ForgetPressIfHeld(object);
            return 0;
        case WM_ENABLE:
            if (!wParam) ForgetPressIfHeld(object);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(hwnd, &paint);
            if (dc && object.bitmap) {
                RECT client{};
                GetClientRect(hwnd, &client);
                MemoryDc source(object.bitmap.get());
                if (source.get())
                    BitBlt(dc, 0, 0, client.right, client.bottom, source.get(), 0, 0, SRCCOPY);
            }
            EndPaint(hwnd, &paint);
            return 0;
        }
        default:
            break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void Win32Platform::ForgetPressIfHeld(WindowObject& surface) {
    // With the button still down its release goes elsewhere (the move loop,
    // another window); with it up already, the release waits in our queue
    // and still ends the press as a click.
    if (LeftButtonHeld()) surface.pressed = false;
}

}  // namespace vandrel::win32
