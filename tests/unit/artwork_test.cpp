#include "resources/artwork.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "resources/ico_file.h"
#include "resources/png_file.h"
#include "resources/program_images.h"
#include "resources/raster.h"
#include "fake/fake_platform.h"

namespace vandrel {
namespace {

int Alpha(std::uint32_t pixel) {
    return static_cast<int>(pixel >> 24);
}

std::uint32_t At(const Image& image, int x, int y) {
    return image.pixels[y * image.width + x];
}

unsigned U16(const std::string& bytes, std::size_t at) {
    return static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8;
}

std::uint32_t U32(const std::string& bytes, std::size_t at) {
    return U16(bytes, at) | static_cast<std::uint32_t>(U16(bytes, at + 2)) << 16;
}

TEST(ProgramImage, SmallPicturesAreSixteenSquareAndAboutPicturesLarger) {
    for (int number = picture::kFirst; number <= picture::kLast; ++number) {
        const Image image = ProgramImage(number);
        const int expected = number >= picture::kAboutLeft ? 128 : 16;
        EXPECT_EQ(image.width, expected) << "picture " << number;
        EXPECT_EQ(image.height, expected) << "picture " << number;
        EXPECT_EQ(image.pixels.size(), static_cast<std::size_t>(expected * expected));
    }
}

TEST(ProgramImage, NumbersOutsideTheRangeGiveAnEmptyImage) {
    for (int number : {-1, 0, 20, 21, 1000}) {
        const Image image = ProgramImage(number);
        EXPECT_EQ(image.width, 0) << number;
        EXPECT_EQ(image.height, 0) << number;
        EXPECT_TRUE(image.pixels.empty()) << number;
    }
}

TEST(ProgramImage, EveryPictureHasBothTransparentAndOpaquePixels) {
    for (int number = picture::kFirst; number <= picture::kLast; ++number) {
        const Image image = ProgramImage(number);
        int transparent = 0, opaque = 0;
        for (std::uint32_t pixel : image.pixels) {
            transparent += Alpha(pixel) == 0;
            opaque += Alpha(pixel) == 255;
        }
        EXPECT_GT(transparent, 0) << "picture " << number;
        // A real drawing, not a stray pixel or two.
        EXPECT_GT(opaque, image.width * image.height / 20) << "picture " << number;
    }
}

TEST(ProgramImage, LargePicturesHaveSoftEdges) {
    for (int number : {picture::kAboutLeft, picture::kAboutRight}) {
        int partial = 0;
        for (std::uint32_t pixel : ProgramImage(number).pixels) {
            partial += Alpha(pixel) > 0 && Alpha(pixel) < 255;
        }
        EXPECT_GT(partial, 100) << "picture " << number;
    }
}

TEST(ProgramImage, PicturesAreAllDifferent) {
    std::set<std::vector<std::uint32_t>> seen;
    for (int number = picture::kFirst; number <= picture::kLast; ++number) {
        EXPECT_TRUE(seen.insert(ProgramImage(number).pixels).second) << "picture " << number;
    }
}

TEST(ProgramImage, MoveDownIsMoveUpUpsideDown) {
    const Image up = ProgramImage(picture::kMoveUp);
    const Image down = ProgramImage(picture::kMoveDown);
    for (int y = 0; y < up.height; ++y) {
        for (int x = 0; x < up.width; ++x) {
            EXPECT_EQ(At(up, x, y), At(down, x, up.height - 1 - y)) << x << "," << y;
        }
    }
}

TEST(GreyedImage, KeepsEachPixelsLightAndTransparencyButNoColour) {
    Image image;
    image.width = 3;
    image.height = 2;
    image.pixels = {0xFFFF0000u, 0x8000FF00u, 0xFF0000FFu, 0x00000000u, 0xFFFFFFFFu, 0x40808080u};
    const Image greyed = GreyedImage(image);
    EXPECT_EQ(greyed.width, 3);
    EXPECT_EQ(greyed.height, 2);
    EXPECT_EQ(greyed.pixels, (std::vector<std::uint32_t>{0xFF4C4C4Cu, 0x80969696u, 0xFF1D1D1Du, 0x00000000u,
                                                         0xFFFFFFFFu, 0x40808080u}))
        << "red, green and blue as light as the system's greying makes them; white and grey stay";
}

TEST(LoadImages, ThePicturesOfButtonsThatAreDisabledAtTimesHaveGreyedOnes) {
    testing::FakePlatform platform;
    LoadImages(platform);
    const std::set<int> greyed(std::begin(kGreyedPictures), std::end(kGreyedPictures));
    for (int number = picture::kFirst; number <= picture::kLast; ++number) {
        ASSERT_EQ(platform.images.count(number), 1u) << number;
        ASSERT_EQ(platform.images.count(GreyedImageNumber(number)), greyed.count(number)) << number;
        if (greyed.count(number)) {
            EXPECT_EQ(platform.images.at(GreyedImageNumber(number)).pixels,
                      GreyedImage(platform.images.at(number)).pixels)
                << number;
        }
    }
}

TEST(ApplicationIcon, HasTheRequestedSizeAndTransparentCorners) {
    for (int size : {16, 32, 48, 256}) {
        const Image icon = ApplicationIcon(size);
        ASSERT_EQ(icon.width, size);
        ASSERT_EQ(icon.height, size);
        ASSERT_EQ(icon.pixels.size(), static_cast<std::size_t>(size * size));
        const int last = size - 1;
        EXPECT_EQ(Alpha(At(icon, 0, 0)), 0) << size;
        EXPECT_EQ(Alpha(At(icon, last, 0)), 0) << size;
        EXPECT_EQ(Alpha(At(icon, 0, last)), 0) << size;
        EXPECT_EQ(Alpha(At(icon, last, last)), 0) << size;
    }
}

TEST(ApplicationIcon, ShowsSeveralDistinctColoursEvenAtSixteen) {
    const Image icon = ApplicationIcon(16);
    bool reddish = false, yellowish = false, bluish = false;
    for (std::uint32_t pixel : icon.pixels) {
        if (Alpha(pixel) < 255) continue;
        const int r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
        reddish |= r > 180 && g < 110 && b < 110;
        yellowish |= r > 180 && g > 160 && b < 110;
        bluish |= b > 180 && r < 110;
    }
    EXPECT_TRUE(reddish);
    EXPECT_TRUE(yellowish);
    EXPECT_TRUE(bluish);
}

TEST(ApplicationIcon, NonPositiveSizeGivesEmptyImage) {
    EXPECT_TRUE(ApplicationIcon(0).pixels.empty());
    EXPECT_TRUE(ApplicationIcon(-16).pixels.empty());
}

TEST(Canvas, EdgePixelsKeepTheirColourWithStraightAlpha) {
    raster::Canvas canvas(16, 16);
    canvas.Fill(raster::Disc({8, 8}, 5.3), 0xFF3E7BFA);
    const Image image = canvas.Finish();
    int edges = 0;
    for (std::uint32_t pixel : image.pixels) {
        if (Alpha(pixel) == 0 || Alpha(pixel) == 255) continue;
        ++edges;
        // Premultiplied output would darken these towards black.
        EXPECT_EQ(pixel & 0xFFFFFF, 0x3E7BFAu);
    }
    EXPECT_GT(edges, 0);
}

TEST(Canvas, HalfCoveredPixelIsHalfTransparent) {
    raster::Canvas canvas(4, 1);
    canvas.Fill(raster::Box(0, 0, 2.5, 1), 0xFFFFFFFF);
    const Image image = canvas.Finish();
    EXPECT_EQ(Alpha(image.pixels[1]), 255);
    EXPECT_NEAR(Alpha(image.pixels[2]), 128, 1);
    EXPECT_EQ(Alpha(image.pixels[3]), 0);
}

TEST(Canvas, EraseLeavesHoles) {
    raster::Canvas canvas(8, 8);
    canvas.Fill(raster::Box(0, 0, 8, 8), 0xFF000000);
    canvas.Erase(raster::Box(2, 2, 6, 6));
    const Image image = canvas.Finish();
    EXPECT_EQ(At(image, 3, 3), 0u);
    EXPECT_EQ(Alpha(At(image, 0, 0)), 255);
}

Image Checker(int size) {
    Image image{size, size, std::vector<std::uint32_t>(static_cast<std::size_t>(size * size))};
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            image.pixels[y * size + x] = (x + y) % 2 ? 0xFF112233u : 0x00000000u;
        }
    }
    return image;
}

