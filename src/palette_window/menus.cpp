#include "palette_window/menus.h"

#include <algorithm>

#include "palette/colour_code.h"
#include "palette/palette_list.h"

namespace vandrel {
namespace {

constexpr int kImageSize = 16;

std::uint32_t Opaque(ColourValue colour) {
    return 0xFF000000u | (static_cast<std::uint32_t>(RedOf(colour)) << 16) |
           (static_cast<std::uint32_t>(GreenOf(colour)) << 8) |
           static_cast<std::uint32_t>(BlueOf(colour));
}

void Fill(Image& image, int left, int top, int right, int bottom, std::uint32_t pixel) {
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) image.pixels[y * image.width + x] = pixel;
}

void RoundCorners(Image& image) {
    const std::uint32_t clearWhite = 0x00FFFFFFu;
    const int last = kImageSize - 1;
    for (int index : {0, last, last * kImageSize, last * kImageSize + last})
        image.pixels[index] = clearWhite;
}

Image BlankImage() {
    Image image;
    image.width = kImageSize;
    image.height = kImageSize;
    image.pixels.assign(kImageSize * kImageSize, 0);
    return image;
}

MenuItem Item(int id, const std::string& caption) {
    MenuItem item;
    item.id = id;
    item.caption = caption;
    return item;
}

MenuItem Separator() {
    MenuItem item;
    item.separator = true;
    return item;
}

void RememberColourCaptions(const std::vector<MenuItem>& items, std::map<int, std::string>& captions) {
    for (const MenuItem& item : items) {
        if (item.id >= kFirstColourItem && item.id < kFirstOpenItem) captions[item.id] = item.caption;
        RememberColourCaptions(item.subItems, captions);
    }
}

}  // namespace

std::string MenuCaptionOf(const std::string& fileName) {
    // Only the extension goes: "my.palette.pal" reads "my.palette".
    return HasPaletteExtension(fileName) ? fileName.substr(0, fileName.size() - 4) : fileName;
}

Image PaletteImage(const App& app, int p) {
    Image image = BlankImage();
    const int count = app.PaletteColourCount[p];
    auto colour = [&](int k) { return Opaque(ParseColourCode(app.PaletteColours[p][k])); };
    if (count >= 1) Fill(image, 0, 0, 16, 16, colour(0));
    if (count >= 2) Fill(image, 8, 0, 16, 16, colour(1));
    if (count >= 3) Fill(image, 8, 8, 16, 16, colour(2));
    if (count >= 4) Fill(image, 0, 8, 8, 16, colour(3));
    RoundCorners(image);
    return image;
}

Image ColourImage(ColourValue colour) {
    Image image = BlankImage();
    Fill(image, 0, 0, 16, 16, Opaque(colour));
    RoundCorners(image);
    return image;
}

Menu PalettePopupMenuContent() {
    return {{Item(kItemMove, "Move"), Item(kItemEdit, "Edit"), Item(kItemManage, "Manage"),
             Separator(), Item(kItemAbout, "About"), Separator(), Item(kItemClose, "Close")}};
}

Menu NewPaletteMenuContent() {
    return {{Item(kItemBlank, "Blank"), Item(kItemFromClipboard, "From clipboard")}};
}

Menu TrayMenuContent(const App& app) {
    Menu menu;
    int counter = kFirstColourItem;
    // Every listed palette, those without colours too.
    for (int p = 0; p < kPaletteCapacity && !app.PaletteNames[p].empty(); ++p) {
        const std::string caption = MenuCaptionOf(app.PaletteNames[p]);
        if (app.settings.SystrayColorMenu != 1) {
            MenuItem item = Item(kFirstOpenItem + p, caption);
            item.image = PaletteImage(app, p);
            menu.items.push_back(std::move(item));
            continue;
        }
        MenuItem sub;
        sub.isSubMenu = true;
        sub.caption = caption;
        sub.image = PaletteImage(app, p);
        const int count = std::clamp(app.PaletteColourCount[p], 0, kMaxColours);
        for (int k = 0; k < count; ++k) {
            // Colour items must never reach the numbers that open palettes.
            if (counter >= kFirstOpenItem) break;
            const std::string& code = app.PaletteColours[p][k];
            // An empty line (all an empty file has) would deliver a bare "#".
            if (code.empty()) continue;
            MenuItem item = Item(counter++, app.settings.Prefix + code);
            item.image = ColourImage(ParseColourCode(code));
            sub.subItems.push_back(std::move(item));
        }
        if (!sub.subItems.empty()) sub.subItems.push_back(Separator());
        sub.subItems.push_back(Item(kFirstOpenItem + p, "Open"));
        sub.subItems.push_back(Item(kFirstEditItem + p, "Edit"));
        menu.items.push_back(std::move(sub));
    }
    menu.items.push_back(Item(kItemTrayManage, "Manage"));
    menu.items.push_back(Item(kItemExit, "Exit"));
    return menu;
}

void BuildMenus(App& app, Platform& platform) {
    if (!app.menusBuilt) {
        platform.SetMenu(MenuId::PalettePopup, PalettePopupMenuContent());
        platform.SetMenu(MenuId::NewPalette, NewPaletteMenuContent());
        app.menusBuilt = true;
    }
    if (!TrayIconOn(app.settings)) return;
    const Menu tray = TrayMenuContent(app);
    app.trayColourCaptions.clear();
    RememberColourCaptions(tray.items, app.trayColourCaptions);
    platform.SetMenu(MenuId::Tray, tray);
}

bool TrayIconOn(const Settings& settings) { return settings.Systray != 0; }

std::string TrayItemCaption(const App& app, int item) {
    const auto found = app.trayColourCaptions.find(item);
    return found == app.trayColourCaptions.end() ? std::string() : found->second;
}

}  // namespace vandrel
