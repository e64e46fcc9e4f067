// The operations that reach several windows at once: a saved palette
// reaching the list, the menus, its windows and the manage list; leaving the
// editor's changes; deleting a palette; changing the palette folder.
#pragma once

#include <string>
#include <vector>

#include "app/startup.h"
#include "core/state.h"

namespace vandrel {

// The list, the menus and the slot indexes follow every change of the files.
void RebuildFromFolder(App& app, Platform& platform);

// A palette file was written: the list, the menus and the manage list follow.
void PaletteSaved(App& app, Platform& platform);

// The toolbar's "Save palette": writes without asking and refreshes the
// palette's window, also when there was nothing to write.
void SaveEditorPalette(App& app, Platform& platform);

// Offers to save the editor's unsaved changes before its rows are replaced.
// False when the user said Yes and the save failed: the rows must stay.
bool SaveBeforeLeaving(App& app, Platform& platform);

// The editor's close box: asks about unsaved changes, then closes. A save
// that fails keeps the editor open with its rows.
void CloseEditorByBox(App& app, Platform& platform);

// "Edit" of the tray menu (reopen), of the palette popup menu or of the
// manage window: shows the palette in the editor, after asking about
// unsaved changes of another one.
void EditPalette(App& app, Platform& platform, const std::string& fileName, bool reopen);

// The new-palette menu's "Blank" and "From clipboard", once the editor's
// changes are saved or dropped.
void NewBlankPalette(App& app, Platform& platform);
void NewPaletteFromClipboard(App& app, Platform& platform);

// The new-palette menu's "From file...": the open dialog, then the import.
void NewPalettesFromFiles(App& app, Platform& platform);
// Imports palette files of other programs into the palette folder and tells
// the user in one message, a line per file. The files are read at once and
// the first kImportFilesPerPass palettes written; the rest follow in the
// loop's idle passes (ContinueImport), and whatever event comes first finds
// the import done (FinishImport), as with start-up. A second import waits
// for the first to be done.
void ImportPaletteFiles(App& app, Platform& platform, const std::vector<std::string>& paths);
// Writes up to `writes` more palettes of the import under way; once all are
// written, makes the list anew kStartUpFilesPerPass files a pass, then ends
// it (menus, manage list, message). Finish does all that is left. Both do
// nothing without an import under way.
void ContinueImport(App& app, Platform& platform, std::size_t writes);
void FinishImport(App& app, Platform& platform);
// "Export..." of a palette window's popup menu: the save dialog, then the file.
void ExportPalette(App& app, Platform& platform, int slot);

// Deletes the palette selected in the manage window after a question.
void DeletePalette(App& app, Platform& platform);

// Lets the user pick another palette folder and switches to it; with
// PaletteWindowsFirst the new folder's list completes in the loop's idle
// passes, as at start-up.
void ChoosePaletteFolder(App& app, Platform& platform, StartMode mode = StartMode::Whole);

// The manage window's buttons that reach beyond it.
void EditButtonUsed(App& app, Platform& platform);
void DeleteButtonUsed(App& app, Platform& platform);
void FolderButtonUsed(App& app, Platform& platform);

}  // namespace vandrel
