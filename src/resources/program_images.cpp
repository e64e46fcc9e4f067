#include "resources/program_images.h"

#include <cstdint>

#include "core/scale.h"
#include "resources/artwork.h"

namespace vandrel {

namespace {

FontSpec SwatchFont(int size, int dpi) { return {"Consolas", 7 + size, true, true, dpi}; }

}  // namespace

static_assert(GreyedImageNumber(picture::kFirst) > picture::kLast);

void LoadFonts(Platform& platform) {
    for (int number = 0; number <= 5; ++number) platform.MakeFont(number, SwatchFont(number, 96));
}

void EnsureImagesAt(Platform& platform, bool& made96, std::set<int>& madeDpis, int dpi) {
    if (dpi == 96 || dpi <= 0) {
        EnsureImages(platform, made96);
        return;
    }
    if (!madeDpis.insert(dpi).second) return;
    const double scale = dpi / 96.0;
    for (int number = picture::kFirst; number <= picture::kLast; ++number)
        platform.CreateImage(ImageAt(number, dpi), ProgramImage(number, scale));
    for (int number : kGreyedPictures)
        platform.CreateImage(GreyedImageNumber(ImageAt(number, dpi)), GreyedImage(ProgramImage(number, scale)));
}

ControlSpec AtDpi(ControlSpec control, int dpi) {
    if (dpi == 96 || dpi <= 0) return control;
    control.rect = Scaled(control.rect, dpi);
    if (control.image > 0) control.image = ImageAt(control.image, dpi);
    for (ToolItem& tool : control.tools)
        if (tool.image > 0) tool.image = ImageAt(tool.image, dpi);
    return control;
}

int SwatchFontAt(Platform& platform, std::set<int>& made, int size, int dpi) {
    if (dpi == 96 || dpi <= 0) return size;
    const int number = 100 + dpi * 8 + size;
    if (made.insert(number).second) platform.MakeFont(number, SwatchFont(size, dpi));
    return number;
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
