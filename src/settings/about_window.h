// The about window: the two logos, the welcome text and two links.
#pragma once

#include <string>
#include <vector>

#include "app/state.h"

namespace vandrel {

constexpr const char* kHelpAddress = "https://example.com/vandrel/help";
constexpr const char* kMailAddress = "vandrel@example.com";

// Three paragraphs, each pair separated by two carriage returns, in Windows-1252.
std::string WelcomeText();

WindowSpec AboutWindowSpec();
std::vector<ControlSpec> AboutControls();

// Opens the about window, or closes it when it is open.
void OpenAboutWindow(App& app, Platform& platform);

// A link of the about window: the shell opens the help page or a new mail.
void AboutLinkUsed(Platform& platform, int control);

}  // namespace vandrel
