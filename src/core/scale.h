// One rule for every size: the layouts and the settings file give sizes in
// units of 96 DPI, and a window on a monitor of D DPI uses size x D / 96,
// rounded (halves away from zero).
#pragma once

#include "platform/types.h"

namespace vandrel {

constexpr int kBaseDpi = 96;

constexpr int Scaled(int units, int dpi) {
    if (dpi <= 0 || dpi == kBaseDpi) return units;
    const long long product = static_cast<long long>(units) * dpi;
    const long long half = kBaseDpi / 2;
    return static_cast<int>(product >= 0 ? (product + half) / kBaseDpi : -((-product + half) / kBaseDpi));
}

// Every edge scaled: rectangles that touch at 96 DPI touch at any scale.
constexpr Rect Scaled(const Rect& r, int dpi) {
    return {Scaled(r.left, dpi), Scaled(r.top, dpi), Scaled(r.right, dpi), Scaled(r.bottom, dpi)};
}

static_assert(Scaled(59, 144) == 89 && Scaled(7, 144) == 11 && Scaled(1, 144) == 2 && Scaled(15, 120) == 19 &&
              Scaled(-3, 144) == -5 && Scaled(18, 192) == 36);

}  // namespace vandrel
