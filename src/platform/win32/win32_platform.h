// The seam implemented with the Win32 API. One window procedure serves every
// window of the program; it turns messages into events in a queue, and
// WaitEvent pumps messages until one is queued.
#pragma once

#include <windows.h>

#include <deque>
#include <map>
#include <memory>
#include <vector>

#include "platform/platform.h"
#include "platform/win32/handles.h"

namespace vandrel::win32 {

class Win32Platform;

constexpr UINT kTrayCallbackMessage = WM_APP + 1;
constexpr UINT kTrayIconId = 1;

// What a window of ours is for: each role has its class, styles and
// handling. The first three are the seam's window kinds.
enum class Role { Palette, Framed, Hidden, Surface, Helper };

struct WindowObject;

// A control of a window: its kind, and for a surface the object behind it.
struct ControlRecord {
    ControlKind kind = ControlKind::Surface;
    HWND hwnd = nullptr;
    std::unique_ptr<WindowObject> surface;
};

// What every window of ours carries, bound to it at WM_NCCREATE; the
// window's GWLP_USERDATA always points to one of these.
struct WindowObject {
    WindowObject(Win32Platform& owner, Role kind) : platform(owner), role(kind) {}
    WindowObject(const WindowObject&) = delete;
    WindowObject& operator=(const WindowObject&) = delete;

    Win32Platform& platform;
    Role role;
    HWND hwnd = nullptr;     // null once the system window is gone
    int number = kNoWindow;  // the window's number; a surface's control number

    // Top-level windows.
    WindowSpec description;
    GdiObject background;  // brush of description.background
    std::map<int, ControlRecord> controls;
    AcceleratorHandle shortcuts;
    HWND lastFocus = nullptr;  // the control that had the focus when the window was left

    // Surfaces.
    int parentNumber = kNoWindow;
    ColourValue data = 0;
    GdiObject bitmap;  // a DIB section the size of the control
    HCURSOR cursor = nullptr;
    bool pressed = false;  // a left press began here and its release has not come
    bool tipsHeld = false;  // surface: its parent's tooltips are held back since a press
    // Surface: its tooltip, given to the system's tooltip window when the
    // pointer first comes over it (start-up loads no common controls).
    std::string tip;
    bool tipAdded = false;

    bool NoActivate() const { return role == Role::Palette || description.noActivate; }
};

struct BuiltMenu {
    MenuHandle menu;
    // What the menu shows. Item pictures are turned into bitmaps only while an
    // item is drawn (a tray menu of hundreds of palettes would otherwise hold
    // thousands of GDI handles), and sub-menus are filled as they open.
    std::unique_ptr<const Menu> content;
    std::map<HMENU, const MenuItem*> unfilled;
    // Sub-menu items made as their sub-menus opened, kept as long as the menu.
    std::deque<std::vector<MenuItem>> made;
};

class Win32Platform : public Platform {
  public:
    explicit Win32Platform(HINSTANCE instance);
    ~Win32Platform() override;
    Win32Platform(const Win32Platform&) = delete;
    Win32Platform& operator=(const Win32Platform&) = delete;

    DisplayInfo ExamineDisplays() override;
    std::string ProfileFolder() override;
    std::uint32_t Clock() override { return GetTickCount(); }
    bool ClaimSingleInstance() override;
    bool SetCurrentFolder(const std::string& path) override;
    bool CreateFolder(const std::string& path) override;
    std::optional<std::vector<FolderEntry>> ListFolder(const std::string& pattern) override;
    bool ReplaceFile(const std::string& from, const std::string& to) override;
    bool RemoveFile(const std::string& name) override;
    std::string CodePageToUtf8(const std::string& text) override;
    std::string Utf8ToCodePage(const std::string& text) override;

    MessageAnswer ShowMessage(int owner, const std::string& title, const std::string& text,
                              MessageButtons buttons) override;
    std::string ChooseFolder(const std::string& title, const std::string& start) override;
    std::string AskText(int owner, const TextQuestion& question) override;
    std::optional<ColourValue> ChooseColour(ColourValue initial, CustomColours& custom) override;
    std::vector<std::string> ChooseFilesToOpen(int owner, const std::string& title,
                                               const std::vector<FileType>& types) override;
    std::optional<SaveAnswer> ChooseFileToSave(int owner, const SaveQuestion& question) override;

    void MakeFont(int number, const FontSpec& font) override;
    void CreateImage(int number, const Image& image) override;
    int TextHeight(int font, int width, const std::string& text) override;