TEST(IcoFile, DirectoryListsEveryEntryWithItsSize) {
    const std::vector<Image> images = {ApplicationIcon(16), ApplicationIcon(32),
                                       ApplicationIcon(48), ApplicationIcon(256)};
    const std::string bytes = IcoFileBytes(images);
    ASSERT_GE(bytes.size(), 6u + 4 * 16);
    EXPECT_EQ(U16(bytes, 0), 0u);
    EXPECT_EQ(U16(bytes, 2), 1u);
    EXPECT_EQ(U16(bytes, 4), 4u);
    const int expected_sizes[] = {16, 32, 48, 0};  // 0 means 256
    std::size_t next = 6 + 4 * 16;
    for (int i = 0; i < 4; ++i) {
        const std::size_t entry = 6 + 16 * i;
        EXPECT_EQ(static_cast<unsigned char>(bytes[entry]), expected_sizes[i]);
        EXPECT_EQ(static_cast<unsigned char>(bytes[entry + 1]), expected_sizes[i]);
        EXPECT_EQ(U16(bytes, entry + 6), 32u);
        const std::uint32_t length = U32(bytes, entry + 8), offset = U32(bytes, entry + 12);
        EXPECT_EQ(offset, next) << "entries follow one another";
        EXPECT_EQ(U16(bytes, entry + 4), 1u) << "planes";
        ASSERT_LE(offset + length, bytes.size());
        next = offset + length;
        const int side = images[i].width;
        if (side == 256) {
            // Stored as PNG; png_test.cpp reads those back.
            EXPECT_EQ(bytes.substr(offset, length), PngFileBytes(images[i]));
            continue;
        }
        const std::size_t mask_row = (side + 31) / 32 * 4;
        EXPECT_EQ(length, 40 + side * side * 4 + mask_row * side);
        EXPECT_EQ(U32(bytes, offset), 40u);
        EXPECT_EQ(static_cast<int>(U32(bytes, offset + 4)), side);
        EXPECT_EQ(static_cast<int>(U32(bytes, offset + 8)), side * 2);
        EXPECT_EQ(U16(bytes, offset + 14), 32u);
    }
    EXPECT_EQ(next, bytes.size());
}

