// Every menu-item and control number the program gives, and the formulas
// that number rows and swatches: read by the rooms that make the menus and
// controls and by the router that reads the events back.
#pragma once

namespace vandrel {

constexpr int kMaxPaletteIndex = 799;
constexpr int kPaletteCapacity = kMaxPaletteIndex + 1;
constexpr int kMaxColours = 12;
constexpr int kMaxOpenPalettes = 2;

// Menu items known by role.
enum MenuItemId : int {
    kItemMove = 1,
    kItemEdit = 2,
    kItemManage = 3,
    kItemAbout = 4,
    kItemClose = 5,
    kItemExport = 6,
    kItemBlank = 20,
    kItemFromClipboard = 21,
    kItemFromFile = 22,
    kItemTrayManage = 30,
    kItemExit = 31,
    kItemPickColour = 32,
    kItemStartWithWindows = 34,
    // Editor toolbar and shortcuts.
    kItemSavePalette = 40,
    kItemCopyPalette = 41,
    kItemColourPicker = 42,
    kItemGrabColour = 43,
    kItemRandomColour = 44,
    kItemBlender = 45,
    kItemShortcutUp = 46,
    kItemShortcutDown = 47,
    // The popup's "Format" sub-menu: the built-in formats in menu order, then "Custom...".
    kFirstFormatItem = 100,
    kItemCustomFormat = kFirstFormatItem + 12,
};

// The tray's items that carry data: "Open" and "Edit" of palette p, and
// colour k of palette p. The colour items have room for every colour of
// every palette, so none goes missing in a full folder; all numbers stay
// below 65536, what a menu command can carry.
constexpr int kFirstOpenItem = 10000;
constexpr int kFirstEditItem = 11000;
constexpr int kFirstColourItem = 20000;
constexpr int kLastOpenItem = kFirstOpenItem + kMaxPaletteIndex;
constexpr int kLastEditItem = kFirstEditItem + kMaxPaletteIndex;
constexpr int kLastColourItem = kFirstColourItem + kPaletteCapacity * kMaxColours - 1;
static_assert(kLastOpenItem < kFirstEditItem && kLastEditItem < kFirstColourItem &&
              kLastColourItem < 65536);

constexpr int OpenItemId(int p) {
    return kFirstOpenItem + p;
}
constexpr int EditItemId(int p) {
    return kFirstEditItem + p;
}
// A colour item's number tells its palette and place, so no table of captions is needed.
constexpr int ColourItemId(int p, int k) {
    return kFirstColourItem + p * kMaxColours + k;
}
constexpr int PaletteOfColourItem(int item) {
    return (item - kFirstColourItem) / kMaxColours;
}
constexpr int PlaceOfColourItem(int item) {
    return (item - kFirstColourItem) % kMaxColours;
}

// Manage and about window controls known by role. The controls that raise
// events come first, as one range; those that raise none follow it.
enum ControlId : int {
    kPaletteList = 50,
    kFolderButton,
    kNewPaletteButton,
    kAboutButton,
    kOpenButton,
    kEditButton,
    kResetButton,
    kLockButton,
    kDeleteButton,
    kMoveCheck,
    kStickyCheck,
    kSizeTrackBar,
    kTextCheck,
    kTransparencyCheck,
    kOutlineCheck,
    kClipboardOption,
    kKeyboardOption,
    kPoundCheck,
    kSnapCheck,
    kSystrayCheck,
    kSystrayColourCheck,
    kWebLink,
    kMailLink,
    // Raise no events.
    kFolderText = 90,
    kPaletteFrame,
    kGlobalFrame,
    kSizeLabel,
    kProductLogo,
    kMakerLogo,
    kWelcomeText,
};

// The editor's own controls, then its rows: row i (1 to 12) has a code
// field, two previews and the move buttons; row 0 of each range stays unused.
constexpr int kEditorToolbar = 20;
constexpr int kEditorNameLabel = 21;
constexpr int EditFieldId(int row) {
    return 128 + row;
}
constexpr int EditSwatchId(int row) {
    return 256 + row;
}
constexpr int EditSwatch2Id(int row) {
    return 384 + row;
}
constexpr int EditUpId(int row) {
    return 512 + row;
}
constexpr int EditDownId(int row) {
    return 640 + row;
}
constexpr int RowOfEditField(int control) {
    return control - EditFieldId(0);
}
constexpr int RowOfEditUp(int control) {
    return control - EditUpId(0);
}
constexpr int RowOfEditDown(int control) {
    return control - EditDownId(0);
}
// Every row range starts at a multiple of 128: the row of any row control.
constexpr int RowOfEditorControl(int control) {
    return control % 128;
}
static_assert(RowOfEditorControl(EditSwatch2Id(7)) == 7 &&
              RowOfEditorControl(EditDownId(12)) == 12);

// Swatch j (0 to 11) of the palette window in slot s (1 or 2).
constexpr int SwatchId(int slot, int j) {
    return 1000 + 200 * slot + j;
}
constexpr int kFirstSwatchId = SwatchId(1, 0);
constexpr int kLastSwatchId = SwatchId(kMaxOpenPalettes, kMaxColours);

}  // namespace vandrel
