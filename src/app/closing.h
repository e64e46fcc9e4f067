// Closing the main window and ending the program.
#pragma once

#include "core/state.h"

namespace vandrel {

// The manage window's close box: with the tray icon it only closes; as the
// program's main window it asks whether to end the program.
void CloseManageWindow(App& app, Platform& platform);

// The tray menu's "Exit": close the manage window and the editor, store the
// settings, end.
void ExitFromTray(App& app, Platform& platform);

// Releases the program's windows and the tray icon; the loop then returns.
void EndProgram(App& app, Platform& platform);

}  // namespace vandrel
