#include "fake/fake_platform.h"

#include <gtest/gtest.h>

#include <algorithm>
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
    void FrameRect(const Rect& rect, ColourValue colour, int width) override {
        ops_.push_back({DrawOp::Kind::FrameRect, rect, 0, 0, colour, -1, {}, width});
    }
    void FillRoundRect(const Rect& rect, int rx, int ry, ColourValue colour) override {
        ops_.push_back({DrawOp::Kind::FillRoundRect, rect, rx, ry, colour, -1, {}});
    }
    void FrameRoundRect(const Rect& rect, int rx, int ry, ColourValue colour, int width) override {
        ops_.push_back({DrawOp::Kind::FrameRoundRect, rect, rx, ry, colour, -1, {}, width});
    }
    Size MeasureText(int font, const std::string& text) override { return FakeTextSize(font, text); }
    void DrawText(int font, int x, int y, const std::string& text, ColourValue colour) override {
        const Size size = FakeTextSize(font, text);
        ops_.push_back(
            {DrawOp::Kind::Text, {x, y, x + size.width, y + size.height}, 0, 0, colour, font, text});
    }
    void DrawImage(const Image& image, Point at) override {
        ops_.push_back({DrawOp::Kind::Image, {at.x, at.y, at.x + image.width, at.y + image.height}, 0, 0, 0, -1,
                        {}, 1, image});
    }

private:
    std::vector<DrawOp>& ops_;
};

}  // namespace

Size FakeTextSize(int font, const std::string& text) {
    return {static_cast<int>(text.size()) * (6 + font), 10 + font};
}

int FakeWrappedHeight(int font, int width, const std::string& text) {
    const int perLine = std::max(1, width / FakeTextSize(font, "x").width);
    int lines = 1, used = 0;
    for (std::size_t at = 0; at < text.size();) {
        if (text[at] == '\r' || text[at] == '\n') {
            at += text.compare(at, 2, "\r\n") == 0 ? 2 : 1;
            ++lines, used = 0;
            continue;
        }
        const std::size_t end = std::min(text.find_first_of(" \r\n", at), text.size());
        const int word = static_cast<int>(end - at);
        if (used > 0 && used + 1 + word > perLine) ++lines, used = 0;
        used += (used > 0 ? 1 : 0) + word;
        at = end < text.size() && text[end] == ' ' ? end + 1 : end;
    }
    return lines * FakeTextSize(font, "x").height;
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
    if (!error) replacedFiles.push_back(to);
    return !error;
}

bool FakePlatform::RemoveFile(const std::string& name) {
    std::error_code error;
    return fs::is_regular_file(name, error) && fs::remove(name, error);
}

MessageAnswer FakePlatform::ShowMessage(int owner, const std::string& title,
                                        const std::string& text, MessageButtons buttons) {
    messages.push_back({owner, title, text, buttons});
    if (!messageAnswers.empty()) {
        const MessageAnswer answer = messageAnswers.front();
        messageAnswers.pop_front();
        return answer;
    }
    return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
}

std::string FakePlatform::ChooseFolder(const std::string& title, const std::string&) {
    askedFolderTitles.push_back(title);
    if (folderAnswers.empty()) return {};
    std::string answer = folderAnswers.front();
    folderAnswers.pop_front();
    return answer;
}

std::vector<std::string> FakePlatform::ChooseFilesToOpen(int, const std::string&,
                                                        const std::vector<FileType>& types) {
    openDialogs.push_back(types);
    if (openAnswers.empty()) return {};
    std::vector<std::string> answer = std::move(openAnswers.front());
    openAnswers.pop_front();
    return answer;
}

std::optional<SaveAnswer> FakePlatform::ChooseFileToSave(int, const SaveQuestion& question) {
    saveDialogs.push_back(question);
    if (saveAnswers.empty()) return std::nullopt;
    SaveAnswer answer = saveAnswers.front();
    saveAnswers.pop_front();
    return answer;
}

std::string FakePlatform::AskText(int owner, const TextQuestion& question) {
    questions.push_back(question);
    questionOwners.push_back(owner);
    if (nameAnswers.empty()) return {};
    std::string answer = nameAnswers.front();
    nameAnswers.pop_front();
    return answer;
}

