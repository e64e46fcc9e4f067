#include "app/startup.h"

#include <memory>

#include "app/event_loop.h"
#include "palette/palette_list.h"
#include "palette_window/menus.h"
#include "palette_window/palette_window.h"
#include "settings/settings.h"

namespace vandrel {

void ReopenPalettes(App& app, Platform& platform) {
    // Copy the names first: opening a window may add option records.
    std::vector<std::pair<std::string, int>> toOpen;
    for (const auto& [name, options] : app.PaletteOptionsByName) {
        if (options.WinID >= 1 && options.WinID <= kMaxOpenPalettes)
            toOpen.emplace_back(name, options.WinID);
    }
    for (const auto& [name, slot] : toOpen) {
        const int index = PaletteIndexOf(app, name);
        if (index < 0) continue;
        // Two palettes claiming one slot (a hand-edited file): the second one
        // goes to a free slot instead of replacing the first.
        const bool taken = platform.WindowExists(slot) && !app.Slots[slot].PaletteName.empty();
        OpenPaletteWindow(app, platform, index, taken ? -1 : slot);
    }
}

void StartUp(App& app, Platform& platform) {
    app.EditorColourCount = 0;
    FillControlTables(app);

    const DisplayInfo display = platform.ExamineDisplays();
    app.desktops.DesktopCount = display.desktopCount;
    app.desktops.Desktop0Width = display.desktopCount >= 1 ? display.desktop0Width : 0;
    app.desktops.ScreenWidth = display.screenWidth;
    app.desktops.Scale = ComputeScale(display);

    LoadImages(platform);
    LoadFonts(platform);
    ReadSettings(app, platform);
    // The prefix comes before the menus, or the tray's colour items would
    // read without "#" until the next rebuild.
    if (app.settings.Pound) app.settings.Prefix = "#";
    ListPalettes(app, platform);
    BuildMenus(app, platform);
    ReindexSlots(app);

    if (app.settings.Systray) {
        platform.CreateTrayOwnerWindow({0, 0, 50, 50}, "Vandrel");
        app.trayIcon = platform.AddTrayIcon(kTrayOwnerWindow);
    }
    ReopenPalettes(app, platform);
}

int RunProgram(Platform& platform) {
    auto app = std::make_unique<App>();
    StartUp(*app, platform);
    RunEventLoop(*app, platform);
    return 0;
}

}  // namespace vandrel