    std::int64_t OpenWindow(int window, const WindowSpec& description) override;
    void ShowWindow(int window) override;
    void CloseWindow(int window) override;
    std::optional<Rect> WindowRect(int window) override;
    void PlaceWindow(int window, Point topLeft) override;
    void SetClientSize(int window, Size size) override;
    void SetTopmost(int window, bool topmost) override;
    void Activate(int window) override;
    Rect MonitorRect(int window) override;
    std::vector<Rect> MonitorRects() override;
    int DpiAt(Point point) override;
    Size OuterSizeOf(const WindowSpec& description) override;
    int ForegroundWindowNumber() override;
    std::int64_t ForegroundWindowHandle() override;
    void InstallWindowHook(const WindowHook& hook) override { hook_ = hook; }
    DragOutcome MoveWithMouse(int window) override;
    void SetShortcuts(int window, const std::vector<Shortcut>& shortcuts) override;

    bool AddControl(int window, const ControlSpec& description) override;
    void RemoveControl(int window, int id) override;
    void ChangeControl(int window, int id, const ControlChange& change) override;
    ControlState ReadControl(int window, int id) override;
    int FocusedControl(int window) override;
    bool Paint(int window, int id, const std::function<void(Canvas&)>& paint) override;

    void SetMenu(MenuId menu, Menu content) override;
    // Fills a sub-menu of ours that is about to open; false for other menus
    // (a window's system menu), which are left to the system.
    bool FillSubMenu(HMENU menu);
    void CheckMenuItem(MenuId menu, int item, bool checked) override;
    void ShowMenu(MenuId menu, int owner) override;
    bool AddTrayIcon(int owner) override;
    void RemoveTrayIcon() override;

    bool SetClipboardText(const std::string& text) override;
    std::string ClipboardText() override;
    std::int16_t KeyScan(char ch) override;
    void SendKeys(const std::vector<KeyRecord>& records) override;

    bool OpenWithShell(const std::string& target) override;
    std::optional<std::string> ReadRegistryText(const std::string& key, const std::string& name) override;
    std::optional<std::vector<std::uint8_t>> ReadRegistryBytes(const std::string& key,
                                                               const std::string& name) override;
    bool WriteRegistryText(const std::string& key, const std::string& name, const std::string& text) override;
    bool WriteRegistryBytes(const std::string& key, const std::string& name,
                            const std::vector<std::uint8_t>& bytes) override;
    bool RemoveRegistryValue(const std::string& key, const std::string& name) override;
    std::string ProgramPath() override;
    Point CursorPosition() override;
    ColourValue ScreenPixel(Point at) override;
    std::unique_ptr<MouseGrab> GrabMouse(int captureWindow) override;
    std::unique_ptr<Hold> HoldPickInput() override;
    std::unique_ptr<Hold> HoldHotkey(const HotkeyKeys& keys) override;
    bool KeyIsDown(int virtualKey) override;
    Point PhysicalCursorPosition() override;
    void MoveCursor(Point physical) override;
    Image CaptureScreen(const Rect& area) override;
    void ShowTrayBalloon(const std::string& title, const std::string& text) override;
    Event WaitEvent(int milliseconds) override;
    void Shutdown() override;

    // Used by the window procedure.
    LRESULT HandleMessage(WindowObject& object, UINT message, WPARAM wParam, LPARAM lParam);
    void Push(const Event& event) { events_.push_back(event); }
    // From the picker's hooks: moves not read yet are one.
    void PushPickInput(const Event& event);
    // Types the key that keeps a release of Alt from opening the menu of the application in front.
    void MaskMenuKey();
    void MaskMenuKeySoon() { maskPending_ = true; }
    HFONT Font(int number) const;

  private:
    friend class ModalScope;

    HWND HandleOf(int window) const;
    WindowObject* ObjectOf(int window) const;
    WindowObject* TopLevelOf(HWND hwnd) const;  // the window of ours holding hwnd, if any
    ControlRecord* RecordOf(int window, int id);
    int NumberOf(HWND hwnd) const;
    void RegisterClasses();
    HWND CreateBound(WindowObject& object, const char* title, DWORD style, DWORD exStyle,
                     const RECT& outer, HWND parent, HMENU id);
    void Retire(std::unique_ptr<WindowObject> object);
    void FreeRetired();
    bool AddSurface(WindowObject& parent, const ControlSpec& description);
    void ForgetPressIfHeld(WindowObject& surface);
    void Report(int window, HookEvent event);
    bool DispatchThroughWindow(MSG& msg);
    // Dispatches messages (their events stay queued) until `object` is
    // signalled (true) or the time is up (false).
    bool PumpUntil(HANDLE object, DWORD milliseconds);

