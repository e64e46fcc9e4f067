// The seam implemented with the Win32 API. Window procedures turn messages
// into events in a queue; WaitEvent pumps messages until one is queued.
#pragma once

#include <windows.h>

#include <deque>
#include <map>
#include <memory>
#include <vector>

#include "platform/platform.h"
#include "platform/win32/handles.h"

namespace vandrel::win32 {

constexpr UINT kTrayCallbackMessage = WM_APP + 1;
constexpr UINT kTrayIconId = 1;

// What a swatch control keeps: its colour value and its picture.
struct SwatchState {
    ColourValue data = 0;
    GdiObject bitmap;  // a DIB section the size of the control
    void* bits = nullptr;
    HCURSOR cursor = nullptr;
    bool pressed = false;
};

struct BuiltMenu {
    MenuHandle menu;
    // Item pictures, turned into bitmaps only while an item is drawn: a tray
    // menu of hundreds of palettes would otherwise hold thousands of GDI handles.
    std::vector<std::unique_ptr<Image>> images;
};

class Win32Platform : public Platform {
public:
    explicit Win32Platform(HINSTANCE instance);
    ~Win32Platform() override;

    DisplayInfo ExamineDisplays() override;
    std::string ProfileFolder() override;
    std::uint32_t Clock() override { return GetTickCount(); }
    bool SetCurrentFolder(const std::string& path) override;
    bool CreateFolder(const std::string& path) override;
    std::optional<std::vector<FolderEntry>> ListFolder(const std::string& pattern) override;
    bool ReplaceFile(const std::string& from, const std::string& to) override;
    bool RemoveFile(const std::string& name) override;
    std::string CodePageToUtf8(const std::string& text) override;
    std::string Utf8ToCodePage(const std::string& text) override;

    MessageAnswer ShowMessage(const std::string& title, const std::string& text,
                              MessageButtons buttons) override;
    std::string ChooseFolder(const std::string& title, const std::string& start) override;
    std::string AskPaletteName(const std::string& suggested) override;

    void CreateSwatchFont(int number, int points) override;
    void CreateImage(int number, const Image& image) override;

    std::int64_t CreatePaletteWindow(int window, const Rect& client, int owner,
                                     ColourValue background) override;
    std::int64_t CreateTrayOwnerWindow(const Rect& rect, const std::string& title) override;
    void ShowWindow(int window) override;
    bool WindowExists(int window) override;
    void DestroyWindow(int window) override;
    Point WindowPosition(int window) override;
    Size WindowSize(int window) override;
    void MoveWindow(int window, Point position) override;
    void SetExtendedStyle(int window, std::uint32_t style) override;
    void SetColourKey(int window, ColourValue key) override;
    void SetTopmost(int window, bool topmost) override;
    void InstallWindowHook(const WindowHook& hook) override {
        hook_ = hook;
        hookInstalled_ = true;
    }
    int ForegroundWindowNumber() override;
    void DrawClientOutline(int window, ColourValue colour) override;

    bool CreateSwatch(int window, int control, const Rect& rect, ColourValue data) override;
    ColourValue SwatchData(int window, int control) override;
    bool DrawOnControl(int window, int control,
                       const std::function<void(Canvas&)>& paint) override;
    void SetControlCursor(int window, int control, CursorKind cursor) override;
    void EnableControl(int window, int control, bool enabled) override;
    bool ControlExists(int window, int control) override;
    std::string ControlText(int window, int control) override;
    DragOutcome MoveWithMouse(int window) override;

    void SetMenu(MenuId menu, const Menu& content) override;
    void CheckMenuItem(MenuId menu, int item, bool checked) override;
    void ShowMenu(MenuId menu, int owner) override;
    bool AddTrayIcon(int owner) override;
    void RemoveTrayIcon() override;

    bool SetClipboardText(const std::string& text) override;
    std::string ClipboardText() override;
    std::int16_t KeyScan(char ch) override;
    void SendKeys(const std::vector<KeyRecord>& records) override;

    Event WaitEvent(int milliseconds) override;
    void Shutdown() override;

    // Used by the window procedures.
    void Push(const Event& event) { events_.push_back(event); }
    int NumberOf(HWND hwnd) const;
    HWND HandleOf(int window) const;
    bool HookInstalled() const { return hookInstalled_; }
    void Report(HWND hwnd, HookEvent event) {
        const int number = NumberOf(hwnd);
        if (hook_ && number != kNoWindow) hook_(number, event);
    }
    HFONT Font(int number) const;
    void ReAddTrayIcon();
    UINT TaskbarCreatedMessage() const { return taskbarCreated_; }

private:
    friend class ModalScope;
    HWND Control(int window, int control) const;
    void RegisterClasses();
    bool AddTrayIconNow();

    HINSTANCE instance_;
    std::map<int, HWND> windows_;
    std::deque<Event> events_;
    std::map<int, GdiObject> fonts_;
    std::map<int, IconHandle> images_;
    IconHandle appIcon_;
    std::map<MenuId, BuiltMenu> menus_;
    HWND helper_ = nullptr;  // hidden window that owns the clipboard
    bool hookInstalled_ = false;
    WindowHook hook_;
    bool trayAdded_ = false;
    int trayOwner_ = kNoWindow;
    UINT taskbarCreated_ = 0;
};

// While a system dialog or message box is up, the program's other windows
// are disabled and leave the topmost band; both are restored afterwards.
class ModalScope {
public:
    explicit ModalScope(Win32Platform& platform);
    ~ModalScope();
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

private:
    struct Saved {
        HWND hwnd;
        bool enabled;
        bool topmost;
    };
    std::vector<Saved> saved_;
};

// The Win32 platform for window procedures that only have a handle.
Win32Platform* CurrentPlatform();

// Window procedures.
LRESULT CALLBACK PaletteWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK SwatchProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK TrayOwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK HelperProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

constexpr const char* kPaletteClass = "VandrelPalette";
constexpr const char* kSwatchClass = "VandrelSwatch";
constexpr const char* kTrayOwnerClass = "VandrelTrayOwner";
constexpr const char* kHelperClass = "VandrelHelper";

inline COLORREF ToColorRef(ColourValue colour) { return static_cast<COLORREF>(colour & 0xFFFFFF); }
inline RECT ToRect(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

// Menu item images: measured and drawn by the window that owns the menu.
constexpr int kMenuImageSize = 16;
bool MeasureMenuImage(LPARAM lParam);
bool DrawMenuImage(LPARAM lParam);

// A 32-bit top-down DIB section with premultiplied alpha, from an Image.
GdiObject MakeAlphaBitmap(const Image& image);
IconHandle MakeIcon(const Image& image);

}  // namespace vandrel::win32
