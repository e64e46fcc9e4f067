#include "app/picking.h"

#include "app/operations.h"
#include "core/dialog_owner.h"
#include "core/files.h"
#include "palette/palette_file.h"
#include "palette_window/palette_window.h"
#include "tools/screen_pick.h"

namespace vandrel {
namespace {

std::string TellOnce(App& app, const std::string& text) {
    if (app.picker.refusalTold) return "";
    app.picker.refusalTold = true;
    return text;
}

}  // namespace

std::string HoldShortcut(App& app, Platform& platform) {
    if (app.picker.hotkey) return "";  // held since an earlier start of the run
    const std::string& text = app.settings.Hotkey;
    app.picker.keys = ParseHotkey(text);
    if (text.find_first_not_of(" \t") == std::string::npos) return "";  // none wanted
    const std::string choose = " Choose another shortcut under Hotkey in Vandrel.ini.";
    if (!app.picker.keys) return TellOnce(app, text + " is not a shortcut Vandrel can use." + choose);
    app.picker.hotkey = platform.HoldHotkey(*app.picker.keys);
    if (app.picker.hotkey) return "";
    app.picker.keys.reset();
    return TellOnce(app, text + " is used by another program." + choose);
}

std::vector<Event> PickScreenColour(App& app, Platform& platform) {
    PickOutcome outcome = PickFromScreen(app, platform);
    if (!outcome.held && !app.picker.picking)
        platform.ShowMessage(DialogOwner(platform), "Error",
                             "Vandrel could not take the mouse and the keyboard to pick a color.", MessageButtons::Ok);
    if (outcome.colour) {
        platform.SetClipboardText(PickedText(app, *outcome.colour));
        if (!RecordPickedColour(app, platform, *outcome.colour))
            platform.ShowMessage(DialogOwner(platform), "Error",
                                 "Vandrel could not write the picked color to picked.pal.", MessageButtons::Ok);
    }
    return std::move(outcome.deferred);
}

bool RecordPickedColour(App& app, Platform& platform, ColourValue colour) {
    if (PaletteFolderInUse(app).empty()) return false;  // the run has no palette folder to write to
    const std::optional<std::string> bytes = ReadWholeFile(kPickedPaletteName, kLargestReadPalette);
    const std::vector<std::string> codes = PickedCodes(bytes ? ReadPaletteLines(*bytes) : std::vector<std::string>{}, colour);
    if (!WriteWholeFile(platform, kPickedPaletteName, PaletteFileText(codes))) return false;
    PaletteSaved(app, platform);
    RefreshPaletteWindows(app, platform, kPickedPaletteName);
    return true;
}

}  // namespace vandrel