std::int64_t FakePlatform::OpenWindow(int window, const WindowSpec& description) {
    if (failWindowCreation && description.kind == WindowKind::Palette) return 0;
    FakeWindow& created = windows[window] = FakeWindow{};
    created.handle = nextHandle_++;
    created.description = description;
    created.rect = description.client;
    created.topmost = description.topmost;
    // The system reports the first placing of a window as a move.
    if (hook) hook(window, HookEvent::Moved);
    return created.handle;
}

std::optional<Rect> FakePlatform::WindowRect(int window) {
    auto found = windows.find(window);
    if (found == windows.end()) return std::nullopt;
    return found->second.rect;
}

void FakePlatform::SetPosition(int window, Point topLeft) {
    Rect& r = Window(window).rect;
    r = {topLeft.x, topLeft.y, topLeft.x + r.Width(), topLeft.y + r.Height()};
}

void FakePlatform::PlaceWindow(int window, Point topLeft) {
    FakeWindow* placed = FindWindow(window);
    if (!placed || (Point{placed->rect.left, placed->rect.top}) == topLeft) return;  // no move, no report
    Rect& r = placed->rect;
    r = {topLeft.x, topLeft.y, topLeft.x + r.Width(), topLeft.y + r.Height()};
    if (hook) hook(window, HookEvent::Moved);
}

void FakePlatform::SetClientSize(int window, Size size) {
    FakeWindow* found = FindWindow(window);
    if (!found) return;
    FakeWindow& target = *found;
    // The system keeps a framed window within its limits.
    const Size least = target.description.minClient;
    const Size most = target.description.maxClient;
    if (most.width > 0) size.width = std::min(size.width, most.width);
    if (most.height > 0) size.height = std::min(size.height, most.height);
    size.width = std::max(size.width, least.width);
    size.height = std::max(size.height, least.height);
    Rect& r = target.rect;
    r.right = r.left + size.width;
    r.bottom = r.top + size.height;
}

int FakePlatform::DpiAt(Point point) {
    // The monitor that holds the point, else the nearest one.
    std::size_t best = 0;
    long long bestDistance = -1;
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        const Rect& m = monitors[i];
        const long long dx = std::max({0, m.left - point.x, point.x - (m.right - 1)});
        const long long dy = std::max({0, m.top - point.y, point.y - (m.bottom - 1)});
        if (bestDistance < 0 || dx * dx + dy * dy < bestDistance) {
            best = i;
            bestDistance = dx * dx + dy * dy;
        }
    }
    return best < monitorDpis.size() ? monitorDpis[best] : 96;
}

Rect FakePlatform::MonitorRect(int window) {
    // The monitor that holds most of the window, else the nearest one; the
    // primary one, which holds the point (0, 0), for no window.
    const FakeWindow* found = FindWindow(window);
    const Rect r = found ? found->rect : Rect{0, 0, 1, 1};
    auto overlap = [&r](const Rect& m) {
        const long long w = std::max(0, std::min(r.right, m.right) - std::max(r.left, m.left));
        const long long h = std::max(0, std::min(r.bottom, m.bottom) - std::max(r.top, m.top));
        return w * h;
    };
    auto distance = [&r](const Rect& m) {
        const long long dx = std::max({0, m.left - r.right, r.left - m.right});
        const long long dy = std::max({0, m.top - r.bottom, r.top - m.bottom});
        return dx * dx + dy * dy;
    };
    const Rect* best = &monitors.front();
    for (const Rect& m : monitors) {
        if (overlap(m) > overlap(*best) || (overlap(*best) == 0 && distance(m) < distance(*best)))
            best = &m;
    }
    return *best;
}

DragOutcome FakePlatform::MoveWithMouse(int window) {
    ++dragsStarted;
    draggedWindows.push_back(window);
    // No window, no move loop: the press ends as it would without one.
    const FakeWindow* moved = FindWindow(window);
    if (!moved) return DragOutcome::NotStarted;
    if (const FakeControl* pressed = FindControl(window, pressedControl))
        swatchEnabledDuringDrag.push_back(pressed->enabled);
    if (dragPaths.empty()) return dragOutcome;
    const std::vector<Point> path = dragPaths.front();
    dragPaths.pop_front();
    const Point start{moved->rect.left, moved->rect.top};
    // The loop sets the window where the mouse puts it, step by step; the
    // hook may close it meanwhile.
    for (const Point& place : path) {
        if (!Exists(window)) break;
        PlaceWindow(window, place);
    }
    moved = FindWindow(window);
    return moved && (Point{moved->rect.left, moved->rect.top}) != start ? DragOutcome::Moved
                                                                       : DragOutcome::ReleasedWithoutMove;
}

