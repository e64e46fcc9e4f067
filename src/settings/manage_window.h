// The manage window: the palette files of the folder, the palette
// operations, the selected palette's options and the global options.
#pragma once

#include <string>
#include <vector>

#include "app/state.h"

namespace vandrel {

constexpr int kManageWidth = 345;
constexpr int kManageHeight = 345;

// Every control of the window, in Tab order, as data.
std::vector<ControlSpec> ManageControls(const App& app);

// The controls that act on the selected palette.
constexpr int kPerPaletteControls[] = {kOpenButton,  kEditButton,        kResetButton,      kDeleteButton,
                                       kLockButton,  kMoveCheck,         kStickyCheck,      kTextCheck,
                                       kTransparencyCheck, kOutlineCheck, kClipboardOption, kKeyboardOption,
                                       kSizeTrackBar, kSizeLabel};

WindowSpec ManageWindowSpec(const Settings& settings);

void OpenManageWindow(App& app, Platform& platform);

// Selects a palette in the list and shows its options; an empty name (or a
// name the list does not hold) shows none, with the per-palette controls off.
void ShowPaletteOptions(App& app, Platform& platform, const std::string& name);

// The list and the folder text follow the palette folder (after a folder
// change, a deleted palette); nothing is selected afterwards.
void RefreshManageFolder(App& app, Platform& platform);

// The list shows the files of now (after a save), the same palette selected.
void RefreshManageList(App& app, Platform& platform);

// A control of the manage window was used.
void ManageControlUsed(App& app, Platform& platform, int control);

// The list: a new selection, a double click.
void PaletteListChanged(App& app, Platform& platform);
void PaletteListDoubleClick(App& app, Platform& platform);

// Swatch sizes for a track bar position, with and without the code text.
struct SwatchSize {
    int height = 0;
    int width = 0;
    int font = -1;
};
SwatchSize SizeForPosition(int position, bool text);

}  // namespace vandrel
