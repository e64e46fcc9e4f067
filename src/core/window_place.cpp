#include "core/window_place.h"

#include <algorithm>

namespace vandrel {
namespace {

constexpr int kFarthest = 1000000;

struct Box {
    std::int64_t left, top, right, bottom;
};

bool Overlaps(const Box& a, const Rect& m) {
    return a.left < m.right && m.left < a.right && a.top < m.bottom && m.top < a.bottom;
}

// Squared distance between the two rectangles, 0 when they touch or overlap.
long double Distance(const Box& a, const Rect& m) {
    const long double dx = std::max<std::int64_t>({0, m.left - a.right, a.left - m.right});
    const long double dy = std::max<std::int64_t>({0, m.top - a.bottom, a.top - m.bottom});
    return dx * dx + dy * dy;
}

// The start of a span of `length` moved into [low, high) as far as it fits.
std::int64_t Within(std::int64_t start, std::int64_t length, std::int64_t low, std::int64_t high) {
    return std::max(low, std::min(start, high - length));
}

}  // namespace

Rect PlaceOnMonitors(std::int64_t x, std::int64_t y, Size size, const std::vector<Rect>& monitors) {
    const Box wanted{x, y, x + size.width, y + size.height};
    // Without a monitor to go by (none reported), the place only has to be
    // one a rectangle can hold.
    const Rect none{-kFarthest, -kFarthest, kFarthest, kFarthest};
    const Rect* nearest = monitors.empty() ? &none : &monitors.front();
    for (const Rect& m : monitors) {
        if (Overlaps(wanted, m)) return {static_cast<int>(x), static_cast<int>(y),
                                         static_cast<int>(x + size.width), static_cast<int>(y + size.height)};
        if (Distance(wanted, m) < Distance(wanted, *nearest)) nearest = &m;
    }
    const auto left = static_cast<int>(Within(x, size.width, nearest->left, nearest->right));
    const auto top = static_cast<int>(Within(y, size.height, nearest->top, nearest->bottom));
    return {left, top, left + size.width, top + size.height};
}

Rect StoredClientRect(std::int64_t x, std::int64_t y, Size size) {
    const auto left = static_cast<int>(std::clamp<std::int64_t>(x, -kFarthest, kFarthest));
    const auto top = static_cast<int>(std::clamp<std::int64_t>(y, -kFarthest, kFarthest));
    return {left, top, left + size.width, top + size.height};
}

void KeepOnMonitors(WindowSpec& description, Size outer, const std::vector<Rect>& monitors) {
    const Rect& client = description.client;
    const Rect place = PlaceOnMonitors(client.left, client.top, outer, monitors);
    description.client = {place.left, place.top, place.left + client.Width(), place.top + client.Height()};
}

bool StandsAtOtherDpi(Platform& platform, int window, int dpi) {
    const auto place = platform.WindowRect(window);
    return place && platform.DpiAt({place->left, place->top}) != dpi;
}

}  // namespace vandrel
