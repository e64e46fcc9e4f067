// The one place where the program's logic meets the operating system. The
// Win32 implementation lives in platform/win32, an in-memory one for tests in
// tests/fake. Windows and controls are known by the program's own numbers and
// described as data: the backend knows kinds, never the program's captions
// or coordinates.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/types.h"

namespace vandrel {

// Hook: what the window hook reports, handled at once (never queued).
// ScaleChanged: the window now stands on a monitor of another DPI (a framed
// window has already taken the place and size the system suggested).
// ExitAsked: another start of the program (`Vandrel.exe /exit`) asks this one to end.
// FilesHanded: palette files to import, from the command line or handed
// over by a second start of the program.
// Hotkey: the program's global shortcut was pressed (held, it may repeat).
// PickInput: what the screen picker's hooks took while a pick holds the input.
enum class EventKind {
    Timeout, Menu, Tray, Control, Close, ComeForward, Hook, ScaleChanged, ExitAsked, FilesHanded, Hotkey, PickInput
};

enum class SubKind { None, LeftClick, RightClick, DoubleClick, Change, LeftDown };

enum class HookEvent {
    BackgroundPress,  // left button down on the client area where no control lies
    Moved,
    Painted,
    SessionEnding,    // the user logs off or the system shuts down
};

// Keys held with another, as the system's shortcut registration numbers them.
enum KeyModifier : std::uint32_t { kModAlt = 1, kModCtrl = 2, kModShift = 4, kModWin = 8 };

// A global shortcut: its modifiers and its key (a virtual key code).
struct HotkeyKeys {
    std::uint32_t modifiers = 0;
    int virtualKey = 0;
    friend bool operator==(const HotkeyKeys&, const HotkeyKeys&) = default;
};

enum class PickInputKind { Move, KeyDown, KeyUp, Wheel, LeftPress, RightPress };

// One input the picker's hooks took from the desktop (none reaches another program).
struct PickInput {
    PickInputKind what = PickInputKind::Move;
    int key = 0;                 // KeyDown, KeyUp: the virtual key
    std::uint32_t modifiers = 0; // KeyModifier bits held at the time
    int wheel = 0;               // Wheel: positive turned forward
};

struct Event {
    EventKind kind = EventKind::Timeout;
    int window = kNoWindow;
    int item = 0;     // menu events: the item number (menus, toolbars, shortcuts)
    int control = 0;  // control events: the control number
    SubKind subKind = SubKind::None;
    HookEvent hook = HookEvent::Moved;  // hook events: what happened
    std::vector<std::string> files{};   // FilesHanded: the paths, in the program's code page
    PickInput pick{};                   // PickInput: what was taken
};

// Ok: an error; Note: an OK box that only tells.
enum class MessageButtons { Ok, YesNo, Note };
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

enum class CursorKind { Arrow, Hand, SizeAll };

// ---- windows -------------------------------------------------------------

enum class WindowKind {
    Palette,  // frameless pop-up, the program's swatch columns
    Framed,   // titled window with a close box, dialog keyboard navigation
    Hidden,   // never shown: owns the tray icon and the palette windows
};

struct WindowSpec {
    WindowKind kind = WindowKind::Framed;
    // The client area's size; its left and top are where the window's outer
    // top-left corner goes (nothing when centred).
    Rect client;
    std::string title;
    int owner = kNoWindow;
    std::optional<ColourValue> background;  // none: the system's colour for dialogs
    std::optional<ColourValue> colourKey;  // pixels of this colour are transparent and click-through
    bool topmost = false;
    bool noActivate = false;  // never takes the focus from the application in front
    bool minimiseBox = false;
    bool centred = false;     // centred on the primary screen
    bool sizable = false;     // a framed window with a sizing border
    Size minClient;           // 0: no limit; also bounds the program's own resizing
    Size maxClient;           // 0: no limit
    int dpi = 96;             // the DPI its layout is drawn at: its controls' system font follows
    bool clickThrough = false;  // a pop-up the mouse passes through (the loupe)
};

// ---- controls ------------------------------------------------------------

enum class ControlKind {
    Surface,       // drawn by the program (Paint); raises press, click and right click
    Text,          // static text; raises nothing
    Edit,          // one-line text field; raises Change
    PushButton,    // raises LeftClick
    ImageButton,   // push button showing an image with a tooltip; raises LeftClick; disabled,
                   // it shows the image's greyed picture (GreyedImageNumber) when one was made
    ToggleButton,  // image button that stays down; value 1 while down; raises LeftClick
    CheckBox,      // value 0/1; raises LeftClick
    OptionButton,  // value 0/1, one of a group; raises LeftClick
    Frame,         // group box; raises nothing
    TrackBar,      // value low..high; raises Change
    FileList,      // the files matching the caption's pattern; raises Change and DoubleClick
    Toolbar,       // image buttons with tooltips; a click arrives as a menu event of its item
    Link,          // underlined text that opens something; raises LeftClick
    Picture,       // an image; raises nothing
};

// The number under which an image's greyed picture is made.
constexpr int kGreyedImageOffset = 100;
constexpr int GreyedImageNumber(int image) {
    return image + kGreyedImageOffset;
}

struct ToolItem {
    int item = 0;  // 0: a separator
    int image = 0;
    std::string tooltip;
};

enum ControlFlag : std::uint32_t {
    kFlagCentred = 1u << 0,     // text centred
    kFlagUpperCase = 1u << 1,   // an edit that turns letters into capitals
    kFlagNoBorder = 1u << 2,
    kFlagGroupStart = 1u << 3,  // the first control of a group (option buttons, Tab stops)
    kFlagTicks = 1u << 4,       // a track bar with a tick at every value
    kFlagMouseOnly = 1u << 5,   // a button Tab passes by and whose click leaves the focus where it was
};

struct ControlSpec {
    ControlKind kind = ControlKind::Surface;
    int id = 0;
    Rect rect{};  // within the parent's client area
    std::string caption{};
    std::string tooltip{};
    int image = 0;  // image number, 0 for none
    int font = -1;  // font number, -1 for the system's own
    int low = 0;    // track bar range; edit: the most characters (0 for no limit)
    int high = 0;
    std::vector<ToolItem> tools{};
    std::uint32_t flags = 0;
    ColourValue data = 0;  // a value the control carries (a swatch's colour)
    CursorKind cursor = CursorKind::Arrow;
};

struct ControlState {
    bool exists = false;
    bool enabled = false;
    std::string text;  // file list: the selected row, empty when none
    int value = 0;     // check/option/toggle state, track bar position
    ColourValue data = 0;
    Rect rect;         // where it is within the parent's client area
};

// Only what is set changes. File list: `text` selects the row of that name.
// An edit's caret goes to its start when its text is set.
struct ControlChange {
    std::optional<std::string> text = std::nullopt;  // an edit's new text raises Change, as typing does
    std::optional<int> value = std::nullopt;
    std::optional<bool> enabled = std::nullopt;
    std::optional<std::pair<int, int>> selection = std::nullopt;  // characters first..last of an edit
    bool focus = false;
    int tool = 0;  // toolbar: non-zero when only this item's `enabled` changes
    std::optional<std::string> tooltip = std::nullopt;  // empty: none
};

struct Shortcut {
    int virtualKey = 0;  // kKeyUp, kKeyDown
    int item = 0;        // raised as a menu event of the window
};
constexpr int kKeyUp = 0x26;
constexpr int kKeyDown = 0x28;

struct FontSpec {
    std::string face;
    int points = 0;
    bool bold = false;
    bool fixedPitch = false;  // a face the system lacks is replaced by one of fixed pitch
    int dpi = 96;             // the points are taken at this DPI, the window's
};

// The text question of the system's dialog kind (the palette-name box).
struct TextQuestion {
    std::string title;
    std::string prompt;
    std::string suggested;
    Size size;  // outer size of the box, centred on the screen
    int maxLength = 0;  // the most characters the field takes; 0: no limit
};

// A type of the open and save dialogs: "CSS (*.css)" and "*.css".
struct FileType {
    std::string caption;
    std::string patterns;  // separated by ";"
};

// What the save dialog is given: the folder it opens in (empty: the user's
// documents), the name suggested and the types, the first chosen at first.
struct SaveQuestion {
    std::string title;
    std::string folder;
    std::string suggested;
    std::vector<FileType> types;
};

struct SaveAnswer {
    std::string path;
    int type = 0;  // index into the question's types
};

// ---- menus ---------------------------------------------------------------

enum class MenuId { PalettePopup, NewPalette, Tray };

// A 16 x 16 menu picture kept as the colours of its four quarters (0xAARRGGBB:
// top left, top right, bottom right, bottom left) with transparent corner
// pixels: a full folder's tray menu has over ten thousand of them, so pixels
// are made only while an item is drawn.
struct MenuPicture {
    std::array<std::uint32_t, 4> quarters{};
};

// At `side` x `side` pixels: 16 at 96 DPI, as many more as the display's scale asks for.
inline Image MenuPictureImage(const MenuPicture& picture, int side = 16) {
    Image image;
    image.width = side;
    image.height = side;
    image.pixels.resize(static_cast<std::size_t>(side) * side);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const bool right = x >= side / 2, bottom = y >= side / 2;
            image.pixels[y * side + x] = picture.quarters[bottom ? (right ? 2 : 3) : (right ? 1 : 0)];
        }
    for (int index : {0, side - 1, (side - 1) * side, side * side - 1}) image.pixels[index] = 0x00FFFFFFu;
    return image;
}

