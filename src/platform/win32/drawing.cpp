// Drawing: the canvas of surfaces and client areas, fonts, and images with alpha.
#include "platform/win32/win32_platform.h"

namespace vandrel::win32 {
namespace {

class GdiCanvas : public Canvas {
  public:
    GdiCanvas(HDC dc, Win32Platform& platform) : dc_(dc), platform_(platform) {}

    void FillRect(const Rect& rect, ColourValue colour) override {
        const RECT r = ToRect(rect);
        GdiObject brush(CreateSolidBrush(ToColorRef(colour)));
        ::FillRect(dc_, &r, static_cast<HBRUSH>(brush.get()));
    }
    void FrameRect(const Rect& rect, ColourValue colour, int width) override {
        RECT r = ToRect(rect);
        GdiObject brush(CreateSolidBrush(ToColorRef(colour)));
        for (int i = 0; i < std::max(width, 1) && r.right > r.left && r.bottom > r.top; ++i) {
            ::FrameRect(dc_, &r, static_cast<HBRUSH>(brush.get()));
            InflateRect(&r, -1, -1);
        }
    }
    void FillRoundRect(const Rect& rect, int radiusX, int radiusY, ColourValue colour) override {
        // Edged in its own colour, so that an outline drawn afterwards covers
        // exactly the shape's border and nothing sticks out beyond it.
        GdiObject brush(CreateSolidBrush(ToColorRef(colour)));
        GdiObject edge(CreatePen(PS_SOLID, 1, ToColorRef(colour)));
        Selected pen(dc_, edge.get());
        Selected fill(dc_, brush.get());
        RoundRect(dc_, rect.left, rect.top, rect.right, rect.bottom, 2 * radiusX, 2 * radiusY);
    }
    void FrameRoundRect(const Rect& rect, int radiusX, int radiusY, ColourValue colour, int width) override {
        // A wider pen stays inside the shape, as the one-pixel one does.
        GdiObject outline(width > 1 ? CreatePen(PS_INSIDEFRAME, width, ToColorRef(colour))
                                    : CreatePen(PS_SOLID, 1, ToColorRef(colour)));
        Selected pen(dc_, outline.get());
        Selected fill(dc_, GetStockObject(NULL_BRUSH));
        RoundRect(dc_, rect.left, rect.top, rect.right, rect.bottom, 2 * radiusX, 2 * radiusY);
    }
    Size MeasureText(int font, const std::string& text) override {
        Selected chosen(dc_, platform_.Font(font));
        SIZE size{};
        GetTextExtentPoint32A(dc_, text.c_str(), static_cast<int>(text.size()), &size);
        return {size.cx, size.cy};
    }
    void DrawText(int font, int x, int y, const std::string& text, ColourValue colour) override {
        Selected chosen(dc_, platform_.Font(font));
        SetBkMode(dc_, TRANSPARENT);
        SetTextColor(dc_, ToColorRef(colour));
        TextOutA(dc_, x, y, text.c_str(), static_cast<int>(text.size()));
    }
    void DrawImage(const Image& image, Point at) override {
        if (image.width <= 0 || image.height <= 0 ||
            image.pixels.size() != static_cast<std::size_t>(image.width) * image.height)
            return;
        BITMAPINFO info = TopDownDib(image.width, image.height);
        SetDIBitsToDevice(dc_, at.x, at.y, static_cast<DWORD>(image.width), static_cast<DWORD>(image.height), 0, 0, 0,
                          static_cast<UINT>(image.height), image.pixels.data(), &info, DIB_RGB_COLORS);
    }

