#include "tools/colour_generators.h"

#include <random>

#include "core/dialog_owner.h"
#include "editor/editing.h"
#include "editor/editor_window.h"
#include "palette/colour_code.h"

namespace vandrel {
namespace {

AlphaColour WithAlpha(ColourValue colour, int alpha) {
    return (colour & 0xFFFFFF) | (static_cast<AlphaColour>(alpha) << 24);
}

int AlphaOf(AlphaColour colour) { return static_cast<int>(colour >> 24); }

}  // namespace

AlphaColour BlendOver(AlphaColour top, AlphaColour bottom) {
    const long long at = AlphaOf(top);
    const long long ab = AlphaOf(bottom);
    if (at == 0) return bottom;
    if (ab == 0) return top;
    const long long d = at * 255 + (255 - at) * ab;
    auto channel = [&](int shift) {
        const long long t = (top >> shift) & 0xFF;
        const long long b = (bottom >> shift) & 0xFF;
        return static_cast<AlphaColour>((t * at * 255 + b * ab * (255 - at)) / d) << shift;
    };
    const auto alpha = static_cast<AlphaColour>(((255 - at) * ab + at * 255) / 255);
    return channel(0) | channel(8) | channel(16) | (alpha << 24);
}

int RandomUpTo(App& app, Platform& platform, int n) {
    if (!app.random) {
        // Another seed every run: the clock, and whatever the system adds.
        std::random_device device;
        app.random.emplace(platform.Clock() ^ device());
    }
    return std::uniform_int_distribution<int>(0, n)(*app.random);
}

std::string RandomCode(App& app, Platform& platform) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string code;
    for (int i = 0; i < 6; ++i) code += kDigits[RandomUpTo(app, platform, 15)];
    return code;
}

void PickColour(App& app, Platform& platform) {
    if (!EditorWindowOpen(app, platform)) return;
    constexpr ColourValue kInitial = 0;
    app.customColours[0] = kInitial;
    const std::optional<ColourValue> chosen = platform.ChooseColour(kInitial, app.customColours);
    if (chosen) {
        DeliverToolColour(app, platform, FormatColourCode(*chosen, app.settings.Prefix));
        return;
    }
    // Cancelled: what the hand-over does after the colour.
    AddEditorRow(app, platform, "");
    FitEditor(app, platform);
    app.EditorModified = 1;
}

void AddRandomColour(App& app, Platform& platform) {
    if (EditorWindowOpen(app, platform)) DeliverToolColour(app, platform, RandomCode(app, platform));
}

void BlendColours(App& app, Platform& platform) {
    if (!EditorWindowOpen(app, platform)) return;
    if (app.EditorColourCount <= 2) {
        platform.ShowMessage(DialogOwner(platform), "Error",
                             "Magic color blending requires at least two colors.",
                             MessageButtons::Ok);
        return;
    }
    const std::string first = StripHash(EditorRowText(platform, 1));
    const std::string second = StripHash(EditorRowText(platform, 2));
    const int alpha1 = RandomUpTo(app, platform, 150) + 25;
    const int alpha2 = RandomUpTo(app, platform, 150) + 25;
    const AlphaColour mixed =
        BlendOver(WithAlpha(ParseColourCode(first), alpha1), WithAlpha(ParseColourCode(second), alpha2));
    DeliverToolColour(app, platform, FormatColourCode(mixed & 0xFFFFFF, app.settings.Prefix));
}

std::vector<std::string> ClipboardPieces(const std::string& text) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (int i = 0; i < kMaxColours; ++i) {
        std::string piece;
        if (start <= text.size()) {
            const std::size_t end = std::min(text.find('\n', start), text.size());
            piece = text.substr(start, end - start);
            start = end + 1;
        }
        // Windows puts CR LF between lines: the CR is no part of a code.
        if (!piece.empty() && piece.back() == '\r') piece.pop_back();
        pieces.push_back(piece.substr(0, 7));
    }
    return pieces;
}

void ImportFromClipboard(App& app, Platform& platform) {
    if (!NewPaletteDialog(app, platform, "")) return;
    for (const std::string& piece : ClipboardPieces(platform.ClipboardText()))
        if (!piece.empty()) AddEditorRow(app, platform, piece);
    AddEditorRow(app, platform, "");
    FitEditor(app, platform);
    app.EditorModified = 1;
}

}  // namespace vandrel
