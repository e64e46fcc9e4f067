// An in-memory platform for native tests: records windows, controls,
// drawing, menus, the clipboard and sent keys, and answers dialogs from a
// script. Files and folders are real, under a temporary folder.
#pragma once

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace vandrel::testing {

struct DrawOp {
    enum class Kind { FillRect, FrameRect, FillRoundRect, FrameRoundRect, Text };
    Kind kind;
    Rect rect;
    int radiusX = 0;
    int radiusY = 0;
    ColourValue colour = 0;
    int font = -1;
    std::string text;
};

struct FakeControl {
    Rect rect;
    ColourValue data = 0;
    bool enabled = true;
    std::optional<CursorKind> cursor;
    std::string text;
    std::vector<DrawOp> drawing;
};

struct FakeWindow {
    std::int64_t handle = 0;
    Rect rect;  // outer = client for frameless windows
    int owner = kNoWindow;
    ColourValue background = 0;
    std::uint32_t exStyle = 0;
    std::optional<ColourValue> colourKey;
    bool topmost = false;
    bool shown = false;
    std::string title;
    std::map<int, FakeControl> controls;
    std::vector<ColourValue> outlines;
};

struct ShownMessage {
    std::string title;
    std::string text;
    MessageButtons buttons;
};

enum class Layout { US, German, French };

class FakePlatform : public Platform {
public:
    // --- what tests set
    DisplayInfo display{1, 1920, 1920};
    std::string profileFolder;
    std::uint32_t clock = 100000;
    int foreground = -1;
    Layout layout = Layout::US;
    std::deque<MessageAnswer> messageAnswers;  // empty: Ok for Ok boxes, No for questions
    std::deque<std::string> folderAnswers;
    std::deque<std::string> nameAnswers;
    std::deque<Event> events;
    std::deque<int> menuChoices;  // popped when a menu is shown: the item chosen, 0 for none
    DragOutcome dragOutcome = DragOutcome::NotStarted;
    bool failWindowCreation = false;
    bool failTrayIcon = false;

    // --- what tests read
    std::map<int, FakeWindow> windows;
    std::vector<ShownMessage> messages;
    std::map<MenuId, Menu> menus;
    std::map<std::pair<MenuId, int>, bool> menuChecks;
    std::vector<std::pair<MenuId, int>> shownMenus;  // menu and owner
    std::string clipboard;
    int clipboardWrites = 0;
    std::vector<std::vector<KeyRecord>> sentKeys;
    std::map<int, int> fonts;  // number -> points
    std::map<int, Image> images;
    bool trayIconAdded = false;
    bool hookInstalled = false;
    WindowHook hook;
    bool shutDown = false;
    int dragsStarted = 0;
    std::vector<bool> swatchEnabledDuringDrag;  // of the pressed swatch, per drag
    std::vector<std::string> askedFolderTitles;

    // Platform
    DisplayInfo ExamineDisplays() override { return display; }
    std::string ProfileFolder() override { return profileFolder; }
    std::uint32_t Clock() override { return clock; }
    bool SetCurrentFolder(const std::string& path) override;
    bool CreateFolder(const std::string& path) override;
    std::optional<std::vector<FolderEntry>> ListFolder(const std::string& pattern) override;
    bool ReplaceFile(const std::string& from, const std::string& to) override;
    bool RemoveFile(const std::string& name) override;
    std::string CodePageToUtf8(const std::string& text) override { return text; }
    std::string Utf8ToCodePage(const std::string& text) override { return text; }
    MessageAnswer ShowMessage(const std::string& title, const std::string& text,
                              MessageButtons buttons) override;
    std::string ChooseFolder(const std::string& title, const std::string& start) override;
    std::string AskPaletteName(const std::string& suggested) override;
    void CreateSwatchFont(int number, int points) override { fonts[number] = points; }
    void CreateImage(int number, const Image& image) override { images[number] = image; }
    std::int64_t CreatePaletteWindow(int window, const Rect& client, int owner,
                                     ColourValue background) override;
    std::int64_t CreateTrayOwnerWindow(const Rect& rect, const std::string& title) override;
    void ShowWindow(int window) override { windows.at(window).shown = true; }
    bool WindowExists(int window) override { return windows.count(window) != 0; }
    void DestroyWindow(int window) override { windows.erase(window); }
    Point WindowPosition(int window) override;
    Size WindowSize(int window) override;
    void MoveWindow(int window, Point position) override;
    void SetExtendedStyle(int window, std::uint32_t style) override;
    void SetColourKey(int window, ColourValue key) override;
    void SetTopmost(int window, bool topmost) override;
    void InstallWindowHook(const WindowHook& installed) override {
        hookInstalled = true;
        hook = installed;
    }
    int ForegroundWindowNumber() override { return foreground; }
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
    int pressedControl = 0;  // the swatch a test pressed, looked at during a drag
    void SetMenu(MenuId menu, const Menu& content) override { menus[menu] = content; }
    void CheckMenuItem(MenuId menu, int item, bool checked) override;
    void ShowMenu(MenuId menu, int owner) override;
    bool AddTrayIcon(int owner) override;
    void RemoveTrayIcon() override { trayIconAdded = false; }
    bool SetClipboardText(const std::string& text) override;
    std::string ClipboardText() override { return clipboard; }
    std::int16_t KeyScan(char ch) override;
    void SendKeys(const std::vector<KeyRecord>& records) override { sentKeys.push_back(records); }
    Event WaitEvent(int milliseconds) override;
    void Shutdown() override;

    // --- helpers for tests
    FakeControl& Control(int window, int control);
    // The message boxes shown so far, as "title: text" lines.
    std::vector<std::string> MessageLines() const;

private:
    std::int64_t nextHandle_ = 0x1000;
};

// Measured text in the fake: 6 pixels per character plus the font number,
// 10 + font high.
Size FakeTextSize(int font, const std::string& text);

}  // namespace vandrel::testing
