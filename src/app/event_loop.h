// The one event loop: wait up to 200 ms, refresh the per-pass state, route
// the event to its handlers.
#pragma once

#include <vector>

#include "core/state.h"

namespace vandrel {

constexpr int kEventWait = 200;  // ms
// Palette files read in one idle pass while start-up completes: few enough
// that a click waits for no more than a few milliseconds.
constexpr std::size_t kStartUpFilesPerPass = 25;
// Palette files an import writes in one pass: each is made and synced to
// the disk, which costs about as much as a start-up pass's reads.
constexpr std::size_t kImportFilesPerPass = 1;

enum class Action {
    // Menu events.
    CopyTrayColour,
    OpenFromTray,
    EditFromTray,
    OpenAbout,
    TrayManage,
    SavePalette,
    CopyPalette,
    Exit,
    PopupManage,
    PopupEdit,
    PopupMove,
    PopupClose,
    FocusPreviousRow,
    FocusNextRow,
    ColourPicker,
    GrabColour,
    RandomColour,
    Blender,
    NewBlankPalette,
    NewPaletteFromClipboard,
    ChooseFormat,
    StartWithWindows,
    NewPalettesFromFiles,
    PopupExport,
    PickFromTray,
    // The global shortcut.
    PickByShortcut,
    // Tray events.
    TrayDoubleClick,
    ShowTrayMenu,
    // Control events.
    EditorHexEntry,
    DeliverSwatch,
    SwapEditorRows,
    PaletteRightClick,
    ManageFollowsPalette,
    DragPalette,
    PaletteListChanged,
    PaletteListDoubleClick,
    ManageControl,
    // Close events.
    CloseEditorWindow,
    CloseManage,
    CloseAbout,
    // A second start of the program asks this one to come forward.
    ComeForward,
    // Another start of the program (an installer's) asks this one to end.
    ExitAsked,
    // Palette files to import: the command line's, or a second start's.
    ImportHandedFiles,
    // A window now stands on a monitor of another DPI.
    RescaleWindow,
    // What the window hook reports.
    BackgroundPress,
    PaletteMoved,
    WindowPainted,
    SessionEnding,
};

struct Routed {
    Action action;
    int value = 0;  // palette index, slot, editor row or control, by action
    friend bool operator==(const Routed&, const Routed&) = default;
};

// Every handler an event reaches, in the order they run.
std::vector<Routed> Route(const App& app, const Event& event);

// Refreshes the per-pass state for an event and runs its handlers.
void RunPass(App& app, Platform& platform, const Event& event);

// What the window hook reports, handled at once through the same table.
void RunHook(App& app, Platform& platform, int window, HookEvent hook);

// From now on every window of the program reports to RunHook.
void InstallWindowHook(App& app, Platform& platform);

// One turn of the loop: an event, or a step of start-up or of an import when none is waiting.
void RunLoopPass(App& app, Platform& platform);

void RunEventLoop(App& app, Platform& platform);

}  // namespace vandrel
