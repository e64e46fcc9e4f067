#include "resources/program_images.h"

#include "resources/artwork.h"

namespace vandrel {

namespace {

FontSpec SwatchFont(int size, int dpi) { return {"Consolas", 7 + size, true, true, dpi}; }

}  // namespace

void LoadFonts(Platform& platform) {
    for (int number = 0; number <= 5; ++number) platform.MakeFont(number, SwatchFont(number, 96));
}

void EnsureImagesAt(Platform& platform, bool& made96, std::set<int>& madeDpis, int dpi) {
    if (dpi == 96 || dpi <= 0) {
        EnsureImages(platform, made96);
        return;
    }
    if (!madeDpis.insert(dpi).second) return;
    for (int number = picture::kFirst; number <= picture::kLast; ++number)
        platform.CreateImage(ImageAt(number, dpi), ProgramImage(number, dpi / 96.0));
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
}

void EnsureImages(Platform& platform, bool& made) {
    if (made) return;
    LoadImages(platform);
    made = true;
}

}  // namespace vandrel
