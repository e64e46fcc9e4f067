// What the user's actions in the editor do: typing with its filter and
// completion, moving colours, the arrow keys, copying, saving, the close box,
// blank palettes, switching palettes, and the colour tools' hand-over.
#pragma once

#include <string>

#include "app/state.h"

namespace vandrel {

// A change of the text of row i's code field (typed, pasted or set).
void EditorFieldChanged(App& app, Platform& platform, int row);

// A click on a row's "Move up" or "Move down" button.
void MoveEditorColour(App& app, Platform& platform, int button);

// The Up (-1) and Down (+1) arrow keys: the focus to the row above or below.
void StepEditorFocus(App& app, Platform& platform, int step);

// The rows' texts as they stand, each followed by CR LF.
std::string EditorPaletteText(const App& app, Platform& platform);
void CopyEditorPalette(App& app, Platform& platform);

// The toolbar's "Save palette": writes without asking and refreshes the
// palette's window, also when there was nothing to write.
void SaveEditorPalette(App& app, Platform& platform);

// The close box: asks about unsaved changes, then closes. A save that fails
// keeps the editor open with its rows.
void CloseEditorByBox(App& app, Platform& platform);

// Offers to save the editor's unsaved changes before its rows are replaced.
// False when the user said Yes and the save failed: the rows must stay.
bool SaveBeforeLeaving(App& app, Platform& platform);

// "Edit" of the tray menu (reopen) or of the palette popup menu: shows the
// palette in the editor, after asking about unsaved changes of another one.
void EditPalette(App& app, Platform& platform, const std::string& fileName, bool reopen);

// "Blank" of the new-palette menu: a named, empty palette in the editor.
void StartBlankPalette(App& app, Platform& platform);

// A colour tool's colour into the last row, then a new entry row.
void DeliverToolColour(App& app, Platform& platform, const std::string& code);

}  // namespace vandrel
