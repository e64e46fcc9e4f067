// A tiny vector rasteriser for the program's own artwork. Shapes are signed
// distance fields (negative inside, measured in pixels), so anti-aliasing,
// outlines and soft shadows all come from one number per pixel.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/types.h"

namespace vandrel::raster {

struct Vec {
    double x = 0;
    double y = 0;
};

// Pixel (i, j) covers [i, i+1) x [j, j+1); its centre is (i + 0.5, j + 0.5).
using Field = std::function<double(Vec)>;
// 0xAARRGGBB, straight alpha.
using Colour = std::uint32_t;
using Shader = std::function<Colour(Vec)>;

// Primitive shapes.
Field Disc(Vec centre, double radius);
Field Ellipse(Vec centre, double radius_x, double radius_y);
Field Ring(Vec centre, double radius, double thickness);
Field Box(double left, double top, double right, double bottom, double corner = 0);
Field Capsule(Vec from, Vec to, double thickness);  // a line with round ends
Field Polygon(std::vector<Vec> corners);
// A rounded box of the given size centred on `centre`, turned by `degrees`.
Field TurnedBox(Vec centre, double width, double height, double corner, double degrees);
// Four-pointed sparkle.
Field Star(Vec centre, double outer, double inner, double degrees = 0);

// Combinations.
Field Union(Field a, Field b);
Field Intersect(Field a, Field b);
Field Subtract(Field a, Field b);
Field Grow(Field shape, double by);        // negative shrinks
Field Outline(Field shape, double width);  // a band of `width` just inside the edge
Field Moved(Field shape, Vec by);
Field Turned(Field shape, Vec pivot, double degrees);
Field Scaled(Field shape, double factor);  // about the origin
Field FlippedVertically(Field shape, double height);

Vec Rotate(Vec point, Vec pivot, double degrees);

Colour Argb(int alpha, int red, int green, int blue);
Colour WithAlpha(Colour colour, int alpha);
// Linear mix in sRGB bytes; t = 0 gives a, t = 1 gives b.
Colour Mix(Colour a, Colour b, double t);
Colour FromHsv(double hue_degrees, double saturation, double value);

// Premultiplied floating-point picture; "source over" compositing.
class Canvas {
  public:
    // `width` x `height` units drawn at `scale` pixels a unit: the shapes are
    // given in units, so one drawing serves every size.
    Canvas(int width, int height, double scale = 1.0);

    void Fill(const Field& shape, Colour colour);
    void Fill(const Field& shape, const Shader& shader);
    // A blurred copy of the shape's silhouette, for a soft drop shadow.
    void Shadow(const Field& shape, Vec offset, double softness, Colour colour);
    // Makes the shape transparent again, with soft edges.
    void Erase(const Field& shape);

    int Width() const { return width_; }
    int Height() const { return height_; }
    Image Finish() const;

  private:
    struct Pixel {
        float r = 0, g = 0, b = 0, a = 0;
    };
    void Blend(Pixel& pixel, Colour colour, double coverage);

    Vec UnitsAt(int x, int y) const { return {(x + 0.5) / scale_, (y + 0.5) / scale_}; }

    int width_;
    int height_;
    double scale_;
    std::vector<Pixel> pixels_;
};

// Fraction of a pixel covered by a shape whose distance at the centre is d.
double Coverage(double distance);

}  // namespace vandrel::raster
