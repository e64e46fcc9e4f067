// The editor window: one row per colour under a toolbar, and the routines
// that build and change its rows.
#pragma once

#include <string>
#include <vector>

#include "core/state.h"

namespace vandrel {

constexpr int kEditorWidth = 150;
constexpr int kEditorLeastHeight = 90;
constexpr int kEditorRowPitch = 19;
constexpr int kEditorToolbarHeight = 26;  // as made; FitEditor measures it
constexpr int kEditorNameFont = 5;
constexpr int kEditorCodeFont = 3;

// At its stored place; OpenWindow brings a place off every monitor back.
WindowSpec EditorWindowSpec(const Settings& settings, int dpi = 96);

// The toolbar's seven positions: two buttons, a separator, the four colour tools.
std::vector<ToolItem> EditorTools(int dpi = 96);
constexpr int kEditorColourTools[] = {kItemGrabColour, kItemColourPicker, kItemRandomColour, kItemBlender};

// Where the controls of row i stand for a toolbar of height T.
struct EditorRowPlaces {
    Rect previewA, up, field, down, previewB;
};
EditorRowPlaces EditorRowLayout(int row, int toolbarHeight, int dpi = 96);

// The palette's name as the label shows it: every ".pal" removed.
std::string EditorLabel(const std::string& fileName);

// Letters a complete row holds: the prefix and six digits.
int CompleteLength(const App& app);

// Opens the editor or brings it forward, and loads the palette when a name is given.
void OpenEditor(App& app, Platform& platform, const std::string& fileName);
void LoadEditorRows(App& app, Platform& platform, const std::string& fileName);
// Appends a row, unless the editor is full or its last row is incomplete.
void AddEditorRow(App& app, Platform& platform, const std::string& code);
void SetEditorRow(App& app, Platform& platform, int row, const std::string& code);
void DeleteEditorRow(App& app, Platform& platform, int row);
void ClearEditorRows(App& app, Platform& platform);
// Sets the height from the number of rows; the colour tools only while there is room.
void FitEditor(App& app, Platform& platform);

// The text of row i's code field as it stands ("" for a row that is not there).
std::string EditorRowText(Platform& platform, int row);
std::vector<std::string> EditorRowTexts(const App& app, Platform& platform);
// Both previews of row i show this colour.
void PaintEditorRow(Platform& platform, int row, ColourValue colour);
// Moves the focus to a control of the editor and selects characters first..last of it.
void FocusEditorControl(Platform& platform, int control, int first, int last);

bool EditorWindowOpen(const App& app, Platform& platform);

// On a monitor of another DPI the editor is made again at that scale, with
// its rows, unsaved changes and focus as they stand.
void RescaleEditor(App& app, Platform& platform);

// Twelve rows, the twelfth filled: no colour tool has a row to write.
bool EditorFull(const App& app, Platform& platform);

}  // namespace vandrel
