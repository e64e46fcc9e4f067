// Small value types shared by the logic and the platform. Conversion to the
// system's own structures happens only inside platform/win32.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vandrel {

// red + green * 256 + blue * 65536, the layout of a Windows COLORREF.
using ColourValue = std::uint32_t;

constexpr ColourValue Rgb(int red, int green, int blue) {
    return static_cast<ColourValue>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
constexpr int RedOf(ColourValue v) { return static_cast<int>(v & 0xFF); }
constexpr int GreenOf(ColourValue v) { return static_cast<int>((v >> 8) & 0xFF); }
constexpr int BlueOf(ColourValue v) { return static_cast<int>((v >> 16) & 0xFF); }

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

// Left/top inclusive, right/bottom exclusive, as GDI rectangles.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

// Window numbers. Palette windows are numbered by their slot (1 and 2); the
// other windows are known by role.
constexpr int kNoWindow = 0;
constexpr int kEditorWindow = 10;
constexpr int kManageWindow = 11;
constexpr int kAboutWindow = 12;
constexpr int kTrayOwnerWindow = 13;
constexpr int kLoupeWindow = 14;

// A picture with straight (not premultiplied) alpha, row by row from the top,
// each pixel 0xAARRGGBB.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

}  // namespace vandrel
