#include "resources/artwork.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "resources/raster.h"

namespace vandrel {

namespace {

using raster::Box;
using raster::Canvas;
using raster::Capsule;
using raster::Colour;
using raster::Disc;
using raster::Field;
using raster::Grow;
using raster::Polygon;
using raster::Vec;

// One small palette for every picture keeps them looking like a family.
constexpr Colour kInk = 0xFF3A4452;
constexpr Colour kPaper = 0xFFFFFFFF;
constexpr Colour kPaperShade = 0xFFDCE2EA;
constexpr Colour kSteel = 0xFF8A96A6;
constexpr Colour kSlate = 0xFF5B6778;
constexpr Colour kRed = 0xFFE5484D;
constexpr Colour kRedDark = 0xFFB3262C;
constexpr Colour kOrange = 0xFFF5923E;
constexpr Colour kYellow = 0xFFF7C843;
constexpr Colour kYellowDark = 0xFFD89A1C;
constexpr Colour kGreen = 0xFF30A46C;
constexpr Colour kBlue = 0xFF3E7BFA;
constexpr Colour kBlueDark = 0xFF2052C2;
constexpr Colour kSky = 0xFF7CB4FF;
constexpr Colour kPurple = 0xFF8E4EC6;
constexpr Colour kPink = 0xFFF38BA8;
constexpr Colour kWood = 0xFFEBC58E;
constexpr Colour kWoodDark = 0xFFB98B4E;
constexpr Colour kShadow = 0x59000000;

constexpr int kSmall = 16;
constexpr int kLarge = 128;

// Fills the shape with `edge`, then its inside with `fill`, leaving a border.
void Framed(Canvas& canvas, const Field& shape, Colour fill, Colour edge, double width = 1) {
    canvas.Fill(shape, edge);
    canvas.Fill(Grow(shape, -width), fill);
}

Vec OnCircle(Vec centre, double radius, double degrees) {
    const double a = degrees * std::numbers::pi / 180;
    return {centre.x + radius * std::cos(a), centre.y + radius * std::sin(a)};
}

Image NewPalette(double scale) {
    Canvas c(kSmall, kSmall, scale);
    Framed(c, Box(2, 1, 12, 15, 1.5), kPaper, kInk);
    c.Fill(Box(4, 3, 10, 5), kRed);
    c.Fill(Box(4, 6, 10, 8), kYellow);
    c.Fill(Box(4, 9, 10, 11), kBlue);
    const Field plus = raster::Union(Box(11, 9, 14, 16), Box(9, 11, 16, 14));
    // A gap around the plus keeps it readable against the sheet.
    c.Erase(Grow(plus, 1));
    c.Fill(plus, kGreen);
    return c.Finish();
}

Image SavePalette(double scale) {
    Canvas c(kSmall, kSmall, scale);
    Framed(c, Box(1, 1, 15, 15, 1.5), kBlue, kBlueDark);
    c.Fill(Box(4, 1, 12, 6, 0.5), kPaperShade);
    c.Fill(Box(9, 2, 11, 5), kBlueDark);
    Framed(c, Box(3, 8, 13, 15, 1), kPaper, kBlueDark);
    c.Fill(Box(5, 10, 11, 11), kPaperShade);
    c.Fill(Box(5, 12, 11, 13), kPaperShade);
    return c.Finish();
}

Image DeletePalette(double scale) {
    Canvas c(kSmall, kSmall, scale);
    c.Fill(raster::Outline(Box(5.5, 0.5, 10.5, 4, 1.2), 1.3), kRedDark);
    Framed(c, Box(1.5, 3, 14.5, 5.6, 1), kRed, kRedDark);
    Framed(c, Polygon({{3, 6}, {13, 6}, {12, 15}, {4, 15}}), kRed, kRedDark);
    for (double x : {5.6, 7.5, 9.4}) c.Fill(Box(x, 8, x + 1, 13, 0.5), 0xC0FFFFFF);
    return c.Finish();
}

Image CopyPalette(double scale) {
    Canvas c(kSmall, kSmall, scale);
    Framed(c, Box(1, 1, 10, 11, 1.2), kPaperShade, kInk);
    c.Erase(Box(4, 4, 16, 16, 2));
    Framed(c, Box(5, 5, 15, 15, 1.2), kPaper, kInk);
    c.Fill(Box(7, 7, 13, 8.5), kRed);
    c.Fill(Box(7, 9.5, 13, 11), kGreen);
    c.Fill(Box(7, 12, 13, 13.5), kBlue);
    return c.Finish();
}

Image Settings(double scale) {
    Canvas c(kSmall, kSmall, scale);
    const Vec centre{8, 8};
    Field gear = Disc(centre, 5.3);
    for (double turn : {0.0, 45.0, 90.0, 135.0}) {
        gear = raster::Union(gear, raster::TurnedBox(centre, 3.2, 15, 0.8, turn));
    }
    c.Fill(raster::Subtract(gear, Disc(centre, 2.3)), kSteel);
    c.Fill(raster::Ring(centre, 2.3, 0.9), kInk);
    return c.Finish();
}

Image About(double scale) {
    Canvas c(kSmall, kSmall, scale);
    c.Fill(Disc({8, 8}, 7.5), kBlue);
    c.Fill(Disc({8, 4.5}, 1.3), kPaper);
    c.Fill(Box(7, 6.8, 9, 12.5, 0.4), kPaper);
    return c.Finish();
}

Image GrabColour(double scale) {
    Canvas c(kSmall, kSmall, scale);
    Framed(c, Capsule({2.2, 13.8}, {9, 7}, 3.6), kPaper, kInk);
    c.Fill(Capsule({2.8, 13.2}, {6.2, 9.8}, 1.6), kBlue);
    c.Fill(Capsule({7.6, 4.6}, {11.4, 8.4}, 2.4), kSlate);
    c.Fill(Capsule({10.2, 5.8}, {12.6, 3.4}, 4.6), kSlate);
    c.Fill(Capsule({11.4, 3.4}, {12.4, 2.4}, 1.2), 0x66FFFFFF);
    return c.Finish();
}

Image ColourPicker(double scale) {
    Canvas c(kSmall, kSmall, scale);
    const Vec centre{8, 8};
    c.Fill(Disc(centre, 7.5), [centre](Vec p) {
        const double dx = p.x - centre.x, dy = p.y - centre.y;
        const double hue = std::atan2(dy, dx) * 180 / std::numbers::pi;
        const double saturation = std::min(1.0, std::sqrt(dx * dx + dy * dy) / 6.0);
        return raster::FromHsv(hue, saturation, 1.0);
    });
    return c.Finish();
}

Image Blender(double scale) {
    Canvas c(kSmall, kSmall, scale);
    c.Fill(Capsule({2.2, 13.8}, {9.2, 6.8}, 2.8), kSlate);
    c.Fill(Capsule({7.8, 8.2}, {9.2, 6.8}, 2.8), kPaper);
    c.Fill(raster::Star({11.5, 4.5}, 4.4, 1.2), kYellow);
    c.Fill(raster::Star({4.5, 3.5}, 2.8, 0.8), kPink);
    c.Fill(raster::Star({13, 11}, 2.8, 0.8), kSky);
    return c.Finish();
}

Image RandomColour(double scale) {
    Canvas c(kSmall, kSmall, scale);
    Framed(c, Box(1, 1, 15, 15, 3), kPaper, kInk);
    const Vec pips[] = {{5, 5}, {11, 5}, {8, 8}, {5, 11}, {11, 11}};
    const Colour colours[] = {kRed, kYellow, kGreen, kBlue, kPurple};
    for (int i = 0; i < 5; ++i) c.Fill(Disc(pips[i], 1.45), colours[i]);
    return c.Finish();
}

Image OpenPaletteWindow(double scale) {
    Canvas c(kSmall, kSmall, scale);
    const Field window = Box(1, 1, 15, 15, 1.5);
    Framed(c, window, kPaper, kInk);
    c.Fill(raster::Intersect(Grow(window, -1), Box(0, 0, 16, 4)), kBlue);
    c.Fill(Box(4, 6, 12, 8, 0.5), kRed);
    c.Fill(Box(4, 9, 12, 11, 0.5), kYellow);
    c.Fill(Box(4, 12, 12, 14, 0.5), kGreen);
    return c.Finish();
}

Image EditPalette(double scale) {
    Canvas c(kSmall, kSmall, scale);
    // Drawn lying down, point to the left, then stood on its corner.
    auto turn = [](const Field& f) { return raster::Turned(f, {8, 8}, -45); };
    const Field wood = Polygon({{0.8, 8}, {4.6, 6}, {4.6, 10}});
    const Field body = Box(4.5, 6, 12, 10);
    const Field band = Box(12, 6, 13.4, 10);
    const Field rubber = Box(13.2, 6, 15.4, 10, 1);
    const Field all = raster::Union(raster::Union(wood, body), raster::Union(band, rubber));
    c.Fill(turn(Grow(all, 1)), kInk);
    c.Fill(turn(wood), kWood);
    c.Fill(turn(Polygon({{0.8, 8}, {2.4, 7.15}, {2.4, 8.85}})), kInk);
    c.Fill(turn(body), kYellow);
    c.Fill(turn(Box(4.5, 8.6, 12, 10)), kOrange);
    c.Fill(turn(band), kSteel);
    c.Fill(turn(rubber), kPink);
    return c.Finish();
}

Image Lock(double scale) {
    Canvas c(kSmall, kSmall, scale);
    c.Fill(raster::Outline(Box(4.5, 1, 11.5, 11, 3.5), 1.9), kSteel);
    Framed(c, Box(2, 7, 14, 15, 1.5), kYellow, kYellowDark);
    c.Fill(Disc({8, 10.3}, 1.3), kInk);
    c.Fill(Box(7.4, 10.5, 8.6, 13, 0.3), kInk);
    return c.Finish();
}

Image ResetPosition(double scale) {
    Canvas c(kSmall, kSmall, scale);
    const Vec centre{8, 8.5};
    // The arc runs clockwise from the upper right, round the bottom, to the
    // arrow head at the top, which points on into the gap it left.
    const double radius = 5, head = -100, tail = -30;
    const Field gap =
        Polygon({centre, OnCircle(centre, 12, head), OnCircle(centre, 12, (head + tail) / 2),
                 OnCircle(centre, 12, tail)});
    c.Fill(raster::Subtract(raster::Ring(centre, radius, 2), gap), kBlue);
    const Vec base = OnCircle(centre, radius, head);
    const Vec along = OnCircle({0, 0}, 1, head + 90);
    const Vec out = OnCircle({0, 0}, 1, head);
    c.Fill(Polygon({{base.x + along.x * 4, base.y + along.y * 4},
                    {base.x + out.x * 3.3, base.y + out.y * 3.3},
                    {base.x - out.x * 3.3, base.y - out.y * 3.3}}),
           kBlue);
    c.Fill(Disc(centre, 1.5), kBlue);
    return c.Finish();
}

Image PaletteFolder(double scale) {
    Canvas c(kSmall, kSmall, scale);
    c.Fill(raster::Union(Box(1, 2, 7, 6, 1), Box(1, 4, 15, 14, 1.2)), kYellowDark);
    c.Fill(Box(1, 6, 15, 14, 1.2), kYellow);
    c.Fill(Box(1, 6, 15, 7), 0x66FFFFFF);
    return c.Finish();
}

Field UpArrow() {
    return Polygon({{8, 1}, {15, 8}, {11, 8}, {11, 15}, {5, 15}, {5, 8}, {1, 8}});
}

Image MoveUp(double scale) {
    Canvas c(kSmall, kSmall, scale);
    Framed(c, UpArrow(), kBlue, kBlueDark);
    return c.Finish();
}

Image MoveDown(double scale) {
    Canvas c(kSmall, kSmall, scale);
    Framed(c, raster::FlippedVertically(UpArrow(), kSmall), kBlue, kBlueDark);
    return c.Finish();
}

Image AboutLeft(double scale) {
    Canvas c(kLarge, kLarge, scale);
    const Colour colours[] = {kRed, kOrange, kYellow, kGreen, kBlue, kPurple};
    const double height = 15, gap = 4, top = 8;
    auto swatch = [&](int i) {
        const double y = top + i * (height + gap);
        return Box(28, y, 100, y + height, 6);
    };
    Field column = swatch(0);
    for (int i = 1; i < 6; ++i) column = raster::Union(column, swatch(i));
    c.Shadow(column, {0, 3}, 3.5, kShadow);
    for (int i = 0; i < 6; ++i) {
        c.Fill(swatch(i), colours[i]);
        c.Fill(Box(34, top + i * (height + gap) + 4, 46, top + i * (height + gap) + 11, 3.5),
               0x59FFFFFF);
    }
    return c.Finish();
}

Image AboutRight(double scale) {
    Canvas c(kLarge, kLarge, scale);
    Field board = raster::Turned(raster::Ellipse({64, 64}, 58, 46), {64, 64}, -18);
    board = raster::Subtract(board, Disc({108, 92}, 17));
    board = raster::Subtract(board, Disc({86, 80}, 8));
    c.Shadow(board, {0, 3}, 3.5, kShadow);
    Framed(c, board, kWood, kWoodDark, 3);
    const Vec spots[] = {{27, 74}, {32, 47}, {52, 32}, {77, 29}, {99, 38}, {56, 93}};
    const Colour colours[] = {kPurple, kBlue, kGreen, kYellow, kOrange, kRed};
    for (int i = 0; i < 6; ++i) {
        c.Fill(Disc(spots[i], 10), colours[i]);
        c.Fill(Disc({spots[i].x - 3.5, spots[i].y - 3.5}, 3), 0x66FFFFFF);
    }
    return c.Finish();
}

// A swatch book fanned open from its rivet, laid out on a 16-unit grid.
void DrawFan(Canvas& c, double scale) {
    const Vec pivot{3.6, 12.0};
    const Colour colours[] = {kRed, kYellow, kGreen, kBlue};
    // A transparent gap between chips separates them on any background.
    const double gap = std::max(0.7, 0.5 * scale);
    for (int i = 0; i < 4; ++i) {
        const Field chip = Box(pivot.x - 2.5, pivot.y - 10.8, pivot.x + 2.5, pivot.y + 1.8, 1.6);
        const Field placed = raster::Scaled(raster::Turned(chip, pivot, 26.0 * i), scale);
        c.Erase(Grow(placed, gap));
        c.Fill(placed, colours[i]);
    }
    if (scale >= 3) {  // too small to read below that
        c.Fill(raster::Scaled(Disc(pivot, 1.1), scale), kPaper);
        c.Fill(raster::Scaled(raster::Ring(pivot, 1.1, 0.35), scale), kInk);
    }
}

using Painter = Image (*)(double scale);
constexpr std::array<Painter, picture::kLast> kPainters = {
    NewPalette,    SavePalette, DeletePalette, CopyPalette,       Settings,    About, GrabColour,
    ColourPicker,  Blender,     RandomColour,  OpenPaletteWindow, EditPalette, Lock,  ResetPosition,
    PaletteFolder, MoveUp,      MoveDown,      AboutLeft,         AboutRight};

}  // namespace

Image ProgramImage(int number, double scale) {
    if (number < picture::kFirst || number > picture::kLast || !(scale > 0)) return {};
    return kPainters[number - 1](scale);
}

Image ApplicationIcon(int size) {
    if (size <= 0) return {};
    Canvas c(size, size);
    DrawFan(c, size / 16.0);
    return c.Finish();
}

}  // namespace vandrel
