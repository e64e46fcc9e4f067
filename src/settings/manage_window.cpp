#include "settings/manage_window.h"

#include "core/files.h"
#include "core/scale.h"
#include "core/window_place.h"
#include "palette/palette_list.h"
#include "palette_window/menus.h"
#include "palette_window/palette_window.h"
#include "palette_window/placement.h"
#include "resources/artwork.h"
#include "resources/program_images.h"

namespace vandrel {
namespace {

// x, y, width, height as the window's layout is drawn up.
constexpr Rect At(int x, int y, int width, int height) {
    return {x, y, x + width, y + height};
}

// The folder the run's palettes come from: the stored one may be away. A
// run without any folder shows the one it could not make, and its empty list.
std::string ShownFolder(const App& app) {
    const std::string inUse = PaletteFolderInUse(app);
    return inUse.empty() ? app.settings.PaletteDirectory : inUse;
}

std::string ListPattern(const App& app) { return JoinPath(ShownFolder(app), "*.pal"); }

void SetValue(Platform& platform, int control, int value) {
    platform.ChangeControl(kManageWindow, control, {.value = value});
}

void EnablePerPalette(Platform& platform, bool enabled) {
    for (int control : kPerPaletteControls)
        platform.ChangeControl(kManageWindow, control, {.enabled = enabled});
}

int Ticked(Platform& platform, int control) {
    return CheckboxValue(platform.ReadControl(kManageWindow, control).value);
}

bool Listed(Platform& platform, const std::string& name) {
    return !name.empty() && platform.ReadControl(kManageWindow, kPaletteList).text == name;
}

// The options of the palette the per-palette controls act on; none while
// nothing (or a locked palette) is selected.
PaletteOptions* Selected(App& app, Platform& platform) {
    const std::string& name = app.ManageSelection;
    if (!HasPaletteExtension(name) || !Listed(platform, name)) return nullptr;
    return &OptionsOf(app, name);
}

void ReopenAndComeBack(App& app, Platform& platform) {
    RefreshPaletteWindows(app, platform, app.ManageSelection);
    platform.Activate(kManageWindow);
}

void OpenSelectedPalette(App& app, Platform& platform) {
    // A locked palette has no index: nothing opens rather than some other palette.
    const int index = PaletteIndexOf(app, app.ManageSelection);
    if (index < 0) return;
    OpenPaletteWindow(app, platform, index, -1);
    platform.Activate(kManageWindow);
}

// The options of the selected palette are changed by `change`, and its
// window is rebuilt to show them.
template <class Change>
void ChangeAndRebuild(App& app, Platform& platform, Change&& change) {
    PaletteOptions* options = Selected(app, platform);
    if (!options) return;
    change(*options);
    ReopenAndComeBack(app, platform);
}

std::int8_t Flag(Platform& platform, int control) {
    return static_cast<std::int8_t>(Ticked(platform, control));
}

}  // namespace

std::vector<ControlSpec> ManageControls(const App& app) {
    using enum ControlKind;
    namespace pic = picture;
    // clang-format off
    return {
        {.kind = FileList, .id = kPaletteList, .rect = At(5, 5, 165, 305), .caption = ListPattern(app)},
        {.kind = ImageButton, .id = kFolderButton, .rect = At(5, 315, 25, 25), .image = pic::kPaletteFolder},
        {.kind = Text, .id = kFolderText, .rect = At(35, 320, 245, 20), .caption = ShownFolder(app)},
        {.kind = ImageButton, .id = kNewPaletteButton, .rect = At(290, 315, 25, 25), .tooltip = "New Palette",
         .image = pic::kNewPalette},
        {.kind = ImageButton, .id = kAboutButton, .rect = At(315, 315, 25, 25), .tooltip = "About Vandrel",
         .image = pic::kAbout},
        {.kind = Frame, .id = kPaletteFrame, .rect = At(175, 5, 165, 205), .caption = "Palette"},
        {.kind = ImageButton, .id = kOpenButton, .rect = At(180, 20, 25, 25), .tooltip = "Open palette window",
         .image = pic::kOpenPaletteWindow},
        {.kind = ImageButton, .id = kEditButton, .rect = At(205, 20, 25, 25), .tooltip = "Edit palette",
         .image = pic::kEditPalette},
        {.kind = ImageButton, .id = kResetButton, .rect = At(260, 20, 25, 25), .tooltip = "Reset palette position",
         .image = pic::kResetPosition},
        {.kind = ToggleButton, .id = kLockButton, .rect = At(285, 20, 25, 25), .image = pic::kLock},
        {.kind = ImageButton, .id = kDeleteButton, .rect = At(310, 20, 25, 25), .tooltip = "Delete palette",
         .image = pic::kDeletePalette},
        {.kind = CheckBox, .id = kMoveCheck, .rect = At(180, 50, 75, 20), .caption = "Move"},
        {.kind = CheckBox, .id = kStickyCheck, .rect = At(180, 70, 125, 20), .caption = "Always on top"},
        {.kind = Text, .id = kSizeLabel, .rect = At(180, 95, 30, 20), .caption = "Size:"},
        {.kind = TrackBar, .id = kSizeTrackBar, .rect = At(210, 95, 125, 20), .low = 0,
         .high = kLargestSwatchPosition, .flags = kFlagTicks},
        {.kind = CheckBox, .id = kTextCheck, .rect = At(180, 120, 70, 20), .caption = "Text"},
        {.kind = CheckBox, .id = kTransparencyCheck, .rect = At(180, 140, 100, 20), .caption = "Transparency"},
        {.kind = CheckBox, .id = kOutlineCheck, .rect = At(180, 160, 70, 20), .caption = "Outline"},
        {.kind = OptionButton, .id = kClipboardOption, .rect = At(180, 180, 75, 20), .caption = "Clipboard",
         .flags = kFlagGroupStart},
        {.kind = OptionButton, .id = kKeyboardOption, .rect = At(260, 180, 75, 20), .caption = "Keyboard"},
        {.kind = Frame, .id = kGlobalFrame, .rect = At(175, 215, 165, 100), .caption = "Global",
         .flags = kFlagGroupStart},
        {.kind = CheckBox, .id = kPoundCheck, .rect = At(180, 230, 155, 20), .caption = "Use #'s"},
        {.kind = CheckBox, .id = kSnapCheck, .rect = At(180, 250, 155, 20), .caption = "Snap palette windows"},
        {.kind = CheckBox, .id = kSystrayCheck, .rect = At(180, 270, 155, 20), .caption = "System tray icon"},
        {.kind = CheckBox, .id = kSystrayColourCheck, .rect = At(195, 290, 140, 20),
         .caption = "Show palettes in tray"},
    };
    // clang-format on
}

WindowSpec ManageWindowSpec(const Settings& settings, int dpi) {
    WindowSpec description;
    description.kind = WindowKind::Framed;
    description.title = "Vandrel";
    description.client = StoredClientRect(settings.WinX, settings.WinY,
                                          {Scaled(kManageWidth, dpi), Scaled(kManageHeight, dpi)});
    description.minimiseBox = true;
    description.dpi = dpi;
    return description;
}

void OpenManageWindow(App& app, Platform& platform) {
    if (ManageWindowOpen(app, platform)) {
        platform.Activate(kManageWindow);
        return;
    }
    int dpi = kBaseDpi;
    const WindowSpec description =
        PlaceAtMonitorScale(platform, [&](int at) { return ManageWindowSpec(app.settings, at); }, dpi);
    app.manageDpi = dpi;
    EnsureImagesAt(platform, app.imagesLoaded, app.imageDpis, dpi);
    if (!platform.OpenWindow(kManageWindow, description)) return;
    app.manageOpen = true;
    for (const ControlSpec& control : ManageControls(app))
        platform.AddControl(kManageWindow, AtDpi(control, dpi));
    EnablePerPalette(platform, false);
    // Ticked where the option acts as on: "#" and the tray icon for any
    // value but 0 (a hand-edited 2 too), snapping and the colour menus for 1.
    SetValue(platform, kPoundCheck, app.settings.Pound != 0);
    SetValue(platform, kSnapCheck, app.settings.Snap == 1);
    SetValue(platform, kSystrayCheck, TrayIconOn(app.settings));
    SetValue(platform, kSystrayColourCheck, app.settings.SystrayColorMenu == 1);
    app.ManageSelection.clear();
    app.manageShown.clear();
    platform.ShowWindow(kManageWindow);
}

void ShowPaletteOptions(App& app, Platform& platform, const std::string& name) {
    if (!ManageWindowOpen(app, platform)) return;
    platform.ChangeControl(kManageWindow, kPaletteList, {.text = name});
    // Only a palette the list holds; for any other name nothing stays
    // selected, so that nothing can be acted on.
    const bool listed = Listed(platform, name);
    if (!listed) platform.ChangeControl(kManageWindow, kPaletteList, {.text = ""});
    const PaletteOptions* options = listed ? &OptionsOf(app, name) : nullptr;
    if (options && HasPaletteExtension(name) && options->Locked == 0) {
        EnablePerPalette(platform, true);
        SetValue(platform, kMoveCheck, options->Drag == 1);
        SetValue(platform, kStickyCheck, options->Sticky == 1);
        SetValue(platform, kTransparencyCheck, options->Style == 1);
        SetValue(platform, kOutlineCheck, options->Outline == 1);
        SetValue(platform, kLockButton, 0);
        SetValue(platform, kTextCheck, options->SwatchFont >= 0);
        SetValue(platform, options->Output == 1 ? kKeyboardOption : kClipboardOption, 1);
        SetValue(platform, kSizeTrackBar,
                 std::clamp(SwatchPositionOf(options->SwatchHeight), 0, kLargestSwatchPosition));
    } else {
        EnablePerPalette(platform, false);
        if (options && options->Locked != 0) {
            platform.ChangeControl(kManageWindow, kLockButton, {.enabled = true});
            SetValue(platform, kLockButton, 1);
        }
    }
    app.ManageSelection = listed ? name : "";
    app.manageShown = app.ManageSelection;
    DrawSelectionMarks(app, platform, app.ManageSelection);
    platform.Activate(kManageWindow);
}

namespace {

// A list is pointed at its files when it is made.
void RemakeList(App& app, Platform& platform) {
    for (const ControlSpec& control : ManageControls(app))
        if (control.id == kPaletteList) {
            platform.RemoveControl(kManageWindow, kPaletteList);
            platform.AddControl(kManageWindow, AtDpi(control, app.manageDpi));
        }
}

}  // namespace

void RefreshManageFolder(App& app, Platform& platform) {
    if (!ManageWindowOpen(app, platform)) return;
    platform.ChangeControl(kManageWindow, kFolderText, {.text = ShownFolder(app)});
    RemakeList(app, platform);
    app.ManageSelection.clear();
    ShowPaletteOptions(app, platform, "");
}

void RefreshManageList(App& app, Platform& platform) {
    if (!ManageWindowOpen(app, platform)) return;
    RemakeList(app, platform);
    // Selected again without a word: the change it raises is no change.
    platform.ChangeControl(kManageWindow, kPaletteList, {.text = app.manageShown});
}

void PaletteListChanged(App& app, Platform& platform) {
    // Only a new selection: selecting the palette shown already (the window
    // does so itself) shows nothing anew.
    if (app.ManageSelection == app.manageShown) return;
    ShowPaletteOptions(app, platform, app.ManageSelection);
}

void PaletteListDoubleClick(App& app, Platform& platform) {
    ShowPaletteOptions(app, platform, app.ManageSelection);
    OpenSelectedPalette(app, platform);
}

bool ManageWindowOpen(const App& app, Platform& platform) {
    return app.manageOpen && WindowExists(platform, kManageWindow);
}

bool RememberManagePlace(App& app, Platform& platform) {
    const auto place = platform.WindowRect(kManageWindow);
    if (!app.manageOpen || !place) return false;
    app.settings.WinX = place->left;
    app.settings.WinY = place->top;
    return true;
}

void DismissManageWindow(App& app, Platform& platform) {
    if (!RememberManagePlace(app, platform)) return;
    // It lets go of its palette: no window keeps the selection mark.
    ShowPaletteOptions(app, platform, "");
    platform.CloseWindow(kManageWindow);
    app.manageOpen = false;
}

void RescaleManageWindow(App& app, Platform& platform) {
    if (!ManageWindowOpen(app, platform)) return;
    if (!StandsAtOtherDpi(platform, kManageWindow, app.manageDpi)) return;
    const std::string selected = app.ManageSelection;
    DismissManageWindow(app, platform);
    OpenManageWindow(app, platform);
    if (!selected.empty()) ShowPaletteOptions(app, platform, selected);
}

bool ManageSelectionUsable(App& app, Platform& platform) {
    return ManageWindowOpen(app, platform) && Selected(app, platform) != nullptr;
}

void ShowNewPaletteMenu(App& app, Platform& platform) {
    if (ManageWindowOpen(app, platform)) platform.ShowMenu(MenuId::NewPalette, kManageWindow);
}

void OpenButtonUsed(App& app, Platform& platform) {
    if (ManageSelectionUsable(app, platform)) OpenSelectedPalette(app, platform);
}

void ResetButtonUsed(App& app, Platform& platform) {
    if (ManageSelectionUsable(app, platform))
        ResetPalettePosition(app, platform, app.ManageSelection);
}

void LockButtonUsed(App& app, Platform& platform) {
    PaletteOptions* options = ManageWindowOpen(app, platform) ? Selected(app, platform) : nullptr;
    if (!options) return;
    options->Drag = 0;
    options->Locked =
        static_cast<std::int8_t>(platform.ReadControl(kManageWindow, kLockButton).value == 1);
    RefreshPaletteWindows(app, platform, app.ManageSelection);
    ShowPaletteOptions(app, platform, app.ManageSelection);
}

void StickyTicked(App& app, Platform& platform) {
    PaletteOptions* options = ManageWindowOpen(app, platform) ? Selected(app, platform) : nullptr;
    if (!options) return;
    options->Sticky = Flag(platform, kStickyCheck);
    const int slot = options->WinID;
    if (slot >= 1 && slot <= kMaxOpenPalettes &&
        app.Slots[slot].PaletteName == app.ManageSelection && WindowExists(platform, slot))
        platform.SetTopmost(slot, options->Sticky == 1);
}

void OutputChosen(App& app, Platform& platform) {
    PaletteOptions* options = ManageWindowOpen(app, platform) ? Selected(app, platform) : nullptr;
    if (options)
        options->Output = platform.ReadControl(kManageWindow, kClipboardOption).value == 1 ? 0 : 1;
}

void MoveTicked(App& app, Platform& platform) {
    if (!ManageWindowOpen(app, platform)) return;
    ChangeAndRebuild(app, platform,
                     [&](PaletteOptions& options) { options.Drag = Flag(platform, kMoveCheck); });
}

void OutlineTicked(App& app, Platform& platform) {
    if (!ManageWindowOpen(app, platform)) return;
    ChangeAndRebuild(app, platform, [&](PaletteOptions& options) {
        options.Outline = Flag(platform, kOutlineCheck);
    });
}

void TransparencyTicked(App& app, Platform& platform) {
    if (!ManageWindowOpen(app, platform)) return;
    ChangeAndRebuild(app, platform, [&](PaletteOptions& options) {
        options.Style = Flag(platform, kTransparencyCheck);
    });
}

void TextTicked(App& app, Platform& platform) {
    if (!ManageWindowOpen(app, platform)) return;
    ChangeAndRebuild(app, platform, [&](PaletteOptions& options) {
        if (Flag(platform, kTextCheck) == 1) {
            options.SwatchFont = static_cast<std::int8_t>(SwatchFontFor(options.SwatchHeight));
            options.SwatchWidth =
                static_cast<std::int16_t>(SwatchWidthWithText(options.SwatchHeight));
        } else {
            options.SwatchFont = -1;
            options.SwatchWidth = options.SwatchHeight;
        }
    });
}

void SizeSlid(App& app, Platform& platform) {
    if (!ManageWindowOpen(app, platform)) return;
    ChangeAndRebuild(app, platform, [&](PaletteOptions& options) {
        const int position = std::clamp(platform.ReadControl(kManageWindow, kSizeTrackBar).value, 0,
                                        kLargestSwatchPosition);
        const SwatchSize size = SizeForPosition(position, options.SwatchFont >= 0);
        options.SwatchHeight = static_cast<std::int16_t>(size.height);
        options.SwatchWidth = static_cast<std::int16_t>(size.width);
        if (options.SwatchFont >= 0) options.SwatchFont = static_cast<std::int8_t>(size.font);
    });
}

void PoundTicked(App& app, Platform& platform) {
    if (!ManageWindowOpen(app, platform)) return;
    Settings& settings = app.settings;
    settings.Pound = Flag(platform, kPoundCheck);
    settings.Prefix = settings.Pound ? "#" : "";
    BuildMenus(app, platform);
    RefreshPaletteWindows(app, platform, "");
    platform.Activate(kManageWindow);
}

void SnapTicked(App& app, Platform& platform) {
    if (ManageWindowOpen(app, platform)) app.settings.Snap = Flag(platform, kSnapCheck);
}

void SystrayTicked(App& app, Platform& platform) {
    if (ManageWindowOpen(app, platform)) app.settings.Systray = Flag(platform, kSystrayCheck);
}

void SystrayColourTicked(App& app, Platform& platform) {
    if (ManageWindowOpen(app, platform))
        app.settings.SystrayColorMenu = Flag(platform, kSystrayColourCheck);
}

}  // namespace vandrel