bool FakePlatform::AddControl(int window, const ControlSpec& description) {
    // The hidden window holds no controls.
    FakeWindow* found = FindWindow(window);
    if (!found || found->description.kind == WindowKind::Hidden) return false;
    FakeWindow& parent = *found;
    FakeControl& created = parent.controls[description.id] = FakeControl{};
    created.description = description;
    created.text = description.caption;
    if (description.kind == ControlKind::TrackBar) created.value = description.low;
    if (description.kind == ControlKind::FileList) {
        created.text.clear();
        if (const auto entries = ListFolder(description.caption))
            for (const FolderEntry& entry : *entries)
                if (!entry.isFolder) created.rows.push_back(entry.name);
    }
    std::erase(parent.controlOrder, description.id);
    parent.controlOrder.push_back(description.id);
    return true;
}

void FakePlatform::RemoveControl(int window, int id) {
    FakeWindow* found = FindWindow(window);
    if (!found) return;
    FakeWindow& parent = *found;
    parent.controls.erase(id);
    std::erase(parent.controlOrder, id);
    if (parent.focused == id) parent.focused = 0;
}

void FakePlatform::SelectOption(FakeWindow& window, int id) {
    // The group runs from its first control to the next group start.
    auto at = std::find(window.controlOrder.begin(), window.controlOrder.end(), id);
    auto first = at;
    while (first != window.controlOrder.begin() &&
           !(window.controls.at(*first).description.flags & kFlagGroupStart))
        --first;
    for (auto it = first; it != window.controlOrder.end(); ++it) {
        FakeControl& member = window.controls.at(*it);
        if (it != first && (member.description.flags & kFlagGroupStart)) break;
        if (member.description.kind == ControlKind::OptionButton) member.value = (*it == id) ? 1 : 0;
    }
}

void FakePlatform::ChangeControl(int window, int id, const ControlChange& change) {
    FakeControl* found = FindControl(window, id);
    if (!found) return;
    FakeWindow& parent = *FindWindow(window);
    FakeControl& control = *found;
    const ControlKind kind = control.description.kind;
    if (change.tool != 0) {
        if (kind == ControlKind::Toolbar && change.enabled) control.toolEnabled[change.tool] = *change.enabled;
        return;
    }
    if (change.enabled) control.enabled = *change.enabled;
    if (change.tooltip) control.description.tooltip = *change.tooltip;
    if (change.value) {
        if (kind == ControlKind::OptionButton && *change.value == 1)
            SelectOption(parent, id);
        else
            control.value = *change.value;
    }
    if (change.text) {
        if (kind == ControlKind::FileList) {
            // Selects the row of that name (a name no row carries changes
            // nothing); the system reports the change.
            const bool listed = std::find(control.rows.begin(), control.rows.end(), *change.text) !=
                                control.rows.end();
            if ((listed || change.text->empty()) && control.text != *change.text) {
                control.text = *change.text;
                Queue({EventKind::Control, window, 0, id, SubKind::Change});
            }
        } else {
            control.text = *change.text;
            if (kind == ControlKind::Edit) {
                if (control.description.flags & kFlagUpperCase)
                    for (char& ch : control.text)
                        if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
                control.selection = std::pair{0, 0};
                Queue({EventKind::Control, window, 0, id, SubKind::Change});
            }
        }
    }
    if (change.selection) {
        // As the system's edit, within the text.
        const int length = static_cast<int>(control.text.size());
        const int first = std::clamp(change.selection->first, 0, length);
        control.selection = std::pair{first, std::clamp(change.selection->second, first, length)};
    }
    if (change.focus) parent.focused = id;
}

