#include "resources/program_images.h"

#include <cstdint>

#include "resources/artwork.h"

namespace vandrel {

static_assert(GreyedImageNumber(picture::kFirst) > picture::kLast);

void LoadFonts(Platform& platform) {
    for (int number = 0; number <= 5; ++number)
        platform.MakeFont(number, {"Consolas", 7 + number, true, true});
}

void LoadImages(Platform& platform) {
    for (int number = picture::kFirst; number <= picture::kLast; ++number)
        platform.CreateImage(number, ProgramImage(number));
    // The system's own greying of a disabled button's picture leaves a flat
    // grey square under Wine.
    for (int number : kGreyedPictures)
        platform.CreateImage(GreyedImageNumber(number), GreyedImage(ProgramImage(number)));
}

Image GreyedImage(const Image& image) {
    Image greyed = image;
    for (std::uint32_t& pixel : greyed.pixels) {
        const std::uint32_t red = (pixel >> 16) & 0xFF, green = (pixel >> 8) & 0xFF,
                            blue = pixel & 0xFF;
        const std::uint32_t grey = (red * 299 + green * 587 + blue * 114 + 500) / 1000;
        pixel = (pixel & 0xFF000000u) | grey << 16 | grey << 8 | grey;
    }
    return greyed;
}

void EnsureImages(Platform& platform, bool& made) {
    if (made) return;
    LoadImages(platform);
    made = true;
}

}  // namespace vandrel