    LRESULT HandleTopLevel(WindowObject& object, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleSurface(WindowObject& object, UINT message, WPARAM wParam, LPARAM lParam);
    bool HandleCommand(WindowObject& object, UINT message, WPARAM wParam, LPARAM lParam);
    bool HandleSessionMessage(WindowObject& object, UINT message, WPARAM wParam, LRESULT& result);
    bool HandleRegisteredMessage(WindowObject& object, UINT message, LPARAM lParam);
    LRESULT ColourControl(WindowObject& object, HDC dc, HWND control);
    void LimitTracking(const WindowObject& object, MINMAXINFO& limits) const;
    bool AddTrayIconNow();
    // The command line's files: queued for this copy, or handed to the
    // running one (false when there are none).
    void QueueCommandLineFiles();
    bool HandFilesTo(HWND target);
    bool ReceiveFiles(WindowObject& object, const COPYDATASTRUCT* data);

    HINSTANCE instance_;
    std::map<int, std::unique_ptr<WindowObject>> windows_;
    std::unique_ptr<WindowObject> helper_;                // hidden window that owns the clipboard
    std::vector<std::unique_ptr<WindowObject>> retired_;  // freed once no procedure runs
    int procedureDepth_ = 0;
    std::deque<Event> events_;
    std::map<int, GdiObject> fonts_;
    std::map<int, IconHandle> images_;
    IconHandle appIcon_;
    bool scaleChanged_ = false;  // a window was told of another DPI since the start
    std::map<MenuId, BuiltMenu> menus_;
    WindowHook hook_;
    bool sessionEndReported_ = false;
    bool maskPending_ = false;
    bool trayAdded_ = false;
    int trayOwner_ = kNoWindow;
    UINT taskbarCreated_ = 0;
    UINT comeForward_ = 0;
    UINT exitAsked_ = 0;
    KernelHandle instanceMutex_;
};

// While a system dialog or message box is up, the program's other windows
// are disabled and leave the topmost band; both are restored afterwards.
// The dialog's owner is left to the dialog to disable and enable.
class ModalScope {
  public:
    explicit ModalScope(Win32Platform& platform, HWND owner = nullptr);
    ~ModalScope();
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

  private:
    struct Saved {
        HWND hwnd;
        bool enabled;
        bool topmost;
        bool disabled;  // by us
    };
    std::vector<Saved> saved_;
};

LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// `Vandrel.exe /exit`: asks the running copy, if any, to end as the tray's
// "Exit" does and waits up to 5 s for its process to end. The exit code: 0
// when none runs any more, 1 when it still runs.
int EndRunningCopy();

constexpr const char* kPaletteClass = "VandrelPalette";
constexpr const char* kFramedClass = "VandrelWindow";
constexpr const char* kTrayOwnerClass = "VandrelTrayOwner";
constexpr const char* kSurfaceClass = "VandrelSwatch";
constexpr const char* kHelperClass = "VandrelHelper";

inline COLORREF ToColorRef(ColourValue colour) {
    return static_cast<COLORREF>(colour & 0xFFFFFF);
}
// The system's font for messages and dialogs, made once.
// The system's message font at `dpi` (the system's own DPI gives it as the system has it).
HFONT MessageFont(int dpi = 0);

// Whether the button that acts as the left one is down now (users may swap them).
inline bool LeftButtonHeld() {
    return (GetAsyncKeyState(GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON) & 0x8000) != 0;
}

// A window's own background colour, or the system's colour for dialogs.
inline COLORREF BackgroundOf(const WindowSpec& window) {
    return window.background ? ToColorRef(*window.background) : GetSysColor(COLOR_BTNFACE);
}
inline RECT ToRect(const Rect& r) {
    return RECT{r.left, r.top, r.right, r.bottom};
}
inline HMENU ControlIdHandle(int id) {
    return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
}

// Menu item images: measured and drawn by the window that owns the menu.
// AdjustWindowRectEx for a window laid out at `dpi`.
BOOL AdjustForDpi(RECT* rect, DWORD style, DWORD exStyle, int dpi);

// The system's DPI (the primary monitor's), read once.
int SystemDpi();
// Menu pictures and the room after them, at the system's DPI: 16 and 4 pixels at 96.
int MenuImageSize();
int MenuImageGap();
bool MeasureMenuImage(LPARAM lParam);
bool DrawMenuImage(LPARAM lParam);

// The description of a 32-bit top-down DIB of that size.
inline BITMAPINFO TopDownDib(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// A 32-bit top-down DIB section with premultiplied alpha, from an Image.
GdiObject MakeAlphaBitmap(const Image& image);
IconHandle MakeIcon(const Image& image);
// A 32-bit top-down DIB section of the given size, contents undefined.
GdiObject MakeSurfaceBitmap(int width, int height);
// Runs `paint` on a canvas drawing on `dc`.
void PaintOn(HDC dc, Win32Platform& platform, const std::function<void(Canvas&)>& paint);

}  // namespace vandrel::win32
