// The picker's hold on the desktop: low-level keyboard and mouse hooks that
// turn input into events and pass none of it on, the cross pointer, the
// global shortcut, and copies of the screen's physical pixels.
#include "platform/win32/loaded_libraries.h"
#include "platform/win32/win32_platform.h"

namespace vandrel::win32 {
namespace {

// The system pointers a pick shows as a cross (OCR_NORMAL, OCR_IBEAM, OCR_HAND).
constexpr DWORD kReplacedCursors[] = {32512, 32513, 32649};

std::uint32_t ModifierOf(DWORD key) {
    switch (key) {
        case VK_SHIFT: case VK_LSHIFT: case VK_RSHIFT: return kModShift;
        case VK_CONTROL: case VK_LCONTROL: case VK_RCONTROL: return kModCtrl;
        case VK_MENU: case VK_LMENU: case VK_RMENU: return kModAlt;
        case VK_LWIN: case VK_RWIN: return kModWin;
        default: return 0;
    }
}

bool Held(int key) { return (GetAsyncKeyState(key) & 0x8000) != 0; }

// An unassigned key, typed while Alt or Win is held and the application in
// front has seen no other key since: releasing Alt would otherwise open its
// menu (Wine does, for a shortcut's own key) as a press of Alt alone does.
constexpr WORD kMenuMaskKey = 0xE8;

std::uint32_t ModifiersNow() {
    return (Held(VK_SHIFT) ? kModShift : 0u) | (Held(VK_CONTROL) ? kModCtrl : 0u) | (Held(VK_MENU) ? kModAlt : 0u) |
           (Held(VK_LWIN) || Held(VK_RWIN) ? kModWin : 0u);
}

// A low-level hook procedure gets no context of its own: the one pick that
// runs. The program has one thread, on which the system calls it.
class PickHooks;
PickHooks* runningPick = nullptr;

using ThreadAwareness = HANDLE(WINAPI*)(HANDLE);
// DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2
const auto kPerMonitorV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));

// SetThreadDpiAwarenessContext where the system has it (Windows 10 1607 on), else null.
ThreadAwareness SetAwareness() {
    static const ThreadAwareness entry =
        Entry<ThreadAwareness>(GetModuleHandleA("user32.dll"), "SetThreadDpiAwarenessContext");
    return entry;
}

class PickHooks : public Hold {
public:
    explicit PickHooks(Win32Platform& platform) : platform_(platform) {
        if (runningPick) return;  // one pick at a time
        const HINSTANCE instance = GetModuleHandleA(nullptr);
        keyboard_ = SetWindowsHookExA(WH_KEYBOARD_LL, Keys, instance, 0);
        mouse_ = keyboard_ ? SetWindowsHookExA(WH_MOUSE_LL, Mouse, instance, 0) : nullptr;
        if (!mouse_) {
            OutputDebugStringA("Vandrel: the picker's hooks could not be installed\n");
            Unhook();
            return;
        }
        runningPick = this;
        modifiers_ = ModifiersNow();
        // The shortcut's own key never reached the application in front.
        if ((modifiers_ & (kModAlt | kModWin)) != 0) platform_.MaskMenuKey();
        // Physical pixels on every monitor for the time of the pick, where the system knows such a thing.
        if (const ThreadAwareness set = SetAwareness()) previousAwareness_ = set(kPerMonitorV2);
        for (DWORD id : kReplacedCursors) {
            HCURSOR cross = CopyCursor(LoadCursorA(nullptr, IDC_CROSS));
            if (cross && SetSystemCursor(cross, id)) cursorsReplaced_ = true;
            else if (cross) DestroyCursor(cross);
        }
    }
    ~PickHooks() override {
        if (runningPick != this) return;
        Unhook();
        runningPick = nullptr;
        // The user's own pointers, as the settings hold them.
        if (cursorsReplaced_) SystemParametersInfoA(SPI_SETCURSORS, 0, nullptr, 0);
        if (const ThreadAwareness set = SetAwareness(); set && previousAwareness_) set(previousAwareness_);
    }
    PickHooks(const PickHooks&) = delete;
    PickHooks& operator=(const PickHooks&) = delete;

    bool Hooked() const { return runningPick == this; }

private:
    void Unhook() {
        if (mouse_) UnhookWindowsHookEx(mouse_);
        if (keyboard_) UnhookWindowsHookEx(keyboard_);
        mouse_ = keyboard_ = nullptr;
    }

    void Report(PickInputKind what, int key = 0, int wheel = 0) {
        Event event{.kind = EventKind::PickInput};
        event.pick = {what, key, modifiers_, wheel};
        platform_.PushPickInput(event);
    }

