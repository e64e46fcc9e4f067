// The editor's eyedropper: the colour under the mouse pointer, shown live in
// the editor's last row and taken with a press that nothing else sees.
#pragma once

#include "core/state.h"

namespace vandrel {

constexpr int kGrabWait = 50;  // ms between two looks at the pointer

// Runs until a press takes the colour (a new entry row follows), another
// window comes forward (the colour shown stays, no row is added), the editor
// goes or the program is asked to end. Every end unhooks the mouse.
void GrabScreenColour(App& app, Platform& platform);

// The pixel the pointer at `cursor` shows on a display of that scale.
Point ScaledCursor(Point cursor, float scale);

}  // namespace vandrel
