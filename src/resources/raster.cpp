#include "resources/raster.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace vandrel::raster {

namespace {

double Length(double x, double y) {
    return std::sqrt(x * x + y * y);
}

double Radians(double degrees) {
    return degrees * std::numbers::pi / 180.0;
}

int ByteOf(Colour colour, int shift) {
    return static_cast<int>((colour >> shift) & 0xFF);
}

double DistanceToSegment(Vec p, Vec a, Vec b) {
    const double ex = b.x - a.x, ey = b.y - a.y;
    const double wx = p.x - a.x, wy = p.y - a.y;
    const double len2 = ex * ex + ey * ey;
    const double t = len2 > 0 ? std::clamp((wx * ex + wy * ey) / len2, 0.0, 1.0) : 0.0;
    return Length(wx - ex * t, wy - ey * t);
}

}  // namespace

Field Disc(Vec centre, double radius) {
    return [=](Vec p) { return Length(p.x - centre.x, p.y - centre.y) - radius; };
}

Field Ellipse(Vec centre, double radius_x, double radius_y) {
    // A close bound rather than the exact distance, which needs a quartic.
    return [=](Vec p) {
        const double x = p.x - centre.x, y = p.y - centre.y;
        const double k0 = Length(x / radius_x, y / radius_y);
        const double k1 = Length(x / (radius_x * radius_x), y / (radius_y * radius_y));
        return k1 > 0 ? k0 * (k0 - 1) / k1 : -std::min(radius_x, radius_y);
    };
}

Field Ring(Vec centre, double radius, double thickness) {
    return [=](Vec p) {
        return std::abs(Length(p.x - centre.x, p.y - centre.y) - radius) - thickness / 2;
    };
}

Field Box(double left, double top, double right, double bottom, double corner) {
    const double cx = (left + right) / 2, cy = (top + bottom) / 2;
    const double hx = (right - left) / 2, hy = (bottom - top) / 2;
    corner = std::min({corner, hx, hy});
    return [=](Vec p) {
        const double qx = std::abs(p.x - cx) - hx + corner;
        const double qy = std::abs(p.y - cy) - hy + corner;
        return Length(std::max(qx, 0.0), std::max(qy, 0.0)) + std::min(std::max(qx, qy), 0.0) -
               corner;
    };
}

Field Capsule(Vec from, Vec to, double thickness) {
    return [=](Vec p) { return DistanceToSegment(p, from, to) - thickness / 2; };
}

Field Polygon(std::vector<Vec> corners) {
    return [v = std::move(corners)](Vec p) {
        const std::size_t n = v.size();
        double nearest = 1e18;
        bool inside = false;
        for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
            nearest = std::min(nearest, DistanceToSegment(p, v[i], v[j]));
            const bool crosses = (v[i].y > p.y) != (v[j].y > p.y);
            if (crosses && p.x < (v[j].x - v[i].x) * (p.y - v[i].y) / (v[j].y - v[i].y) + v[i].x) {
                inside = !inside;
            }
        }
        return inside ? -nearest : nearest;
    };
}

Field TurnedBox(Vec centre, double width, double height, double corner, double degrees) {
    const Field box = Box(centre.x - width / 2, centre.y - height / 2, centre.x + width / 2,
                          centre.y + height / 2, corner);
    return Turned(box, centre, degrees);
}

Field Star(Vec centre, double outer, double inner, double degrees) {
    std::vector<Vec> corners;
    for (int i = 0; i < 8; ++i) {
        const double radius = i % 2 == 0 ? outer : inner;
        const double angle = Radians(degrees + i * 45.0 - 90.0);
        corners.push_back(
            {centre.x + radius * std::cos(angle), centre.y + radius * std::sin(angle)});
    }
    return Polygon(std::move(corners));
}

Field Union(Field a, Field b) {
    return [=](Vec p) { return std::min(a(p), b(p)); };
}

Field Intersect(Field a, Field b) {
    return [=](Vec p) { return std::max(a(p), b(p)); };
}

Field Subtract(Field a, Field b) {
    return [=](Vec p) { return std::max(a(p), -b(p)); };
}

Field Grow(Field shape, double by) {
    return [=](Vec p) { return shape(p) - by; };
}

Field Outline(Field shape, double width) {
    return [=](Vec p) {
        const double d = shape(p);
        return std::max(d, -(d + width));
    };
}

Field Moved(Field shape, Vec by) {
    return [=](Vec p) { return shape({p.x - by.x, p.y - by.y}); };
}

Vec Rotate(Vec point, Vec pivot, double degrees) {
    const double c = std::cos(Radians(degrees)), s = std::sin(Radians(degrees));
    const double dx = point.x - pivot.x, dy = point.y - pivot.y;
    return {pivot.x + dx * c - dy * s, pivot.y + dx * s + dy * c};
}

Field Turned(Field shape, Vec pivot, double degrees) {
    return [=](Vec p) { return shape(Rotate(p, pivot, -degrees)); };
}

Field Scaled(Field shape, double factor) {
    return [=](Vec p) { return shape({p.x / factor, p.y / factor}) * factor; };
}

