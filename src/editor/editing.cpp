#include "editor/editing.h"

#include "app/closing.h"
#include "editor/editor_window.h"
#include "palette/colour_code.h"
#include "palette/palette_store.h"

namespace vandrel {
namespace {

constexpr ColourValue kWhite = Rgb(255, 255, 255);

int SaveRows(App& app, Platform& platform, bool ask) {
    return SavePalette(app, platform, app.EditorPaletteName, ask, EditorRowTexts(app, platform));
}

}  // namespace

void EditorFieldChanged(App& app, Platform& platform, int row) {
    if (!EditorWindowOpen(app, platform) || row < 1 || row > app.EditorColourCount) return;
    const ControlState field = platform.ReadControl(kEditorWindow, app.EditFieldIds[row]);
    // A change queued for a row that has gone since finds nothing to do.
    if (!field.exists) return;
    const std::string& text = field.text;
    const int complete = CompleteLength(app);
    const std::string clean = HexEntryFilter(text, app.settings.Prefix);

    if (text.empty() && row != app.EditorColourCount) {
        DeleteEditorRow(app, platform, row);
        AddEditorRow(app, platform, "");
        FitEditor(app, platform);
        const int focused = platform.FocusedControl(kEditorWindow);
        if (focused > app.EditFieldIds[1]) FocusEditorControl(platform, focused - 1, 7, 7);
    } else {
        if (static_cast<int>(clean.size()) < complete) PaintEditorRow(app, platform, row, kWhite);
        if (text != clean && !text.empty()) {
            // Raises one more change, which finds the text clean.
            platform.ChangeControl(kEditorWindow, app.EditFieldIds[row],
                                   {.text = clean, .selection = std::pair{complete, complete}});
        }
        if (static_cast<int>(clean.size()) == complete) {
            PaintEditorRow(app, platform, row, ParseColourCode(clean));
            AddEditorRow(app, platform, "");
        }
        // Also when a full editor's last code was taken away: the colour
        // tools have room again.
        FitEditor(app, platform);
    }
    app.EditorModified = 1;
}

void MoveEditorColour(App& app, Platform& platform, int button) {
    if (!EditorWindowOpen(app, platform)) return;
    const bool up = button > app.EditUpIds[0] && button <= app.EditUpIds[kMaxColours];
    const int row = up ? button - app.EditUpIds[0] : button - app.EditDownIds[0];
    const int other = up ? row - 1 : row + 1;
    if (row < 1 || other < 1 || row > app.EditorColourCount || other > app.EditorColourCount) return;
    const std::string aside = EditorRowText(app, platform, row);
    SetEditorRow(app, platform, row, EditorRowText(app, platform, other));
    SetEditorRow(app, platform, other, aside);
    app.EditorModified = 1;
}

void StepEditorFocus(App& app, Platform& platform, int step) {
    if (!EditorWindowOpen(app, platform) || app.EditorColourCount < 1) return;
    const int focused = platform.FocusedControl(kEditorWindow);
    if (step < 0 && focused > app.EditFieldIds[1]) FocusEditorControl(platform, focused - 1, 0, 7);
    if (step > 0 && focused != 0 && focused < app.EditFieldIds[app.EditorColourCount])
        FocusEditorControl(platform, focused + 1, 0, 7);
}

std::string EditorPaletteText(const App& app, Platform& platform) {
    std::string text;
    for (const std::string& row : EditorRowTexts(app, platform)) text += row + "\r\n";
    return text;
}

void CopyEditorPalette(App& app, Platform& platform) {
    if (EditorWindowOpen(app, platform)) platform.SetClipboardText(EditorPaletteText(app, platform));
}

void SaveEditorPalette(App& app, Platform& platform) {
    if (!EditorWindowOpen(app, platform) || app.EditorPaletteName.empty()) return;
    const int result = SaveRows(app, platform, false);
    if (result != kSaveDeclined && result != kSaveFailed) RefreshPaletteWindows(app, platform, app.EditorPaletteName);
}

bool SaveBeforeLeaving(App& app, Platform& platform) {
    if (!EditorWindowOpen(app, platform)) return true;
    const int result = SaveRows(app, platform, true);
    if (result == kSaveFailed) return false;
    if (result != kSaveDeclined) RefreshPaletteWindows(app, platform, "");
    return true;
}

void CloseEditorByBox(App& app, Platform& platform) {
    if (app.EditorModified == 1 && !SaveBeforeLeaving(app, platform)) return;
    CloseEditor(app, platform);
}

void EditPalette(App& app, Platform& platform, const std::string& fileName, bool reopen) {
    if (fileName.empty()) return;
    if (EditorWindowOpen(app, platform) && app.EditorModified == 1) {
        // Its own unsaved rows are what the user wants to see again.
        if (fileName == app.EditorPaletteName) {
            platform.Activate(kEditorWindow);
            return;
        }
        if (!SaveBeforeLeaving(app, platform)) {
            platform.Activate(kEditorWindow);
            return;
        }
    }
    if (reopen) CloseEditor(app, platform);
    OpenEditor(app, platform, fileName);
    app.EditorPaletteName = fileName;
    // The rows now are the file's.
    app.EditorModified = 0;
}

void StartBlankPalette(App& app, Platform& platform) {
    if (EditorWindowOpen(app, platform) && !SaveBeforeLeaving(app, platform)) return;
    if (!NewPaletteDialog(app, platform, "")) return;
    AddEditorRow(app, platform, "");
    FitEditor(app, platform);
    app.EditorModified = 1;
}

void DeliverToolColour(App& app, Platform& platform, const std::string& code) {
    if (!EditorWindowOpen(app, platform) || app.EditorColourCount < 1) return;
    SetEditorRow(app, platform, app.EditorColourCount, code);
    AddEditorRow(app, platform, "");
    FitEditor(app, platform);
    app.EditorModified = 1;
}

}  // namespace vandrel