struct MenuItem {
    int id = 0;  // 0 for separators and sub-menu headers
    std::string caption;
    bool separator = false;
    bool checked = false;
    std::optional<MenuPicture> picture;
    std::vector<MenuItem> subItems;
    // For a sub-menu whose items are made only when it first opens, in place
    // of subItems: a full folder's tray menu would otherwise hold ten thousand
    // items that nobody opens.
    std::function<std::vector<MenuItem>()> makeSubItems;
    bool isSubMenu = false;
};

struct Menu {
    std::vector<MenuItem> items;
};

// What happened when a window was handed to the system's move loop.
enum class DragOutcome {
    NotStarted,          // the button was already up: its click event follows
    Moved,               // the window was moved
    ReleasedWithoutMove  // the loop took the release although nothing moved
};

// What the window hook reports of the program's windows, as it happens.
using WindowHook = std::function<void(int window, HookEvent event)>;

// One key transition for SendInput.
struct KeyRecord {
    std::uint16_t virtualKey = 0;
    std::uint16_t unicodeChar = 0;  // non-zero: a KEYEVENTF_UNICODE event
    bool keyUp = false;
    friend bool operator==(const KeyRecord&, const KeyRecord&) = default;
};

// Drawing on a surface control or on a window's client area.
class Canvas {
public:
    virtual ~Canvas() = default;
    virtual void FillRect(const Rect& rect, ColourValue colour) = 0;
    // A frame `width` pixels wide inside the rectangle.
    virtual void FrameRect(const Rect& rect, ColourValue colour, int width) = 0;
    // Rounded rectangle whose corners are quarter ellipses of the given radii.
    virtual void FillRoundRect(const Rect& rect, int radiusX, int radiusY, ColourValue colour) = 0;
    virtual void FrameRoundRect(const Rect& rect, int radiusX, int radiusY, ColourValue colour, int width) = 0;
    virtual Size MeasureText(int font, const std::string& text) = 0;
    // Text with a transparent background, top-left corner at (x, y).
    virtual void DrawText(int font, int x, int y, const std::string& text, ColourValue colour) = 0;
    // The image's pixels one to one (alpha ignored), top-left corner at `at`.
    virtual void DrawImage(const Image& image, Point at) = 0;
};