Field FlippedVertically(Field shape, double height) {
    return [=](Vec p) { return shape({p.x, height - p.y}); };
}

Colour Argb(int alpha, int red, int green, int blue) {
    return (static_cast<Colour>(alpha & 0xFF) << 24) | (static_cast<Colour>(red & 0xFF) << 16) |
           (static_cast<Colour>(green & 0xFF) << 8) | static_cast<Colour>(blue & 0xFF);
}

Colour WithAlpha(Colour colour, int alpha) {
    return (colour & 0x00FFFFFFu) | (static_cast<Colour>(alpha & 0xFF) << 24);
}

Colour Mix(Colour a, Colour b, double t) {
    auto channel = [&](int shift) {
        const double value = ByteOf(a, shift) + (ByteOf(b, shift) - ByteOf(a, shift)) * t;
        return static_cast<int>(std::lround(value));
    };
    return Argb(channel(24), channel(16), channel(8), channel(0));
}

Colour FromHsv(double hue_degrees, double saturation, double value) {
    const double h = std::fmod(std::fmod(hue_degrees, 360.0) + 360.0, 360.0) / 60.0;
    const double c = value * saturation;
    const double x = c * (1 - std::abs(std::fmod(h, 2.0) - 1));
    // The hue's sixth of the circle decides which channel takes the chroma
    // and which the rising or falling part (h is below 6).
    const int sector = static_cast<int>(h);
    double r = 0, g = 0, b = 0;
    static constexpr int kChroma[6] = {0, 1, 1, 2, 2, 0};  // 0: red, 1: green, 2: blue
    static constexpr int kRising[6] = {1, 0, 2, 1, 0, 2};
    double* channels[3] = {&r, &g, &b};
    *channels[kChroma[sector % 6]] = c;
    *channels[kRising[sector % 6]] = x;
    const double m = value - c;
    auto byte = [&](double channel) { return static_cast<int>(std::lround((channel + m) * 255)); };
    return Argb(255, byte(r), byte(g), byte(b));
}

double Coverage(double distance) {
    return std::clamp(0.5 - distance, 0.0, 1.0);
}

Canvas::Canvas(int width, int height, double scale)
    : width_(static_cast<int>(std::lround(width * scale))),
      height_(static_cast<int>(std::lround(height * scale))),
      scale_(scale),
      pixels_(static_cast<std::size_t>(width_) * height_) {}

void Canvas::Blend(Pixel& pixel, Colour colour, double coverage) {
    const float a = static_cast<float>(ByteOf(colour, 24) / 255.0 * coverage);
    if (a <= 0) return;
    const float keep = 1 - a;
    pixel.r = ByteOf(colour, 16) / 255.0f * a + pixel.r * keep;
    pixel.g = ByteOf(colour, 8) / 255.0f * a + pixel.g * keep;
    pixel.b = ByteOf(colour, 0) / 255.0f * a + pixel.b * keep;
    pixel.a = a + pixel.a * keep;
}

void Canvas::Fill(const Field& shape, Colour colour) {
    Fill(shape, [colour](Vec) { return colour; });
}

void Canvas::Fill(const Field& shape, const Shader& shader) {
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const Vec centre = UnitsAt(x, y);
            // Distances in units, coverage in pixels.
            const double coverage = Coverage(shape(centre) * scale_);
            if (coverage > 0) Blend(pixels_[y * width_ + x], shader(centre), coverage);
        }
    }
}

void Canvas::Shadow(const Field& shape, Vec offset, double softness, Colour colour) {
    const Field moved = Moved(shape, offset);
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const double d = moved(UnitsAt(x, y));
            // Smoothstep across the blur band approximates a Gaussian edge.
            const double t = std::clamp(0.5 - d / (2 * softness), 0.0, 1.0);
            const double coverage = t * t * (3 - 2 * t);
            if (coverage > 0) Blend(pixels_[y * width_ + x], colour, coverage);
        }
    }
}

void Canvas::Erase(const Field& shape) {
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const float keep = static_cast<float>(1 - Coverage(shape(UnitsAt(x, y)) * scale_));
            Pixel& pixel = pixels_[y * width_ + x];
            pixel = {pixel.r * keep, pixel.g * keep, pixel.b * keep, pixel.a * keep};
        }
    }
}

Image Canvas::Finish() const {
    Image image{width_, height_, {}};
    image.pixels.reserve(pixels_.size());
    for (const Pixel& pixel : pixels_) {
        const int alpha = static_cast<int>(std::lround(std::clamp(pixel.a, 0.0f, 1.0f) * 255));
        if (alpha == 0) {
            image.pixels.push_back(0);
            continue;
        }
        // Back from premultiplied to straight alpha.
        auto channel = [&](float value) {
            return static_cast<int>(std::lround(std::clamp(value / pixel.a, 0.0f, 1.0f) * 255));
        };
        image.pixels.push_back(Argb(alpha, channel(pixel.r), channel(pixel.g), channel(pixel.b)));
    }
    return image;
}

}  // namespace vandrel::raster
