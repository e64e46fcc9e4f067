#include "settings/manage_window.h"

#include "app/closing.h"
#include "app/files.h"
#include "editor/editing.h"
#include "palette/palette_list.h"
#include "palette/palette_store.h"
#include "palette_window/menus.h"
#include "palette_window/palette_window.h"
#include "palette_window/placement.h"
#include "resources/artwork.h"
#include "settings/about_window.h"

namespace vandrel {
namespace {

ControlSpec Control(ControlKind kind, int id, Rect rect, std::string caption = {}, std::string tooltip = {},
                    int image = 0, std::uint32_t flags = 0) {
    ControlSpec control;
    control.kind = kind;
    control.id = id;
    control.rect = rect;
    control.caption = std::move(caption);
    control.tooltip = std::move(tooltip);
    control.image = image;
    control.flags = flags;
    return control;
}

// x, y, width, height as the window's layout is drawn up.
constexpr Rect At(int x, int y, int width, int height) { return {x, y, x + width, y + height}; }

std::string ListPattern(const App& app) { return JoinPath(app.settings.PaletteDirectory, "*.pal"); }

bool ManageOpen(const App& app, Platform& platform) {
    return app.manageOpen && WindowExists(platform, kManageWindow);
}

void SetValue(Platform& platform, int control, int value) {
    platform.ChangeControl(kManageWindow, control, {.value = value});
}

void EnablePerPalette(Platform& platform, bool enabled) {
    for (int control : kPerPaletteControls) platform.ChangeControl(kManageWindow, control, {.enabled = enabled});
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

void PerPaletteOption(App& app, Platform& platform, int control) {
    PaletteOptions* options = Selected(app, platform);
    if (!options) return;
    const auto flag = [&](int id) { return static_cast<std::int8_t>(Ticked(platform, id)); };
    switch (control) {
        case kLockButton:
            options->Drag = 0;
            options->Locked = static_cast<std::int8_t>(platform.ReadControl(kManageWindow, kLockButton).value == 1);
            RefreshPaletteWindows(app, platform, app.ManageSelection);
            ShowPaletteOptions(app, platform, app.ManageSelection);
            return;
        case kStickyCheck: {
            options->Sticky = flag(kStickyCheck);
            const int slot = options->WinID;
            if (slot >= 1 && slot <= kMaxOpenPalettes && app.Slots[slot].PaletteName == app.ManageSelection &&
                WindowExists(platform, slot))
                platform.SetTopmost(slot, options->Sticky == 1);
            return;
        }
        case kClipboardOption:
        case kKeyboardOption:
            options->Output = platform.ReadControl(kManageWindow, kClipboardOption).value == 1 ? 0 : 1;
            return;
        case kMoveCheck: options->Drag = flag(kMoveCheck); break;
        case kOutlineCheck: options->Outline = flag(kOutlineCheck); break;
        case kTransparencyCheck: options->Style = flag(kTransparencyCheck); break;
        case kTextCheck:
            if (flag(kTextCheck) == 1) {
                options->SwatchFont = static_cast<std::int8_t>((options->SwatchHeight - 14) / 2);
                options->SwatchWidth = static_cast<std::int16_t>(3 * options->SwatchHeight + 5);
            } else {
                options->SwatchFont = -1;
                options->SwatchWidth = options->SwatchHeight;
            }
            break;
        case kSizeTrackBar: {
            const int position = std::clamp(platform.ReadControl(kManageWindow, kSizeTrackBar).value, 0, 5);
            const SwatchSize size = SizeForPosition(position, options->SwatchFont >= 0);
            options->SwatchHeight = static_cast<std::int16_t>(size.height);
            options->SwatchWidth = static_cast<std::int16_t>(size.width);
            if (options->SwatchFont >= 0) options->SwatchFont = static_cast<std::int8_t>(size.font);
            break;
        }
        default: return;
    }
    ReopenAndComeBack(app, platform);
}

void GlobalOption(App& app, Platform& platform, int control) {
    Settings& settings = app.settings;
    switch (control) {
        case kPoundCheck:
            settings.Pound = static_cast<std::int8_t>(Ticked(platform, kPoundCheck));
            settings.Prefix = settings.Pound ? "#" : "";
            BuildMenus(app, platform);
            RefreshPaletteWindows(app, platform, "");
            platform.Activate(kManageWindow);
            break;
        case kSnapCheck: settings.Snap = static_cast<std::int8_t>(Ticked(platform, kSnapCheck)); break;
        case kSystrayCheck: settings.Systray = static_cast<std::int8_t>(Ticked(platform, kSystrayCheck)); break;
        case kSystrayColourCheck:
            settings.SystrayColorMenu = static_cast<std::int8_t>(Ticked(platform, kSystrayColourCheck));
            break;
        default: break;
    }
}

}  // namespace

SwatchSize SizeForPosition(int position, bool text) {
    const int height = 2 * position + 14;
    return text ? SwatchSize{height, 3 * height + 5, position} : SwatchSize{height, height, -1};
}

std::vector<ControlSpec> ManageControls(const App& app) {
    using enum ControlKind;
    namespace pic = picture;
    ControlSpec size = Control(TrackBar, kSizeTrackBar, At(210, 95, 125, 20), "", "", 0, kFlagTicks);
    size.low = 0;
    size.high = 5;
    return {
        Control(FileList, kPaletteList, At(5, 5, 165, 305), ListPattern(app)),
        Control(ImageButton, kFolderButton, At(5, 315, 25, 25), "", "", pic::kPaletteFolder),
        Control(Text, kFolderText, At(35, 320, 245, 20), app.settings.PaletteDirectory),
        Control(ImageButton, kNewPaletteButton, At(290, 315, 25, 25), "", "New Palette", pic::kNewPalette),
        Control(ImageButton, kAboutButton, At(315, 315, 25, 25), "", "About Vandrel", pic::kAbout),
        Control(Frame, kPaletteFrame, At(175, 5, 165, 205), "Palette"),
        Control(ImageButton, kOpenButton, At(180, 20, 25, 25), "", "Open palette window", pic::kOpenPaletteWindow),
        Control(ImageButton, kEditButton, At(205, 20, 25, 25), "", "Edit palette", pic::kEditPalette),
        Control(ImageButton, kResetButton, At(260, 20, 25, 25), "", "Reset palette position", pic::kResetPosition),
        Control(ToggleButton, kLockButton, At(285, 20, 25, 25), "", "", pic::kLock),
        Control(ImageButton, kDeleteButton, At(310, 20, 25, 25), "", "Delete palette", pic::kDeletePalette),
        Control(CheckBox, kMoveCheck, At(180, 50, 75, 20), "Move"),
        Control(CheckBox, kStickyCheck, At(180, 70, 125, 20), "Always on top"),
        Control(Text, kSizeLabel, At(180, 95, 30, 20), "Size:"),
        size,
        Control(CheckBox, kTextCheck, At(180, 120, 70, 20), "Text"),
        Control(CheckBox, kTransparencyCheck, At(180, 140, 100, 20), "Transparency"),
        Control(CheckBox, kOutlineCheck, At(180, 160, 70, 20), "Outline"),
        Control(OptionButton, kClipboardOption, At(180, 180, 75, 20), "Clipboard", "", 0, kFlagGroupStart),
        Control(OptionButton, kKeyboardOption, At(260, 180, 75, 20), "Keyboard"),
        Control(Frame, kGlobalFrame, At(175, 215, 165, 100), "Global", "", 0, kFlagGroupStart),
        Control(CheckBox, kPoundCheck, At(180, 230, 155, 20), "Use #'s"),
        Control(CheckBox, kSnapCheck, At(180, 250, 155, 20), "Snap palette windows"),
        Control(CheckBox, kSystrayCheck, At(180, 270, 155, 20), "System tray icon"),
        Control(CheckBox, kSystrayColourCheck, At(195, 290, 140, 20), "Show palettes in tray"),
    };
}

WindowSpec ManageWindowSpec(const Settings& settings) {
    WindowSpec description;
    description.kind = WindowKind::Framed;
    description.title = "Vandrel";
    description.client = At(settings.WinX, settings.WinY, kManageWidth, kManageHeight);
    description.minimiseBox = true;
    return description;
}

void OpenManageWindow(App& app, Platform& platform) {
    if (ManageOpen(app, platform)) {
        platform.Activate(kManageWindow);
        return;
    }
    EnsureImages(app, platform);
    if (!platform.OpenWindow(kManageWindow, ManageWindowSpec(app.settings))) return;
    app.manageOpen = true;
    for (const ControlSpec& control : ManageControls(app)) platform.AddControl(kManageWindow, control);
    EnablePerPalette(platform, false);
    SetValue(platform, kPoundCheck, app.settings.Pound == 1);
    SetValue(platform, kSnapCheck, app.settings.Snap == 1);
    SetValue(platform, kSystrayCheck, app.settings.Systray == 1);
    SetValue(platform, kSystrayColourCheck, app.settings.SystrayColorMenu == 1);
    app.ManageSelection.clear();
    app.manageShown.clear();
    platform.ShowWindow(kManageWindow);
}

void ShowPaletteOptions(App& app, Platform& platform, const std::string& name) {
    if (!ManageOpen(app, platform)) return;
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
        SetValue(platform, kSizeTrackBar, std::clamp((options->SwatchHeight - 14) / 2, 0, 5));
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
            platform.AddControl(kManageWindow, control);
        }
}

}  // namespace

