#include "resources/program_images.h"

#include "resources/artwork.h"

namespace vandrel {

void LoadFonts(Platform& platform) {
    for (int number = 0; number <= 5; ++number)
        platform.MakeFont(number, {"Consolas", 7 + number, true, true});
}

void LoadImages(Platform& platform) {
    for (int number = 1; number <= 19; ++number) platform.CreateImage(number, ProgramImage(number));
}

void EnsureImages(Platform& platform, bool& made) {
    if (made) return;
    LoadImages(platform);
    made = true;
}

}  // namespace vandrel
