#include "app/event_loop.h"

#include "app/closing.h"
#include "palette/palette_store.h"
#include "palette_window/colour_output.h"
#include "palette_window/menus.h"
#include "palette_window/palette_window.h"

namespace vandrel {
namespace {

bool IsPaletteWindow(int window) { return window >= 1 && window <= kMaxOpenPalettes; }

std::vector<Routed> RouteMenu(const Event& event) {
    const int item = event.item;
    if (item >= kFirstColourItem && item < kFirstOpenItem) return {{Action::CopyTrayColour, item}};
    if (item >= kFirstOpenItem && item <= kFirstOpenItem + kMaxPaletteIndex)
        return {{Action::OpenFromTray, item - kFirstOpenItem}};
    if (item >= kFirstEditItem && item <= kFirstEditItem + kMaxPaletteIndex)
        return {{Action::EditFromTray, item - kFirstEditItem}};
    switch (item) {
        case kItemAbout: return {{Action::OpenAbout}};
        case kItemTrayManage: return {{Action::TrayManage}};
        case kItemSavePalette: return {{Action::SavePalette}};
        case kItemCopyPalette: return {{Action::CopyPalette}};
        case kItemExit: return {{Action::Exit}};
        case kItemManage: return {{Action::PopupManage}};
        case kItemEdit: return {{Action::PopupEdit}};
        case kItemMove: return {{Action::PopupMove}};
        case kItemClose: return {{Action::PopupClose}};
        case kItemShortcutUp: return {{Action::FocusPreviousRow}};
        case kItemShortcutDown: return {{Action::FocusNextRow}};
        case kItemColourPicker: return {{Action::ColourPicker}};
        case kItemGrabColour: return {{Action::GrabColour}};
        case kItemRandomColour: return {{Action::RandomColour}};
        case kItemBlender: return {{Action::Blender}};
        case kItemBlank: return {{Action::NewBlankPalette}};
        case kItemFromClipboard: return {{Action::NewPaletteFromClipboard}};
        default: return {};
    }
}

std::vector<Routed> RouteTray(const Event& event) {
    if (event.subKind == SubKind::DoubleClick) return {{Action::TrayDoubleClick}};
    if (event.subKind == SubKind::LeftClick || event.subKind == SubKind::RightClick)
        return {{Action::ShowTrayMenu}};
    return {};
}

std::vector<Routed> RouteControl(const App& app, const Event& event) {
    std::vector<Routed> routed;
    const int window = event.window;
    const int control = event.control;
    const SubKind sub = event.subKind;
    const bool palette = IsPaletteWindow(window);

    if (sub == SubKind::Change) {  // C1
        for (int i = 1; i <= app.EditorColourCount && i <= kMaxColours; ++i)
            if (control == app.EditFieldIds[i]) routed.push_back({Action::EditorHexEntry, i});
    }
    if (sub == SubKind::LeftClick && palette) {  // C2
        if (SlotOfSwatch(app, control) == window) routed.push_back({Action::DeliverSwatch, window});
    } else if (sub == SubKind::LeftClick && window == kEditorWindow) {  // C2'
        for (int i = 1; i <= app.EditorColourCount && i <= kMaxColours; ++i) {
            if (control == app.EditUpIds[i] || control == app.EditDownIds[i])
                routed.push_back({Action::SwapEditorRows, control});
        }
    }
    if (sub == SubKind::RightClick && palette) routed.push_back({Action::PaletteRightClick, window});
    if (sub == SubKind::LeftDown && palette && app.manageOpen)
        routed.push_back({Action::ManageFollowsPalette, window});
    if (sub == SubKind::LeftDown && palette && !app.Slots[window].PaletteName.empty()) {
        const auto found = app.PaletteOptionsByName.find(app.Slots[window].PaletteName);
        if (found != app.PaletteOptionsByName.end() && found->second.Drag == 1)
            routed.push_back({Action::DragPalette, window});
    }
    if (window == kManageWindow && control == kPaletteList) {  // C6
        if (sub == SubKind::Change) routed.push_back({Action::PaletteListChanged});
        if (sub == SubKind::DoubleClick) routed.push_back({Action::PaletteListDoubleClick});
    } else if ((window == kManageWindow || window == kAboutWindow) && control >= kFolderButton &&
               control <= kMailLink) {  // C7
        routed.push_back({Action::ManageControl, control});
    }
    return routed;
}

std::vector<Routed> RouteClose(const Event& event) {
    switch (event.window) {
        case kEditorWindow: return {{Action::CloseEditorWindow}};
        case kManageWindow: return {{Action::CloseManage}};
        case kAboutWindow: return {{Action::CloseAbout}};
        default: return {};
    }
}

void PopupMove(App& app, Platform& platform, int slot) {
    if (!IsPaletteWindow(slot) || app.Slots[slot].PaletteName.empty()) return;
    const std::string name = app.Slots[slot].PaletteName;
    PaletteOptions& options = OptionsOf(app, name);
    // A hand-edited value other than 0/1 counts as 0, never as an index.
    options.Drag = static_cast<std::int8_t>(app.ToggleTable[options.Drag == 1 ? 1 : 0]);
    ClosePaletteWindow(app, platform, slot);
    const int index = PaletteIndexOf(app, name);
    if (index >= 0) OpenPaletteWindow(app, platform, index, slot);
}

void PaletteRightClick(App& app, Platform& platform, int slot) {
    if (!IsPaletteWindow(slot)) return;
    const std::string& name = app.Slots[slot].PaletteName;
    if (name.empty()) return;
    const PaletteOptions& options = OptionsOf(app, name);
    platform.CheckMenuItem(MenuId::PalettePopup, kItemMove, options.Drag == 1);
    if (options.Locked != 0) return;  // the manage window takes over here
    platform.ShowMenu(MenuId::PalettePopup, slot);
}

void DragPalette(App& app, Platform& platform, int slot, int control) {
    platform.EnableControl(slot, control, false);
    const DragOutcome outcome = platform.MoveWithMouse(slot);
    if (platform.ControlExists(slot, control)) platform.EnableControl(slot, control, true);
    // The move loop swallowed the release of a click that moved nothing:
    // a short click on a movable palette still delivers its colour.
    if (outcome == DragOutcome::ReleasedWithoutMove) DeliverSwatchColour(app, platform, slot, control);
}

void Dispatch(App& app, Platform& platform, const Routed& routed, const Event& event) {
    switch (routed.action) {
        case Action::CopyTrayColour:
            platform.SetClipboardText(TrayItemCaption(app, routed.value));
            break;
        case Action::OpenFromTray: OpenPaletteWindow(app, platform, routed.value, -1); break;
        case Action::EditFromTray:
            CloseEditor(app, platform);
            app.EditorPaletteName = app.PaletteNames[routed.value];
            break;
        case Action::Exit: ExitFromTray(app, platform); break;
        case Action::PopupMove: PopupMove(app, platform, event.window); break;
        case Action::PopupClose:
            if (IsPaletteWindow(event.window) && platform.WindowExists(event.window))
                ClosePaletteWindow(app, platform, event.window);
            break;
        case Action::ShowTrayMenu: platform.ShowMenu(MenuId::Tray, kTrayOwnerWindow); break;
        case Action::TrayDoubleClick:
            if (app.editorOpen) CloseManageWindow(app, platform);
            break;
        case Action::DeliverSwatch:
            DeliverSwatchColour(app, platform, routed.value, event.control);
            break;
        case Action::PaletteRightClick: PaletteRightClick(app, platform, routed.value); break;
        case Action::DragPalette: DragPalette(app, platform, routed.value, event.control); break;
        case Action::CloseEditorWindow: CloseEditor(app, platform); break;
        case Action::CloseManage: CloseManageWindow(app, platform); break;
        case Action::CloseAbout:
            if (platform.WindowExists(kAboutWindow)) platform.DestroyWindow(kAboutWindow);
            app.aboutOpen = false;
            break;
        default:
            // The editor, the colour tools, the manage and about windows
            // handle the rest as they arrive.
            break;
    }
}

}  // namespace

std::vector<Routed> Route(const App& app, const Event& event) {
    switch (event.kind) {
        case EventKind::Menu: return RouteMenu(event);
        case EventKind::Tray: return RouteTray(event);
        case EventKind::Control: return RouteControl(app, event);
        case EventKind::Close: return RouteClose(event);
        case EventKind::Timeout: return {};
    }
    return {};
}

void RunPass(App& app, Platform& platform, const Event& event) {
    app.ActiveWindowNo = platform.ForegroundWindowNumber();
    if (IsPaletteWindow(event.window)) {
        app.CurrentPaletteName = app.Slots[event.window].PaletteName;
        app.CurrentPaletteIndex = app.Slots[event.window].PaletteIndex;
    }
    if (app.manageOpen) app.ManageSelection = platform.ControlText(kManageWindow, kPaletteList);
    for (const Routed& routed : Route(app, event)) {
        if (!app.running) break;
        Dispatch(app, platform, routed, event);
    }
}

void RunEventLoop(App& app, Platform& platform) {
    while (app.running) RunPass(app, platform, platform.WaitEvent(kEventWait));
}

}  // namespace vandrel
