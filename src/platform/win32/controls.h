// The system's standard controls (every kind but Surface): one table of
// class, styles and how their notifications become events.
#pragma once

#include <windows.h>

#include <functional>

#include "platform/platform.h"

namespace vandrel::win32 {

// What a control needs from the window that holds it.
struct ControlResources {
    HINSTANCE instance = nullptr;
    std::function<HFONT(int number)> font;  // nullptr for an unknown number
    std::function<HICON(int number)> image; // nullptr for an unknown number
    int dpi = 96;                            // the parent's: the system font is taken at it
};

// Creates a control of any kind but Surface as a child of `parent`; nullptr on failure.
HWND CreateStandardControl(HWND parent, const ControlSpec& description, const ControlResources& resources);

// Where a message the parent received (WM_COMMAND, WM_NOTIFY, WM_HSCROLL)
// comes from: the control (nullptr for none) and its notification code.
struct Source {
    HWND sender = nullptr;
    UINT code = 0;
};
Source SourceOf(UINT message, WPARAM wParam, LPARAM lParam);

// Turns such a message from a control of `kind` into an event of the
// program: kind, control or item, and sub-kind are filled in, the window is
// left to the caller. The kind is the one the window recorded when it made
// the control: six kinds share the class BUTTON. False when the message is
// none that the kind reports.
bool TranslateControlMessage(const Source& source, ControlKind kind, UINT message, WPARAM wParam, LPARAM lParam,
                             Event& event);

ControlState ReadStandardControl(HWND control, ControlKind kind);
void ChangeStandardControl(HWND control, ControlKind kind, const ControlChange& change);

}  // namespace vandrel::win32