// What the platform holds for the program until the object ends: a global
// shortcut, the picker's hooks. Its end, by any path, releases it.
class Hold {
public:
    virtual ~Hold() = default;
};

// The eyedropper's hold on the mouse. While it lives, every press of the
// left or right button anywhere on the desktop is swallowed (the window
// below never sees it) and noted, and its window holds the mouse capture.
// Its end, by any path, unhooks and releases the capture.
class MouseGrab {
public:
    virtual ~MouseGrab() = default;
    virtual bool Hooked() const = 0;   // false: the system refused the hook
    virtual bool Pressed() const = 0;  // a press was swallowed since the grab began
};

// The colour chooser's sixteen custom colours, kept by the program for the run.
using CustomColours = std::array<ColourValue, 16>;

// What ScreenPixel gives where the screen cannot be read.
constexpr ColourValue kUnreadablePixel = 0xFFFFFFFF;

class Platform {
public:
    virtual ~Platform() = default;

    // --- system facts
    virtual DisplayInfo ExamineDisplays() = 0;
    virtual std::string ProfileFolder() = 0;  // the user's profile folder, as the shell reports it
    virtual std::uint32_t Clock() = 0;        // milliseconds
    // False when another copy of the program runs; that copy is asked to come forward.
    virtual bool ClaimSingleInstance() = 0;

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
    // A box owned by `owner` (kNoWindow: none) comes up over it, and the
    // owner is in front again once the box is answered.
    virtual MessageAnswer ShowMessage(int owner, const std::string& title, const std::string& text,
                                      MessageButtons buttons) = 0;
    // Empty when cancelled.
    virtual std::string ChooseFolder(const std::string& title, const std::string& start) = 0;
    // Empty when cancelled. Owned as a message box is.
    virtual std::string AskText(int owner, const TextQuestion& question) = 0;
    // The system's open dialog, several files at once; nothing when cancelled.
    virtual std::vector<std::string> ChooseFilesToOpen(int owner, const std::string& title,
                                                       const std::vector<FileType>& types) = 0;
    // The system's save dialog, which asks before a file is replaced; none when cancelled.
    virtual std::optional<SaveAnswer> ChooseFileToSave(int owner, const SaveQuestion& question) = 0;
    // The system's colour chooser, starting at `initial`; none when cancelled.
    // The program's other windows are disabled and leave the topmost band meanwhile.
    virtual std::optional<ColourValue> ChooseColour(ColourValue initial, CustomColours& custom) = 0;

