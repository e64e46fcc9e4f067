#include "tools/screen_pick.h"

#include <algorithm>

#include "palette/colour_format.h"
#include "resources/program_images.h"

namespace vandrel {
namespace {

// Virtual keys the picker answers to.
constexpr int kKeyReturn = 0x0D, kKeyEscape = 0x1B, kKeySpace = 0x20;
constexpr int kKeyLeft = 0x25, kKeyRight = 0x27;
constexpr int kKeyAdd = 0x6B, kKeySubtract = 0x6D, kKeyPlus = 0xBB, kKeyMinus = 0xBD;
constexpr int kKeyNumpad0 = 0x60;
constexpr std::uint32_t kAllModifiers = kModAlt | kModCtrl | kModShift | kModWin;

enum class Step { Goes, Redraw, Take, Cancel };

// The loupe window: opened with the pick, closed by any way out of it.
class Loupe {
public:
    explicit Loupe(Platform& platform) : platform_(platform) {}
    ~Loupe() { platform_.CloseWindow(kLoupeWindow); }
    Loupe(const Loupe&) = delete;
    Loupe& operator=(const Loupe&) = delete;

    void Draw(App& app, Point at, const std::vector<Rect>& monitors, const Rect& screen) {
        const LoupeLook look{app.picker.across, app.picker.square};
        ScreenPatch patch = ReadPatch(platform_, at, look.across, screen);
        // The screen as it was, the loupe where it was: nothing to draw (the pointer rests).
        if (shown_ && at == at_ && look == look_ && patch.pixels.pixels == shownPixels_) return;
        colour_ = MeanColour(patch, look.square);
        const Image grid = LoupeGrid(patch, look);
        const int dpi = platform_.DpiAt(at);
        const Size size{grid.width, grid.height + kLoupeStrip * dpi / 96};
        if (!Ready(size)) return;
        const int font = SwatchFontAt(platform_, app.fontsMade, kDefaultSwatchFont, dpi);
        const std::string text = colour_ ? PickedText(app, *colour_) : "";
        const ColourValue fill = colour_.value_or(0);
        const ColourValue ink = ContrastRatio(fill, 0) >= ContrastRatio(fill, Rgb(255, 255, 255)) ? 0 : Rgb(255, 255, 255);
        platform_.Paint(kLoupeWindow, kLoupeSurface, [&](Canvas& canvas) {
            canvas.DrawImage(grid, {0, 0});
            canvas.FillRect({0, grid.height, size.width, size.height}, fill);
            const Size measured = canvas.MeasureText(font, text);
            canvas.DrawText(font, (size.width - measured.width) / 2,
                            grid.height + (size.height - grid.height - measured.height) / 2, text, ink);
        });
        const Point place = PlaceLoupe(at, size, monitors);
        if (!shown_ || place != place_) platform_.PlaceWindow(kLoupeWindow, place);
        // Other topmost windows that came up meanwhile must not cover it.
        platform_.SetTopmost(kLoupeWindow, true);
        if (!shown_) platform_.ShowWindow(kLoupeWindow);
        shown_ = true;
        place_ = place;
        at_ = at;
        look_ = look;
        shownPixels_ = std::move(patch.pixels.pixels);
    }

    std::optional<ColourValue> Colour() const { return colour_; }

private:
    // The window at that size, opened or resized; false when it cannot be.
    bool Ready(Size size) {
        if (size == size_ && WindowExists(platform_, kLoupeWindow)) return true;
        const Rect client{0, 0, size.width, size.height};
        if (!WindowExists(platform_, kLoupeWindow)) {
            WindowSpec loupeWindow;
            loupeWindow.kind = WindowKind::Palette;
            loupeWindow.client = client;
            loupeWindow.title = "Vandrel Loupe";
            loupeWindow.background = Rgb(0, 0, 0);
            loupeWindow.topmost = loupeWindow.noActivate = loupeWindow.clickThrough = true;
            if (platform_.OpenWindow(kLoupeWindow, loupeWindow) == 0) return false;
        } else {
            platform_.SetClientSize(kLoupeWindow, size);
            platform_.RemoveControl(kLoupeWindow, kLoupeSurface);
        }
        if (!platform_.AddControl(kLoupeWindow, {.kind = ControlKind::Surface, .id = kLoupeSurface, .rect = client}))
            return false;
        size_ = size;
        return true;
    }

