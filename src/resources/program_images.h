// The program's fonts and pictures, made in the platform under their numbers.
#pragma once

#include "platform/platform.h"
#include "resources/artwork.h"

namespace vandrel {

// The pictures of the buttons that are disabled at times (the manage window's
// palette buttons while nothing is selected): they get greyed pictures too.
constexpr int kGreyedPictures[] = {picture::kOpenPaletteWindow, picture::kEditPalette,
                                   picture::kResetPosition, picture::kLock,
                                   picture::kDeletePalette};

// The six swatch fonts, 7 to 12 points, numbered 0 to 5.
void LoadFonts(Platform& platform);
// The pictures, and the greyed ones of kGreyedPictures.
void LoadImages(Platform& platform);
// The pictures, made once (`made` tells): before the first editor, manage or about window.
void EnsureImages(Platform& platform, bool& made);

// The picture in greys, each pixel as light as it was (the weights of the
// system's own greying), its transparency kept.
Image GreyedImage(const Image& image);

}  // namespace vandrel