ControlState FakePlatform::ReadControl(int window, int id) {
    auto found = windows.find(window);
    if (found == windows.end()) return {};
    auto control = found->second.controls.find(id);
    if (control == found->second.controls.end()) return {};
    const FakeControl& c = control->second;
    return {true, c.enabled, c.text, c.value, c.description.data, c.description.rect};
}

int FakePlatform::FocusedControl(int window) {
    auto found = windows.find(window);
    return found == windows.end() ? 0 : found->second.focused;
}

bool FakePlatform::Paint(int window, int id, const std::function<void(Canvas&)>& paint) {
    auto found = windows.find(window);
    if (found == windows.end()) return false;
    if (id == 0) {
        RecordingCanvas canvas(found->second.clientDrawing);
        paint(canvas);
        return true;
    }
    auto control = found->second.controls.find(id);
    if (control == found->second.controls.end() || control->second.description.kind != ControlKind::Surface)
        return false;
    control->second.drawing.clear();  // a surface shows what was painted last
    ++control->second.paints;
    RecordingCanvas canvas(control->second.drawing);
    paint(canvas);
    return true;
}

void FakePlatform::CheckMenuItem(MenuId menu, int item, bool checked) {
    menuChecks[{menu, item}] = checked;
}

void FakePlatform::ShowMenu(MenuId menu, int owner) {
    if (!menus.count(menu) || !Exists(owner)) return;  // nothing to show, nowhere to show it
    shownMenus.emplace_back(menu, owner);
    if (menuChoices.empty()) return;
    const int item = menuChoices.front();
    menuChoices.pop_front();
    if (item != 0) events.push_back({EventKind::Menu, owner, item, 0, SubKind::None});
}

bool FakePlatform::AddTrayIcon(int owner) {
    trayIconAdded = !failTrayIcon && Exists(owner);
    return trayIconAdded;
}

std::optional<std::string> FakePlatform::ReadRegistryText(const std::string& key, const std::string& name) {
    const auto found = registry.find({key, name});
    if (found == registry.end()) return std::nullopt;
    return found->second.text;
}

std::optional<std::vector<std::uint8_t>> FakePlatform::ReadRegistryBytes(const std::string& key,
                                                                         const std::string& name) {
    const auto found = registry.find({key, name});
    if (found == registry.end() || found->second.text) return std::nullopt;
    return found->second.bytes;
}

bool FakePlatform::WriteRegistryText(const std::string& key, const std::string& name, const std::string& text) {
    if (failRegistryWrites) return false;
    registry[{key, name}] = RegistryValue{text, {}};
    return true;
}

bool FakePlatform::WriteRegistryBytes(const std::string& key, const std::string& name,
                                      const std::vector<std::uint8_t>& bytes) {
    if (failRegistryWrites) return false;
    registry[{key, name}] = RegistryValue{std::nullopt, bytes};
    return true;
}

bool FakePlatform::RemoveRegistryValue(const std::string& key, const std::string& name) {
    if (failRegistryWrites) return false;
    registry.erase({key, name});
    return true;
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

namespace {

class FakeMouseGrab : public MouseGrab {
public:
    FakeMouseGrab(FakePlatform& platform, int window) : platform_(platform), hooked_(!platform.failMouseHook) {
        ++platform_.grabsStarted;
        platform_.grabPressed = false;
        if (hooked_) ++platform_.activeGrabs;
        platform_.captureWindow = platform_.Exists(window) ? window : 0;
    }
    ~FakeMouseGrab() override {
        if (hooked_) --platform_.activeGrabs;
        platform_.captureWindow = 0;
    }
    bool Hooked() const override { return hooked_; }
    bool Pressed() const override { return hooked_ && platform_.grabPressed; }

private:
    FakePlatform& platform_;
    bool hooked_;
};

}  // namespace

std::unique_ptr<MouseGrab> FakePlatform::GrabMouse(int window) {
    return std::make_unique<FakeMouseGrab>(*this, window);
}

namespace {

class FakeHold : public Hold {
public:
    explicit FakeHold(std::function<void()> release) : release_(std::move(release)) {}
    ~FakeHold() override { release_(); }
    FakeHold(const FakeHold&) = delete;
    FakeHold& operator=(const FakeHold&) = delete;

private:
    std::function<void()> release_;
};

}  // namespace

std::unique_ptr<Hold> FakePlatform::HoldPickInput() {
    if (failPickHooks) return nullptr;
    ++picksStarted;
    ++activePicks;
    return std::make_unique<FakeHold>([this] { --activePicks; });
}

std::unique_ptr<Hold> FakePlatform::HoldHotkey(const HotkeyKeys& keys) {
    if (hotkeysOfOthers.count({keys.modifiers, keys.virtualKey}) != 0) return nullptr;
    heldHotkeys.push_back(keys);
    return std::make_unique<FakeHold>([this, keys] { std::erase(heldHotkeys, keys); });
}

Image FakePlatform::CaptureScreen(const Rect& area) {
    captures.push_back(area);
    Image image{area.Width(), area.Height(), {}};
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            const auto found = screen.find({x, y});
            const ColourValue colour = found == screen.end() ? screenColour : found->second;
            image.pixels.push_back(0xFF000000u | (static_cast<std::uint32_t>(RedOf(colour)) << 16) |
                                   (static_cast<std::uint32_t>(GreenOf(colour)) << 8) |
                                   static_cast<std::uint32_t>(BlueOf(colour)));
        }
    return image;
}

