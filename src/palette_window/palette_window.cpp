#include "palette_window/palette_window.h"

#include <algorithm>

#include "app/closing.h"
#include "palette/colour_code.h"
#include "resources/artwork.h"

namespace vandrel {

PaletteWindowLayout LayoutPaletteWindow(int colourCount, const SwatchGeometry& geometry) {
    const int w = geometry.width;
    const int h = geometry.height;
    const int taller = geometry.rounded ? 0 : 1;  // square swatches touch
    const int less = geometry.rounded ? -1 : 0;
    PaletteWindowLayout layout;
    layout.client = {w + 2, (h + 1) * colourCount + 2 + less};
    int y = 1;
    for (int j = 0; j < colourCount; ++j) {
        layout.swatches.push_back({1, y, 1 + w, y + h + taller});
        y += h + 1;
    }
    return layout;
}

int SwatchBrightness(ColourValue colour) {
    return static_cast<int>(RedOf(colour) * 0.2126) + static_cast<int>(GreenOf(colour) * 0.7152) +
           static_cast<int>(BlueOf(colour) * 0.0722);
}

SwatchLook DescribeSwatch(const std::string& storedCode, const PaletteOptions& options,
                          const std::string& prefix) {
    const SwatchGeometry geometry = EffectiveSwatchGeometry(options);
    const ColourValue value = ParseColourCode(storedCode);
    SwatchLook look;
    look.area = {0, 0, geometry.width, geometry.height + 1};
    look.rounded = geometry.rounded;
    look.shape = look.rounded ? Rect{0, 0, geometry.width, geometry.height} : look.area;
    look.radiusX = std::min(kSwatchCornerRadius, geometry.width / 2);
    look.radiusY = std::min(kSwatchCornerRadius, geometry.height / 2);
    look.fill = value == kKeyColour ? Rgb(255, 255, 255) : value;
    look.outline = options.Outline == 1;
    look.font = geometry.font;
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
        if (look.outline) canvas.FrameRoundRect(look.shape, look.radiusX, look.radiusY, black);
    } else {
        canvas.FillRect(look.area, look.fill);
        if (look.outline) canvas.FrameRect(look.area, black);
    }
    if (look.font < 0) return;
    const Size text = canvas.MeasureText(look.font, look.text);
    const int height = look.shape.Height() - (look.rounded ? 0 : 1);
    const int x = static_cast<int>((look.shape.Width() - text.width) / 2.0);
    const int y = static_cast<int>((height - text.height) / 2.0);
    canvas.DrawText(look.font, x, y, look.text, look.textColour);
}

int SlotOfSwatch(const App& app, int control) {
    for (int slot = 1; slot <= kMaxOpenPalettes; ++slot) {
        if (control >= app.SwatchIds[slot][0] && control <= app.SwatchIds[slot][kMaxColours])
            return slot;
    }
    return 0;
}

namespace {

// Lowest free slot, or the palette's own slot when it is already shown
// there (its window is then closed to be opened afresh).
int ChooseSlot(App& app, Platform& platform, int k) {
    int s = -1;
    for (int i = 1; i <= kMaxOpenPalettes; ++i) {
        const bool exists = platform.WindowExists(i);
        if (!exists && s < 0) s = i;
        if (exists && app.Slots[i].PaletteName == app.PaletteNames[k]) {
            ClosePaletteWindow(app, platform, i);
            s = i;
        }
    }
    return s;
}

int OwnerWindow(Platform& platform) {
    if (platform.WindowExists(kTrayOwnerWindow)) return kTrayOwnerWindow;
    if (platform.WindowExists(kManageWindow)) return kManageWindow;
    return kNoWindow;
}

}  // namespace

