// The one place where the program's logic meets the operating system. The
// Win32 implementation lives in platform/win32, an in-memory one for tests in
// tests/fake. Windows and controls are known by the program's own numbers.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/types.h"

namespace vandrel {

enum class EventKind { Timeout, Menu, Tray, Control, Close };

enum class SubKind { None, LeftClick, RightClick, DoubleClick, Change, LeftDown };

struct Event {
    EventKind kind = EventKind::Timeout;
    int window = kNoWindow;
    int item = 0;     // menu events: the item number
    int control = 0;  // control events: the control number
    SubKind subKind = SubKind::None;
};

enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

struct DisplayInfo {
    int desktopCount = 0;
    int desktop0Width = 0;  // physical pixels of the primary display's mode; 0 if none
    int screenWidth = 0;    // GetSystemMetrics(SM_CXSCREEN)
};

struct FolderEntry {
    std::string name;
    bool isFolder = false;
};

enum class CursorKind { Hand, SizeAll };

// The menus the program shows. Items are data; the platform makes system menus.
enum class MenuId { PalettePopup, NewPalette, Tray };

struct MenuItem {
    int id = 0;  // 0 for separators and sub-menu headers
    std::string caption;
    bool separator = false;
    bool checked = false;
    std::optional<Image> image;
    std::vector<MenuItem> subItems;  // non-empty or isSubMenu: a sub-menu
    bool isSubMenu = false;
};

struct Menu {
    std::vector<MenuItem> items;
};

// What happened when a palette window was handed to the system's move loop.
enum class DragOutcome {
    NotStarted,          // the button was already up: its click event follows
    Moved,               // the window was moved
    ReleasedWithoutMove  // the loop took the release although nothing moved
};

// What the window hook reports of the program's windows.
enum class HookEvent { Moved, Painted };
using WindowHook = std::function<void(int window, HookEvent event)>;

// One key transition for SendInput.
struct KeyRecord {
    std::uint16_t virtualKey = 0;
    std::uint16_t unicodeChar = 0;  // non-zero: a KEYEVENTF_UNICODE event
    bool keyUp = false;
    friend bool operator==(const KeyRecord&, const KeyRecord&) = default;
};

// Drawing on one control, issued by the logic so that tests can check it.
class Canvas {
public:
    virtual ~Canvas() = default;
    virtual void FillRect(const Rect& rect, ColourValue colour) = 0;
    virtual void FrameRect(const Rect& rect, ColourValue colour) = 0;
    // Rounded rectangle whose corners are quarter ellipses of the given radii.
    virtual void FillRoundRect(const Rect& rect, int radiusX, int radiusY, ColourValue colour) = 0;
    virtual void FrameRoundRect(const Rect& rect, int radiusX, int radiusY, ColourValue colour) = 0;
    virtual Size MeasureText(int font, const std::string& text) = 0;
    // Text with a transparent background, top-left corner at (x, y).
    virtual void DrawText(int font, int x, int y, const std::string& text, ColourValue colour) = 0;
};

class Platform {
public:
    virtual ~Platform() = default;

    // --- system facts
    virtual DisplayInfo ExamineDisplays() = 0;
    virtual std::string ProfileFolder() = 0;  // the user's profile folder, as the shell reports it
    virtual std::uint32_t Clock() = 0;        // milliseconds

    // --- files and folders (file contents go through the standard library)
    virtual bool SetCurrentFolder(const std::string& path) = 0;
    virtual bool CreateFolder(const std::string& path) = 0;
    // Entries matching a pattern such as "*.pal"; nothing when it cannot be enumerated.
    virtual std::optional<std::vector<FolderEntry>> ListFolder(const std::string& pattern) = 0;
    virtual bool ReplaceFile(const std::string& from, const std::string& to) = 0;
    virtual bool RemoveFile(const std::string& name) = 0;
    // Text in the system's 8-bit code page <-> UTF-8 (for settings files with a BOM).
    virtual std::string CodePageToUtf8(const std::string& text) = 0;
    virtual std::string Utf8ToCodePage(const std::string& text) = 0;

