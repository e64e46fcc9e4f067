// Closing windows, rebuilding palette windows and ending the program. Every
// close remembers where the window stood.
#pragma once

#include <string>

#include "app/state.h"

namespace vandrel {

void ClosePaletteWindow(App& app, Platform& platform, int slot);

// Closes and reopens palette windows so they show current options and
// colours: every open one for an empty name, else that palette's window.
void RefreshPaletteWindows(App& app, Platform& platform, const std::string& name);

void CloseEditor(App& app, Platform& platform);
void CloseManageWindow(App& app, Platform& platform);

// The tray menu's "Exit": close the manage window and the editor, store the
// settings, end.
void ExitFromTray(App& app, Platform& platform);

// Releases the program's windows and the tray icon; the loop then returns.
void EndProgram(App& app, Platform& platform);

}  // namespace vandrel
