#include "tools/screen_grab.h"

#include "editor/editor_window.h"
#include "palette/colour_code.h"
#include "palette_window/placement.h"

namespace vandrel {
namespace {

// Events that came while the grab ran belong to it, its own row changes too:
// handled afterwards they would add a row the grab did not ask for.
void DropPendingEvents(Platform& platform) {
    for (int i = 0; i < 1000; ++i)
        if (platform.WaitEvent(0).kind == EventKind::Timeout) return;
}

}  // namespace

Point ScaledCursor(Point cursor, float scale) {
    return {RoundHalfEven(static_cast<double>(cursor.x) * scale), RoundHalfEven(static_cast<double>(cursor.y) * scale)};
}

void GrabScreenColour(App& app, Platform& platform) {
    if (!EditorWindowOpen(app, platform) || app.EditorColourCount < 1 || EditorFull(app, platform)) return;
    platform.SetTopmost(kEditorWindow, true);
    const std::int64_t foreground = platform.ForegroundWindowHandle();
    bool grabbed = false;
    {
        const std::unique_ptr<MouseGrab> grab = platform.GrabMouse(kEditorWindow);
        // Without the hook no press could end the grab: there is none.
        grabbed = grab && grab->Hooked();
        while (grabbed) {
            platform.WaitEvent(kGrabWait);
            if (!app.running || app.sessionEnding || !EditorWindowOpen(app, platform)) break;
            const ColourValue pixel = platform.ScreenPixel(ScaledCursor(platform.CursorPosition(), app.desktops.Scale));
            const std::string code = FormatColourCode(pixel & 0xFFFFFF, app.settings.Prefix);
            const int last = app.EditorColourCount;
            if (EditorRowText(platform, last) != code) SetEditorRow(app, platform, last, code);
            if (platform.ForegroundWindowHandle() != foreground) break;
            if (grab->Pressed()) {
                AddEditorRow(app, platform, "");
                FitEditor(app, platform);
                break;
            }
        }
    }
    DropPendingEvents(platform);
    if (EditorWindowOpen(app, platform)) {
        platform.Activate(kEditorWindow);
        platform.SetTopmost(kEditorWindow, false);
    }
    if (grabbed) app.EditorModified = 1;
}

}  // namespace vandrel
