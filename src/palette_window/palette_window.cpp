#include "palette_window/palette_window.h"

#include <algorithm>

#include "core/dialog_owner.h"
#include "core/scale.h"
#include "core/window_place.h"
#include "palette/colour_code.h"
#include "palette/colour_format.h"
#include "resources/program_images.h"

namespace vandrel {

PaletteWindowLayout LayoutPaletteWindow(int colourCount, const SwatchGeometry& geometry, int dpi) {
    const int w = geometry.width;
    const int h = geometry.height;
    const int taller = geometry.rounded ? 0 : 1;  // square swatches touch
    const int less = geometry.rounded ? -1 : 0;
    PaletteWindowLayout layout;
    // Laid out in units, then every edge scaled: the swatches keep meeting.
    layout.client = {Scaled(w + 2, dpi), Scaled((h + 1) * colourCount + 2 + less, dpi)};
    int y = 1;
    for (int j = 0; j < colourCount; ++j) {
        layout.swatches.push_back(Scaled(Rect{1, y, 1 + w, y + h + taller}, dpi));
        y += h + 1;
    }
    return layout;
}

int SwatchBrightness(ColourValue colour) {
    return static_cast<int>(RedOf(colour) * 0.2126) + static_cast<int>(GreenOf(colour) * 0.7152) +
           static_cast<int>(BlueOf(colour) * 0.0722);
}

SwatchLook DescribeSwatch(const std::string& storedCode, const PaletteOptions& options, const std::string& prefix,
                          int dpi, int font, Size control) {
    const SwatchGeometry geometry = EffectiveSwatchGeometry(options);
    const ColourValue value = ParseColourCode(storedCode);
    // The swatch control's own size where it is known: its edges were scaled,
    // not its lengths, and the drawing must fill it to the pixel.
    const bool known = control.width > 0 && control.height > 0;
    const int width = known ? control.width : Scaled(geometry.width, dpi);
    const int height = known ? control.height - (geometry.rounded ? 0 : 1) : Scaled(geometry.height, dpi);
    SwatchLook look;
    look.area = {0, 0, width, known ? height + 1 : Scaled(geometry.height + 1, dpi)};
    look.rounded = geometry.rounded;
    look.shape = look.rounded ? Rect{0, 0, width, height} : look.area;
    look.radiusX = Scaled(std::min(kSwatchCornerRadius, geometry.width / 2), dpi);
    look.radiusY = Scaled(std::min(kSwatchCornerRadius, geometry.height / 2), dpi);
    look.fill = value == kKeyColour ? Rgb(255, 255, 255) : value;
    look.outline = options.Outline == 1;
    look.outlineWidth = Scaled(1, dpi);
    look.font = geometry.font < 0 ? -1 : (font >= 0 ? font : geometry.font);
    if (look.font >= 0) {
        look.text = prefix + storedCode;
        look.textColour = SwatchBrightness(look.fill) > 128 ? Rgb(0, 0, 0) : Rgb(255, 255, 255);
    }
    return look;
}

void PaintSwatch(Canvas& canvas, const SwatchLook& look) {
    const ColourValue black = Rgb(0, 0, 0);
    if (look.rounded) {
        canvas.FillRect(look.area, kKeyColour);
        canvas.FillRoundRect(look.shape, look.radiusX, look.radiusY, look.fill);
        if (look.outline) canvas.FrameRoundRect(look.shape, look.radiusX, look.radiusY, black, look.outlineWidth);
    } else {
        canvas.FillRect(look.area, look.fill);
        if (look.outline) canvas.FrameRect(look.area, black, look.outlineWidth);
    }
    if (look.font < 0) return;
    const Size text = canvas.MeasureText(look.font, look.text);
    const int height = look.shape.Height() - (look.rounded ? 0 : 1);
    const int x = static_cast<int>((look.shape.Width() - text.width) / 2.0);
    const int y = static_cast<int>((height - text.height) / 2.0);
    canvas.DrawText(look.font, x, y, look.text, look.textColour);
}

int SlotOfSwatch(int control) {
    for (int slot = 1; slot <= kMaxOpenPalettes; ++slot) {
        if (control >= SwatchId(slot, 0) && control <= SwatchId(slot, kMaxColours)) return slot;
    }
    return 0;
}

namespace {

// Lowest free slot, or the palette's own slot when it is already shown
// there (its window is then closed to be opened afresh).
int ChooseSlot(App& app, Platform& platform, int k) {
    int s = -1;
    for (int i = 1; i <= kMaxOpenPalettes; ++i) {
        const bool exists = WindowExists(platform, i);
        if (!exists && s < 0) s = i;
        if (exists && app.Slots[i].PaletteName == app.PaletteNames[k]) {
            ClosePaletteWindow(app, platform, i);
            s = i;
        }
    }
    return s;
}

int OwnerWindow(Platform& platform) {
    if (WindowExists(platform, kTrayOwnerWindow)) return kTrayOwnerWindow;
    if (WindowExists(platform, kManageWindow)) return kManageWindow;
    return kNoWindow;
}

// No screen reaches this far; a hand-edited place beyond it would overflow
// the window's rectangle.
constexpr std::int32_t kFarthestPlace = 1000000;

std::int32_t WithinReach(std::int32_t coordinate) {
    return std::clamp(coordinate, -kFarthestPlace, kFarthestPlace);
}

}  // namespace

WindowSpec PaletteWindowSpec(const PaletteOptions& options, Size client, int owner) {
    WindowSpec description;
    description.kind = WindowKind::Palette;
    const int x = WithinReach(options.X);
    const int y = WithinReach(options.Y);
    description.client = {x, y, x + client.width, y + client.height};
    description.title = "VN";
    description.owner = owner;
    description.background = kKeyColour;
    description.colourKey = kKeyColour;
    description.noActivate = true;
    description.topmost = options.Sticky == 1;
    return description;
}

std::string SwatchTip(const App& app, const PaletteOptions& options, ColourValue colour) {
    if (app.settings.SwatchTips == 0) return {};
    return SwatchTipText(colour, options.Format, app.settings.Prefix);
}

void RefreshSwatchTips(App& app, Platform& platform, int slot) {
    const Slot& s = app.Slots[slot];
    if (s.PaletteName.empty()) return;
    const PaletteOptions& options = OptionsOf(app, s.PaletteName);
    for (int j = 0; j < kMaxColours; ++j) {
        const ControlState swatch = platform.ReadControl(slot, SwatchId(slot, j));
        if (!swatch.exists) continue;
        platform.ChangeControl(slot, SwatchId(slot, j), {.tooltip = SwatchTip(app, options, swatch.data)});
    }
}

int OpenPaletteWindow(App& app, Platform& platform, int k, int s) {
    if (k < 0 || k > kMaxPaletteIndex || app.PaletteNames[k].empty()) return -1;
    if (s < 1 || s > kMaxOpenPalettes) s = ChooseSlot(app, platform, k);
    if (s < 0) {
        platform.ShowMessage(
            DialogOwner(platform), "Error",
            "Maximum number of palettes open! (" + std::to_string(kMaxOpenPalettes) + ")",
            MessageButtons::Ok);
        return -1;
    }
    // A slot given by the caller may still hold a window (a hand-edited
    // settings file naming one slot twice): never leave a window orphaned.
    if (WindowExists(platform, s)) ClosePaletteWindow(app, platform, s);

    Slot& slot = app.Slots[s];
    slot.PaletteIndex = static_cast<std::int16_t>(k);
    slot.PaletteName = app.PaletteNames[k];
    PaletteOptions& options = OptionsOf(app, slot.PaletteName);

    const int n = std::clamp(app.PaletteColourCount[k], 0, kMaxColours);
    const SwatchGeometry geometry = EffectiveSwatchGeometry(options);
    // Drawn at the scale of the monitor its corner stands on.
    const int dpi = platform.DpiAt({WithinReach(options.X), WithinReach(options.Y)});
    const int font = geometry.font < 0 ? -1 : SwatchFontAt(platform, app.fontsMade, geometry.font, dpi);
    const PaletteWindowLayout layout = LayoutPaletteWindow(n, geometry, dpi);
    // No handle while the window is being made: the moves of its creation
    // are not the user's and are never snapped.
    slot.WindowHandle = 0;
    const std::int64_t handle =
        platform.OpenWindow(s, PaletteWindowSpec(options, layout.client, OwnerWindow(platform)));
    if (handle == 0) return -1;

    for (int j = 0; j < n; ++j) {
        const std::string code = app.PaletteColours[k][j];
        const ColourValue colour = ParseColourCode(code);
        const ControlSpec swatch{.kind = ControlKind::Surface,
                                 .id = SwatchId(s, j),
                                 .rect = layout.swatches[j],
                                 .tooltip = SwatchTip(app, options, colour),
                                 .data = colour,
                                 .cursor = options.Drag == 1 ? CursorKind::SizeAll : CursorKind::Hand};
        if (!platform.AddControl(s, swatch)) continue;
        const SwatchLook look = DescribeSwatch(code, options, app.settings.Prefix, dpi, font,
                                               {swatch.rect.Width(), swatch.rect.Height()});
        platform.Paint(s, swatch.id, [&look](Canvas& canvas) { PaintSwatch(canvas, look); });
    }
    // Shown once complete, so the key colour never flashes on screen.
    platform.ShowWindow(s);
    slot.WindowHandle = handle;
    slot.dpi = dpi;
    options.WinID = static_cast<std::int8_t>(s);
    return s;
}

namespace {

// Red edge on the palette window of `name`; with `clearOthers`, the key
// colour (no edge) on the other open palette windows.
void MarkPalette(App& app, Platform& platform, const std::string& name, bool clearOthers) {
    for (int slot = 1; slot <= kMaxOpenPalettes; ++slot) {
        if (app.Slots[slot].PaletteName.empty()) continue;
        const auto rect = platform.WindowRect(slot);
        if (!rect) continue;
        const bool selected = !name.empty() && app.Slots[slot].PaletteName == name;
        if (!selected && !clearOthers) continue;
        const Rect client{0, 0, rect->Width(), rect->Height()};
        const ColourValue colour = selected ? Rgb(255, 0, 0) : kKeyColour;
        // As wide as the window's margin, at its scale.
        const int width = Scaled(1, app.Slots[slot].dpi);
        platform.Paint(slot, 0, [&](Canvas& canvas) { canvas.FrameRect(client, colour, width); });
    }
}

}  // namespace

void DrawSelectionMarks(App& app, Platform& platform, const std::string& name) {
    MarkPalette(app, platform, name, true);
}

void ClosePaletteWindow(App& app, Platform& platform, int slot) {
    Slot& s = app.Slots[slot];
    PaletteOptions& options = OptionsOf(app, s.PaletteName);
    if (const auto place = platform.WindowRect(slot)) {
        options.X = place->left;
        options.Y = place->top;
    }
    options.WinID = -1;
    s.PaletteName.clear();
    s.WindowHandle = 0;
    platform.CloseWindow(slot);
}

void RefreshPaletteWindows(App& app, Platform& platform, const std::string& name) {
    if (name.empty()) {
        for (int slot = 1; slot <= kMaxOpenPalettes; ++slot) {
            const std::string shown = app.Slots[slot].PaletteName;
            if (shown.empty() || !WindowExists(platform, slot)) continue;
            ClosePaletteWindow(app, platform, slot);
            // Reopened by name: a palette that has left the list stays closed
            // instead of opening whichever palette now has its old index.
            const int index = PaletteIndexOf(app, shown);
            if (index >= 0) OpenPaletteWindow(app, platform, index, slot);
        }
        return;
    }
    const int slot = OptionsOf(app, name).WinID;
    if (slot < 1 || slot > kMaxOpenPalettes || !WindowExists(platform, slot) ||
        app.Slots[slot].PaletteName != name)
        return;
    ClosePaletteWindow(app, platform, slot);
    // A palette that has left the list (locked, or its file gone) stays closed
    // rather than being reopened under another palette's index.
    const int index = PaletteIndexOf(app, name);
    if (index >= 0) OpenPaletteWindow(app, platform, index, -1);
}

void RescalePaletteWindow(App& app, Platform& platform, int slot) {
    if (slot < 1 || slot > kMaxOpenPalettes || app.Slots[slot].PaletteName.empty()) return;
    if (!StandsAtOtherDpi(platform, slot, app.Slots[slot].dpi)) return;
    const std::string name = app.Slots[slot].PaletteName;
    // Closed (its place remembered) and built again in the same slot, its corner where it was.
    ClosePaletteWindow(app, platform, slot);
    const int index = PaletteIndexOf(app, name);
    if (index >= 0) OpenPaletteWindow(app, platform, index, slot);
}

void CloseAllPaletteWindows(App& app, Platform& platform) {
    for (int slot = 1; slot <= kMaxOpenPalettes; ++slot) {
        if (!app.Slots[slot].PaletteName.empty() && WindowExists(platform, slot))
            ClosePaletteWindow(app, platform, slot);
    }
}

void ReopenPalettes(App& app, Platform& platform) {
    // Copy the names first: opening a window may add option records.
    std::vector<std::pair<std::string, int>> toOpen;
    for (const auto& [name, options] : app.PaletteOptionsByName) {
        if (options.WinID >= 1 && options.WinID <= kMaxOpenPalettes)
            toOpen.emplace_back(name, options.WinID);
    }
    for (const auto& [name, claimed] : toOpen) {
        const int index = PaletteIndexOf(app, name);
        if (index < 0) continue;
        // A hand-edited file may have two palettes claim one slot, or more
        // palettes than there are slots: what fits opens in a free slot,
        // silently, and the rest is recorded as closed.
        int slot = claimed;
        for (int i = 1; WindowExists(platform, slot) && i <= kMaxOpenPalettes; ++i) slot = i;
        if (WindowExists(platform, slot)) {
            OptionsOf(app, name).WinID = -1;
            continue;
        }
        OpenPaletteWindow(app, platform, index, slot);
    }
}

void MarkSelectedPalette(App& app, Platform& platform, const std::string& name) {
    MarkPalette(app, platform, name, false);
}

}  // namespace vandrel
