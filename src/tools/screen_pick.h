// The picker: a colour taken from anywhere on the screen through a loupe
// beside the pointer, with the desktop's keys and mouse held for the time
// of the pick.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/state.h"
#include "tools/loupe.h"

namespace vandrel {

// ms between two looks at the screen while nothing moves: 25 a second, so a
// playing video or a caret shows live.
constexpr int kLoupeRefresh = 40;
constexpr int kLoupeSurface = 1;
// The shortcut's own press may also arrive as a Hotkey event once its pick
// has ended: one this soon after the last is that echo.
constexpr std::uint32_t kShortcutEcho = 300;
// A held key repeats after at most this long (Windows' longest delay is 1 s,
// X's default 660 ms; Windows itself sends no repeat of a registered shortcut).
constexpr std::uint32_t kShortcutRepeat = 700;

struct PickOutcome {
    bool held = false;  // the hooks were installed (the system may refuse them)
    std::optional<ColourValue> colour;  // none: cancelled, or nothing could be read
    // What came for the rest of the program meanwhile, in order, for the loop to run.
    std::vector<Event> deferred;
};

// Runs one pick to its end (taken, cancelled, the shortcut again, the program
// or the session ending); every end closes the loupe and releases the hooks.
PickOutcome PickFromScreen(App& app, Platform& platform);

// What a Hotkey event means now: false for the shortcut's own repeat or echo.
bool ShortcutPressed(App& app, Platform& platform);

// The picked colour's text in the PickFormat template.
std::string PickedText(const App& app, ColourValue colour);

}  // namespace vandrel