TEST(IcoFile, ColourRowsRunBottomUpAsBgraAndMaskMarksTransparency) {
    Image image{3,
                2,
                {0xFF102030u, 0x00000000u, 0x80405060u,    // top row
                 0xFFA0B0C0u, 0xFFD0E0F0u, 0x00000000u}};  // bottom row
    const std::string bytes = IcoFileBytes({image});
    const std::size_t pixels = U32(bytes, 6 + 12) + 40;
    // Bottom row first; each pixel's bytes are blue, green, red, alpha.
    EXPECT_EQ(U32(bytes, pixels), 0xFFA0B0C0u);
    EXPECT_EQ(static_cast<unsigned char>(bytes[pixels]), 0xC0);
    EXPECT_EQ(U32(bytes, pixels + 3 * 4), 0xFF102030u);
    EXPECT_EQ(U32(bytes, pixels + 5 * 4), 0x80405060u);
    const std::size_t mask = pixels + 6 * 4;
    EXPECT_EQ(static_cast<unsigned char>(bytes[mask]), 0x20);      // bottom row: third pixel
    EXPECT_EQ(static_cast<unsigned char>(bytes[mask + 4]), 0x40);  // top row: second pixel
    EXPECT_EQ(bytes.size(), mask + 8);
}

TEST(IcoFile, MaskRowsArePaddedToFourBytes) {
    const std::string bytes = IcoFileBytes({Checker(40)});
    // 40 pixels need 5 mask bytes, padded to 8.
    EXPECT_EQ(U32(bytes, 6 + 8), 40u + 40 * 40 * 4 + 8 * 40);
}

TEST(IcoFile, RejectsImagesAnIconCannotHold) {
    EXPECT_THROW(IcoFileBytes({Image{}}), std::invalid_argument);
    EXPECT_THROW(IcoFileBytes({Checker(257)}), std::invalid_argument);
    Image short_of_pixels = Checker(4);
    short_of_pixels.pixels.pop_back();
    EXPECT_THROW(IcoFileBytes({short_of_pixels}), std::invalid_argument);
}

}  // namespace
}  // namespace vandrel
