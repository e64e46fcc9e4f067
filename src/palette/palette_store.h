// Writing a palette file from the editor's rows, and the rules for new names.
#pragma once

#include <string>
#include <vector>

#include "core/state.h"

namespace vandrel {

// kSaveFailed: the file could not be written; the user was told and the
// changes are still unsaved (EditorModified stays 1), so nothing may drop them.
enum SaveResult : int { kSaveDeclined = 0, kSaveWritten = 1, kSaveNothingToDo = 2, kSaveFailed = 3 };

// Writes the editor's rows to the palette file. With `ask`, asks "Save your
// changes?" first. The list, menus and windows are the caller's to bring up
// to date after kSaveWritten.
// With `writable` false (the file is not the palette's own any more) a Yes
// is told that the palette could not be saved, and nothing is written.
int SavePalette(App& app, Platform& platform, const std::string& fileName, bool ask,
                const std::vector<std::string>& rowTexts, bool writable = true);

// Empty when the name may be used for a new palette, else the message to show.
std::string CheckPaletteName(const std::string& name);

// The "Palette Name" box: its title, prompt and size.
TextQuestion PaletteNameQuestion(const std::string& suggested);

constexpr const char* kProbeFileName = "test.vandrel.txt";

}  // namespace vandrel
