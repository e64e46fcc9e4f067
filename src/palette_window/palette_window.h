// Palette windows: a frameless, colour-keyed column of swatches per slot.
#pragma once

#include <string>
#include <vector>

#include "core/state.h"
#include "core/swatch_size.h"

namespace vandrel {

constexpr int kSwatchCornerRadius = 7;

struct PaletteWindowLayout {
    Size client;
    std::vector<Rect> swatches;  // control rectangles within the client area
};

// The client size and swatch rectangles at a monitor's DPI.
PaletteWindowLayout LayoutPaletteWindow(int colourCount, const SwatchGeometry& geometry, int dpi = 96);

// How one swatch looks, decided from its code and the palette's options.
struct SwatchLook {
    Rect area;                // (0, 0, W, H + 1)
    Rect shape;               // the fill: the whole area, or W x H for rounded swatches
    bool rounded = false;
    int radiusX = 0;
    int radiusY = 0;
    ColourValue fill = 0;     // KeyColour shows as white
    bool outline = false;
    int outlineWidth = 1;     // one unit at the window's scale
    int font = -1;            // -1: no text
    std::string text;
    ColourValue textColour = 0;
};

// At `dpi`, the text in font number `font` (-1: the swatch size's own number),
// filling a swatch control of size `control` (none: the size the options give).
SwatchLook DescribeSwatch(const std::string& storedCode, const PaletteOptions& options,
                          const std::string& prefix, int dpi = 96, int font = -1, Size control = {});

// Black text above 128, white at or below.
int SwatchBrightness(ColourValue colour);

void PaintSwatch(Canvas& canvas, const SwatchLook& look);

// A frameless, colour-keyed window that never takes the focus, at the
// palette's place with the given client size.
WindowSpec PaletteWindowSpec(const PaletteOptions& options, Size client, int owner);

// Opens palette k in slot s (or the first free slot for s = -1); returns the
// slot, or -1 when nothing was opened.
int OpenPaletteWindow(App& app, Platform& platform, int k, int s);

// A swatch's tooltip (empty with "SwatchTips = 0"), and the tooltips of the
// window in `slot` told again after its format changed.
std::string SwatchTip(const App& app, const PaletteOptions& options, ColourValue colour);
void RefreshSwatchTips(App& app, Platform& platform, int slot);

// The slot whose swatch a control number is, or 0.
int SlotOfSwatch(int control);

// Closes a palette window and remembers where it stood.
void ClosePaletteWindow(App& app, Platform& platform, int slot);
void CloseAllPaletteWindows(App& app, Platform& platform);

// Closes and reopens palette windows so they show current options and
// colours: every open one for an empty name, else that palette's window.
void RefreshPaletteWindows(App& app, Platform& platform, const std::string& name);

// A palette window moved onto a monitor of another DPI is built again at
// that scale, in its slot, its top-left corner where it was.
void RescalePaletteWindow(App& app, Platform& platform, int slot);

// Reopens the palettes whose stored WinID names a slot, each in that slot.
void ReopenPalettes(App& app, Platform& platform);

// Marks the palette window of `name` with a red edge and clears the mark of
// the other open palette windows.
void DrawSelectionMarks(App& app, Platform& platform, const std::string& name);

// The mark drawn again on the palette window of `name` (a repaint wipes it);
// the other windows are left as they are.
void MarkSelectedPalette(App& app, Platform& platform, const std::string& name);

}  // namespace vandrel