    Platform& platform_;
    Size size_;
    bool shown_ = false;
    // What the loupe shows now.
    Point place_, at_;
    LoupeLook look_;
    std::vector<std::uint32_t> shownPixels_;
    std::optional<ColourValue> colour_;
};

// The picking flag and the hooks end together, whatever ends the pick.
class Picking {
public:
    Picking(App& app, std::unique_ptr<Hold> input) : app_(app), input_(std::move(input)) {
        app_.picker.picking = input_ != nullptr;
    }
    ~Picking() { app_.picker.picking = false; }
    Picking(const Picking&) = delete;
    Picking& operator=(const Picking&) = delete;
    bool Held() const { return input_ != nullptr; }

private:
    App& app_;
    std::unique_ptr<Hold> input_;
};

bool IsShortcut(const App& app, const PickInput& input) {
    return app.picker.keys && input.key == app.picker.keys->virtualKey &&
           (input.modifiers & kAllModifiers) == app.picker.keys->modifiers;
}

Step KeyDown(App& app, Platform& platform, const PickInput& input, Point& at, const Rect& screen) {
    PickerState& picker = app.picker;
    if (IsShortcut(app, input)) {
        // The hooks see every release: a press while held is its own repeat (which comes
        // soon after the one before; a release before the hooks came is not seen).
        const bool repeat = picker.keyHeld && platform.Clock() - picker.shortcutSeen < kShortcutRepeat;
        picker.keyHeld = true;
        picker.shortcutSeen = std::max<std::uint32_t>(platform.Clock(), 1);
        return repeat ? Step::Goes : Step::Cancel;
    }
    const int key = input.key;
    if (key >= kKeyLeft && key <= kKeyLeft + 3) {
        const int distance = (input.modifiers & kModShift) != 0 ? 10 : 1;
        const int dx = key == kKeyLeft ? -distance : key == kKeyRight ? distance : 0;
        const int dy = key == kKeyLeft + 1 ? -distance : key == kKeyLeft + 3 ? distance : 0;
        at = {std::clamp(at.x + dx, screen.left, std::max(screen.left, screen.right - 1)),
              std::clamp(at.y + dy, screen.top, std::max(screen.top, screen.bottom - 1))};
        // Where the system will not move the pointer, the loupe still moves.
        platform.MoveCursor(at);
        return Step::Redraw;
    }
    if (key == kKeyReturn || key == kKeySpace) return Step::Take;
    if (key == kKeyEscape) return Step::Cancel;
    if (key == kKeyPlus || key == kKeyAdd) {
        picker.across = ZoomedIn(picker.across);
        return Step::Redraw;
    }
    if (key == kKeyMinus || key == kKeySubtract) {
        picker.across = ZoomedOut(picker.across);
        return Step::Redraw;
    }
    for (int square : {1, 3, 5})
        if (key == '0' + square || key == kKeyNumpad0 + square) {
            picker.square = square;
            return Step::Redraw;
        }
    return Step::Goes;  // any other key is taken and does nothing
}

Step Apply(App& app, Platform& platform, const PickInput& input, Point& at, const Rect& screen) {
    switch (input.what) {
        case PickInputKind::Move:
            at = platform.PhysicalCursorPosition();
            return Step::Redraw;
        case PickInputKind::KeyDown:
            return KeyDown(app, platform, input, at, screen);
        case PickInputKind::KeyUp:
            if (app.picker.keys && input.key == app.picker.keys->virtualKey) app.picker.keyHeld = false;
            return Step::Goes;
        case PickInputKind::Wheel:
            if (input.wheel == 0) return Step::Goes;
            app.picker.across = input.wheel > 0 ? ZoomedIn(app.picker.across) : ZoomedOut(app.picker.across);
            return Step::Redraw;
        case PickInputKind::LeftPress:
            return Step::Take;
        case PickInputKind::RightPress:
            return Step::Cancel;
    }
    return Step::Goes;
}

// The loupe from the pick's start to its end: taken, cancelled, the program
// or the session ending. The loupe closes with it, before the hooks go.
void RunLoupe(App& app, Platform& platform, PickOutcome& outcome) {
    Loupe loupe(platform);
    const std::vector<Rect> monitors = platform.MonitorRects();
    const Rect screen = ScreenBounds(monitors);
    // A shortcut released before the hooks came is up now.
    if (app.picker.keyHeld && app.picker.keys && !platform.KeyIsDown(app.picker.keys->virtualKey))
        app.picker.keyHeld = false;
    Point at = platform.PhysicalCursorPosition();
    loupe.Draw(app, at, monitors, screen);
    std::uint32_t drawn = platform.Clock();
    for (;;) {
        const Event event = platform.WaitEvent(kLoupeRefresh);
        if (!app.running || app.sessionEnding) return;
        Step step = Step::Goes;
        if (event.kind == EventKind::PickInput) {
            step = Apply(app, platform, event.pick, at, screen);
        } else if (event.kind == EventKind::Hotkey) {
            // The shortcut pressed again while picking.
            if (ShortcutPressed(app, platform)) step = Step::Cancel;
        } else if (event.kind != EventKind::Timeout) {
            outcome.deferred.push_back(event);
            // The program is asked to end: the pick gives way.
            if (event.kind == EventKind::ExitAsked) step = Step::Cancel;
        }
        if (step == Step::Cancel) return;
        if (step == Step::Take) {
            loupe.Draw(app, at, monitors, screen);  // what the user sees now is what is taken
            outcome.colour = loupe.Colour();
            return;
        }
        if (step == Step::Redraw || platform.Clock() - drawn >= kLoupeRefresh) {
            loupe.Draw(app, at, monitors, screen);
            drawn = platform.Clock();
        }
    }
}

// A pick the shortcut ended keeps the hooks until the shortcut's key is up (a
// hand lets go at once), so that its release is seen and the next press is
// no repeat; one held longer than a repeat's delay is left to the repeat rule.
void AwaitShortcutRelease(App& app, Platform& platform, PickOutcome& outcome) {
    if (!app.picker.keyHeld || !app.picker.keys || !app.running || app.sessionEnding) return;
    const std::uint32_t start = platform.Clock();
    // Bounded in passes too: a clock that stands still must not hold the desktop.
    for (int pass = 0; pass < 200 && app.picker.keyHeld && platform.Clock() - start < kShortcutRepeat; ++pass) {
        const Event event = platform.WaitEvent(kLoupeRefresh);
        if (event.kind == EventKind::PickInput) {
            if (event.pick.what == PickInputKind::KeyUp && event.pick.key == app.picker.keys->virtualKey)
                app.picker.keyHeld = false;
        } else if (event.kind != EventKind::Timeout && event.kind != EventKind::Hotkey) {
            outcome.deferred.push_back(event);
        }
    }
}

}  // namespace

std::string PickedText(const App& app, ColourValue colour) {
    return FormatColour(EffectiveFormat(app.settings.PickFormat), colour, app.settings.Prefix);
}

bool ShortcutPressed(App& app, Platform& platform) {
    PickerState& picker = app.picker;
    if (!picker.keys) return false;
    const std::uint32_t now = platform.Clock();
    const std::uint32_t since = now - picker.shortcutSeen;
    // An echo repeats a press already handled: it changes nothing.
    if (picker.shortcutSeen != 0 && since < kShortcutEcho) return false;
    const bool repeat = picker.keyHeld && picker.shortcutSeen != 0 && since < kShortcutRepeat &&
                        platform.KeyIsDown(picker.keys->virtualKey);
    picker.keyHeld = true;
    picker.shortcutSeen = std::max<std::uint32_t>(now, 1);
    return !repeat;
}

PickOutcome PickFromScreen(App& app, Platform& platform) {
    PickOutcome outcome;
    if (app.picker.picking) return outcome;
    const Picking picking(app, platform.HoldPickInput());
    if (!picking.Held()) return outcome;
    outcome.held = true;
    RunLoupe(app, platform, outcome);
    AwaitShortcutRelease(app, platform, outcome);
    return outcome;
}
}  // namespace vandrel