ColourValue FakePlatform::ScreenPixel(Point at) {
    pixelReads.push_back(at);
    const auto found = screen.find({at.x, at.y});
    return found == screen.end() ? screenColour : found->second;
}

std::optional<ColourValue> FakePlatform::ChooseColour(ColourValue, CustomColours& custom) {
    colourDialogs.push_back(custom);
    if (colourAnswers.empty()) return std::nullopt;
    const std::optional<ColourValue> answer = colourAnswers.front();
    colourAnswers.pop_front();
    return answer;
}

Event FakePlatform::WaitEvent(int milliseconds) {
    if (activePicks > 0) {
        if (!duringPick.empty()) {
            const std::function<void()> step = std::move(duringPick.front());
            duringPick.pop_front();
            step();
        } else if (events.empty()) {
            Event escape{.kind = EventKind::PickInput};
            escape.pick = {PickInputKind::KeyDown, 0x1B};
            events.push_back(escape);
        }
    }
    if (activeGrabs > 0 && !duringGrab.empty()) {
        const std::function<void()> step = std::move(duringGrab.front());
        duringGrab.pop_front();
        step();
    } else if (activeGrabs > 0) {
        ++foregroundHandle;
    }
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
    hook = nullptr;
    trayIconAdded = false;
    windows.clear();
}

FakeWindow* FakePlatform::FindWindow(int window) {
    auto found = windows.find(window);
    return found == windows.end() ? nullptr : &found->second;
}

FakeControl* FakePlatform::FindControl(int window, int control) {
    FakeWindow* parent = FindWindow(window);
    if (!parent) return nullptr;
    auto found = parent->controls.find(control);
    return found == parent->controls.end() ? nullptr : &found->second;
}

FakeWindow& FakePlatform::Window(int window) {
    if (FakeWindow* found = FindWindow(window)) return *found;
    ADD_FAILURE() << "no window " << window;
    return missingWindow_ = FakeWindow{};
}

FakeControl& FakePlatform::Control(int window, int control) {
    if (FakeControl* found = FindControl(window, control)) return *found;
    ADD_FAILURE() << "no control " << control << " in window " << window;
    return missingControl_ = FakeControl{};
}

Point FakePlatform::WindowPosition(int window) const {
    const auto found = windows.find(window);
    if (found == windows.end()) {
        ADD_FAILURE() << "no window " << window;
        return {};
    }
    return {found->second.rect.left, found->second.rect.top};
}

std::vector<ColourValue> FakePlatform::Outlines(int window) const {
    std::vector<ColourValue> colours;
    const auto found = windows.find(window);
    if (found == windows.end()) {
        ADD_FAILURE() << "no window " << window;
        return colours;
    }
    for (const DrawOp& op : found->second.clientDrawing)
        if (op.kind == DrawOp::Kind::FrameRect) colours.push_back(op.colour);
    return colours;
}

std::vector<std::string> FakePlatform::MessageLines() const {
    std::vector<std::string> lines;
    for (const ShownMessage& m : messages) lines.push_back(m.title + ": " + m.text);
    return lines;
}

}  // namespace vandrel::testing