  private:
    HDC dc_;
    Win32Platform& platform_;
};

}  // namespace

void PaintOn(HDC dc, Win32Platform& platform, const std::function<void(Canvas&)>& paint) {
    GdiCanvas canvas(dc, platform);
    paint(canvas);
}

GdiObject MakeSurfaceBitmap(int width, int height) {
    if (width <= 0 || height <= 0) return nullptr;
    BITMAPINFO info = TopDownDib(width, height);
    void* bits = nullptr;
    GdiObject bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    return bits ? std::move(bitmap) : nullptr;
}

int SystemDpi() {
    static const int dpi = [] {
        HDC screen = GetDC(nullptr);
        const int found = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
        if (screen) ReleaseDC(nullptr, screen);
        return found > 0 ? found : 96;
    }();
    return dpi;
}

int MenuImageSize() { return MulDiv(16, SystemDpi(), 96); }
int MenuImageGap() { return MulDiv(4, SystemDpi(), 96); }

HFONT MessageFont(int dpi) {
    static std::map<int, GdiObject> fonts;  // by DPI, made once each
    const int systemDpi = SystemDpi();
    if (dpi <= 0) dpi = systemDpi;
    auto found = fonts.find(dpi);
    if (found == fonts.end()) {
        NONCLIENTMETRICSA metrics{};
        metrics.cbSize = sizeof metrics;
        GdiObject made;
        if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
            // The system gives it at its own DPI; a window on another monitor takes it at that one's.
            metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, dpi, systemDpi);
            made = GdiObject(CreateFontIndirectA(&metrics.lfMessageFont));
        }
        found = fonts.emplace(dpi, std::move(made)).first;
    }
    return found->second ? static_cast<HFONT>(found->second.get()) : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void Win32Platform::MakeFont(int number, const FontSpec& font) {
    const int height = -MulDiv(font.points, font.dpi > 0 ? font.dpi : 96, 72);
    GdiObject made(CreateFontA(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE,
                               FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                               PROOF_QUALITY,
                               font.fixedPitch ? FIXED_PITCH | FF_MODERN : DEFAULT_PITCH | FF_DONTCARE,
                               font.face.c_str()));
    if (!made) {
        OutputDebugStringA("Vandrel: a font could not be made\n");
        fonts_.erase(number);  // text in it falls back to the system's font
        return;
    }
    fonts_[number] = std::move(made);
}

int Win32Platform::TextHeight(int font, int width, const std::string& text) {
    WindowDc screen(nullptr);
    if (!screen.get()) return 0;
    HFONT chosen = Font(font);
    Selected selected(screen.get(), chosen ? chosen : MessageFont());
    RECT box{0, 0, width, 0};
    // The flags a left-aligned static control draws its caption with.
    ::DrawTextA(screen.get(), text.c_str(), static_cast<int>(text.size()), &box,
                DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
    return box.bottom - box.top;
}

GdiObject MakeAlphaBitmap(const Image& image) {
    if (image.width <= 0 || image.height <= 0) return nullptr;
    BITMAPINFO info = TopDownDib(image.width, image.height);
    void* bits = nullptr;
    GdiObject bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) return nullptr;
    auto* out = static_cast<std::uint32_t*>(bits);
    for (std::size_t i = 0; i < image.pixels.size(); ++i) {
        const std::uint32_t p = image.pixels[i];
        const std::uint32_t a = p >> 24;
        auto premultiply = [a](std::uint32_t channel) { return (channel * a + 127) / 255; };
        out[i] = (a << 24) | (premultiply((p >> 16) & 0xFF) << 16) |
                 (premultiply((p >> 8) & 0xFF) << 8) | premultiply(p & 0xFF);
    }
    return bitmap;
}

IconHandle MakeIcon(const Image& image) {
    if (image.width <= 0 || image.height <= 0) return nullptr;
    BITMAPV5HEADER header{};
    header.bV5Size = sizeof header;
    header.bV5Width = image.width;
    header.bV5Height = -image.height;
    header.bV5Planes = 1;
    header.bV5BitCount = 32;
    header.bV5Compression = BI_BITFIELDS;
    header.bV5RedMask = 0x00FF0000;
    header.bV5GreenMask = 0x0000FF00;
    header.bV5BlueMask = 0x000000FF;
    header.bV5AlphaMask = 0xFF000000;
    void* bits = nullptr;
    WindowDc screen(nullptr);
    GdiObject colour(CreateDIBSection(screen.get(), reinterpret_cast<BITMAPINFO*>(&header),
                                      DIB_RGB_COLORS, &bits, nullptr, 0));
    GdiObject mask(CreateBitmap(image.width, image.height, 1, 1, nullptr));
    if (!colour || !bits || !mask) return nullptr;
    std::copy(image.pixels.begin(), image.pixels.end(), static_cast<std::uint32_t*>(bits));
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmColor = static_cast<HBITMAP>(colour.get());
    info.hbmMask = static_cast<HBITMAP>(mask.get());
    return IconHandle(CreateIconIndirect(&info));
}

void Win32Platform::CreateImage(int number, const Image& image) {
    images_[number] = MakeIcon(image);
}

}  // namespace vandrel::win32