    // --- resources made at start-up
    virtual void MakeFont(int number, const FontSpec& font) = 0;
    virtual void CreateImage(int number, const Image& image) = 0;
    // Height of `text` in font `font` broken into lines `width` wide, as a text control shows it.
    virtual int TextHeight(int font, int width, const std::string& text) = 0;

    // --- windows
    // Opens a window, hidden until ShowWindow. Returns the system handle, 0 on failure.
    virtual std::int64_t OpenWindow(int window, const WindowSpec& description) = 0;
    // Shows a window; one of kind Palette, or made noActivate, without activating it.
    virtual void ShowWindow(int window) = 0;
    virtual void CloseWindow(int window) = 0;
    virtual std::optional<Rect> WindowRect(int window) = 0;  // outer rectangle; none: no such window
    virtual void PlaceWindow(int window, Point topLeft) = 0;  // reports Moved to the hook
    virtual void SetClientSize(int window, Size size) = 0;
    virtual void SetTopmost(int window, bool topmost) = 0;
    virtual void Activate(int window) = 0;
    // The full rectangle of the monitor nearest to the window.
    virtual Rect MonitorRect(int window) = 0;
    // The outer size a window so described takes (its frame and caption included).
    virtual Size OuterSizeOf(const WindowSpec& description) = 0;
    // The DPI of the monitor at a screen point (the nearest one).
    virtual int DpiAt(Point point) = 0;
    // The full rectangle of every monitor, the primary first.
    virtual std::vector<Rect> MonitorRects() = 0;
    virtual int ForegroundWindowNumber() = 0;  // -1: a window of another program
    virtual std::int64_t ForegroundWindowHandle() = 0;  // of any program; 0 for none
    // From now on every window of the program reports to `hook`.
    virtual void InstallWindowHook(const WindowHook& hook) = 0;
    // The system's move loop for a window, as if its caption had been grabbed.
    virtual DragOutcome MoveWithMouse(int window) = 0;
    // Keys that raise menu events while the window is in front.
    virtual void SetShortcuts(int window, const std::vector<Shortcut>& shortcuts) = 0;

