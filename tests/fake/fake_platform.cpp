#include "fake/fake_platform.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace vandrel::testing {
namespace {

// "*" and "?" against one name, letter case ignored as on Windows.
bool Matches(const std::string& pattern, const std::string& name) {
    auto lower = [](char ch) { return (ch >= 'A' && ch <= 'Z') ? char(ch + 32) : ch; };
    std::size_t p = 0, n = 0, star = std::string::npos, mark = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || lower(pattern[p]) == lower(name[n]))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            mark = n;
        } else if (star != std::string::npos) {
            p = star + 1;
            n = ++mark;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

class RecordingCanvas : public Canvas {
public:
    explicit RecordingCanvas(std::vector<DrawOp>& ops) : ops_(ops) {}
    void FillRect(const Rect& rect, ColourValue colour) override {
        ops_.push_back({DrawOp::Kind::FillRect, rect, 0, 0, colour, -1, {}});
    }
    void FrameRect(const Rect& rect, ColourValue colour) override {
        ops_.push_back({DrawOp::Kind::FrameRect, rect, 0, 0, colour, -1, {}});
    }
    void FillRoundRect(const Rect& rect, int rx, int ry, ColourValue colour) override {
        ops_.push_back({DrawOp::Kind::FillRoundRect, rect, rx, ry, colour, -1, {}});
    }
    void FrameRoundRect(const Rect& rect, int rx, int ry, ColourValue colour) override {
        ops_.push_back({DrawOp::Kind::FrameRoundRect, rect, rx, ry, colour, -1, {}});
    }
    Size MeasureText(int font, const std::string& text) override { return FakeTextSize(font, text); }
    void DrawText(int font, int x, int y, const std::string& text, ColourValue colour) override {
        const Size size = FakeTextSize(font, text);
        ops_.push_back(
            {DrawOp::Kind::Text, {x, y, x + size.width, y + size.height}, 0, 0, colour, font, text});
    }

private:
    std::vector<DrawOp>& ops_;
};

}  // namespace

Size FakeTextSize(int font, const std::string& text) {
    return {static_cast<int>(text.size()) * (6 + font), 10 + font};
}

bool FakePlatform::SetCurrentFolder(const std::string& path) {
    std::error_code error;
    fs::current_path(path, error);
    return !error;
}

bool FakePlatform::CreateFolder(const std::string& path) {
    std::error_code error;
    return fs::create_directory(path, error);
}

