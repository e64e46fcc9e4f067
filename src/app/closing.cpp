#include "app/closing.h"

#include "palette_window/palette_window.h"
#include "settings/manage_window.h"
#include "settings/settings.h"

namespace vandrel {

void ClosePaletteWindow(App& app, Platform& platform, int slot) {
    Slot& s = app.Slots[slot];
    PaletteOptions& options = OptionsOf(app, s.PaletteName);
    if (const auto place = platform.WindowRect(slot)) {
        options.X = place->left;
        options.Y = place->top;
    }
    options.WinID = -1;
    s.PaletteName.clear();
    s.WindowHandle = 0;
    platform.CloseWindow(slot);
}

void RefreshPaletteWindows(App& app, Platform& platform, const std::string& name) {
    if (name.empty()) {
        for (int slot = 1; slot <= kMaxOpenPalettes; ++slot) {
            const std::string shown = app.Slots[slot].PaletteName;
            if (shown.empty() || !WindowExists(platform, slot)) continue;
            ClosePaletteWindow(app, platform, slot);
            // Reopened by name: a palette that has left the list stays closed
            // instead of opening whichever palette now has its old index.
            const int index = PaletteIndexOf(app, shown);
            if (index >= 0) OpenPaletteWindow(app, platform, index, slot);
        }
        return;
    }
    const int slot = OptionsOf(app, name).WinID;
    if (slot < 1 || slot > kMaxOpenPalettes || !WindowExists(platform, slot) ||
        app.Slots[slot].PaletteName != name)
        return;
    ClosePaletteWindow(app, platform, slot);
    // A palette that has left the list (locked, or its file gone) stays closed
    // rather than being reopened under another palette's index.
    const int index = PaletteIndexOf(app, name);
    if (index >= 0) OpenPaletteWindow(app, platform, index, -1);
}

void CloseEditor(App& app, Platform& platform) {
    const auto place = platform.WindowRect(kEditorWindow);
    if (!app.editorOpen || !place) return;
    app.settings.EditX = place->left;
    app.settings.EditY = place->top;
    app.EditorColourCount = 0;
    platform.CloseWindow(kEditorWindow);
    app.editorOpen = false;
}

namespace {

// Remembers the manage window's place; false when it is not open.
bool RememberManagePlace(App& app, Platform& platform) {
    const auto place = platform.WindowRect(kManageWindow);
    if (!app.manageOpen || !place) return false;
    app.settings.WinX = place->left;
    app.settings.WinY = place->top;
    return true;
}

// Remembers the manage window's place and closes it, without any question.
void DismissManageWindow(App& app, Platform& platform) {
    if (!RememberManagePlace(app, platform)) return;
    // It lets go of its palette: no window keeps the selection mark.
    ShowPaletteOptions(app, platform, "");
    platform.CloseWindow(kManageWindow);
    app.manageOpen = false;
}

}  // namespace

void CloseManageWindow(App& app, Platform& platform) {
    if (app.trayIcon) {
        DismissManageWindow(app, platform);
        return;
    }
    if (!RememberManagePlace(app, platform)) return;
    if (platform.ShowMessage("Exit", "Exit and close all palettes?", MessageButtons::YesNo) ==
        MessageAnswer::Yes) {
        WriteSettings(app, platform);
        EndProgram(app, platform);
    }
}

void ExitFromTray(App& app, Platform& platform) {
    // The tray's own Exit never asks, even where the icon came back only
    // after the start (the notification area was late).
    DismissManageWindow(app, platform);
    CloseEditor(app, platform);
    WriteSettings(app, platform);
    EndProgram(app, platform);
}

void EndProgram(App& app, Platform& platform) {
    platform.Shutdown();
    app.running = false;
}

}  // namespace vandrel
