#include "core/swatch_size.h"

namespace vandrel {

SwatchSize SizeForPosition(int position, bool text) {
    const int height = SwatchHeightAt(position);
    return text ? SwatchSize{height, SwatchWidthWithText(height), position}
                : SwatchSize{height, height, -1};
}

SwatchGeometry EffectiveSwatchGeometry(const PaletteOptions& options) {
    // Swatches larger than this only come from a hand-edited file.
    constexpr int kLargestSwatch = 1000;
    const PaletteOptions defaults;
    SwatchGeometry geometry;
    geometry.width = options.SwatchWidth > 0 ? options.SwatchWidth : defaults.SwatchWidth;
    geometry.height = options.SwatchHeight > 0 ? options.SwatchHeight : defaults.SwatchHeight;
    if (geometry.width > kLargestSwatch) geometry.width = kLargestSwatch;
    if (geometry.height > kLargestSwatch) geometry.height = kLargestSwatch;
    geometry.font =
        options.SwatchFont < 0
            ? -1
            : (options.SwatchFont > kLargestSwatchFont ? kLargestSwatchFont : options.SwatchFont);
    geometry.rounded = options.Style != 0;
    return geometry;
}

}  // namespace vandrel
