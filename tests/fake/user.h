// A user in front of the fake platform: each action changes what the system
// would change and queues the events it would raise, so that a test reads
// like what the user did. Run the queued events with RunQueued. What a kind
// raises is what its system control raises: nothing from a text, a frame or
// a picture, nothing from a disabled control. Acting on a control that is
// not there fails the test.
#pragma once

#include <string>
#include <vector>

#include "fake/fake_platform.h"

namespace vandrel::testing {

class User {
public:
    explicit User(FakePlatform& platform) : platform_(platform) {}

    // A left click: press and release on the control. Check boxes, toggle
    // and option buttons change their state as the system's do. On a toolbar
    // it hits none of its items: see ClickTool.
    void Click(int window, int control);
    // A toolbar item's click, which arrives as a menu event of the item.
    void ClickTool(int window, int toolbar, int item);
    // On a file list, on its selected row; elsewhere two clicks, as the
    // controls that take no double clicks see them.
    void DoubleClick(int window, int control);
    // Only a surface raises it: the standard controls show their own menus.
    void RightClick(int window, int control);
    // The left button goes down on a control and the mouse moves the window
    // through `path` (the places the system's move loop sets) before the
    // button comes up, where that loop swallows the release.
    void Drag(int window, int control, const std::vector<Point>& path);
    // The left button goes down on the window's background.
    void PressBackground(int window);
    // Puts a whole text into a field at once, as pasting over its content does.
    void Type(int window, int control, const std::string& text);
    // One key typed into the window's focused field, at its caret (over its
    // selection); '\b' is Backspace. Nothing happens without a focused field.
    void Key(int window, char ch);
    void Select(int window, int control, const std::string& row);
    void Slide(int window, int control, int value);
    void PressShortcut(int window, int virtualKey);

private:
    void Queue(int window, int control, SubKind sub);
    // The control, or a test failure and nullptr.
    FakeControl* Find(int window, int control);
    // The control if the user can use it: there, enabled, of the kind.
    FakeControl* Usable(int window, int control, ControlKind kind);
    FakePlatform& platform_;
};

}  // namespace vandrel::testing
