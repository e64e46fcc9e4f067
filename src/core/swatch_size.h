// How big a swatch is: the one rule that ties a swatch's width and font to
// its height, for the defaults, the manage window's size slider and "Text".
#pragma once

#include "core/options.h"

namespace vandrel {

// The slider's six positions give heights 14 to 24; with text a swatch is
// three heights and five pixels wide (59 for the default 18) and takes the
// font of its position.
constexpr int kLargestSwatchPosition = 5;
constexpr int kLargestSwatchFont = kLargestSwatchPosition;
constexpr int SwatchHeightAt(int position) {
    return 2 * position + 14;
}
constexpr int SwatchPositionOf(int height) {
    return (height - 14) / 2;
}
constexpr int SwatchWidthWithText(int height) {
    return 3 * height + 5;
}
constexpr int SwatchFontFor(int height) {
    return SwatchPositionOf(height);
}
static_assert(SwatchWidthWithText(kDefaultSwatchHeight) == kDefaultSwatchWidth &&
              SwatchFontFor(kDefaultSwatchHeight) == kDefaultSwatchFont);

// Swatch sizes for a slider position, with and without the code text.
struct SwatchSize {
    int height = 0;
    int width = 0;
    int font = -1;
};
SwatchSize SizeForPosition(int position, bool text);

// Values a hand-edited file may hold that would make a window impossible,
// made safe where they are used; the stored values stay as the file says.
struct SwatchGeometry {
    int width = 0;
    int height = 0;
    int font = -1;  // -1: no text
    bool rounded = false;
};
SwatchGeometry EffectiveSwatchGeometry(const PaletteOptions& options);

}  // namespace vandrel
