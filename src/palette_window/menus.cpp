#include "palette_window/menus.h"

#include <algorithm>

#include "palette/colour_code.h"
#include "palette/palette_list.h"

namespace vandrel {
namespace {

std::uint32_t Opaque(ColourValue colour) {
    return 0xFF000000u | (static_cast<std::uint32_t>(RedOf(colour)) << 16) |
           (static_cast<std::uint32_t>(GreenOf(colour)) << 8) |
           static_cast<std::uint32_t>(BlueOf(colour));
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

std::size_t CountColourItems(const std::vector<MenuItem>& items) {
    std::size_t count = 0;
    for (const MenuItem& item : items)
        count += (item.id >= kFirstColourItem && item.id <= kLastColourItem ? 1 : 0) + CountColourItems(item.subItems);
    return count;
}

void RememberColourCaptions(const std::vector<MenuItem>& items,
                            std::vector<std::pair<int, std::string>>& captions) {
    for (const MenuItem& item : items) {
        if (item.id >= kFirstColourItem && item.id <= kLastColourItem) captions.emplace_back(item.id, item.caption);
        RememberColourCaptions(item.subItems, captions);
    }
}

}  // namespace

std::string MenuCaptionOf(const std::string& fileName) {
    // Only the extension goes: "my.palette.pal" reads "my.palette".
    return HasPaletteExtension(fileName) ? fileName.substr(0, fileName.size() - 4) : fileName;
}

MenuPicture PalettePicture(const App& app, int p) {
    MenuPicture picture;  // no colours: all clear
    const int count = app.PaletteColourCount[p];
    auto colour = [&](int k) { return Opaque(ParseColourCode(app.PaletteColours[p][k])); };
    auto& [topLeft, topRight, bottomRight, bottomLeft] = picture.quarters;
    // One colour fills it, a second takes the right half, a third the bottom
    // right quarter, a fourth the bottom left.
    if (count >= 1) topLeft = topRight = bottomRight = bottomLeft = colour(0);
    if (count >= 2) topRight = bottomRight = colour(1);
    if (count >= 3) bottomRight = colour(2);
    if (count >= 4) bottomLeft = colour(3);
    return picture;
}

MenuPicture ColourPicture(ColourValue colour) {
    MenuPicture picture;
    picture.quarters.fill(Opaque(colour));
    return picture;
}

Image PaletteImage(const App& app, int p) { return MenuPictureImage(PalettePicture(app, p)); }

Image ColourImage(ColourValue colour) { return MenuPictureImage(ColourPicture(colour)); }

Menu PalettePopupMenuContent() {
    return {{Item(kItemMove, "Move"), Item(kItemEdit, "Edit"), Item(kItemManage, "Manage"),
             Separator(), Item(kItemAbout, "About"), Separator(), Item(kItemClose, "Close")}};
}

Menu NewPaletteMenuContent() {
    return {{Item(kItemBlank, "Blank"), Item(kItemFromClipboard, "From clipboard")}};
}

Menu TrayMenuContent(const App& app) {
    Menu menu;
    // Each list made at its final size: the menus are rebuilt often, and
    // lists that grow step by step leave the heap of a full folder larger each time.
    int palettes = 0;
    while (palettes < kPaletteCapacity && !app.PaletteNames[palettes].empty()) ++palettes;
    menu.items.reserve(static_cast<std::size_t>(palettes) + 2);
    int counter = kFirstColourItem;
    // Every listed palette, those without colours too.
    for (int p = 0; p < palettes; ++p) {
        const std::string caption = MenuCaptionOf(app.PaletteNames[p]);
        if (app.settings.SystrayColorMenu != 1) {
            MenuItem item = Item(kFirstOpenItem + p, caption);
            item.picture = PalettePicture(app, p);
            menu.items.push_back(std::move(item));
            continue;
        }
        MenuItem sub;
        sub.isSubMenu = true;
        sub.caption = caption;
        sub.picture = PalettePicture(app, p);
        const int count = std::clamp(app.PaletteColourCount[p], 0, kMaxColours);
        sub.subItems.reserve(static_cast<std::size_t>(count) + 3);
        for (int k = 0; k < count; ++k) {
            const std::string& code = app.PaletteColours[p][k];
            // An empty line (all an empty file has) would deliver a bare "#".
            if (code.empty()) continue;
            MenuItem item = Item(counter++, app.settings.Prefix + code);
            item.picture = ColourPicture(ParseColourCode(code));
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
    Menu tray = TrayMenuContent(app);
    std::vector<std::pair<int, std::string>> captions;
    captions.reserve(CountColourItems(tray.items));
    RememberColourCaptions(tray.items, captions);
    // Numbered in the order they were made; sorted all the same, for the look-up.
    std::sort(captions.begin(), captions.end());
    app.trayColourCaptions = std::move(captions);
    platform.SetMenu(MenuId::Tray, std::move(tray));
}

bool TrayIconOn(const Settings& settings) { return settings.Systray != 0; }

std::string TrayItemCaption(const App& app, int item) {
    const auto& captions = app.trayColourCaptions;
    const auto found = std::lower_bound(captions.begin(), captions.end(), item,
                                        [](const auto& entry, int id) { return entry.first < id; });
    return found == captions.end() || found->first != item ? std::string() : found->second;
}

}  // namespace vandrel
