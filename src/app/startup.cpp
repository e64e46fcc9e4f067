#include "app/startup.h"

#include <memory>

#include "app/event_loop.h"
#include "palette/palette_list.h"
#include "palette_window/menus.h"
#include "palette_window/palette_window.h"
#include "settings/manage_window.h"
#include "settings/settings.h"

namespace vandrel {

void ReopenPalettes(App& app, Platform& platform) {
    // Copy the names first: opening a window may add option records.
    std::vector<std::pair<std::string, int>> toOpen;
    for (const auto& [name, options] : app.PaletteOptionsByName) {
        if (options.WinID >= 1 && options.WinID <= kMaxOpenPalettes)
            toOpen.emplace_back(name, options.WinID);
    }
    for (const auto& [name, claimed] : toOpen) {
        const int index = PaletteIndexOf(app, name);
        if (index < 0) continue;
        // A hand-edited file may have two palettes claim one slot, or more
        // palettes than there are slots: what fits opens in a free slot,
        // silently, and the rest is recorded as closed.
        int slot = claimed;
        for (int i = 1; WindowExists(platform, slot) && i <= kMaxOpenPalettes; ++i) slot = i;
        if (WindowExists(platform, slot)) {
            OptionsOf(app, name).WinID = -1;
            continue;
        }
        OpenPaletteWindow(app, platform, index, slot);
    }
}

WindowSpec TrayOwnerSpec() {
    WindowSpec description;
    description.kind = WindowKind::Hidden;
    description.client = {0, 0, 50, 50};
    description.title = "Vandrel";
    return description;
}

void StartUp(App& app, Platform& platform) {
    LoadImages(platform);
    LoadFonts(platform);
    StartFromFiles(app, platform);
}

void StartFromFiles(App& app, Platform& platform) {
    app.EditorColourCount = 0;
    FillControlTables(app);

    const DisplayInfo display = platform.ExamineDisplays();
    app.desktops.DesktopCount = display.desktopCount;
    app.desktops.Desktop0Width = display.desktopCount >= 1 ? display.desktop0Width : 0;
    app.desktops.ScreenWidth = display.screenWidth;
    app.desktops.Scale = ComputeScale(display);

    ReadSettings(app, platform);
    // The prefix comes before the menus, or the tray's colour items would
    // read without "#" until the next rebuild.
    if (app.settings.Pound) app.settings.Prefix = "#";
    ListPalettes(app, platform);
    BuildMenus(app, platform);
    ReindexSlots(app);

    // The hidden owner exists with or without the icon: palette windows owned
    // by the manage window would vanish whenever it is minimised.
    platform.OpenWindow(kTrayOwnerWindow, TrayOwnerSpec());
    if (TrayIconOn(app.settings)) app.trayIcon = platform.AddTrayIcon(kTrayOwnerWindow);
    // Without an icon the manage window is the program's main window.
    if (!app.trayIcon) OpenManageWindow(app, platform);
    // From the start, so that a log-off before any palette was opened still
    // stores the settings.
    InstallWindowHook(app, platform);
    ReopenPalettes(app, platform);
}

int RunProgram(Platform& platform) {
    // A second copy would write the same settings at its exit: it hands
    // over to the running one before touching any file.
    if (!platform.ClaimSingleInstance()) return 0;
    auto app = std::make_unique<App>();
    StartUp(*app, platform);
    RunEventLoop(*app, platform);
    return 0;
}

}  // namespace vandrel