    static LRESULT CALLBACK Keys(int code, WPARAM message, LPARAM details) {
        if (code != HC_ACTION || !runningPick) return CallNextHookEx(nullptr, code, message, details);
        const auto& key = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(details);
        const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
        if (key.vkCode == kMenuMaskKey && (key.flags & LLKHF_INJECTED) != 0)
            return CallNextHookEx(nullptr, code, message, details);
        if (const std::uint32_t modifier = ModifierOf(key.vkCode)) {
            // Modifiers pass: the application in front keeps its idea of them.
            runningPick->modifiers_ = down ? runningPick->modifiers_ | modifier : runningPick->modifiers_ & ~modifier;
            return CallNextHookEx(nullptr, code, message, details);
        }
        runningPick->Report(down ? PickInputKind::KeyDown : PickInputKind::KeyUp, static_cast<int>(key.vkCode));
        // Typed once the hook has returned: input sent from inside it would wait for the hook itself.
        if (down && (runningPick->modifiers_ & (kModAlt | kModWin)) != 0) runningPick->platform_.MaskMenuKeySoon();
        return 1;
    }

    static LRESULT CALLBACK Mouse(int code, WPARAM message, LPARAM details) {
        if (code != HC_ACTION || !runningPick) return CallNextHookEx(nullptr, code, message, details);
        const auto& mouse = *reinterpret_cast<const MSLLHOOKSTRUCT*>(details);
        switch (message) {
            case WM_MOUSEMOVE:
                runningPick->Report(PickInputKind::Move);
                return CallNextHookEx(nullptr, code, message, details);  // the pointer moves on
            case WM_LBUTTONDOWN:
                runningPick->Report(PickInputKind::LeftPress);
                return 1;
            case WM_RBUTTONDOWN:
                runningPick->Report(PickInputKind::RightPress);
                return 1;
            case WM_MOUSEWHEEL:
                runningPick->Report(PickInputKind::Wheel, 0, static_cast<short>(HIWORD(mouse.mouseData)));
                return 1;
            default:
                return 1;  // releases, other buttons, sideways wheels: the window below sees nothing
        }
    }

    Win32Platform& platform_;
    HHOOK keyboard_ = nullptr;
    HHOOK mouse_ = nullptr;
    std::uint32_t modifiers_ = 0;
    HANDLE previousAwareness_ = nullptr;
    bool cursorsReplaced_ = false;
};

class HotkeyHold : public Hold {
public:
    explicit HotkeyHold(int id) : id_(id) {}
    ~HotkeyHold() override { UnregisterHotKey(nullptr, id_); }
    HotkeyHold(const HotkeyHold&) = delete;
    HotkeyHold& operator=(const HotkeyHold&) = delete;

private:
    int id_;
};

}  // namespace

void Win32Platform::MaskMenuKey() {
    maskPending_ = false;
    INPUT keys[2]{};
    for (INPUT& key : keys) {
        key.type = INPUT_KEYBOARD;
        key.ki.wVk = kMenuMaskKey;
    }
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
}

void Win32Platform::PushPickInput(const Event& event) {
    // Moves the loop has not read yet are one move: it reads the pointer's place itself.
    if (event.pick.what == PickInputKind::Move && !events_.empty() && events_.back().kind == EventKind::PickInput &&
        events_.back().pick.what == PickInputKind::Move)
        return;
    events_.push_back(event);
}

std::unique_ptr<Hold> Win32Platform::HoldPickInput() {
    auto hooks = std::make_unique<PickHooks>(*this);
    if (!hooks->Hooked()) return nullptr;
    return hooks;
}

std::unique_ptr<Hold> Win32Platform::HoldHotkey(const HotkeyKeys& keys) {
    constexpr int kHotkeyId = 1;
    // MOD_NOREPEAT: holding the shortcut does not repeat it (where the system honours it).
    if (!RegisterHotKey(nullptr, kHotkeyId, keys.modifiers | 0x4000, static_cast<UINT>(keys.virtualKey)))
        return nullptr;
    return std::make_unique<HotkeyHold>(kHotkeyId);
}

bool Win32Platform::KeyIsDown(int virtualKey) { return Held(virtualKey); }

Point Win32Platform::PhysicalCursorPosition() {
    POINT at{};
    if (!GetPhysicalCursorPos(&at) && !GetCursorPos(&at)) return {};
    return {at.x, at.y};
}

void Win32Platform::MoveCursor(Point physical) {
    if (!SetPhysicalCursorPos(physical.x, physical.y)) SetCursorPos(physical.x, physical.y);
}

Image Win32Platform::CaptureScreen(const Rect& area) {
    Image image;
    if (area.Width() <= 0 || area.Height() <= 0) return image;
    HDC screen = GetDC(nullptr);
    if (!screen) return image;
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = TopDownDib(area.Width(), area.Height());
    void* bits = nullptr;
    GdiObject bitmap(memory ? CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr);
    if (bitmap && bits) {
        HGDIOBJ old = SelectObject(memory, bitmap.get());
        // Without CAPTUREBLT: layered windows (the loupe among them) are not copied.
        if (BitBlt(memory, 0, 0, area.Width(), area.Height(), screen, area.left, area.top, SRCCOPY)) {
            GdiFlush();
            const auto* pixels = static_cast<const std::uint32_t*>(bits);
            image.width = area.Width();
            image.height = area.Height();
            image.pixels.assign(pixels, pixels + static_cast<std::size_t>(image.width) * image.height);
            for (std::uint32_t& pixel : image.pixels) pixel |= 0xFF000000u;
        }
        SelectObject(memory, old);
    }
    if (memory) DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return image;
}

}  // namespace vandrel::win32
