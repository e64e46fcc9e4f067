// The manage window: the palette files of the folder, the palette
// operations, the selected palette's options and the global options.
#pragma once

#include <string>
#include <vector>

#include "core/state.h"
#include "core/swatch_size.h"

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

// At its stored place; OpenWindow brings a place off every monitor back.
WindowSpec ManageWindowSpec(const Settings& settings, int dpi = 96);

void OpenManageWindow(App& app, Platform& platform);
bool ManageWindowOpen(const App& app, Platform& platform);

// On a monitor of another DPI the window is made again at that scale, where
// it stands, its palette still selected.
void RescaleManageWindow(App& app, Platform& platform);

// Remembers the manage window's place; false when it is not open.
bool RememberManagePlace(App& app, Platform& platform);
// Remembers the manage window's place and closes it, without any question.
void DismissManageWindow(App& app, Platform& platform);

// Selects a palette in the list and shows its options; an empty name (or a
// name the list does not hold) shows none, with the per-palette controls off.
void ShowPaletteOptions(App& app, Platform& platform, const std::string& name);

// The list and the folder text follow the palette folder (after a folder
// change, a deleted palette); nothing is selected afterwards.
void RefreshManageFolder(App& app, Platform& platform);

// The list shows the files of now (after a save), the same palette selected.
void RefreshManageList(App& app, Platform& platform);

// The list: a new selection, a double click.
void PaletteListChanged(App& app, Platform& platform);
void PaletteListDoubleClick(App& app, Platform& platform);

// True while the window is open and its selection is a palette the
// per-palette controls may act on.
bool ManageSelectionUsable(App& app, Platform& platform);

// What each of the window's controls does.
void ShowNewPaletteMenu(App& app, Platform& platform);
void OpenButtonUsed(App& app, Platform& platform);
void ResetButtonUsed(App& app, Platform& platform);
void LockButtonUsed(App& app, Platform& platform);
void MoveTicked(App& app, Platform& platform);
void StickyTicked(App& app, Platform& platform);
void SizeSlid(App& app, Platform& platform);
void TextTicked(App& app, Platform& platform);
void TransparencyTicked(App& app, Platform& platform);
void OutlineTicked(App& app, Platform& platform);
void OutputChosen(App& app, Platform& platform);
void PoundTicked(App& app, Platform& platform);
void SnapTicked(App& app, Platform& platform);
void SystrayTicked(App& app, Platform& platform);
void SystrayColourTicked(App& app, Platform& platform);

}  // namespace vandrel
