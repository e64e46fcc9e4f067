// The program's global state: limits, tables and records, held in one App
// record so that every test can start from a fresh one.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/platform.h"
#include "core/ids.h"
#include "core/options.h"

namespace vandrel {

constexpr ColourValue kKeyColour = Rgb(254, 254, 254);

struct Slot {
    std::int16_t PaletteIndex = 0;
    std::string PaletteName;  // empty: the slot is free
    std::int64_t WindowHandle = 0;
    int dpi = 96;  // the DPI its window was built at
};

// An import of palette files under way (exchange/palette_import.h).
struct ImportRun;

struct Desktops {
    std::int32_t ScreenWidth = 0;
    std::int32_t Desktop0Width = 0;
    float Scale = 1.0f;
    int DesktopCount = 0;
};

// A palette list being made in steps (see BeginListing).
struct PaletteListing {
    std::vector<FolderEntry> entries;  // the folder's, in its order
    std::size_t next = 0;              // the next entry to look at
    int listed = 0;                    // palettes in the list so far
};

// The colour codes of one palette, colours 0 to kMaxColours, in one string:
// a full folder's 10,400 separate strings took a third of a megabyte.
class PaletteCodes {
public:
    // Code j, empty when there is none.
    std::string operator[](std::size_t j) const;
    void Set(std::size_t j, std::string_view code);
    void clear();
    bool operator==(const PaletteCodes&) const = default;

private:
    std::string text_;
    std::array<std::uint32_t, kMaxColours + 1> ends_{};  // code j is text_[ends_[j - 1], ends_[j])
};

// The picker's state for the run: the loupe's zoom and square are kept
// from one pick to the next.
struct PickerState {
    int across = 11;  // pixels the loupe shows across
    int square = 1;   // the square a pick averages: 1, 3 or 5
    bool picking = false;
    // The shortcut's key went down and no release was seen: what comes now is its repeat.
    bool keyHeld = false;
    std::uint32_t shortcutSeen = 0;     // Clock() when the shortcut last went down (or repeated); 0: never
    std::optional<HotkeyKeys> keys;     // the shortcut in use; none: no shortcut
    std::unique_ptr<Hold> hotkey;       // its registration, while it lives
    bool refusalTold = false;           // the balloon about the shortcut was shown this run
};

struct App {
    // Palette list, filled only by ListPalettes.
    std::array<std::string, kPaletteCapacity> PaletteNames;
    std::array<PaletteCodes, kPaletteCapacity> PaletteColours;
    std::array<int, kPaletteCapacity> PaletteColourCount{};
    std::unordered_map<std::string, int> PaletteIndexByName;

    std::map<std::string, PaletteOptions> PaletteOptionsByName;
    Settings settings;
    std::string SettingsFolder;
    std::string unusablePaletteFolder;  // Palette_Directory as read, when this run cannot use it
    std::array<Slot, kMaxOpenPalettes + 1> Slots;
    Desktops desktops;

    // Editor state.
    int EditorColourCount = 0;
    std::string EditorPaletteName;
    std::string EditorFolder;  // the palette folder the editor's palette came from
    std::int8_t EditorModified = 0;
    bool editorOpen = false;
    bool manageOpen = false;
    bool aboutOpen = false;
    bool trayIcon = false;  // the tray icon was added at start-up
    bool menusBuilt = false;
    // Start-up work done after the first palette windows show (see StartUp):
    // the rest of the palette list and the menus.
    bool startPending = false;
    bool imagesLoaded = false;
    std::set<int> fontsMade;    // swatch fonts made for a DPI other than 96
    std::set<int> imageDpis;    // the DPIs other than 96 the pictures were made for
    // The DPI each framed window was laid out at (the monitor's it opened on).
    int editorDpi = 96;
    int manageDpi = 96;
    int aboutDpi = 96;  // the pictures of the editor, manage and about windows
    PaletteListing startListing;
    // An import whose palettes are still being written in the loop's idle
    // passes (see ImportPaletteFiles); null when none is.
    std::shared_ptr<ImportRun> import;

    // Per-pass state of the event loop.
    int ActiveWindowNo = -1;
    std::string CurrentPaletteName;
    int CurrentPaletteIndex = 0;
    std::string ManageSelection;
    std::string manageShown;  // the palette whose options the manage window shows
    std::uint32_t LastTypedTime = 0;

    // The colour tools: the chooser's custom colours for the run, the random
    // generator (seeded at its first use).
    CustomColours customColours{};
    std::optional<std::mt19937> random;

    PickerState picker;

    std::string lastExportFolder;  // for the run; empty: the save dialog opens in the user's documents

    bool running = true;  // cleared by the exit paths
    bool sessionEnding = false;  // the user logs off or the system shuts down
};

// The options record of a palette. A palette that has none yet (a file that
// appeared while the program runs, a new palette) gets the default options,
// never an all-zero record that would be drawn and stored as zeros.
PaletteOptions& OptionsOf(App& app, const std::string& name);

// The listed index of a palette, or -1: a name that is not listed (locked,
// gone, empty) has no index.
int PaletteIndexOf(const App& app, const std::string& name);

// Sets each slot's PaletteIndex from its PaletteName after the list was rebuilt.
void ReindexSlots(App& app);

// 1 when a check box state is exactly 1, else 0.
int CheckboxValue(int state);

// The folder this run's palettes come from and their groups go to: the
// palette folder, or the settings folder in its place; empty when the run
// has no folder, and then no palette file may be listed, created or written.
std::string PaletteFolderInUse(const App& app);

// Physical pixels per window unit.
float ComputeScale(const DisplayInfo& display);

}  // namespace vandrel
