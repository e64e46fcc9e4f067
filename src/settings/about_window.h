// The about window: the two logos, the welcome text and two links.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "core/state.h"

namespace vandrel {

constexpr const char* kHelpAddress = "https://example.com/vandrel/help";
constexpr const char* kMailAddress = "vandrel@example.com";

// Three paragraphs, each pair separated by two carriage returns, in Windows-1252.
std::string WelcomeText();

WindowSpec AboutWindowSpec(int dpi = 96);
// The welcome text in font `welcomeFont`.
std::vector<ControlSpec> AboutControls(int welcomeFont);
// The welcome text's font: 11 points, or the largest smaller size of the set in which the whole
// text fits its box (a system without the font puts a wider one in its place, and the end of the
// text would be cut off).
int WelcomeFont(Platform& platform);
// The same at `dpi`: the fonts of that DPI (made on first use), the box scaled.
int WelcomeFont(Platform& platform, std::set<int>& fontsMade, int dpi);

// On a monitor of another DPI the window is made again at that scale.
void RescaleAboutWindow(App& app, Platform& platform);

// Opens the about window, or closes it when it is open.
void OpenAboutWindow(App& app, Platform& platform);

// A link of the about window: the shell opens the help page or a new mail;
// when no program can, an "Error" box names the address.
void AboutLinkUsed(Platform& platform, int control);

}  // namespace vandrel
