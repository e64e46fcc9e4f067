// An in-memory platform for native tests: records windows, controls,
// drawing, menus, the clipboard and sent keys, and answers dialogs from a
// script. Files and folders are real, under a temporary folder. Controls
// behave by kind as the system's do: a new edit text raises a change, an
// option button clears the others of its group, a placed window reports its
// move to the window hook. A call on a window or control that is not there
// changes nothing and answers as the system does (false, none, empty).
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace vandrel::testing {

struct DrawOp {
    enum class Kind { FillRect, FrameRect, FillRoundRect, FrameRoundRect, Text, Image };
    Kind kind;
    Rect rect;
    int radiusX = 0;
    int radiusY = 0;
    ColourValue colour = 0;
    int font = -1;
    std::string text;
    int width = 1;  // frames
    Image image{};  // images: what was drawn, at rect's corner
};

struct FakeControl {
    ControlSpec description;
    bool enabled = true;
    std::string text;  // caption or edit text; file list: the selected row
    int value = 0;
    std::optional<std::pair<int, int>> selection;
    std::vector<std::string> rows;  // file list
    std::vector<DrawOp> drawing;    // surface: what it shows now
    int paints = 0;                 // surface: how often it was painted
    std::map<int, bool> toolEnabled;  // toolbar items whose state was set
    bool ToolEnabled(int item) const {
        const auto found = toolEnabled.find(item);
        return found == toolEnabled.end() || found->second;
    }
};

struct FakeWindow {
    std::int64_t handle = 0;
    WindowSpec description;
    Rect rect;  // outer = client in the fake
    bool shown = false;
    bool topmost = false;
    std::map<int, FakeControl> controls;
    std::vector<int> controlOrder;    // as added: option button groups follow it
    std::vector<DrawOp> clientDrawing;  // Paint on the client area, since opened
    std::vector<Shortcut> shortcuts;
    int focused = 0;
};

struct ShownMessage {
    int owner = kNoWindow;
    std::string title;
    std::string text;
    MessageButtons buttons;
};

enum class Layout { US, German, French };

// Measured text in the fake: 6 pixels per character plus the font number,
// 10 + font high.
Size FakeTextSize(int font, const std::string& text);
int FakeWrappedHeight(int font, int width, const std::string& text);

class FakePlatform : public Platform {
public:
    // --- what tests set
    DisplayInfo display{1, 1920, 1920};
    std::vector<Rect> monitors{{0, 0, 1920, 1080}};
    std::vector<int> monitorDpis;  // the DPI of each monitor; 96 where none is given
    std::string profileFolder;
    std::uint32_t clock = 100000;
    int foreground = -1;
    Layout layout = Layout::US;
    bool anotherCopyRuns = false;
    std::deque<MessageAnswer> messageAnswers;  // empty: Ok for Ok boxes, No for questions
    std::deque<std::string> folderAnswers;
    std::deque<std::string> nameAnswers;
    std::deque<Event> events;
    std::deque<int> menuChoices;  // popped when a menu is shown: the item chosen, 0 for none
    // What the system's move loop does when a window is handed to it: the
    // places the mouse puts the window at, one path per drag. Without a
    // path the loop ends at once with `dragOutcome`.
    std::deque<std::vector<Point>> dragPaths;
    DragOutcome dragOutcome = DragOutcome::NotStarted;
    bool failWindowCreation = false;
    bool failTrayIcon = false;
    // The screen and the mouse, for the eyedropper.
    Point cursor;
    ColourValue screenColour = 0;                        // every pixel not listed below
    std::map<std::pair<int, int>, ColourValue> screen;   // (x, y) -> colour
    std::int64_t foregroundHandle = 0x500;               // the system's foreground window
    bool failMouseHook = false;
    bool failShell = false;  // no program opens what the shell is given
    bool grabPressed = false;  // a press arrived since the grab began
    // While a grab runs, one is run at each WaitEvent before it looks at the
    // queue: what the user does meanwhile. With nothing left here, another
    // window comes forward, so that no test can hang in a grab.
    std::deque<std::function<void()>> duringGrab;
    // While a pick holds the input, one of these runs at each WaitEvent before
    // it looks at the queue (moving `cursor`, queueing PickInput events); with
    // nothing left in either, Escape arrives, so that no test can hang in a pick.
    std::deque<std::function<void()>> duringPick;
    bool failPickHooks = false;
    std::set<std::pair<std::uint32_t, int>> hotkeysOfOthers;  // shortcuts another program holds
    std::set<int> keysDown;
    bool cursorPinned = false;  // MoveCursor is refused, as Wine refuses to warp the pointer
    std::deque<std::optional<ColourValue>> colourAnswers;  // none left: cancelled
    // The user's registry: key and value name -> text or bytes. Keys and names
    // are compared as written (tests write them as the program does).
    struct RegistryValue {
        std::optional<std::string> text;
        std::vector<std::uint8_t> bytes;
    };
    std::map<std::pair<std::string, std::string>, RegistryValue> registry;
    bool failRegistryWrites = false;  // a registry the user may not change
    std::string programPath = "C:\\Users\\someone\\AppData\\Local\\Programs\\Vandrel\\Vandrel.exe";

    // --- what tests read
    std::map<int, FakeWindow> windows;
    std::vector<ShownMessage> messages;
    std::vector<TextQuestion> questions;
    std::vector<int> questionOwners;  // the window that owned each question
    std::map<MenuId, Menu> menus;
    std::map<std::pair<MenuId, int>, bool> menuChecks;
    std::vector<std::pair<MenuId, int>> shownMenus;  // menu and owner
    std::string clipboard;
    int clipboardWrites = 0;
    std::vector<std::vector<KeyRecord>> sentKeys;
    std::map<int, FontSpec> fonts;
    // What TextHeight answers; by default FakeTextSize's letters broken at spaces and line ends.
    std::function<int(int font, int width, const std::string& text)> textHeight = FakeWrappedHeight;
    std::map<int, Image> images;
    bool trayIconAdded = false;
    bool hookInstalled = false;
    WindowHook hook;
    bool shutDown = false;
    std::vector<Point> pixelReads;
    int picksStarted = 0;
    int activePicks = 0;  // pick holds still alive
    std::vector<HotkeyKeys> heldHotkeys;  // registered now
    std::vector<Rect> captures;           // the areas CaptureScreen was asked for
    std::vector<std::pair<std::string, std::string>> balloons;
    int grabsStarted = 0;
    int activeGrabs = 0;    // grabs whose hook is still installed
    int captureWindow = 0;  // the window holding the mouse capture, 0 for none
    std::vector<std::string> shellOpened;  // what the shell was asked to open
    std::vector<std::string> replacedFiles;  // each whole write's file name, in order
    std::vector<CustomColours> colourDialogs;  // the custom colours each chooser opened with
    int dragsStarted = 0;
    std::vector<int> draggedWindows;
    std::vector<bool> swatchEnabledDuringDrag;  // of the pressed control, per drag
    int pressedControl = 0;                     // the control the last press went to
    std::vector<std::string> askedFolderTitles;
    // The open and save dialogs: what each was asked, and what the user picks
    // (none left: cancelled).
    std::deque<std::vector<std::string>> openAnswers;
    std::vector<std::vector<FileType>> openDialogs;
    std::deque<SaveAnswer> saveAnswers;
    std::vector<SaveQuestion> saveDialogs;

    // Platform
    DisplayInfo ExamineDisplays() override { return display; }
    std::string ProfileFolder() override { return profileFolder; }
    std::uint32_t Clock() override { return clock; }
    bool ClaimSingleInstance() override { return !anotherCopyRuns; }
    bool SetCurrentFolder(const std::string& path) override;
    bool CreateFolder(const std::string& path) override;
    std::optional<std::vector<FolderEntry>> ListFolder(const std::string& pattern) override;
    bool ReplaceFile(const std::string& from, const std::string& to) override;
    bool RemoveFile(const std::string& name) override;
    std::string CodePageToUtf8(const std::string& text) override { return text; }
    std::string Utf8ToCodePage(const std::string& text) override { return text; }
    MessageAnswer ShowMessage(int owner, const std::string& title, const std::string& text,
                              MessageButtons buttons) override;
    std::string ChooseFolder(const std::string& title, const std::string& start) override;
    std::string AskText(int owner, const TextQuestion& question) override;
    std::vector<std::string> ChooseFilesToOpen(int owner, const std::string& title,
                                               const std::vector<FileType>& types) override;
    std::optional<SaveAnswer> ChooseFileToSave(int owner, const SaveQuestion& question) override;
    std::optional<ColourValue> ChooseColour(ColourValue initial, CustomColours& custom) override;
    void MakeFont(int number, const FontSpec& font) override { fonts[number] = font; }
    void CreateImage(int number, const Image& image) override { images[number] = image; }
    int TextHeight(int font, int width, const std::string& text) override {
        return textHeight(font, width, text);
    }
    std::int64_t OpenWindow(int window, const WindowSpec& description) override;
    void ShowWindow(int window) override {
        if (FakeWindow* shown = FindWindow(window)) shown->shown = true;
    }
    void CloseWindow(int window) override { windows.erase(window); }
    std::optional<Rect> WindowRect(int window) override;
    void PlaceWindow(int window, Point topLeft) override;
    void SetClientSize(int window, Size size) override;
    void SetTopmost(int window, bool topmost) override {
        if (FakeWindow* changed = FindWindow(window)) changed->topmost = topmost;
    }
    void Activate(int window) override {
        if (Exists(window)) foreground = window;
    }
    Rect MonitorRect(int window) override;
    std::vector<Rect> MonitorRects() override { return monitors; }
    int DpiAt(Point point) override;
    // The fake's windows have no frames.
    Size OuterSizeOf(const WindowSpec& description) override {
        return {description.client.Width(), description.client.Height()};
    }
    int ForegroundWindowNumber() override { return foreground; }
    std::int64_t ForegroundWindowHandle() override { return foregroundHandle; }
    void InstallWindowHook(const WindowHook& installed) override {
        hookInstalled = true;
        hook = installed;
    }
    DragOutcome MoveWithMouse(int window) override;
    void SetShortcuts(int window, const std::vector<Shortcut>& shortcuts) override {
        if (FakeWindow* changed = FindWindow(window)) changed->shortcuts = shortcuts;
    }
    bool AddControl(int window, const ControlSpec& description) override;
    void RemoveControl(int window, int id) override;
    void ChangeControl(int window, int id, const ControlChange& change) override;
    ControlState ReadControl(int window, int id) override;
    int FocusedControl(int window) override;
    bool Paint(int window, int id, const std::function<void(Canvas&)>& paint) override;
    void SetMenu(MenuId menu, Menu content) override { menus[menu] = std::move(content); }
    void CheckMenuItem(MenuId menu, int item, bool checked) override;
    void ShowMenu(MenuId menu, int owner) override;
    bool AddTrayIcon(int owner) override;
    void RemoveTrayIcon() override { trayIconAdded = false; }
    bool SetClipboardText(const std::string& text) override;
    std::string ClipboardText() override { return clipboard; }
    std::int16_t KeyScan(char ch) override;
    void SendKeys(const std::vector<KeyRecord>& records) override { sentKeys.push_back(records); }
    bool OpenWithShell(const std::string& target) override {
        shellOpened.push_back(target);
        return !failShell;
    }
    std::optional<std::string> ReadRegistryText(const std::string& key, const std::string& name) override;
    std::optional<std::vector<std::uint8_t>> ReadRegistryBytes(const std::string& key,
                                                               const std::string& name) override;
    bool WriteRegistryText(const std::string& key, const std::string& name, const std::string& text) override;
    bool WriteRegistryBytes(const std::string& key, const std::string& name,
                            const std::vector<std::uint8_t>& bytes) override;
    bool RemoveRegistryValue(const std::string& key, const std::string& name) override;
    std::string ProgramPath() override { return programPath; }
    Point CursorPosition() override { return cursor; }
    ColourValue ScreenPixel(Point at) override;
    std::unique_ptr<MouseGrab> GrabMouse(int captureWindow) override;
    std::unique_ptr<Hold> HoldPickInput() override;
    std::unique_ptr<Hold> HoldHotkey(const HotkeyKeys& keys) override;
    bool KeyIsDown(int virtualKey) override { return keysDown.count(virtualKey) != 0; }
    Point PhysicalCursorPosition() override { return cursor; }
    void MoveCursor(Point physical) override {
        if (!cursorPinned) cursor = physical;
    }
    Image CaptureScreen(const Rect& area) override;
    void ShowTrayBalloon(const std::string& title, const std::string& text) override {
        if (trayIconAdded) balloons.emplace_back(title, text);
    }
    Event WaitEvent(int milliseconds) override;
    void Shutdown() override;

    // --- helpers for tests
    // A window or control that is not there fails the test and gives an
    // empty stand-in, so that the test goes on to report what else is wrong.
    FakeWindow& Window(int window);
    FakeControl& Control(int window, int control);
    // Nullptr when not there, for the fake's own calls and for tests that may expect none.
    FakeWindow* FindWindow(int window);
    FakeControl* FindControl(int window, int control);
    bool Exists(int window) const { return windows.count(window) != 0; }
    Point WindowPosition(int window) const;
    // Puts a window somewhere without telling anyone, as a test's set-up.
    void SetPosition(int window, Point topLeft);
    // The colours of the outlines drawn on a window's client area, in order.
    std::vector<ColourValue> Outlines(int window) const;
    // The message boxes shown so far, as "title: text" lines.
    std::vector<std::string> MessageLines() const;
    void Queue(const Event& event) { events.push_back(event); }

private:
    void SelectOption(FakeWindow& window, int id);
    std::int64_t nextHandle_ = 0x1000;
    FakeWindow missingWindow_;
    FakeControl missingControl_;
};

}  // namespace vandrel::testing
