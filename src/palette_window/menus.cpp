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

// The caption of colour k of palette p, or empty when it has none: an empty
// line (all an empty file has) would deliver a bare "#".
std::string ColourCaption(const App& app, int p, int k) {
    if (k >= std::clamp(app.PaletteColourCount[p], 0, kMaxColours)) return {};
    const std::string code = app.PaletteColours[p][k];
    return code.empty() ? std::string() : app.settings.Prefix + code;
}

// A palette's sub-menu in the tray: its colours, then "Open" and "Edit".
std::vector<MenuItem> TrayPaletteItems(const App& app, int p) {
    std::vector<MenuItem> items;
    items.reserve(kMaxColours + 3);
    for (int k = 0; k < kMaxColours; ++k) {
        std::string caption = ColourCaption(app, p, k);
        if (caption.empty()) continue;
        MenuItem item = Item(ColourItemId(p, k), caption);
        item.picture = ColourPicture(ParseColourCode(app.PaletteColours[p][k]));
        items.push_back(std::move(item));
    }
    if (!items.empty()) items.push_back(Separator());
    items.push_back(Item(OpenItemId(p), "Open"));
    items.push_back(Item(EditItemId(p), "Edit"));
    return items;
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
    return {{Item(kItemMove, "Move"), Item(kItemEdit, "Edit"), Item(kItemExport, "Export..."), Item(kItemManage, "Manage"),
             Separator(), Item(kItemAbout, "About"), Separator(), Item(kItemClose, "Close")}};
}

Menu NewPaletteMenuContent() {
    return {{Item(kItemBlank, "Blank"), Item(kItemFromClipboard, "From clipboard"), Item(kItemFromFile, "From file...")}};
}

Menu TrayMenuContent(const App& app) {
    Menu menu;
    // Each list made at its final size: the menus are rebuilt often, and
    // lists that grow step by step leave the heap of a full folder larger each time.
    const int palettes = PaletteCount(app);
    menu.items.reserve(static_cast<std::size_t>(palettes) + 2);
    // Every listed palette, those without colours too.
    for (int p = 0; p < palettes; ++p) {
        const std::string caption = MenuCaptionOf(app.PaletteNames[p]);
        if (app.settings.SystrayColorMenu != 1) {
            MenuItem item = Item(OpenItemId(p), caption);
            item.picture = PalettePicture(app, p);
            menu.items.push_back(std::move(item));
            continue;
        }
        MenuItem sub;
        sub.isSubMenu = true;
        sub.caption = caption;
        sub.picture = PalettePicture(app, p);
        // Made from the list as it is when the sub-menu opens: every change of
        // the list or of "Use #'s" builds the menus anew.
        sub.makeSubItems = [&app, p] { return TrayPaletteItems(app, p); };
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
    platform.SetMenu(MenuId::Tray, TrayMenuContent(app));
}

bool TrayIconOn(const Settings& settings) { return settings.Systray != 0; }

std::string TrayItemCaption(const App& app, int item) {
    if (item < kFirstColourItem || item > kLastColourItem) return {};
    const int p = PaletteOfColourItem(item);
    // A palette that has left the list copies nothing.
    if (app.PaletteNames[p].empty()) return {};
    return ColourCaption(app, p, PlaceOfColourItem(item));
}

}  // namespace vandrel
