#include "resources/ico_file.h"

#include <cstdint>
#include <stdexcept>

#include "resources/png_file.h"

namespace vandrel {

namespace {

constexpr std::size_t kDirectorySize = 6;
constexpr std::size_t kEntrySize = 16;
constexpr std::size_t kBitmapHeaderSize = 40;

void PutU8(std::string& out, unsigned value) {
    out.push_back(static_cast<char>(value & 0xFF));
}

void PutU16(std::string& out, unsigned value) {
    PutU8(out, value);
    PutU8(out, value >> 8);
}

void PutU32(std::string& out, std::uint32_t value) {
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
}

void Check(const Image& image) {
    if (image.width < 1 || image.height < 1 || image.width > 256 || image.height > 256) {
        throw std::invalid_argument("icon images must be 1 to 256 pixels on each side");
    }
    if (image.pixels.size() != static_cast<std::size_t>(image.width) * image.height) {
        throw std::invalid_argument("icon image pixel count does not match its size");
    }
}

// Rows of the 1-bit mask are padded to whole 32-bit words.
std::size_t MaskRowBytes(int width) {
    return static_cast<std::size_t>((width + 31) / 32) * 4;
}

// A BITMAPINFOHEADER, the colour rows bottom-up as BGRA, then the mask rows.
std::string EntryData(const Image& image) {
    const std::size_t colour_bytes = image.pixels.size() * 4;
    const std::size_t mask_bytes = MaskRowBytes(image.width) * image.height;
    std::string out;
    PutU32(out, kBitmapHeaderSize);
    PutU32(out, image.width);
    PutU32(out, image.height * 2);  // colour rows and mask rows together
    PutU16(out, 1);                 // planes
    PutU16(out, 32);                // bits per pixel
    PutU32(out, 0);                 // uncompressed
    PutU32(out, static_cast<std::uint32_t>(colour_bytes + mask_bytes));
    for (int i = 0; i < 4; ++i) PutU32(out, 0);  // resolution and colour table: unused
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) PutU32(out, image.pixels[y * image.width + x]);
    }
    for (int y = image.height - 1; y >= 0; --y) {
        std::string row(MaskRowBytes(image.width), '\0');
        for (int x = 0; x < image.width; ++x) {
            if ((image.pixels[y * image.width + x] >> 24) == 0) {
                row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
            }
        }
        out += row;
    }
    return out;
}

}  // namespace

std::string IcoFileBytes(const std::vector<Image>& images) {
    for (const Image& image : images) Check(image);
    std::string out;
    PutU16(out, 0);  // reserved
    PutU16(out, 1);  // an icon, not a cursor
    PutU16(out, static_cast<unsigned>(images.size()));
    std::size_t offset = kDirectorySize + kEntrySize * images.size();
    std::string data;
    for (const Image& image : images) {
        // As a bitmap this entry alone would take a quarter of a megabyte.
        // Windows reads PNG entries since Vista; XP never asks for 256.
        const bool png = image.width == 256 && image.height == 256;
        const std::string entry = png ? PngFileBytes(image) : EntryData(image);
        PutU8(out, image.width == 256 ? 0 : image.width);  // 0 stands for 256
        PutU8(out, image.height == 256 ? 0 : image.height);
        PutU8(out, 0);   // no colour table
        PutU8(out, 0);   // reserved
        PutU16(out, 1);  // planes
        PutU16(out, 32);
        PutU32(out, static_cast<std::uint32_t>(entry.size()));
        PutU32(out, static_cast<std::uint32_t>(offset));
        offset += entry.size();
        data += entry;
    }
    return out + data;
}

}  // namespace vandrel
