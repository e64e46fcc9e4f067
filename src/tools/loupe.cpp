#include "tools/loupe.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <climits>

#include "core/ids.h"
#include "palette/colour_code.h"

namespace vandrel {
namespace {

constexpr std::array<int, 3> kZooms{5, kLoupeAcross, 21};
constexpr std::uint32_t kGridColour = 0xFF808080u;
constexpr std::uint32_t kOffScreen = 0xFF303030u;
constexpr std::uint32_t kFrameOuter = 0xFF000000u;
constexpr std::uint32_t kFrameInner = 0xFFFFFFFFu;

std::uint32_t Channel(std::uint32_t pixel, int shift) { return (pixel >> shift) & 0xFF; }

}  // namespace

int ZoomedIn(int across) {
    for (auto zoom = kZooms.rbegin(); zoom != kZooms.rend(); ++zoom)
        if (*zoom < across) return *zoom;
    return kZooms.front();
}

int ZoomedOut(int across) {
    for (int zoom : kZooms)
        if (zoom > across) return zoom;
    return kZooms.back();
}

int CellSize(int across) { return std::max(1, kLoupeSpan / std::max(1, across)); }

Size GridSize(int across) {
    const int side = across * CellSize(across) + across + 1;
    return {side, side};
}

Rect PatchArea(Point at, int across) {
    const int half = across / 2;
    return {at.x - half, at.y - half, at.x - half + across, at.y - half + across};
}

Rect ScreenBounds(const std::vector<Rect>& monitors) {
    if (monitors.empty()) return {};
    Rect bounds{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (const Rect& monitor : monitors) {
        bounds.left = std::min(bounds.left, monitor.left);
        bounds.top = std::min(bounds.top, monitor.top);
        bounds.right = std::max(bounds.right, monitor.right);
        bounds.bottom = std::max(bounds.bottom, monitor.bottom);
    }
    return bounds;
}

Rect CutTo(const Rect& area, const Rect& bounds) {
    const Rect cut{std::max(area.left, bounds.left), std::max(area.top, bounds.top),
                   std::min(area.right, bounds.right), std::min(area.bottom, bounds.bottom)};
    return cut.Width() > 0 && cut.Height() > 0 ? cut : Rect{};
}

bool Holds(const Rect& rect, Point point) {
    return point.x >= rect.left && point.x < rect.right && point.y >= rect.top && point.y < rect.bottom;
}

ScreenPatch ReadPatch(Platform& platform, Point at, int across, const Rect& screen) {
    ScreenPatch patch{PatchArea(at, across), {across, across, {}}};
    patch.pixels.pixels.assign(static_cast<std::size_t>(across) * across, 0);
    const Rect cut = CutTo(patch.area, screen);
    if (cut.Width() == 0) return patch;
    const Image copy = platform.CaptureScreen(cut);
    // A copy of another size than asked is no copy of that area.
    if (copy.width != cut.Width() || copy.height != cut.Height() ||
        copy.pixels.size() != static_cast<std::size_t>(copy.width) * copy.height)
        return patch;
    for (int y = 0; y < copy.height; ++y)
        for (int x = 0; x < copy.width; ++x) {
            const int px = cut.left - patch.area.left + x, py = cut.top - patch.area.top + y;
            patch.pixels.pixels[static_cast<std::size_t>(py) * across + px] =
                copy.pixels[static_cast<std::size_t>(y) * copy.width + x] | 0xFF000000u;
        }
    return patch;
}

std::optional<ColourValue> MeanColour(const ScreenPatch& patch, int square) {
    const int across = patch.pixels.width;
    if (across <= 0 || patch.pixels.pixels.size() != static_cast<std::size_t>(across) * patch.pixels.height)
        return std::nullopt;
    const int half = std::clamp(square, 1, across) / 2, centre = across / 2;
    std::uint32_t red = 0, green = 0, blue = 0, count = 0;
    for (int y = centre - half; y <= centre + half; ++y)
        for (int x = centre - half; x <= centre + half; ++x) {
            const std::uint32_t pixel = patch.pixels.pixels[static_cast<std::size_t>(y) * across + x];
            if ((pixel >> 24) == 0) continue;
            red += Channel(pixel, 16), green += Channel(pixel, 8), blue += Channel(pixel, 0), ++count;
        }
    if (count == 0) return std::nullopt;
    auto mean = [count](std::uint32_t sum) { return static_cast<int>((2 * sum + count) / (2 * count)); };
    return Rgb(mean(red), mean(green), mean(blue));
}

Image LoupeGrid(const ScreenPatch& patch, const LoupeLook& look) {
    const int across = patch.pixels.width;
    const int cell = CellSize(across), step = cell + 1;
    const Size size = GridSize(across);
    Image grid{size.width, size.height, std::vector<std::uint32_t>(static_cast<std::size_t>(size.width) * size.height,
                                                                   kGridColour)};
    auto fill = [&grid](int left, int top, int right, int bottom, std::uint32_t colour) {
        for (int y = std::max(top, 0); y < std::min(bottom, grid.height); ++y)
            std::fill_n(grid.pixels.begin() + static_cast<std::ptrdiff_t>(y) * grid.width + std::max(left, 0),
                        std::max(0, std::min(right, grid.width) - std::max(left, 0)), colour);
    };
    for (int row = 0; row < across; ++row)
        for (int column = 0; column < across; ++column) {
            const std::uint32_t pixel = patch.pixels.pixels[static_cast<std::size_t>(row) * across + column];
            const int left = 1 + column * step, top = 1 + row * step;
            fill(left, top, left + cell, top + cell, (pixel >> 24) == 0 ? kOffScreen : pixel | 0xFF000000u);
        }
    // The frame: black on the grid lines around the square, white just inside them.
    const int half = std::clamp(look.square, 1, across) / 2, centre = across / 2;
    const int left = (centre - half) * step, top = left, right = (centre + half + 1) * step, bottom = right;
    for (const auto& [inset, colour] : {std::pair{0, kFrameOuter}, std::pair{1, kFrameInner}}) {
        const int l = left + inset, t = top + inset, r = right - inset, b = bottom - inset;
        fill(l, t, r + 1, t + 1, colour);
        fill(l, b, r + 1, b + 1, colour);
        fill(l, t, l + 1, b + 1, colour);
        fill(r, t, r + 1, b + 1, colour);
    }
    return grid;
}

Point PlaceLoupe(Point pointer, Size loupe, const std::vector<Rect>& monitors) {
    // The pointer's monitor, or the nearest one.
    Rect monitor = monitors.empty() ? Rect{0, 0, loupe.width, loupe.height} : monitors.front();
    long long nearest = -1;
    for (const Rect& candidate : monitors) {
        const long long dx = std::max({candidate.left - pointer.x, 0, pointer.x - (candidate.right - 1)});
        const long long dy = std::max({candidate.top - pointer.y, 0, pointer.y - (candidate.bottom - 1)});
        const long long distance = dx * dx + dy * dy;
        if (nearest < 0 || distance < nearest) nearest = distance, monitor = candidate;
    }
    int x = pointer.x + kLoupeGap, y = pointer.y + kLoupeGap;
    if (x + loupe.width > monitor.right) x = pointer.x - kLoupeGap - loupe.width;
    if (y + loupe.height > monitor.bottom) y = pointer.y - kLoupeGap - loupe.height;
    x = std::clamp(x, monitor.left, std::max(monitor.left, monitor.right - loupe.width));
    y = std::clamp(y, monitor.top, std::max(monitor.top, monitor.bottom - loupe.height));
    // A monitor too small for either side: the loupe leaves the pointer's column free.
    if (Holds({x, y, x + loupe.width, y + loupe.height}, pointer))
        x = pointer.x + 1 + loupe.width <= monitor.right ? pointer.x + 1 : pointer.x - loupe.width;
    return {x, y};
}

std::optional<HotkeyKeys> ParseHotkey(std::string_view text) {
    HotkeyKeys keys;
    bool keyFound = false;
    std::size_t at = 0;
    for (;;) {
        const std::size_t end = std::min(text.find('+', at), text.size());
        std::string name;
        for (char c : text.substr(at, end - at))
            if (c != ' ' && c != '\t') name += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        std::uint32_t modifier = 0;
        if (name == "CTRL") modifier = kModCtrl;
        else if (name == "ALT") modifier = kModAlt;
        else if (name == "SHIFT") modifier = kModShift;
        else if (name == "WIN") modifier = kModWin;
        if (keyFound) return std::nullopt;  // the key comes last
        if (modifier != 0) {
            if ((keys.modifiers & modifier) != 0) return std::nullopt;
            keys.modifiers |= modifier;
        } else if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0]))) {
            keys.virtualKey = name[0];  // the virtual keys of letters and digits are their capitals
            keyFound = true;
        } else if (name.size() >= 2 && name.size() <= 3 && name[0] == 'F' &&
                   std::all_of(name.begin() + 1, name.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); })) {
            const int number = std::stoi(name.substr(1));
            if (number < 1 || number > 24 || name[1] == '0') return std::nullopt;
            keys.virtualKey = 0x70 + number - 1;  // VK_F1 on
            keyFound = true;
        } else {
            return std::nullopt;
        }
        if (end == text.size()) break;
        at = end + 1;
    }
    // A letter or digit alone would start a pick at every word typed.
    if (!keyFound || (keys.modifiers == 0 && keys.virtualKey < 0x70)) return std::nullopt;
    return keys;
}

std::vector<std::string> PickedCodes(const std::vector<std::string>& lines, ColourValue colour) {
    std::vector<std::string> codes{FormatColourCode(colour, "#")};
    for (const std::string& line : lines) {
        if (codes.size() == kMaxColours) break;
        const std::string bare = BareCode(line);
        if (bare.size() != 6 || !std::all_of(bare.begin(), bare.end(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); }))
            continue;
        const ColourValue value = ParseColourCode(bare);
        if (value != colour && std::none_of(codes.begin(), codes.end(), [value](const std::string& code) {
                return ParseColourCode(BareCode(code)) == value;
            }))
            codes.push_back(FormatColourCode(value, "#"));
    }
    return codes;
}

}  // namespace vandrel
