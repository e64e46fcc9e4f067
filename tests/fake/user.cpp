#include "fake/user.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace vandrel::testing {

void User::Queue(int window, int control, SubKind sub) {
    platform_.Queue({EventKind::Control, window, 0, control, sub});
}

FakeControl* User::Find(int window, int control) {
    FakeControl* found = platform_.FindControl(window, control);
    if (!found) ADD_FAILURE() << "the user finds no control " << control << " in window " << window;
    return found;
}

FakeControl* User::Usable(int window, int control, ControlKind kind) {
    FakeControl* found = Find(window, control);
    return found && found->enabled && found->description.kind == kind ? found : nullptr;
}

void User::Click(int window, int control) {
    FakeControl* target = Find(window, control);
    if (!target || !target->enabled) return;
    switch (target->description.kind) {
        case ControlKind::Surface:
            platform_.pressedControl = control;
            Queue(window, control, SubKind::LeftDown);
            break;
        case ControlKind::CheckBox:
        case ControlKind::ToggleButton:
            platform_.ChangeControl(window, control, {.value = target->value == 1 ? 0 : 1});
            break;
        case ControlKind::OptionButton: platform_.ChangeControl(window, control, {.value = 1}); break;
        case ControlKind::PushButton:
        case ControlKind::ImageButton:
        case ControlKind::Link: break;
        // Texts, frames and pictures take no clicks; the others raise what
        // the click changes (a row, a position), or a menu event (toolbars).
        default: return;
    }
    Queue(window, control, SubKind::LeftClick);
}

void User::ClickTool(int window, int toolbar, int item) {
    FakeControl* bar = Find(window, toolbar);
    if (!bar || bar->description.kind != ControlKind::Toolbar) {
        ADD_FAILURE() << "control " << toolbar << " is no toolbar";
        return;
    }
    const auto& tools = bar->description.tools;
    if (item == 0 || std::none_of(tools.begin(), tools.end(), [item](const ToolItem& t) { return t.item == item; })) {
        ADD_FAILURE() << "the toolbar has no item " << item;
        return;
    }
    if (bar->enabled && bar->ToolEnabled(item)) platform_.Queue({EventKind::Menu, window, item, 0, SubKind::None});
}

void User::DoubleClick(int window, int control) {
    FakeControl* target = Find(window, control);
    if (!target || !target->enabled) return;
    switch (target->description.kind) {
        case ControlKind::FileList:
            if (!target->text.empty()) Queue(window, control, SubKind::DoubleClick);
            return;
        // A link's second press is a double click of its own, which raises nothing.
        case ControlKind::Link: Click(window, control); return;
        default:
            Click(window, control);
            Click(window, control);
            return;
    }
}

void User::RightClick(int window, int control) {
    if (Usable(window, control, ControlKind::Surface)) Queue(window, control, SubKind::RightClick);
}

void User::Drag(int window, int control, const std::vector<Point>& path) {
    if (!Usable(window, control, ControlKind::Surface)) return;
    platform_.pressedControl = control;
    platform_.dragPaths.push_back(path);
    Queue(window, control, SubKind::LeftDown);
}

void User::PressBackground(int window) {
    if (!platform_.Exists(window)) {
        ADD_FAILURE() << "the user finds no window " << window;
        return;
    }
    if (platform_.hook) platform_.hook(window, HookEvent::BackgroundPress);
}

void User::Type(int window, int control, const std::string& text) {
    if (Usable(window, control, ControlKind::Edit)) platform_.ChangeControl(window, control, {.text = text});
}

void User::Key(int window, char ch) {
    const int focused = platform_.Window(window).focused;
    if (focused == 0) return;
    FakeControl* field = Usable(window, focused, ControlKind::Edit);
    if (!field) return;
    const int length = static_cast<int>(field->text.size());
    auto [first, last] = field->selection.value_or(std::pair{length, length});
    first = std::clamp(first, 0, length);
    last = std::clamp(last, first, length);
    if (ch == '\b') {
        if (first == last && first > 0) --first;
        field->text.erase(first, last - first);
    } else {
        if ((field->description.flags & kFlagUpperCase) && ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 32);
        field->text.replace(first, last - first, 1, ch);
        ++first;
    }
    field->selection = std::pair{first, first};
    Queue(window, focused, SubKind::Change);
}

void User::Select(int window, int control, const std::string& row) {
    if (Usable(window, control, ControlKind::FileList)) platform_.ChangeControl(window, control, {.text = row});
}

void User::Slide(int window, int control, int value) {
    const FakeControl* bar = Usable(window, control, ControlKind::TrackBar);
    if (!bar) return;
    // The thumb stops at the ends of the range.
    value = std::clamp(value, bar->description.low, std::max(bar->description.low, bar->description.high));
    platform_.ChangeControl(window, control, {.value = value});
    Queue(window, control, SubKind::Change);
}

void User::PressShortcut(int window, int virtualKey) {
    for (const Shortcut& shortcut : platform_.Window(window).shortcuts)
        if (shortcut.virtualKey == virtualKey)
            platform_.Queue({EventKind::Menu, window, shortcut.item, 0, SubKind::None});
}

}  // namespace vandrel::testing
