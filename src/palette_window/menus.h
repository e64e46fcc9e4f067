// The palette popup menu, the new-palette menu and the tray menu, built as
// data that the platform turns into system menus.
#pragma once

#include "core/state.h"

namespace vandrel {

// The popup menu of the palette window in `slot` (0: of none): its "Format"
// sub-menu shows each format on the palette's first colour and checks the
// palette's own. `customCaption` is "Custom..." in the program's code page.
Menu PalettePopupMenuContent(const App& app, int slot, const std::string& customCaption);
// The menu a right click on the palette window in `slot` shows.
void ShowPalettePopup(App& app, Platform& platform, int slot);
Menu NewPaletteMenuContent();
// The tray menu for the palette list and options of the moment.
Menu TrayMenuContent(const App& app);

// 16 x 16 pictures for the tray menu: up to four colours in halves and
// quarters, or one colour; both with transparent corner pixels.
MenuPicture PalettePicture(const App& app, int p);
MenuPicture ColourPicture(ColourValue colour);
Image PaletteImage(const App& app, int p);
Image ColourImage(ColourValue colour);

void BuildMenus(App& app, Platform& platform);

// Whether the program has a tray icon and its menu: any value but 0 (a
// hand-edited one too), so that start-up and the menus agree.
bool TrayIconOn(const Settings& settings);

// The caption of a tray colour item, which is what it copies; empty when
// there is none. Menus are built anew whenever the list changes, so the list
// of the moment is the one the menu shows.
std::string TrayItemCaption(const App& app, int item);

// The text a colour of palette p delivers, in the palette's format.
std::string DeliveredText(const App& app, const std::string& paletteName, ColourValue colour);

// The palette's name as menus show it: the file name without ".pal".
std::string MenuCaptionOf(const std::string& fileName);

}  // namespace vandrel
