#include "app/closing.h"

#include "config/settings.h"
#include "core/dialog_owner.h"
#include "editor/editing.h"
#include "settings/manage_window.h"

namespace vandrel {

void CloseManageWindow(App& app, Platform& platform) {
    if (app.trayIcon) {
        DismissManageWindow(app, platform);
        return;
    }
    if (!RememberManagePlace(app, platform)) return;
    if (platform.ShowMessage(DialogOwner(platform), "Exit", "Exit and close all palettes?",
                             MessageButtons::YesNo) == MessageAnswer::Yes) {
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
