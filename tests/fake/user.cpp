#include "fake/user.h"

#include <algorithm>

namespace vandrel::testing {

void User::Queue(int window, int control, SubKind sub) {
    platform_.Queue({EventKind::Control, window, 0, control, sub});
}

void User::Click(int window, int control) {
    FakeControl& target = platform_.Control(window, control);
    if (!target.enabled) return;
    switch (target.description.kind) {
        case ControlKind::Surface:
            platform_.pressedControl = control;
            Queue(window, control, SubKind::LeftDown);
            break;
        case ControlKind::CheckBox:
        case ControlKind::ToggleButton:
            platform_.ChangeControl(window, control, {.value = target.value == 1 ? 0 : 1});
            break;
        case ControlKind::OptionButton: platform_.ChangeControl(window, control, {.value = 1}); break;
        default: break;
    }
    Queue(window, control, SubKind::LeftClick);
}

void User::DoubleClick(int window, int control) { Queue(window, control, SubKind::DoubleClick); }

void User::RightClick(int window, int control) { Queue(window, control, SubKind::RightClick); }

void User::Drag(int window, int control, const std::vector<Point>& path) {
    platform_.pressedControl = control;
    platform_.dragPaths.push_back(path);
    Queue(window, control, SubKind::LeftDown);
}

void User::PressBackground(int window) {
    if (platform_.hook) platform_.hook(window, HookEvent::BackgroundPress);
}

void User::Type(int window, int control, const std::string& text) {
    platform_.ChangeControl(window, control, {.text = text});
}

void User::Key(int window, char ch) {
    const int focused = platform_.Window(window).focused;
    if (focused == 0) return;
    FakeControl& field = platform_.Control(window, focused);
    if (field.description.kind != ControlKind::Edit || !field.enabled) return;
    const int length = static_cast<int>(field.text.size());
    auto [first, last] = field.selection.value_or(std::pair{length, length});
    first = std::clamp(first, 0, length);
    last = std::clamp(last, first, length);
    if (ch == '\b') {
        if (first == last && first > 0) --first;
        field.text.erase(first, last - first);
    } else {
        if ((field.description.flags & kFlagUpperCase) && ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 32);
        field.text.replace(first, last - first, 1, ch);
        ++first;
    }
    field.selection = std::pair{first, first};
    Queue(window, focused, SubKind::Change);
}

void User::Select(int window, int control, const std::string& row) {
    platform_.ChangeControl(window, control, {.text = row});
}

void User::Slide(int window, int control, int value) {
    platform_.ChangeControl(window, control, {.value = value});
    Queue(window, control, SubKind::Change);
}

void User::PressShortcut(int window, int virtualKey) {
    for (const Shortcut& shortcut : platform_.Window(window).shortcuts)
        if (shortcut.virtualKey == virtualKey)
            platform_.Queue({EventKind::Menu, window, shortcut.item, 0, SubKind::None});
}

}  // namespace vandrel::testing
