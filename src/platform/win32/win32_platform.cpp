// The platform's own bookkeeping: windows by number, the event queue and the
// message pump, the single-instance claim, and the release of everything.
#include "platform/win32/win32_platform.h"

#include "resources/artwork.h"

namespace vandrel::win32 {
namespace {

constexpr const char* kInstanceMutex = "Local\\Vandrel.SingleInstance";
constexpr const char* kComeForwardMessage = "Vandrel.ComeForward";
constexpr const char* kExitMessage = "Vandrel.Exit";
// How long `Vandrel.exe /exit` waits for the running copy to end.
constexpr DWORD kExitWait = 5000;

// The running copy's owner window, or without a tray icon its framed main
// window; never one of ours. Null when there is none.
HWND FindRunningCopy(DWORD& process) {
    for (const char* windowClass : {kTrayOwnerClass, kFramedClass}) {
        for (HWND target = FindWindowExA(nullptr, nullptr, windowClass, nullptr); target;
             target = FindWindowExA(nullptr, target, windowClass, nullptr)) {
            process = 0;
            GetWindowThreadProcessId(target, &process);
            if (process != GetCurrentProcessId()) return target;
        }
    }
    return nullptr;
}

}  // namespace

int EndRunningCopy() {
    // The single-instance mutex tells whether a copy runs at all.
    KernelHandle mutex(OpenMutexA(SYNCHRONIZE, FALSE, kInstanceMutex));
    if (!mutex) return 0;
    DWORD process = 0;
    HWND target = FindRunningCopy(process);
    if (!target) return 0;
    // Opened before asking, so that its end cannot be missed.
    KernelHandle running(OpenProcess(SYNCHRONIZE, FALSE, process));
    const UINT exitMessage = RegisterWindowMessageA(kExitMessage);
    if (!exitMessage || !PostMessageA(target, exitMessage, 0, 0)) return 1;
    if (!running) return 0;
    return WaitForSingleObject(running.get(), kExitWait) == WAIT_OBJECT_0 ? 0 : 1;
}

Win32Platform::Win32Platform(HINSTANCE instance) : instance_(instance) {
    taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
    comeForward_ = RegisterWindowMessageA(kComeForwardMessage);
    exitAsked_ = RegisterWindowMessageA(kExitMessage);
    // The small icon (the tray's, the title bars') drawn at the system's size for its DPI: the
    // file's 16, 32 and 48 would be stretched to 20 or 24.
    appIcon_ = MakeIcon(ApplicationIcon(GetSystemMetrics(SM_CXSMICON)));
    if (!appIcon_)
        appIcon_.reset(static_cast<HICON>(LoadImageA(instance_, MAKEINTRESOURCEA(1), IMAGE_ICON,
                                                     GetSystemMetrics(SM_CXSMICON),
                                                     GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR)));
    RegisterClasses();
    helper_ = std::make_unique<WindowObject>(*this, Role::Helper);
    const RECT place{0, 0, 1, 1};
    if (!CreateBound(*helper_, "Vandrel helper", WS_POPUP, WS_EX_TOOLWINDOW, place, nullptr,
                     nullptr))
        OutputDebugStringA("Vandrel: the clipboard's window could not be made\n");
}

Win32Platform::~Win32Platform() {
    Shutdown();
    if (helper_->hwnd) ::DestroyWindow(helper_->hwnd);
    Retire(std::move(helper_));
    procedureDepth_ = 0;
    FreeRetired();
}

WindowObject* Win32Platform::ObjectOf(int window) const {
    auto found = windows_.find(window);
    return found == windows_.end() ? nullptr : found->second.get();
}

HWND Win32Platform::HandleOf(int window) const {
    const WindowObject* object = ObjectOf(window);
    return object ? object->hwnd : nullptr;
}

int Win32Platform::NumberOf(HWND hwnd) const {
    if (!hwnd) return kNoWindow;
    for (const auto& [number, object] : windows_)
        if (object->hwnd == hwnd) return number;
    return kNoWindow;
}

WindowObject* Win32Platform::TopLevelOf(HWND hwnd) const {
    // Found by handle among our own: another class's GWLP_USERDATA means something else.
    HWND root = hwnd ? GetAncestor(hwnd, GA_ROOT) : nullptr;
    if (!root) return nullptr;
    for (const auto& [number, object] : windows_)
        if (object->hwnd == root) return object.get();
    return nullptr;
}

ControlRecord* Win32Platform::RecordOf(int window, int id) {
    WindowObject* object = ObjectOf(window);
    if (!object) return nullptr;
    auto found = object->controls.find(id);
    return found == object->controls.end() ? nullptr : &found->second;
}

HFONT Win32Platform::Font(int number) const {
    auto found = fonts_.find(number);
    return found == fonts_.end() ? nullptr : static_cast<HFONT>(found->second.get());
}

void Win32Platform::Report(int window, HookEvent event) {
    // Synchronous: the logic snaps a window inside its WM_MOVE.
    if (hook_ && window != kNoWindow) hook_(window, event);
}

void Win32Platform::Retire(std::unique_ptr<WindowObject> object) {
    if (!object) return;
    // A window that outlives its object must not find it any more.
    auto unbind = [](WindowObject& gone) {
        if (gone.hwnd && IsWindow(gone.hwnd)) SetWindowLongPtrA(gone.hwnd, GWLP_USERDATA, 0);
        gone.hwnd = nullptr;
    };
    for (auto& [id, record] : object->controls)
        if (record.surface) unbind(*record.surface);
    unbind(*object);
    retired_.push_back(std::move(object));
    FreeRetired();
}

void Win32Platform::FreeRetired() {
    // A procedure on the stack may still hold one of them.
    if (procedureDepth_ == 0) retired_.clear();
}

bool Win32Platform::ClaimSingleInstance() {
    if (instanceMutex_) return true;
    SetLastError(ERROR_SUCCESS);
    KernelHandle mutex(CreateMutexA(nullptr, FALSE, kInstanceMutex));
    if (!mutex) return true;  // nothing tells of another copy: run
    if (GetLastError() != ERROR_ALREADY_EXISTS) {
        instanceMutex_ = std::move(mutex);
        QueueCommandLineFiles();
        return true;
    }
    DWORD process = 0;
    if (HWND target = FindRunningCopy(process)) {
        // It may bring a window to the front although we are the one the user started.
        AllowSetForegroundWindow(process);
        if (HandFilesTo(target)) return false;
        if (!PostMessageA(target, comeForward_, 0, 0))
            OutputDebugStringA("Vandrel: the running copy could not be asked to come forward\n");
    }
    return false;
}

bool Win32Platform::DispatchThroughWindow(MSG& msg) {
    WindowObject* root = TopLevelOf(msg.hwnd);
    if (!root) return false;
    if (root->shortcuts && TranslateAcceleratorA(root->hwnd, root->shortcuts.get(), &msg))
        return true;
    // Tab, the arrows, Enter and Escape as in any dialog.
    return root->role == Role::Framed && IsDialogMessageA(root->hwnd, &msg);
}

Event Win32Platform::WaitEvent(int milliseconds) {
    FreeRetired();
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (events_.empty() && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            // The shortcut is registered for the thread, not a window.
            if (msg.hwnd == nullptr && msg.message == WM_HOTKEY) {
                Push({EventKind::Hotkey});
                continue;
            }
            if (DispatchThroughWindow(msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (maskPending_) MaskMenuKey();
        if (!events_.empty()) {
            Event event = events_.front();
            events_.pop_front();
            return event;
        }
        const DWORD waited = GetTickCount() - start;
        if (milliseconds < 0 || waited >= static_cast<DWORD>(milliseconds)) return {};
        MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(milliseconds) - waited,
                                    QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

bool Win32Platform::PumpUntil(HANDLE object, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (DispatchThroughWindow(msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        const DWORD waited = GetTickCount() - start;
        if (waited >= milliseconds) return WaitForSingleObject(object, 0) == WAIT_OBJECT_0;
        if (MsgWaitForMultipleObjectsEx(1, &object, milliseconds - waited, QS_ALLINPUT,
                                        MWMO_INPUTAVAILABLE) == WAIT_OBJECT_0)
            return true;
    }
}

void Win32Platform::Shutdown() {
    // The hook holds the program's state, which ends with the loop.
    hook_ = nullptr;
    RemoveTrayIcon();
    // Palette and other windows go before the hidden windows that own them.
    for (const bool owners : {false, true}) {
        for (auto it = windows_.begin(); it != windows_.end();) {
            if ((it->second->role == Role::Hidden) == owners) {
                const int number = it->first;
                ++it;
                CloseWindow(number);
            } else {
                ++it;
            }
        }
    }
    menus_.clear();
    events_.clear();
    trayOwner_ = kNoWindow;
}

}  // namespace vandrel::win32