std::optional<std::vector<FolderEntry>> FakePlatform::ListFolder(const std::string& pattern) {
    const fs::path full(pattern);
    const fs::path folder = full.has_parent_path() ? full.parent_path() : fs::path(".");
    const std::string namePattern = full.filename().string();
    std::error_code error;
    if (!fs::is_directory(folder, error)) return std::nullopt;
    fs::directory_iterator it(folder, error), end;
    if (error) return std::nullopt;
    std::vector<FolderEntry> entries;
    for (; it != end; it.increment(error)) {
        if (error) return std::nullopt;
        const std::string name = it->path().filename().string();
        if (Matches(namePattern, name)) entries.push_back({name, it->is_directory(error)});
    }
    // Sorted, so that tests do not depend on the file system's order.
    std::sort(entries.begin(), entries.end(),
              [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
    return entries;
}

bool FakePlatform::ReplaceFile(const std::string& from, const std::string& to) {
    std::error_code error;
    fs::rename(from, to, error);
    return !error;
}

bool FakePlatform::RemoveFile(const std::string& name) {
    std::error_code error;
    return fs::is_regular_file(name, error) && fs::remove(name, error);
}

MessageAnswer FakePlatform::ShowMessage(const std::string& title, const std::string& text,
                                        MessageButtons buttons) {
    messages.push_back({title, text, buttons});
    if (!messageAnswers.empty()) {
        const MessageAnswer answer = messageAnswers.front();
        messageAnswers.pop_front();
        return answer;
    }
    return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No;
}

std::string FakePlatform::ChooseFolder(const std::string& title, const std::string&) {
    askedFolderTitles.push_back(title);
    if (folderAnswers.empty()) return {};
    std::string answer = folderAnswers.front();
    folderAnswers.pop_front();
    return answer;
}

std::string FakePlatform::AskPaletteName(const std::string&) {
    if (nameAnswers.empty()) return {};
    std::string answer = nameAnswers.front();
    nameAnswers.pop_front();
    return answer;
}

std::int64_t FakePlatform::CreatePaletteWindow(int window, const Rect& client, int owner,
                                               ColourValue background) {
    if (failWindowCreation) return 0;
    FakeWindow& created = windows[window] = FakeWindow{};
    created.handle = nextHandle_++;
    created.rect = client;
    created.owner = owner;
    created.background = background;
    created.title = "VN";
    return created.handle;
}

std::int64_t FakePlatform::CreateTrayOwnerWindow(const Rect& rect, const std::string& title) {
    FakeWindow& created = windows[kTrayOwnerWindow] = FakeWindow{};
    created.handle = nextHandle_++;
    created.rect = rect;
    created.title = title;
    return created.handle;
}

Point FakePlatform::WindowPosition(int window) {
    const Rect& r = windows.at(window).rect;
    return {r.left, r.top};
}

Size FakePlatform::WindowSize(int window) {
    const Rect& r = windows.at(window).rect;
    return {r.Width(), r.Height()};
}

void FakePlatform::MoveWindow(int window, Point position) {
    Rect& r = windows.at(window).rect;
    r = {position.x, position.y, position.x + r.Width(), position.y + r.Height()};
}

void FakePlatform::SetExtendedStyle(int window, std::uint32_t style) {
    windows.at(window).exStyle = style;
}

void FakePlatform::SetColourKey(int window, ColourValue key) { windows.at(window).colourKey = key; }

void FakePlatform::SetTopmost(int window, bool topmost) { windows.at(window).topmost = topmost; }

void FakePlatform::DrawClientOutline(int window, ColourValue colour) {
    windows.at(window).outlines.push_back(colour);
}

bool FakePlatform::CreateSwatch(int window, int control, const Rect& rect, ColourValue data) {
    FakeControl& created = windows.at(window).controls[control] = FakeControl{};
    created.rect = rect;
    created.data = data;
    return true;
}

ColourValue FakePlatform::SwatchData(int window, int control) { return Control(window, control).data; }

bool FakePlatform::DrawOnControl(int window, int control,
                                 const std::function<void(Canvas&)>& paint) {
    RecordingCanvas canvas(Control(window, control).drawing);
    paint(canvas);
    return true;
}

void FakePlatform::SetControlCursor(int window, int control, CursorKind cursor) {
    Control(window, control).cursor = cursor;
}

void FakePlatform::EnableControl(int window, int control, bool enabled) {
    Control(window, control).enabled = enabled;
}

bool FakePlatform::ControlExists(int window, int control) {
    auto found = windows.find(window);
    return found != windows.end() && found->second.controls.count(control) != 0;
}

std::string FakePlatform::ControlText(int window, int control) {
    return ControlExists(window, control) ? Control(window, control).text : std::string();
}

DragOutcome FakePlatform::MoveWithMouse(int window) {
    ++dragsStarted;
    if (ControlExists(window, pressedControl))
        swatchEnabledDuringDrag.push_back(Control(window, pressedControl).enabled);
    return dragOutcome;
}

void FakePlatform::CheckMenuItem(MenuId menu, int item, bool checked) {
    menuChecks[{menu, item}] = checked;
}

void FakePlatform::ShowMenu(MenuId menu, int owner) {
    shownMenus.emplace_back(menu, owner);
    if (menuChoices.empty()) return;
    const int item = menuChoices.front();
    menuChoices.pop_front();
    if (item != 0) events.push_back({EventKind::Menu, owner, item, 0, SubKind::None});
}

bool FakePlatform::AddTrayIcon(int) {
    trayIconAdded = !failTrayIcon;
    return trayIconAdded;
}

bool FakePlatform::SetClipboardText(const std::string& text) {
    clipboard = text;
    ++clipboardWrites;
    return true;
}

std::int16_t FakePlatform::KeyScan(char ch) {
    // A few characters of three layouts: enough to show shift and AltGr.
    const int shift = 0x100, altGr = 0x600;
    if (ch >= 'A' && ch <= 'F') return static_cast<std::int16_t>(shift | ch);
    if (ch >= 'a' && ch <= 'f') return static_cast<std::int16_t>(ch - 'a' + 'A');
    switch (layout) {
        case Layout::US:
            if (ch >= '0' && ch <= '9') return ch;
            if (ch == '#') return static_cast<std::int16_t>(shift | '3');
            break;
        case Layout::German:
            if (ch >= '0' && ch <= '9') return ch;
            if (ch == '#') return 0xBF;  // its own key, no shift
            break;
        case Layout::French:
            if (ch >= '0' && ch <= '9') return static_cast<std::int16_t>(shift | ch);
            if (ch == '#') return static_cast<std::int16_t>(altGr | '3');
            break;
    }
    return -1;
}

Event FakePlatform::WaitEvent(int milliseconds) {
    if (events.empty()) {
        clock += static_cast<std::uint32_t>(milliseconds);
        return {};
    }
    Event event = events.front();
    events.pop_front();
    return event;
}

void FakePlatform::Shutdown() {
    shutDown = true;
    trayIconAdded = false;
    windows.clear();
}

FakeControl& FakePlatform::Control(int window, int control) {
    return windows.at(window).controls.at(control);
}

std::vector<std::string> FakePlatform::MessageLines() const {
    std::vector<std::string> lines;
    for (const ShownMessage& m : messages) lines.push_back(m.title + ": " + m.text);
    return lines;
}

}  // namespace vandrel::testing
