// Palette windows: a frameless, colour-keyed column of swatches per slot.
#pragma once

#include <string>
#include <vector>

#include "app/state.h"
#include "settings/settings.h"

namespace vandrel {

constexpr int kSwatchCornerRadius = 7;

struct PaletteWindowLayout {
    Size client;
    std::vector<Rect> swatches;  // control rectangles within the client area
};

PaletteWindowLayout LayoutPaletteWindow(int colourCount, const SwatchGeometry& geometry);

// How one swatch looks, decided from its code and the palette's options.
struct SwatchLook {
    Rect area;                // (0, 0, W, H + 1)
    Rect shape;               // the fill: the whole area, or W x H for rounded swatches
    bool rounded = false;
    int radiusX = 0;
    int radiusY = 0;
    ColourValue fill = 0;     // KeyColour shows as white
    bool outline = false;
    int font = -1;            // -1: no text
    std::string text;
    ColourValue textColour = 0;
};

SwatchLook DescribeSwatch(const std::string& storedCode, const PaletteOptions& options,
                          const std::string& prefix);

// Black text above 128, white at or below.
int SwatchBrightness(ColourValue colour);

void PaintSwatch(Canvas& canvas, const SwatchLook& look);

// A frameless, colour-keyed window that never takes the focus, at the
// palette's place with the given client size.
WindowSpec PaletteWindowSpec(const PaletteOptions& options, Size client, int owner);

// Opens palette k in slot s (or the first free slot for s = -1); returns the
// slot, or -1 when nothing was opened.
int OpenPaletteWindow(App& app, Platform& platform, int k, int s);

// The slot whose swatch a control number is, or 0.
int SlotOfSwatch(const App& app, int control);

// Marks the palette window of `name` with a red edge and clears the mark of
// the other open palette windows.
void DrawSelectionMarks(App& app, Platform& platform, const std::string& name);

// From now on every window of the program reports to OnWindowHook.
void InstallWindowHook(App& app, Platform& platform);

// What the program does with the presses, moves and paints of its windows.
void OnWindowHook(App& app, Platform& platform, int window, HookEvent event);

void LoadFonts(Platform& platform);
void LoadImages(Platform& platform);
// The pictures, made once: before the first editor, manage or about window.
void EnsureImages(App& app, Platform& platform);

}  // namespace vandrel