    // --- modal dialogs
    virtual MessageAnswer ShowMessage(const std::string& title, const std::string& text,
                                      MessageButtons buttons) = 0;
    // Empty when cancelled.
    virtual std::string ChooseFolder(const std::string& title, const std::string& start) = 0;
    // The "Palette Name" dialog; empty when cancelled.
    virtual std::string AskPaletteName(const std::string& suggested) = 0;

    // --- resources made at start-up
    virtual void CreateSwatchFont(int number, int points) = 0;
    virtual void CreateImage(int number, const Image& image) = 0;

    // --- windows
    // A frameless pop-up with its client area at `client`, shown without
    // activation. Returns the system handle, 0 on failure.
    virtual std::int64_t CreatePaletteWindow(int window, const Rect& client, int owner,
                                             ColourValue background) = 0;
    virtual std::int64_t CreateTrayOwnerWindow(const Rect& rect, const std::string& title) = 0;
    // Shows a window without activating it.
    virtual void ShowWindow(int window) = 0;
    virtual bool WindowExists(int window) = 0;
    virtual void DestroyWindow(int window) = 0;
    virtual Point WindowPosition(int window) = 0;  // outer top-left corner
    virtual Size WindowSize(int window) = 0;       // outer size
    virtual void MoveWindow(int window, Point position) = 0;
    virtual void SetExtendedStyle(int window, std::uint32_t style) = 0;
    virtual void SetColourKey(int window, ColourValue key) = 0;
    virtual void SetTopmost(int window, bool topmost) = 0;
    // From now on every window of the program reports moves and paints to
    // `hook`, and a press on a window's background moves that window.
    virtual void InstallWindowHook(const WindowHook& hook) = 0;
    virtual int ForegroundWindowNumber() = 0;  // -1: a window of another program
    // Draws a 1-pixel outline along the edge of the window's client area.
    virtual void DrawClientOutline(int window, ColourValue colour) = 0;

    // --- controls
    virtual bool CreateSwatch(int window, int control, const Rect& rect, ColourValue data) = 0;
    virtual ColourValue SwatchData(int window, int control) = 0;
    // Runs `paint` on the control's surface; false when it cannot be drawn on.
    virtual bool DrawOnControl(int window, int control,
                               const std::function<void(Canvas&)>& paint) = 0;
    virtual void SetControlCursor(int window, int control, CursorKind cursor) = 0;
    virtual void EnableControl(int window, int control, bool enabled) = 0;
    virtual bool ControlExists(int window, int control) = 0;
    virtual std::string ControlText(int window, int control) = 0;
    // The system's move loop (WM_NCLBUTTONDOWN with HTCAPTION).
    virtual DragOutcome MoveWithMouse(int window) = 0;

    // --- menus and tray
    virtual void SetMenu(MenuId menu, const Menu& content) = 0;
    virtual void CheckMenuItem(MenuId menu, int item, bool checked) = 0;
    // Shows the menu at the mouse position; a choice arrives as a menu event.
    virtual void ShowMenu(MenuId menu, int owner) = 0;
    virtual bool AddTrayIcon(int owner) = 0;
    virtual void RemoveTrayIcon() = 0;

    // --- output
    virtual bool SetClipboardText(const std::string& text) = 0;
    virtual std::string ClipboardText() = 0;
    // VkKeyScanExA for the layout of the program's thread: low byte the
    // virtual key, high byte the shift state; -1 when no key types it.
    virtual std::int16_t KeyScan(char ch) = 0;
    virtual void SendKeys(const std::vector<KeyRecord>& records) = 0;

    // --- the event loop
    virtual Event WaitEvent(int milliseconds) = 0;
    // Releases windows, menus and the tray icon before the process ends.
    virtual void Shutdown() = 0;
};

}  // namespace vandrel
