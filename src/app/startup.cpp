#include "app/startup.h"

#include <memory>

#include "app/event_loop.h"
#include "app/picking.h"
#include "config/settings.h"
#include "palette/palette_list.h"
#include "palette_window/menus.h"
#include "palette_window/palette_window.h"
#include "resources/program_images.h"
#include "settings/manage_window.h"

namespace vandrel {

WindowSpec TrayOwnerSpec() {
    WindowSpec description;
    description.kind = WindowKind::Hidden;
    description.client = {0, 0, 50, 50};
    description.title = "Vandrel";
    return description;
}

void StartUp(App& app, Platform& platform, StartMode mode) {
    // The pictures of the editor, manage and about windows take longer to
    // draw than the rest of start-up and no palette window shows one: they
    // are made when one of those windows first opens.
    if (mode == StartMode::Whole) EnsureImages(platform, app.imagesLoaded);
    LoadFonts(platform);
    StartFromFiles(app, platform, mode);
}

void FinishStartUp(App& app, Platform& platform) {
    while (app.startPending) ContinueStartUp(app, platform, app.startListing.entries.size());
}

void ContinueStartUp(App& app, Platform& platform, std::size_t files) {
    if (!app.startPending || !ListingStep(app, app.startListing, files)) return;
    app.startPending = false;
    app.startListing = {};
    BuildMenus(app, platform);
    ReindexSlots(app);
}

void BeginPaletteList(App& app, Platform& platform, std::optional<std::vector<FolderEntry>> listed,
                      StartMode mode) {
    // With the tray icon, the palette windows of the last run show first: the
    // other palette files and the menus follow in the loop's idle passes (a
    // full folder takes several times as long as the rest of start-up). The
    // manage window lists every palette, so without the icon nothing waits;
    // nor does a folder with more files than the list holds, where what is
    // listed depends on every file before it.
    // The folder is listed once, by ReadSettings, whichever way the list is made.
    const bool listing = BeginListing(app, platform, app.startListing, std::move(listed));
    const bool deferred = listing && mode == StartMode::PaletteWindowsFirst && TrayIconOn(app.settings) &&
                          app.startListing.entries.size() <= static_cast<std::size_t>(kPaletteCapacity);
    if (deferred) {
        ListReopenedPalettes(app, app.startListing);
        app.startPending = true;
    } else {
        app.startPending = false;
        if (listing) ListingStep(app, app.startListing, app.startListing.entries.size());
        app.startListing = {};
        BuildMenus(app, platform);
        ReindexSlots(app);
    }
}

void StartFromFiles(App& app, Platform& platform, StartMode mode) {
    app.EditorColourCount = 0;

    const DisplayInfo display = platform.ExamineDisplays();
    app.desktops.DesktopCount = display.desktopCount;
    app.desktops.Desktop0Width = display.desktopCount >= 1 ? display.desktop0Width : 0;
    app.desktops.ScreenWidth = display.screenWidth;
    app.desktops.Scale = ComputeScale(display);

    auto listed = ReadSettings(app, platform);
    // The prefix comes before the menus, or the tray's colour items would
    // read without "#" until the next rebuild.
    if (app.settings.Pound) app.settings.Prefix = "#";
    // Before the menus are made: the tray's "Pick color" shows the shortcut held.
    const std::string trouble = HoldShortcut(app, platform);
    BeginPaletteList(app, platform, std::move(listed), mode);

    // The hidden owner exists with or without the icon: palette windows owned
    // by the manage window would vanish whenever it is minimised.
    platform.OpenWindow(kTrayOwnerWindow, TrayOwnerSpec());
    // From the start, so that a log-off before any palette was opened still
    // stores the settings.
    InstallWindowHook(app, platform);
    if (!TrayIconOn(app.settings)) {
        // The manage window is the program's main window, and comes first.
        FinishStartUp(app, platform);
        OpenManageWindow(app, platform);
        ReopenPalettes(app, platform);
        return;
    }
    // The palette windows come before the icon, which waits for the shell.
    ReopenPalettes(app, platform);
    app.trayIcon = platform.AddTrayIcon(kTrayOwnerWindow);
    // The icon tells of a shortcut that cannot be used.
    if (!trouble.empty()) platform.ShowTrayBalloon("Vandrel", trouble);
    // Without the icon (no notification area) the manage window is the main
    // window, listing every palette.
    if (!app.trayIcon) {
        FinishStartUp(app, platform);
        OpenManageWindow(app, platform);
    }
}

int RunProgram(Platform& platform) {
    // A second copy would write the same settings at its exit: it hands
    // over to the running one before touching any file.
    if (!platform.ClaimSingleInstance()) return 0;
    auto app = std::make_unique<App>();
    StartUp(*app, platform, StartMode::PaletteWindowsFirst);
    RunEventLoop(*app, platform);
    return 0;
}

}  // namespace vandrel
