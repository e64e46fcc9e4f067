#include "app/event_loop.h"

#include <climits>

#include "app/closing.h"
#include "app/operations.h"
#include "app/picking.h"
#include "app/startup.h"
#include "config/settings.h"
#include "config/start_with_windows.h"
#include "core/dialog_owner.h"
#include "editor/editing.h"
#include "editor/editor_window.h"
#include "palette_window/colour_output.h"
#include "palette_window/menus.h"
#include "palette_window/palette_window.h"
#include "palette_window/placement.h"
#include "settings/about_window.h"
#include "settings/manage_window.h"
#include "tools/colour_generators.h"
#include "tools/screen_grab.h"
#include "tools/screen_pick.h"

namespace vandrel {
namespace {

bool IsPaletteWindow(int window) { return window >= 1 && window <= kMaxOpenPalettes; }

using Handler = void (*)(App&, Platform&, const Event&, int value);

// --- handlers, named after the actions they carry out ----------------------
namespace handlers {

void CopyTrayColour(App& app, Platform& platform, const Event&, int item) {
    platform.SetClipboardText(TrayItemCaption(app, item));
}

void OpenFromTray(App& app, Platform& platform, const Event&, int index) {
    OpenPaletteWindow(app, platform, index, -1);
}

void EditFromTray(App& app, Platform& platform, const Event&, int index) {
    if (index < 0 || index >= kPaletteCapacity) return;
    EditPalette(app, platform, app.PaletteNames[index], true);
}

void PopupEdit(App& app, Platform& platform, const Event& event, int) {
    // The slot's own palette: a palette that has left the list meanwhile
    // is still the one the user pointed at.
    if (!IsPaletteWindow(event.window)) return;
    EditPalette(app, platform, app.Slots[event.window].PaletteName, false);
}

void SavePalette(App& app, Platform& platform, const Event&, int) { SaveEditorPalette(app, platform); }

void CopyPalette(App& app, Platform& platform, const Event&, int) { CopyEditorPalette(app, platform); }

void FocusPreviousRow(App& app, Platform& platform, const Event&, int) { StepEditorFocus(app, platform, -1); }

void FocusNextRow(App& app, Platform& platform, const Event&, int) { StepEditorFocus(app, platform, +1); }

void NewBlankPalette(App& app, Platform& platform, const Event&, int) { vandrel::NewBlankPalette(app, platform); }

void EditorHexEntry(App& app, Platform& platform, const Event&, int row) { EditorFieldChanged(app, platform, row); }

void ColourPicker(App& app, Platform& platform, const Event&, int) { PickColour(app, platform); }

void GrabColour(App& app, Platform& platform, const Event&, int) { GrabScreenColour(app, platform); }

void RandomColour(App& app, Platform& platform, const Event&, int) { AddRandomColour(app, platform); }

void Blender(App& app, Platform& platform, const Event&, int) { BlendColours(app, platform); }

void NewPaletteFromClipboard(App& app, Platform& platform, const Event&, int) {
    vandrel::NewPaletteFromClipboard(app, platform);
}

void NewPalettesFromFiles(App& app, Platform& platform, const Event&, int) {
    vandrel::NewPalettesFromFiles(app, platform);
}

void PopupExport(App& app, Platform& platform, const Event& event, int) {
    if (IsPaletteWindow(event.window)) ExportPalette(app, platform, event.window);
}

// A pick holds the desktop's input: what came for the rest of the program
// meanwhile runs once it has ended.
void RunPick(App& app, Platform& platform) {
    for (const Event& event : PickScreenColour(app, platform))
        if (app.running) RunPass(app, platform, event);
}

void PickFromTray(App& app, Platform& platform, const Event&, int) { RunPick(app, platform); }

void PickByShortcut(App& app, Platform& platform, const Event&, int) {
    if (ShortcutPressed(app, platform)) RunPick(app, platform);
}

void ImportHandedFiles(App& app, Platform& platform, const Event& event, int) {
    ImportPaletteFiles(app, platform, event.files);
}

void SwapEditorRows(App& app, Platform& platform, const Event&, int button) {
    MoveEditorColour(app, platform, button);
}

void Exit(App& app, Platform& platform, const Event&, int) { ExitFromTray(app, platform); }

void PopupMove(App& app, Platform& platform, const Event& event, int) {
    const int slot = event.window;
    if (!IsPaletteWindow(slot) || app.Slots[slot].PaletteName.empty()) return;
    const std::string name = app.Slots[slot].PaletteName;
    PaletteOptions& options = OptionsOf(app, name);
    // A hand-edited value other than 0/1 counts as 0, never as an index.
    options.Drag = static_cast<std::int8_t>(options.Drag == 1 ? 0 : 1);
    ClosePaletteWindow(app, platform, slot);
    const int index = PaletteIndexOf(app, name);
    if (index >= 0) OpenPaletteWindow(app, platform, index, slot);
    // The manage window's "Move" box follows.
    if (app.ManageSelection == name) ShowPaletteOptions(app, platform, name);
}

void ChooseFormat(App& app, Platform& platform, const Event& event, int item) {
    if (IsPaletteWindow(event.window)) vandrel::ChooseFormat(app, platform, event.window, item);
}

void PopupClose(App& app, Platform& platform, const Event& event, int) {
    if (IsPaletteWindow(event.window) && WindowExists(platform, event.window))
        ClosePaletteWindow(app, platform, event.window);
}

void ShowTrayMenu(App&, Platform& platform, const Event&, int) {
    // Read each time: the user may switch it off in the system's startup apps meanwhile.
    platform.CheckMenuItem(MenuId::Tray, kItemStartWithWindows, StartsWithWindows(platform));
    platform.ShowMenu(MenuId::Tray, kTrayOwnerWindow);
}

void StartWithWindows(App&, Platform& platform, const Event&, int) {
    if (!ToggleStartWithWindows(platform))
        platform.ShowMessage(DialogOwner(platform), "Error",
                             "Vandrel could not change its start with Windows in the registry.",
                             MessageButtons::Ok);
}

void TrayDoubleClick(App& app, Platform& platform, const Event&, int) {
    if (app.editorOpen)
        CloseManageWindow(app, platform);
    else
        OpenManageWindow(app, platform);
}

void OpenAbout(App& app, Platform& platform, const Event&, int) { OpenAboutWindow(app, platform); }

void TrayManage(App& app, Platform& platform, const Event&, int) { OpenManageWindow(app, platform); }

void PopupManage(App& app, Platform& platform, const Event&, int) {
    OpenManageWindow(app, platform);
    ShowPaletteOptions(app, platform, app.CurrentPaletteName);
}

void ManageFollowsPalette(App& app, Platform& platform, const Event&, int) {
    if (app.ManageSelection != app.CurrentPaletteName) ShowPaletteOptions(app, platform, app.CurrentPaletteName);
}

void ListChanged(App& app, Platform& platform, const Event&, int) { PaletteListChanged(app, platform); }

void ListDoubleClick(App& app, Platform& platform, const Event&, int) { PaletteListDoubleClick(app, platform); }

// The manage and about windows' controls, each its own handler.
template <void (*Run)(App&, Platform&)>
void Plain(App& app, Platform& platform, const Event&, int) {
    Run(app, platform);
}

void AboutButton(App& app, Platform& platform, const Event&, int) {
    if (ManageWindowOpen(app, platform)) OpenAboutWindow(app, platform);
}

void AboutLink(App&, Platform& platform, const Event&, int control) { AboutLinkUsed(platform, control); }

void DeliverSwatch(App& app, Platform& platform, const Event& event, int slot) {
    DeliverSwatchColour(app, platform, slot, event.control);
}

void PaletteRightClick(App& app, Platform& platform, const Event&, int slot) {
    const std::string& name = app.Slots[slot].PaletteName;
    if (name.empty()) return;
    const PaletteOptions& options = OptionsOf(app, name);
    if (options.Locked != 0) {
        // A locked palette is changed in the manage window, where it can be unlocked.
        OpenManageWindow(app, platform);
        ShowPaletteOptions(app, platform, name);
        return;
    }
    ShowPalettePopup(app, platform, slot);
}

void RescalePalette(App& app, Platform& platform, const Event& event, int) {
    RescalePaletteWindow(app, platform, event.window);
}

void BackgroundPress(App& app, Platform& platform, const Event& event, int) {
    MoveByBackground(app, platform, event.window);
}

void PaletteMoved(App& app, Platform& platform, const Event& event, int) {
    SnapPaletteWindow(app, platform, event.window);
}

void PaletteWindowPainted(App& app, Platform& platform, const Event&, int) {
    // Drawing does not survive a repaint: the mark is drawn again each time.
    if (app.manageOpen && WindowExists(platform, kManageWindow))
        MarkSelectedPalette(app, platform, platform.ReadControl(kManageWindow, kPaletteList).text);
}

void SessionEnding(App& app, Platform& platform, const Event&, int) {
    // Log-off or shut-down ends the process without an exit of ours.
    app.sessionEnding = true;
    FinishStartUp(app, platform);  // every palette's group is written
    FinishImport(app, platform);   // and every imported palette
    WriteSettings(app, platform);
}

void DragPaletteBySwatch(App& app, Platform& platform, const Event& event, int slot) {
    DragPalette(app, platform, slot, event.control);
}

void CloseEditorWindow(App& app, Platform& platform, const Event&, int) { CloseEditorByBox(app, platform); }

void CloseManage(App& app, Platform& platform, const Event&, int) { CloseManageWindow(app, platform); }

void CloseAbout(App& app, Platform& platform, const Event&, int) {
    if (app.aboutOpen) OpenAboutWindow(app, platform);  // it closes an open one
}

void ComeForward(App& app, Platform& platform, const Event&, int) {
    if (app.manageOpen && WindowExists(platform, kManageWindow))
        platform.Activate(kManageWindow);
    else if (app.editorOpen && WindowExists(platform, kEditorWindow))
        platform.Activate(kEditorWindow);
}

}  // namespace handlers

// --- conditions and values ------------------------------------------------

int ItemFrom(const Event& event, int first) { return event.item - first; }
int OpenIndex(const App&, const Event& event) { return ItemFrom(event, kFirstOpenItem); }
int EditIndex(const App&, const Event& event) { return ItemFrom(event, kFirstEditItem); }
int TheItem(const App&, const Event& event) { return event.item; }
int TheWindow(const App&, const Event& event) { return event.window; }
int TheControl(const App&, const Event& event) { return event.control; }
int EditorRow(const App&, const Event& event) { return RowOfEditField(event.control); }

bool EditorRowInUse(const App& app, const Event& event) {
    const int row = RowOfEditorControl(event.control);
    return row >= 1 && row <= app.EditorColourCount;
}
bool SwatchOfThatSlot(const App&, const Event& event) { return SlotOfSwatch(event.control) == event.window; }
bool ManageOpen(const App& app, const Event&) { return app.manageOpen; }
bool PaletteMovable(const App& app, const Event& event) {
    const std::string& name = app.Slots[event.window].PaletteName;
    if (name.empty()) return false;
    const auto found = app.PaletteOptionsByName.find(name);
    return found != app.PaletteOptionsByName.end() && found->second.Drag == 1;
}

// --- the table ------------------------------------------------------------

struct Range {
    int first = INT_MIN;
    int last = INT_MAX;
    bool Holds(int n) const { return n >= first && n <= last; }
};
constexpr Range kAny{};
constexpr Range Only(int n) { return {n, n}; }

struct RouteRow {
    Action action;
    EventKind kind;
    Range windows;
    Range numbers;  // the item of menu events, the control of control events
    std::optional<SubKind> subKind;  // none: any
    bool (*applies)(const App&, const Event&) = nullptr;
    int (*value)(const App&, const Event&) = nullptr;
    // Null: the window that handles it is not built yet; the event is
    // routed, and nothing runs.
    Handler run = nullptr;
};

constexpr Range kPaletteWindows{1, kMaxOpenPalettes};
constexpr Range kEditorFields{EditFieldId(1), EditFieldId(kMaxColours)};
constexpr Range kEditorUps{EditUpId(1), EditUpId(kMaxColours)};
constexpr Range kEditorDowns{EditDownId(1), EditDownId(kMaxColours)};
constexpr Range kSwatches{kFirstSwatchId, kLastSwatchId};
constexpr Range kManageAndAbout{kManageWindow, kAboutWindow};
constexpr Range kLinks{kWebLink, kMailLink};
// The loupe repaints 25 times a second and shows no mark.
constexpr Range kAllButTheLoupe{INT_MIN, kLoupeWindow - 1};
static_assert(kLoupeWindow > kTrayOwnerWindow && kLoupeWindow > kAboutWindow);

using enum Action;
constexpr EventKind kMenu = EventKind::Menu;
constexpr EventKind kTray = EventKind::Tray;
constexpr EventKind kControl = EventKind::Control;
constexpr EventKind kClose = EventKind::Close;
constexpr EventKind kHook = EventKind::Hook;
constexpr std::optional<SubKind> kAnySub = std::nullopt;

// Menu, tray, close and hook events run the first row that matches; control
// events run every row that matches, in this order.
const RouteRow kRoutes[] = {
    // Menu events.
    {CopyTrayColour, kMenu, kAny, {kFirstColourItem, kLastColourItem}, kAnySub, nullptr, TheItem, handlers::CopyTrayColour},
    {OpenFromTray, kMenu, kAny, {kFirstOpenItem, kLastOpenItem}, kAnySub, nullptr, OpenIndex, handlers::OpenFromTray},
    {EditFromTray, kMenu, kAny, {kFirstEditItem, kLastEditItem}, kAnySub, nullptr, EditIndex, handlers::EditFromTray},
    {OpenAbout, kMenu, kAny, Only(kItemAbout), kAnySub, nullptr, nullptr, handlers::OpenAbout},
    {TrayManage, kMenu, kAny, Only(kItemTrayManage), kAnySub, nullptr, nullptr, handlers::TrayManage},
    {SavePalette, kMenu, kAny, Only(kItemSavePalette), kAnySub, nullptr, nullptr, handlers::SavePalette},
    {CopyPalette, kMenu, kAny, Only(kItemCopyPalette), kAnySub, nullptr, nullptr, handlers::CopyPalette},
    {Exit, kMenu, kAny, Only(kItemExit), kAnySub, nullptr, nullptr, handlers::Exit},
    {PopupManage, kMenu, kAny, Only(kItemManage), kAnySub, nullptr, nullptr, handlers::PopupManage},
    {PopupEdit, kMenu, kAny, Only(kItemEdit), kAnySub, nullptr, nullptr, handlers::PopupEdit},
    {PopupMove, kMenu, kAny, Only(kItemMove), kAnySub, nullptr, nullptr, handlers::PopupMove},
    {PopupClose, kMenu, kAny, Only(kItemClose), kAnySub, nullptr, nullptr, handlers::PopupClose},
    {ChooseFormat, kMenu, kAny, {kFirstFormatItem, kItemCustomFormat}, kAnySub, nullptr, TheItem, handlers::ChooseFormat},
    {FocusPreviousRow, kMenu, kAny, Only(kItemShortcutUp), kAnySub, nullptr, nullptr, handlers::FocusPreviousRow},
    {FocusNextRow, kMenu, kAny, Only(kItemShortcutDown), kAnySub, nullptr, nullptr, handlers::FocusNextRow},
    {ColourPicker, kMenu, kAny, Only(kItemColourPicker), kAnySub, nullptr, nullptr, handlers::ColourPicker},
    {GrabColour, kMenu, kAny, Only(kItemGrabColour), kAnySub, nullptr, nullptr, handlers::GrabColour},
    {RandomColour, kMenu, kAny, Only(kItemRandomColour), kAnySub, nullptr, nullptr, handlers::RandomColour},
    {Blender, kMenu, kAny, Only(kItemBlender), kAnySub, nullptr, nullptr, handlers::Blender},
    {NewBlankPalette, kMenu, kAny, Only(kItemBlank), kAnySub, nullptr, nullptr, handlers::NewBlankPalette},
    {NewPaletteFromClipboard, kMenu, kAny, Only(kItemFromClipboard), kAnySub, nullptr, nullptr,
     handlers::NewPaletteFromClipboard},
    {StartWithWindows, kMenu, kAny, Only(kItemStartWithWindows), kAnySub, nullptr, nullptr,
     handlers::StartWithWindows},
    {NewPalettesFromFiles, kMenu, kAny, Only(kItemFromFile), kAnySub, nullptr, nullptr, handlers::NewPalettesFromFiles},
    {PopupExport, kMenu, kAny, Only(kItemExport), kAnySub, nullptr, nullptr, handlers::PopupExport},
    {PickFromTray, kMenu, kAny, Only(kItemPickColour), kAnySub, nullptr, nullptr, handlers::PickFromTray},
    {PickByShortcut, EventKind::Hotkey, kAny, kAny, kAnySub, nullptr, nullptr, handlers::PickByShortcut},
    // Tray events.
    {TrayDoubleClick, kTray, kAny, kAny, SubKind::DoubleClick, nullptr, nullptr, handlers::TrayDoubleClick},
    {ShowTrayMenu, kTray, kAny, kAny, SubKind::LeftClick, nullptr, nullptr, handlers::ShowTrayMenu},
    {ShowTrayMenu, kTray, kAny, kAny, SubKind::RightClick, nullptr, nullptr, handlers::ShowTrayMenu},
    // Control events.
    {EditorHexEntry, kControl, Only(kEditorWindow), kEditorFields, SubKind::Change, EditorRowInUse, EditorRow,
     handlers::EditorHexEntry},
    {DeliverSwatch, kControl, kPaletteWindows, kSwatches, SubKind::LeftClick, SwatchOfThatSlot, TheWindow,
     handlers::DeliverSwatch},
    {SwapEditorRows, kControl, Only(kEditorWindow), kEditorUps, SubKind::LeftClick, EditorRowInUse, TheControl,
     handlers::SwapEditorRows},
    {SwapEditorRows, kControl, Only(kEditorWindow), kEditorDowns, SubKind::LeftClick, EditorRowInUse, TheControl,
     handlers::SwapEditorRows},
    {PaletteRightClick, kControl, kPaletteWindows, kSwatches, SubKind::RightClick, nullptr, TheWindow,
     handlers::PaletteRightClick},
    {ManageFollowsPalette, kControl, kPaletteWindows, kSwatches, SubKind::LeftDown, ManageOpen, TheWindow,
     handlers::ManageFollowsPalette},
    {DragPalette, kControl, kPaletteWindows, kSwatches, SubKind::LeftDown, PaletteMovable, TheWindow,
     handlers::DragPaletteBySwatch},
    {PaletteListChanged, kControl, Only(kManageWindow), Only(kPaletteList), SubKind::Change, nullptr, nullptr,
     handlers::ListChanged},
    {PaletteListDoubleClick, kControl, Only(kManageWindow), Only(kPaletteList), SubKind::DoubleClick, nullptr,
     nullptr, handlers::ListDoubleClick},
    // The manage window's controls, and the about window's links.
    {ManageControl, kControl, kManageAndAbout, Only(kFolderButton), kAnySub, nullptr, TheControl, handlers::Plain<FolderButtonUsed>},
    {ManageControl, kControl, kManageAndAbout, Only(kNewPaletteButton), kAnySub, nullptr, TheControl, handlers::Plain<ShowNewPaletteMenu>},
    {ManageControl, kControl, kManageAndAbout, Only(kAboutButton), kAnySub, nullptr, TheControl, handlers::AboutButton},
    {ManageControl, kControl, kManageAndAbout, Only(kOpenButton), kAnySub, nullptr, TheControl, handlers::Plain<OpenButtonUsed>},
    {ManageControl, kControl, kManageAndAbout, Only(kEditButton), kAnySub, nullptr, TheControl, handlers::Plain<EditButtonUsed>},
    {ManageControl, kControl, kManageAndAbout, Only(kResetButton), kAnySub, nullptr, TheControl, handlers::Plain<ResetButtonUsed>},
    {ManageControl, kControl, kManageAndAbout, Only(kLockButton), kAnySub, nullptr, TheControl, handlers::Plain<LockButtonUsed>},
    {ManageControl, kControl, kManageAndAbout, Only(kDeleteButton), kAnySub, nullptr, TheControl, handlers::Plain<DeleteButtonUsed>},
    {ManageControl, kControl, kManageAndAbout, Only(kMoveCheck), kAnySub, nullptr, TheControl, handlers::Plain<MoveTicked>},
    {ManageControl, kControl, kManageAndAbout, Only(kStickyCheck), kAnySub, nullptr, TheControl, handlers::Plain<StickyTicked>},
    {ManageControl, kControl, kManageAndAbout, Only(kSizeTrackBar), kAnySub, nullptr, TheControl, handlers::Plain<SizeSlid>},
    {ManageControl, kControl, kManageAndAbout, Only(kTextCheck), kAnySub, nullptr, TheControl, handlers::Plain<TextTicked>},
    {ManageControl, kControl, kManageAndAbout, Only(kTransparencyCheck), kAnySub, nullptr, TheControl, handlers::Plain<TransparencyTicked>},
    {ManageControl, kControl, kManageAndAbout, Only(kOutlineCheck), kAnySub, nullptr, TheControl, handlers::Plain<OutlineTicked>},
    {ManageControl, kControl, kManageAndAbout, Only(kClipboardOption), kAnySub, nullptr, TheControl, handlers::Plain<OutputChosen>},
    {ManageControl, kControl, kManageAndAbout, Only(kKeyboardOption), kAnySub, nullptr, TheControl, handlers::Plain<OutputChosen>},
    {ManageControl, kControl, kManageAndAbout, Only(kPoundCheck), kAnySub, nullptr, TheControl, handlers::Plain<PoundTicked>},
    {ManageControl, kControl, kManageAndAbout, Only(kSnapCheck), kAnySub, nullptr, TheControl, handlers::Plain<SnapTicked>},
    {ManageControl, kControl, kManageAndAbout, Only(kSystrayCheck), kAnySub, nullptr, TheControl, handlers::Plain<SystrayTicked>},
    {ManageControl, kControl, kManageAndAbout, Only(kSystrayColourCheck), kAnySub, nullptr, TheControl, handlers::Plain<SystrayColourTicked>},
    {ManageControl, kControl, kManageAndAbout, kLinks, kAnySub, nullptr, TheControl, handlers::AboutLink},
    // Close events.
    {CloseEditorWindow, kClose, Only(kEditorWindow), kAny, kAnySub, nullptr, nullptr, handlers::CloseEditorWindow},
    {CloseManage, kClose, Only(kManageWindow), kAny, kAnySub, nullptr, nullptr, handlers::CloseManage},
    {CloseAbout, kClose, Only(kAboutWindow), kAny, kAnySub, nullptr, nullptr, handlers::CloseAbout},
    {ComeForward, EventKind::ComeForward, kAny, kAny, kAnySub, nullptr, nullptr, handlers::ComeForward},
    {ExitAsked, EventKind::ExitAsked, kAny, kAny, kAnySub, nullptr, nullptr, handlers::Exit},
    {ImportHandedFiles, EventKind::FilesHanded, kAny, kAny, kAnySub, nullptr, nullptr, handlers::ImportHandedFiles},
    {RescaleWindow, EventKind::ScaleChanged, kPaletteWindows, kAny, kAnySub, nullptr, TheWindow,
     handlers::RescalePalette},
    {RescaleWindow, EventKind::ScaleChanged, Only(kEditorWindow), kAny, kAnySub, nullptr, TheWindow,
     handlers::Plain<RescaleEditor>},
    {RescaleWindow, EventKind::ScaleChanged, Only(kManageWindow), kAny, kAnySub, nullptr, TheWindow,
     handlers::Plain<RescaleManageWindow>},
    {RescaleWindow, EventKind::ScaleChanged, Only(kAboutWindow), kAny, kAnySub, nullptr, TheWindow,
     handlers::Plain<RescaleAboutWindow>},
    // What the window hook reports, at once.
    {BackgroundPress, kHook, kAny, Only(static_cast<int>(HookEvent::BackgroundPress)), kAnySub, nullptr, nullptr,
     handlers::BackgroundPress},
    {PaletteMoved, kHook, kAny, Only(static_cast<int>(HookEvent::Moved)), kAnySub, nullptr, nullptr,
     handlers::PaletteMoved},
    {WindowPainted, kHook, kAllButTheLoupe, Only(static_cast<int>(HookEvent::Painted)), kAnySub, nullptr, nullptr,
     handlers::PaletteWindowPainted},
    {SessionEnding, kHook, kAny, Only(static_cast<int>(HookEvent::SessionEnding)), kAnySub, nullptr, nullptr,
     handlers::SessionEnding},
};

bool Matches(const RouteRow& row, const App& app, const Event& event) {
    const int number = event.kind == kMenu   ? event.item
                       : event.kind == kHook ? static_cast<int>(event.hook)
                                             : event.control;
    return row.kind == event.kind && row.windows.Holds(event.window) && row.numbers.Holds(number) &&
           (!row.subKind || *row.subKind == event.subKind) && (!row.applies || row.applies(app, event));
}

std::vector<std::pair<const RouteRow*, int>> MatchingRows(const App& app, const Event& event) {
    std::vector<std::pair<const RouteRow*, int>> rows;
    for (const RouteRow& row : kRoutes) {
        if (!Matches(row, app, event)) continue;
        rows.emplace_back(&row, row.value ? row.value(app, event) : 0);
        if (event.kind != kControl) break;
    }
    return rows;
}

}  // namespace

std::vector<Routed> Route(const App& app, const Event& event) {
    std::vector<Routed> routed;
    for (const auto& [row, value] : MatchingRows(app, event)) routed.push_back({row->action, value});
    return routed;
}

void RunPass(App& app, Platform& platform, const Event& event) {
    app.ActiveWindowNo = platform.ForegroundWindowNumber();
    if (IsPaletteWindow(event.window)) {
        app.CurrentPaletteName = app.Slots[event.window].PaletteName;
        app.CurrentPaletteIndex = app.Slots[event.window].PaletteIndex;
    }
    if (app.manageOpen) app.ManageSelection = platform.ReadControl(kManageWindow, kPaletteList).text;
    // Matched before any handler runs: a handler may change what the later rows test.
    for (const auto& [row, value] : MatchingRows(app, event)) {
        if (!app.running) break;
        if (row->run) row->run(app, platform, event, value);
    }
}

void RunHook(App& app, Platform& platform, int window, HookEvent hook) {
    const Event event{.kind = EventKind::Hook, .window = window, .hook = hook};
    for (const auto& [row, value] : MatchingRows(app, event))
        if (row->run) row->run(app, platform, event, value);
}

void InstallWindowHook(App& app, Platform& platform) {
    platform.InstallWindowHook([&app, &platform](int window, HookEvent hook) { RunHook(app, platform, window, hook); });
}

void RunLoopPass(App& app, Platform& platform) {
    if (!app.startPending && !app.import) {
        RunPass(app, platform, platform.WaitEvent(kEventWait));
        return;
    }
    // Start-up and an import go on a few files at a time while nothing
    // happens; whatever the user does first finds them complete.
    const Event event = platform.WaitEvent(0);
    if (event.kind == EventKind::Timeout) {
        if (app.startPending)
            ContinueStartUp(app, platform, kStartUpFilesPerPass);
        else
            ContinueImport(app, platform, kImportFilesPerPass);
        return;
    }
    FinishStartUp(app, platform);
    FinishImport(app, platform);
    RunPass(app, platform, event);
}

void RunEventLoop(App& app, Platform& platform) {
    while (app.running) RunLoopPass(app, platform);
}

}  // namespace vandrel
