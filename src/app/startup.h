// Start-up: limits and tables, displays, resources, settings, the palette
// list, menus, the tray icon and the palette windows of the last run.
#pragma once

#include "core/state.h"

namespace vandrel {

enum class StartMode {
    Whole,                // everything is ready when start-up returns
    PaletteWindowsFirst,  // the rest of the palette list and the menus may follow
};

void StartUp(App& app, Platform& platform, StartMode mode = StartMode::Whole);

// Start-up after the images and fonts are made: the settings, the palettes,
// the menus, the tray icon or the manage window, the palette windows.
void StartFromFiles(App& app, Platform& platform, StartMode mode = StartMode::Whole);

// Makes the palette list from a listing of the palette folder (none: lists
// it), as start-up does: with PaletteWindowsFirst only the palettes of the
// palette windows at once, the rest and the menus in the loop's idle passes.
void BeginPaletteList(App& app, Platform& platform, std::optional<std::vector<FolderEntry>> listed,
                      StartMode mode);

// Start-up work left by StartMode::PaletteWindowsFirst: Continue reads up to
// `files` more palette files (then builds the menus once the list is whole);
// Finish does all that is left, before anything that needs the list or the
// menus. Both do nothing once start-up is complete.
void ContinueStartUp(App& app, Platform& platform, std::size_t files);
void FinishStartUp(App& app, Platform& platform);

// Start-up, then the event loop until an exit path ends it. Returns the exit code.
int RunProgram(Platform& platform);

}  // namespace vandrel
