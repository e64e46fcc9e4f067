// Colours for the editor besides typing: the system's chooser, a random
// colour, a blend of the first two rows, and a new palette from the clipboard.
#pragma once

#include <string>
#include <vector>

#include "core/state.h"

namespace vandrel {

// A colour value with alpha in bits 24..31.
using AlphaColour = std::uint32_t;

// `top` over `bottom`, in integers as the blender has always mixed.
AlphaColour BlendOver(AlphaColour top, AlphaColour bottom);

// A uniform integer 0..n; the generator is seeded once per run at first use.
int RandomUpTo(App& app, Platform& platform, int n);

// Six uniform upper-case hex digits, without "#".
std::string RandomCode(App& app, Platform& platform);

void PickColour(App& app, Platform& platform);
void AddRandomColour(App& app, Platform& platform);
void BlendColours(App& app, Platform& platform);

// The first twelve pieces of the clipboard's text (cut at line feeds), each
// without a carriage return at its end and cut to 7 characters.
std::vector<std::string> ClipboardPieces(const std::string& text);

// "From clipboard" of the new-palette menu, once the editor's changes are
// saved or dropped: a named palette of the clipboard's codes in the editor.
void ImportFromClipboard(App& app, Platform& platform);

}  // namespace vandrel