void RefreshManageFolder(App& app, Platform& platform) {
    if (!ManageOpen(app, platform)) return;
    platform.ChangeControl(kManageWindow, kFolderText, {.text = app.settings.PaletteDirectory});
    RemakeList(app, platform);
    app.ManageSelection.clear();
    ShowPaletteOptions(app, platform, "");
}

void RefreshManageList(App& app, Platform& platform) {
    if (!ManageOpen(app, platform)) return;
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

void ManageControlUsed(App& app, Platform& platform, int control) {
    switch (control) {
        case kWebLink:
        case kMailLink: AboutLinkUsed(platform, control); return;
        default: break;
    }
    if (!ManageOpen(app, platform)) return;
    switch (control) {
        case kFolderButton: ChoosePaletteFolder(app, platform); return;
        case kNewPaletteButton: platform.ShowMenu(MenuId::NewPalette, kManageWindow); return;
        case kAboutButton: OpenAboutWindow(app, platform); return;
        case kEditButton:
            if (Selected(app, platform)) EditPalette(app, platform, app.ManageSelection, false);
            return;
        case kDeleteButton:
            if (!Selected(app, platform)) return;
            DeletePalette(app, platform);
            // Deleted (not declined): the list loses its row, nothing stays selected.
            if (app.ManageSelection.empty()) RefreshManageFolder(app, platform);
            return;
        case kOpenButton:
            if (Selected(app, platform)) OpenSelectedPalette(app, platform);
            return;
        case kResetButton:
            if (Selected(app, platform)) ResetPalettePosition(app, platform, app.ManageSelection);
            return;
        case kPoundCheck:
        case kSnapCheck:
        case kSystrayCheck:
        case kSystrayColourCheck: GlobalOption(app, platform, control); return;
        default: PerPaletteOption(app, platform, control); return;
    }
}

}  // namespace vandrel
