// The program's pictures, drawn from code so that no image files need to be
// shipped or kept in step with the source.
#pragma once

#include "platform/types.h"

namespace vandrel {

// Picture numbers, as the windows ask for them.
namespace picture {
constexpr int kNewPalette = 1;
constexpr int kSavePalette = 2;
constexpr int kDeletePalette = 3;
constexpr int kCopyPalette = 4;
constexpr int kSettings = 5;  // drawn, not used by any window yet
constexpr int kAbout = 6;
constexpr int kGrabColour = 7;
constexpr int kColourPicker = 8;
constexpr int kBlender = 9;
constexpr int kRandomColour = 10;
constexpr int kOpenPaletteWindow = 11;
constexpr int kEditPalette = 12;
constexpr int kLock = 13;
constexpr int kResetPosition = 14;
constexpr int kPaletteFolder = 15;
constexpr int kMoveUp = 16;
constexpr int kMoveDown = 17;
constexpr int kAboutLeft = 18;
constexpr int kAboutRight = 19;
constexpr int kFirst = kNewPalette;
constexpr int kLast = kAboutRight;
}  // namespace picture

// Numbers 1..17 are 16x16 toolbar and button pictures, 18 and 19 the two
// 128x128 pictures of the about window, at 96 DPI; `scale` draws them that
// many times larger (1.5: 24x24 and 192x192). Any other number gives Image{}.
Image ProgramImage(int number, double scale = 1.0);

// The program's icon, a fan of colour swatches, at size x size.
Image ApplicationIcon(int size);

}  // namespace vandrel