int OpenPaletteWindow(App& app, Platform& platform, int k, int s) {
    if (k < 0 || k > kMaxPaletteIndex || app.PaletteNames[k].empty()) return -1;
    if (s < 1 || s > kMaxOpenPalettes) s = ChooseSlot(app, platform, k);
    if (s < 0) {
        platform.ShowMessage("Error",
                             "Maximum number of palettes open! (" +
                                 std::to_string(kMaxOpenPalettes) + ")",
                             MessageButtons::Ok);
        return -1;
    }
    // A slot given by the caller may still hold a window (a hand-edited
    // settings file naming one slot twice): never leave a window orphaned.
    if (platform.WindowExists(s)) ClosePaletteWindow(app, platform, s);

    Slot& slot = app.Slots[s];
    slot.PaletteIndex = static_cast<std::int16_t>(k);
    slot.PaletteName = app.PaletteNames[k];
    PaletteOptions& options = OptionsOf(app, slot.PaletteName);

    const int n = std::clamp(app.PaletteColourCount[k], 0, kMaxColours);
    const SwatchGeometry geometry = EffectiveSwatchGeometry(options);
    const PaletteWindowLayout layout = LayoutPaletteWindow(n, geometry);
    const Rect client{options.X, options.Y, options.X + layout.client.width,
                      options.Y + layout.client.height};
    slot.WindowHandle = platform.CreatePaletteWindow(s, client, OwnerWindow(platform), kKeyColour);
    if (slot.WindowHandle == 0) return -1;

    for (int j = 0; j < n; ++j) {
        const std::string& code = app.PaletteColours[k][j];
        const int control = app.SwatchIds[s][j];
        if (!platform.CreateSwatch(s, control, layout.swatches[j], ParseColourCode(code)))
            continue;
        const SwatchLook look = DescribeSwatch(code, options, app.settings.Prefix);
        platform.DrawOnControl(s, control, [&look](Canvas& canvas) { PaintSwatch(canvas, look); });
        platform.SetControlCursor(s, control,
                                  options.Drag == 1 ? CursorKind::SizeAll : CursorKind::Hand);
    }
    platform.SetExtendedStyle(s, kPaletteWindowExStyle);
    platform.SetColourKey(s, kKeyColour);
    platform.InstallWindowHook([&app, &platform](int window, HookEvent event) {
        OnWindowHook(app, platform, window, event);
    });
    // Shown once complete, so the key colour never flashes on screen.
    platform.ShowWindow(s);
    if (options.Sticky == 1) platform.SetTopmost(s, true);
    options.WinID = static_cast<std::int8_t>(s);
    return s;
}

namespace {

// Red edge on the palette window of `name`; with `clearOthers`, the key
// colour (no edge) on the other open palette windows.
void MarkPalette(App& app, Platform& platform, const std::string& name, bool clearOthers) {
    for (int slot = 1; slot <= kMaxOpenPalettes; ++slot) {
        if (app.Slots[slot].PaletteName.empty() || !platform.WindowExists(slot)) continue;
        const bool selected = !name.empty() && app.Slots[slot].PaletteName == name;
        if (selected || clearOthers)
            platform.DrawClientOutline(slot, selected ? Rgb(255, 0, 0) : kKeyColour);
    }
}

}  // namespace

void DrawSelectionMarks(App& app, Platform& platform, const std::string& name) {
    MarkPalette(app, platform, name, true);
}

void OnWindowHook(App& app, Platform& platform, int /*window*/, HookEvent event) {
    // Drawing does not survive a repaint: the mark is drawn again each time.
    if (event != HookEvent::Painted || !app.manageOpen || !platform.WindowExists(kManageWindow))
        return;
    MarkPalette(app, platform, platform.ControlText(kManageWindow, kPaletteList), false);
}

void LoadFonts(Platform& platform) {
    for (int number = 0; number <= 5; ++number) platform.CreateSwatchFont(number, 7 + number);
}

void LoadImages(Platform& platform) {
    for (int number = 1; number <= 19; ++number) platform.CreateImage(number, ProgramImage(number));
}

}  // namespace vandrel
