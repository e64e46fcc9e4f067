// Saving, naming and deleting palettes, and choosing the palette folder.
#pragma once

#include <string>
#include <vector>

#include "app/state.h"

namespace vandrel {

// kSaveFailed: the file could not be written; the user was told and the
// changes are still unsaved (EditorModified stays 1), so nothing may drop them.
enum SaveResult : int { kSaveDeclined = 0, kSaveWritten = 1, kSaveNothingToDo = 2, kSaveFailed = 3 };

// Writes the editor's rows to the palette file. With `ask`, asks "Save your
// changes?" first.
int SavePalette(App& app, Platform& platform, const std::string& fileName, bool ask,
                const std::vector<std::string>& rowTexts);

// Empty when the name may be used for a new palette, else the message to show.
std::string CheckPaletteName(const std::string& name);

// The "Palette Name" box: its title, prompt and size.
TextQuestion PaletteNameQuestion(const std::string& suggested);

// Asks for a new palette's name and starts it in the editor; true when a new
// palette was started.
bool NewPaletteDialog(App& app, Platform& platform, const std::string& suggested);

// Deletes the palette selected in the manage window after a question.
void DeletePalette(App& app, Platform& platform);

// Lets the user pick another palette folder and switches to it.
void ChoosePaletteFolder(App& app, Platform& platform);

constexpr const char* kProbeFileName = "test.vandrel.txt";

}  // namespace vandrel
