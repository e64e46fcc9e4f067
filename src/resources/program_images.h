// The program's fonts and pictures, made in the platform under their numbers.
#pragma once

#include "platform/platform.h"

namespace vandrel {

// The six swatch fonts, 7 to 12 points, numbered 0 to 5.
void LoadFonts(Platform& platform);
void LoadImages(Platform& platform);
// The pictures, made once (`made` tells): before the first editor, manage or about window.
void EnsureImages(Platform& platform, bool& made);

}  // namespace vandrel
