// The program's fonts and pictures, made in the platform under their numbers.
#pragma once

#include <set>

#include "platform/platform.h"
#include "resources/artwork.h"

namespace vandrel {

// The pictures of the buttons that are disabled at times (the manage window's
// palette buttons while nothing is selected): they get greyed pictures too.
constexpr int kGreyedPictures[] = {picture::kOpenPaletteWindow, picture::kEditPalette,
                                   picture::kResetPosition, picture::kLock,
                                   picture::kDeletePalette};

// The six swatch fonts, 7 to 12 points at 96 DPI, numbered 0 to 5.
void LoadFonts(Platform& platform);
// The pictures, and the greyed ones of kGreyedPictures.
void LoadImages(Platform& platform);
// The number under which picture `number` is made for `dpi` (its own at 96).
// (A block of a thousand numbers per DPI, the greyed pictures' among them.)
constexpr int ImageAt(int number, int dpi) { return dpi == 96 || dpi <= 0 ? number : 1000 * (dpi + 1) + number; }
static_assert(GreyedImageNumber(ImageAt(picture::kLast, 144)) < ImageAt(picture::kFirst, 145));
// The pictures for `dpi`, drawn at its size, made once per DPI.
void EnsureImagesAt(Platform& platform, bool& made96, std::set<int>& madeDpis, int dpi);

// A control of a layout drawn up at 96 DPI, placed and pictured at `dpi`.
ControlSpec AtDpi(ControlSpec control, int dpi);

// The number of swatch font `size` (0 to 5) at `dpi`, made on its first use
// (`made` holds the numbers made so far); at 96 DPI the size's own number.
int SwatchFontAt(Platform& platform, std::set<int>& made, int size, int dpi);
// The pictures, made once (`made` tells): before the first editor, manage or about window.
void EnsureImages(Platform& platform, bool& made);

// The picture in greys, each pixel as light as it was (the weights of the
// system's own greying), its transparency kept.
Image GreyedImage(const Image& image);

}  // namespace vandrel
