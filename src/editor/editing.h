// What the user's actions in the editor do: typing with its filter and
// completion, moving colours, the arrow keys, copying, saving, closing,
// blank palettes, switching palettes, and the colour tools' hand-over. What a
// save means for the list, the menus and the palette windows is app/'s.
#pragma once

#include <string>

#include "core/state.h"

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

// Writes the rows to the editor's palette file (asking first with `ask`);
// a SaveResult.
int SaveEditorRows(App& app, Platform& platform, bool ask);

// Shows the palette in the editor (closed first with `reopen`), its rows the file's.
void ShowPaletteInEditor(App& app, Platform& platform, const std::string& fileName, bool reopen);

// Remembers the editor's place and closes it, without any question.
void CloseEditor(App& app, Platform& platform);

// Asks for a new palette's name and starts it in the editor; true when a new
// palette was started.
bool NewPaletteDialog(App& app, Platform& platform, const std::string& suggested);

// "Blank" of the new-palette menu: a named, empty palette in the editor.
void StartBlankPalette(App& app, Platform& platform);

// A colour tool's colour into the last row, then a new entry row.
void DeliverToolColour(App& app, Platform& platform, const std::string& code);

}  // namespace vandrel