    // --- controls
    virtual bool AddControl(int window, const ControlSpec& description) = 0;
    virtual void RemoveControl(int window, int id) = 0;
    virtual void ChangeControl(int window, int id, const ControlChange& change) = 0;
    virtual ControlState ReadControl(int window, int id) = 0;
    virtual int FocusedControl(int window) = 0;  // 0: none
    // Runs `paint` on a surface control (kept until painted again) or, for
    // id 0, on the window's client area (gone at the next repaint). False
    // when it cannot be drawn on.
    virtual bool Paint(int window, int id, const std::function<void(Canvas&)>& paint) = 0;

    // --- menus and tray
    virtual void SetMenu(MenuId menu, Menu content) = 0;
    virtual void CheckMenuItem(MenuId menu, int item, bool checked) = 0;
    // Shows the menu at the mouse position; a choice arrives as a menu event.
    virtual void ShowMenu(MenuId menu, int owner) = 0;
    virtual bool AddTrayIcon(int owner) = 0;
    virtual void RemoveTrayIcon() = 0;
    // A note from the tray icon, shown by the system a few seconds; nothing without the icon.
    virtual void ShowTrayBalloon(const std::string& title, const std::string& text) = 0;

    // --- the screen and the mouse
    virtual Point CursorPosition() = 0;
    virtual ColourValue ScreenPixel(Point at) = 0;  // kUnreadablePixel off the screen
    // Hooks the mouse for the eyedropper; `captureWindow` holds the capture.
    virtual std::unique_ptr<MouseGrab> GrabMouse(int captureWindow) = 0;
    // The picker's hold on the desktop's input: while it lives, low-level
    // hooks turn moves, presses, wheel turns and every key but the modifiers
    // into PickInput events and pass none of them on; the pointer is a cross
    // and the thread is per-monitor DPI aware. Null when the hooks could not
    // be installed.
    virtual std::unique_ptr<Hold> HoldPickInput() = 0;
    // Registers the global shortcut, raised as Hotkey events while the hold
    // lives; null when another program holds it or the system refuses it.
    virtual std::unique_ptr<Hold> HoldHotkey(const HotkeyKeys& keys) = 0;
    virtual bool KeyIsDown(int virtualKey) = 0;
    // The pointer's hot spot and its moves in physical screen pixels, whatever the display's scale.
    virtual Point PhysicalCursorPosition() = 0;
    virtual void MoveCursor(Point physical) = 0;
    // A copy of the screen's physical pixels, 0xFFRRGGBB row by row; empty
    // when it cannot be read. The area lies within the screen.
    virtual Image CaptureScreen(const Rect& area) = 0;

    // The system's default program for a web address or a "mailto:" link.
    virtual bool OpenWithShell(const std::string& target) = 0;

    // --- the user's own registry (HKEY_CURRENT_USER); keys as "Software\\...\\Run", text in UTF-8
    virtual std::optional<std::string> ReadRegistryText(const std::string& key, const std::string& name) = 0;
    virtual std::optional<std::vector<std::uint8_t>> ReadRegistryBytes(const std::string& key,
                                                                       const std::string& name) = 0;
    // Each makes the key where it is missing.
    virtual bool WriteRegistryText(const std::string& key, const std::string& name, const std::string& text) = 0;
    virtual bool WriteRegistryBytes(const std::string& key, const std::string& name,
                                    const std::vector<std::uint8_t>& bytes) = 0;
    // True also when there was no such value.
    virtual bool RemoveRegistryValue(const std::string& key, const std::string& name) = 0;
    // The full path of the running program's executable, in UTF-8.
    virtual std::string ProgramPath() = 0;

    // --- output
    virtual bool SetClipboardText(const std::string& text) = 0;
    virtual std::string ClipboardText() = 0;
    // VkKeyScanExA for the layout of the application in front: low byte the
    // virtual key, high byte the shift state; -1 when no key types it.
    virtual std::int16_t KeyScan(char ch) = 0;
    virtual void SendKeys(const std::vector<KeyRecord>& records) = 0;

    // --- the event loop
    virtual Event WaitEvent(int milliseconds) = 0;
    // Releases windows, menus and the tray icon before the process ends.
    virtual void Shutdown() = 0;
};

// Whether a window of the program is open.
inline bool WindowExists(Platform& platform, int window) { return platform.WindowRect(window).has_value(); }

}  // namespace vandrel
