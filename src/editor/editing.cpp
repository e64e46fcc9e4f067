#include "editor/editing.h"

#include "core/dialog_owner.h"
#include "core/files.h"
#include "editor/editor_window.h"
#include "palette/colour_code.h"
#include "palette/palette_store.h"

namespace vandrel {
namespace {

constexpr ColourValue kWhite = Rgb(255, 255, 255);

}  // namespace

void EditorFieldChanged(App& app, Platform& platform, int row) {
    if (!EditorWindowOpen(app, platform) || row < 1 || row > app.EditorColourCount) return;
    const ControlState field = platform.ReadControl(kEditorWindow, EditFieldId(row));
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
        if (focused > EditFieldId(1)) FocusEditorControl(platform, focused - 1, 7, 7);
    } else {
        if (static_cast<int>(clean.size()) < complete) PaintEditorRow(platform, row, kWhite);
        if (text != clean && !text.empty()) {
            // Raises one more change, which finds the text clean.
            platform.ChangeControl(kEditorWindow, EditFieldId(row),
                                   {.text = clean, .selection = std::pair{complete, complete}});
        }
        if (static_cast<int>(clean.size()) == complete) {
            PaintEditorRow(platform, row, ParseColourCode(clean));
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
    const bool up = button > EditUpId(0) && button <= EditUpId(kMaxColours);
    const int row = up ? RowOfEditUp(button) : RowOfEditDown(button);
    const int other = up ? row - 1 : row + 1;
    if (row < 1 || other < 1 || row > app.EditorColourCount || other > app.EditorColourCount) return;
    const std::string aside = EditorRowText(platform, row);
    SetEditorRow(app, platform, row, EditorRowText(platform, other));
    SetEditorRow(app, platform, other, aside);
    app.EditorModified = 1;
}

void StepEditorFocus(App& app, Platform& platform, int step) {
    if (!EditorWindowOpen(app, platform) || app.EditorColourCount < 1) return;
    const int focused = platform.FocusedControl(kEditorWindow);
    if (step < 0 && focused > EditFieldId(1)) FocusEditorControl(platform, focused - 1, 0, 7);
    if (step > 0 && focused != 0 && focused < EditFieldId(app.EditorColourCount))
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

int SaveEditorRows(App& app, Platform& platform, bool ask) {
    // Never into another folder's file of the same name; "No" still drops the changes.
    const bool ownFolder = app.EditorFolder == PaletteFolderInUse(app);
    return SavePalette(app, platform, app.EditorPaletteName, ask, EditorRowTexts(app, platform), ownFolder);
}

void ShowPaletteInEditor(App& app, Platform& platform, const std::string& fileName, bool reopen) {
    if (reopen) CloseEditor(app, platform);
    OpenEditor(app, platform, fileName);
    app.EditorPaletteName = fileName;
    // The rows now are the file's.
    app.EditorModified = 0;
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

bool NewPaletteDialog(App& app, Platform& platform, const std::string& suggested) {
    const std::string answer =
        platform.AskText(DialogOwner(platform), PaletteNameQuestion(suggested));
    if (answer.empty()) return false;
    const std::string problem = CheckPaletteName(answer);
    if (!problem.empty()) {
        platform.ShowMessage(DialogOwner(platform), "Error", problem, MessageButtons::Ok);
        return false;
    }
    const std::string fileName = answer + ".pal";
    if (FileReadable(fileName)) {
        platform.ShowMessage(DialogOwner(platform), "Error", "A Palette exists with that name!",
                             MessageButtons::Ok);
        return false;
    }
    // The new palette lives only in the editor until its first save.
    app.EditorPaletteName = fileName;
    OpenEditor(app, platform, fileName);
    ClearEditorRows(app, platform);
    return true;
}

void StartBlankPalette(App& app, Platform& platform) {
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
