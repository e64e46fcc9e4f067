// Start-up: limits and tables, displays, resources, settings, the palette
// list, menus, the tray icon and the palette windows of the last run.
#pragma once

#include "app/state.h"

namespace vandrel {

void StartUp(App& app, Platform& platform);

// Start-up after the images and fonts are made: the settings, the palettes,
// the menus, the tray icon or the manage window, the palette windows.
void StartFromFiles(App& app, Platform& platform);

// Reopens the palettes whose stored WinID names a slot, each in that slot.
void ReopenPalettes(App& app, Platform& platform);

// Start-up, then the event loop until an exit path ends it. Returns the exit code.
int RunProgram(Platform& platform);

}  // namespace vandrel
