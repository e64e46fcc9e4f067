// The program's fonts and pictures, made in the platform under their numbers.
#pragma once

#include <set>

#include "platform/platform.h"

namespace vandrel {

// The six swatch fonts, 7 to 12 points at 96 DPI, numbered 0 to 5.
void LoadFonts(Platform& platform);
void LoadImages(Platform& platform);
// The number under which picture `number` is made for `dpi` (its own at 96).
constexpr int ImageAt(int number, int dpi) { return dpi == 96 || dpi <= 0 ? number : 1000 + dpi * 32 + number; }
// The pictures for `dpi`, drawn at its size, made once per DPI.
void EnsureImagesAt(Platform& platform, bool& made96, std::set<int>& madeDpis, int dpi);

// The number of swatch font `size` (0 to 5) at `dpi`, made on its first use
// (`made` holds the numbers made so far); at 96 DPI the size's own number.
int SwatchFontAt(Platform& platform, std::set<int>& made, int size, int dpi);
// The pictures, made once (`made` tells): before the first editor, manage or about window.
void EnsureImages(Platform& platform, bool& made);

}  // namespace vandrel
