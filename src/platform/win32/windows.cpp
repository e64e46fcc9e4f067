// Top-level windows: one table of class and styles per role, and the
// operations that open, place, show and close them.
#include "platform/win32/loaded_libraries.h"
#include "platform/win32/win32_platform.h"

namespace vandrel::win32 {
namespace {

struct RoleClass {
    const char* name;
    LPCSTR cursor;  // the class cursor; none where the window sets its own
    DWORD style;
    DWORD exStyle;
};

// Indexed by Role.
const RoleClass kRoleClasses[] = {
    // Frameless and colour-keyed; never takes the focus from the application in front.
    {kPaletteClass, IDC_ARROW, WS_POPUP,
     WS_EX_TOOLWINDOW | WS_EX_WINDOWEDGE | WS_EX_LAYERED | WS_EX_NOACTIVATE},
    // Tab and the arrows move between its controls, as in a dialog.
    {kFramedClass, IDC_ARROW, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, WS_EX_CONTROLPARENT},
    {kTrayOwnerClass, IDC_ARROW, WS_POPUP, WS_EX_TOOLWINDOW},
    {kSurfaceClass, nullptr, WS_CHILD | WS_VISIBLE, 0},
    {kHelperClass, IDC_ARROW, WS_POPUP, WS_EX_TOOLWINDOW},
};

const RoleClass& ClassOf(Role role) {
    return kRoleClasses[static_cast<int>(role)];
}

Role RoleOf(WindowKind kind) {
    switch (kind) {
        case WindowKind::Palette:
            return Role::Palette;
        case WindowKind::Framed:
            return Role::Framed;
        case WindowKind::Hidden:
            return Role::Hidden;
    }
    return Role::Framed;
}

bool Resizable(const WindowSpec& description) {
    return description.kind == WindowKind::Framed && description.sizable;
}

DWORD StyleFor(Role role, const WindowSpec& description) {
    DWORD style = ClassOf(role).style;
    if (role == Role::Framed && description.minimiseBox) style |= WS_MINIMIZEBOX;
    if (Resizable(description)) style |= WS_THICKFRAME;
    return style;
}

DWORD ExStyleFor(Role role, const WindowSpec& description) {
    DWORD exStyle = ClassOf(role).exStyle;
    if (description.topmost) exStyle |= WS_EX_TOPMOST;
    if (description.noActivate) exStyle |= WS_EX_NOACTIVATE;
    if (description.colourKey) exStyle |= WS_EX_LAYERED;
    if (description.clickThrough) exStyle |= WS_EX_LAYERED | WS_EX_TRANSPARENT;
    return exStyle;
}

}  // namespace

BOOL AdjustForDpi(RECT* rect, DWORD style, DWORD exStyle, int dpi) {
    // A frame on a monitor of another DPI than the system's is as thick as that
    // monitor's (Windows 10 1607 on); the system's own rule otherwise.
    using ForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const ForDpi forDpi = Entry<ForDpi>(GetModuleHandleA("user32.dll"), "AdjustWindowRectExForDpi");
    if (forDpi && dpi > 0 && dpi != SystemDpi()) return forDpi(rect, style, FALSE, exStyle, static_cast<UINT>(dpi));
    return AdjustWindowRectEx(rect, style, FALSE, exStyle);
}

namespace {

// The outer rectangle that gives the window the client area it asks for.
RECT OuterRect(const WindowSpec& description, DWORD style, DWORD exStyle) {
    RECT outer = ToRect(description.client);
    if (description.kind == WindowKind::Framed && !AdjustForDpi(&outer, style, exStyle, description.dpi))
        outer = ToRect(description.client);
    // The place is the outer corner, as stored places are read back from the
    // outer rectangle: a window opened where it closed does not creep.
    OffsetRect(&outer, description.client.left - outer.left, description.client.top - outer.top);
    if (description.centred) {
        const int width = outer.right - outer.left;
        const int height = outer.bottom - outer.top;
        const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
        const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
        outer = {x, y, x + width, y + height};
    }
    return outer;
}

// The outer size of a client area for the window's present styles.
SIZE OuterSize(HWND hwnd, Size client, int dpi) {
    RECT outer{0, 0, client.width, client.height};
    const auto style = static_cast<DWORD>(GetWindowLongPtrA(hwnd, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrA(hwnd, GWL_EXSTYLE));
    if ((style & WS_CAPTION) && !AdjustForDpi(&outer, style, exStyle, dpi))
        outer = {0, 0, client.width, client.height};
    return {outer.right - outer.left, outer.bottom - outer.top};
}

bool SetLayering(HWND hwnd, const WindowSpec& description) {
    // A layered window stays invisible until it has its attributes.
    return description.colourKey ? SetLayeredWindowAttributes(hwnd, ToColorRef(*description.colourKey), 0,
                                                       LWA_COLORKEY) != FALSE
                          : SetLayeredWindowAttributes(hwnd, 0, 255, LWA_ALPHA) != FALSE;
}

}  // namespace

void Win32Platform::RegisterClasses() {
    // The large icon for the task switcher; the small one also serves the tray.
    const HICON largeIcon = LoadIconA(instance_, MAKEINTRESOURCEA(1));
    for (const RoleClass& info : kRoleClasses) {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = WindowProcedure;
        wc.hInstance = instance_;
        wc.hCursor = info.cursor ? LoadCursorA(nullptr, info.cursor) : nullptr;
        wc.hIcon = largeIcon ? largeIcon : appIcon_.get();
        wc.hIconSm = appIcon_.get();
        wc.lpszClassName = info.name;
        if (!RegisterClassExA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
            OutputDebugStringA("Vandrel: a window class could not be registered\n");
    }
}

HWND Win32Platform::CreateBound(WindowObject& object, const char* title, DWORD style, DWORD exStyle,
                                const RECT& outer, HWND parent, HMENU id) {
    const RoleClass& info = ClassOf(object.role);
    // The procedure binds the object at WM_NCCREATE, from lpCreateParams.
    return CreateWindowExA(exStyle, info.name, title, style, outer.left, outer.top,
                           outer.right - outer.left, outer.bottom - outer.top, parent, id,
                           instance_, &object);
}

std::int64_t Win32Platform::OpenWindow(int window, const WindowSpec& description) {
    if (window == kNoWindow) return 0;
    CloseWindow(window);  // one system window per number
    const Role role = RoleOf(description.kind);
    auto object = std::make_unique<WindowObject>(*this, role);
    object->number = window;
    object->description = description;
    if (role != Role::Hidden) {
        object->background.reset(CreateSolidBrush(BackgroundOf(description)));
        if (!object->background) return 0;
    }
    const DWORD style = StyleFor(role, description);
    const DWORD exStyle = ExStyleFor(role, description);
    const RECT outer = OuterRect(description, style, exStyle);
    WindowObject& made = *object;
    // Known by its number while it is being made: its first moves reach the hook.
    windows_[window] = std::move(object);
    HWND hwnd =
        CreateBound(made, description.title.c_str(), style, exStyle, outer, HandleOf(description.owner), nullptr);
    if (hwnd && (exStyle & WS_EX_LAYERED) && !SetLayering(hwnd, description)) {
        OutputDebugStringA("Vandrel: a window's colour key could not be set\n");
        ::DestroyWindow(hwnd);
        hwnd = nullptr;
    }
    if (!hwnd) {
        CloseWindow(window);
        return 0;
    }
    if (description.topmost) SetTopmost(window, true);
    return reinterpret_cast<std::int64_t>(hwnd);
}

void Win32Platform::ShowWindow(int window) {
    const WindowObject* object = ObjectOf(window);
    if (!object || !object->hwnd || object->role == Role::Hidden) return;
    ::ShowWindow(object->hwnd, object->NoActivate() ? SW_SHOWNOACTIVATE : SW_SHOWNORMAL);
}

void Win32Platform::CloseWindow(int window) {
    auto found = windows_.find(window);
    if (found == windows_.end()) return;
    std::unique_ptr<WindowObject> object = std::move(found->second);
    windows_.erase(found);
    if (object->hwnd && !::DestroyWindow(object->hwnd))
        OutputDebugStringA("Vandrel: a window could not be destroyed\n");
    Retire(std::move(object));
}

std::optional<Rect> Win32Platform::WindowRect(int window) {
    HWND hwnd = HandleOf(window);
    RECT r{};
    if (!hwnd || !GetWindowRect(hwnd, &r)) return std::nullopt;
    return Rect{r.left, r.top, r.right, r.bottom};
}

void Win32Platform::PlaceWindow(int window, Point topLeft) {
    if (HWND hwnd = HandleOf(window))
        SetWindowPos(hwnd, nullptr, topLeft.x, topLeft.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Platform::SetClientSize(int window, Size size) {
    HWND hwnd = HandleOf(window);
    const WindowObject* object = ObjectOf(window);
    if (!hwnd || !object) return;
    const SIZE outer = OuterSize(hwnd, size, object->description.dpi);
    SetWindowPos(hwnd, nullptr, 0, 0, outer.cx, outer.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Platform::SetTopmost(int window, bool topmost) {
    if (HWND hwnd = HandleOf(window))
        SetWindowPos(hwnd, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Win32Platform::Activate(int window) {
    HWND hwnd = HandleOf(window);
    if (!hwnd) return;
    if (IsIconic(hwnd)) ::ShowWindow(hwnd, SW_RESTORE);
    if (!SetForegroundWindow(hwnd))
        BringWindowToTop(hwnd);  // refused while another program is in front
}

Rect Win32Platform::MonitorRect(int window) {
    HWND hwnd = HandleOf(window);
    HMONITOR monitor = hwnd ? MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST)
                            : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!monitor || !GetMonitorInfoA(monitor, &info))
        return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return {info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right, info.rcMonitor.bottom};
}

Size Win32Platform::OuterSizeOf(const WindowSpec& description) {
    const Role role = RoleOf(description.kind);
    const RECT outer = OuterRect(description, StyleFor(role, description), ExStyleFor(role, description));
    return {outer.right - outer.left, outer.bottom - outer.top};
}

static BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM found) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(monitor, &info)) return TRUE;
    auto& rects = *reinterpret_cast<std::vector<Rect>*>(found);
    const Rect rect{info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right, info.rcMonitor.bottom};
    if (info.dwFlags & MONITORINFOF_PRIMARY)
        rects.insert(rects.begin(), rect);
    else
        rects.push_back(rect);
    return TRUE;
}

int Win32Platform::DpiAt(Point point) {
    // With several monitors, or once the scale has changed while the program
    // runs, shcore's per-monitor answer where the system has it (Windows 8.1
    // on); else the screen's one DPI, as it was at the start. shcore is loaded
    // only then: it costs a single-monitor start-up time and memory for nothing.
    using MonitorDpi = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    static MonitorDpi monitorDpi = nullptr;
    static bool looked = false;
    if (!looked && (GetSystemMetrics(SM_CMONITORS) > 1 || scaleChanged_)) {
        looked = true;
        monitorDpi = Entry<MonitorDpi>(LoadLibraryA("shcore.dll"), "GetDpiForMonitor");
    }
    constexpr int kEffectiveDpi = 0;
    UINT x = 0, y = 0;
    if (monitorDpi && monitorDpi(MonitorFromPoint(POINT{point.x, point.y}, MONITOR_DEFAULTTONEAREST), kEffectiveDpi,
                                 &x, &y) == S_OK && y > 0)
        return static_cast<int>(y);
    return SystemDpi();
}

std::vector<Rect> Win32Platform::MonitorRects() {
    std::vector<Rect> rects;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&rects));
    if (rects.empty()) rects.push_back({0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
    return rects;
}

int Win32Platform::ForegroundWindowNumber() {
    HWND foreground = GetForegroundWindow();
    if (!foreground) return -1;
    DWORD process = 0;
    GetWindowThreadProcessId(foreground, &process);
    if (process != GetCurrentProcessId()) return -1;
    return NumberOf(foreground);
}

DragOutcome Win32Platform::MoveWithMouse(int window) {
    HWND hwnd = HandleOf(window);
    // A release that came before we got here ends the press as a click.
    if (!hwnd || !LeftButtonHeld()) return DragOutcome::NotStarted;
    HWND previousForeground = GetForegroundWindow();
    RECT before{}, after{};
    GetWindowRect(hwnd, &before);
    POINT cursor{};
    GetCursorPos(&cursor);
    // The move command itself rather than a caption press: the press would
    // first activate the window, taking the focus from the user's application.
    SendMessageA(hwnd, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, MAKELPARAM(cursor.x, cursor.y));
    const bool alive = IsWindow(hwnd) && GetWindowRect(hwnd, &after);
    // Some systems activate a window in its move loop; hand the focus back
    // to the application the user was working in.
    if (alive && GetForegroundWindow() == hwnd && previousForeground && previousForeground != hwnd)
        SetForegroundWindow(previousForeground);
    // The loop took the release: no surface of the window may count it later.
    if (WindowObject* object = ObjectOf(window))
        for (auto& [id, record] : object->controls)
            if (record.surface) record.surface->pressed = false;
    if (!alive) return DragOutcome::Moved;
    return (before.left == after.left && before.top == after.top) ? DragOutcome::ReleasedWithoutMove
                                                                  : DragOutcome::Moved;
}

void Win32Platform::SetShortcuts(int window, const std::vector<Shortcut>& shortcuts) {
    WindowObject* object = ObjectOf(window);
    if (!object) return;
    object->shortcuts.reset();
    std::vector<ACCEL> table;
    for (const Shortcut& shortcut : shortcuts)
        table.push_back(
            {FVIRTKEY, static_cast<WORD>(shortcut.virtualKey), static_cast<WORD>(shortcut.item)});
    if (table.empty()) return;
    object->shortcuts.reset(CreateAcceleratorTableA(table.data(), static_cast<int>(table.size())));
    if (!object->shortcuts) OutputDebugStringA("Vandrel: a window's shortcuts could not be made\n");
}

}  // namespace vandrel::win32
