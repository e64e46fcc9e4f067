#include "palette_window/menus.h"

#include <algorithm>

#include "palette/colour_code.h"
#include "palette/colour_format.h"
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
    return code.empty() ? std::string() : DeliveredText(app, app.PaletteNames[p], ParseColourCode(code));
}

// The template a palette's colours are delivered in; the default for a
// palette without options.
std::string_view FormatOf(const App& app, const std::string& name) {
    const auto options = app.PaletteOptionsByName.find(name);
    return options == app.PaletteOptionsByName.end() ? kDefaultFormat : EffectiveFormat(options->second.Format);
}

std::vector<MenuItem> FormatItems(const App& app, int slot, const std::string& customCaption) {
    const bool known = slot >= 1 && slot <= kMaxOpenPalettes && !app.Slots[slot].PaletteName.empty();
    const std::string name = known ? app.Slots[slot].PaletteName : std::string();
    const std::string_view current = FormatOf(app, name);
    const int p = known ? app.Slots[slot].PaletteIndex : -1;
    const std::string first = p >= 0 && p < kPaletteCapacity && app.PaletteColourCount[p] > 0
                                  ? app.PaletteColours[p][0] : std::string();
    std::vector<MenuItem> items;
    items.reserve(kBuiltInFormats.size() + 1);
    bool builtIn = false;
    for (std::size_t i = 0; i < kBuiltInFormats.size(); ++i) {
        // A palette without colours shows the templates themselves.
        MenuItem item = Item(kFirstFormatItem + static_cast<int>(i),
                             first.empty() ? std::string(kBuiltInFormats[i])
                                           : FormatColour(kBuiltInFormats[i], ParseColourCode(first),
                                                          app.settings.Prefix));
        item.checked = known && kBuiltInFormats[i] == current;
        builtIn = builtIn || item.checked;
        items.push_back(std::move(item));
    }
    MenuItem custom = Item(kItemCustomFormat, customCaption);
    custom.checked = known && !builtIn;
    items.push_back(std::move(custom));
    return items;
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

constexpr const char* kCustomCaptionUtf8 = "Custom\xE2\x80\xA6";  // "Custom" and an ellipsis

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

std::string DeliveredText(const App& app, const std::string& paletteName, ColourValue colour) {
    return FormatColour(FormatOf(app, paletteName), colour, app.settings.Prefix);
}

Menu PalettePopupMenuContent(const App& app, int slot, const std::string& customCaption) {
    MenuItem move = Item(kItemMove, "Move");
    if (slot >= 1 && slot <= kMaxOpenPalettes) {
        const auto options = app.PaletteOptionsByName.find(app.Slots[slot].PaletteName);
        move.checked = options != app.PaletteOptionsByName.end() && options->second.Drag == 1;
    }
    MenuItem format;
    format.isSubMenu = true;
    format.caption = "Format";
    // Made with the menu, handed out when the sub-menu opens: a menu of the
    // same outline keeps its handles.
    format.makeSubItems = [items = FormatItems(app, slot, customCaption)] { return items; };
    return {{std::move(move), Item(kItemEdit, "Edit"), std::move(format), Item(kItemExport, "Export..."),
             Item(kItemManage, "Manage"),
             Separator(), Item(kItemAbout, "About"), Separator(), Item(kItemClose, "Close")}};
}

void ShowPalettePopup(App& app, Platform& platform, int slot) {
    // Made for this palette each time: its first colour and format.
    platform.SetMenu(MenuId::PalettePopup,
                     PalettePopupMenuContent(app, slot, platform.Utf8ToCodePage(kCustomCaptionUtf8)));
    platform.ShowMenu(MenuId::PalettePopup, slot);
}

Menu NewPaletteMenuContent() {
    return {{Item(kItemBlank, "Blank"), Item(kItemFromClipboard, "From clipboard"), Item(kItemFromFile, "From file...")}};
}

Menu TrayMenuContent(const App& app) {
    Menu menu;
    // Each list made at its final size: the menus are rebuilt often, and
    // lists that grow step by step leave the heap of a full folder larger each time.
    const int palettes = PaletteCount(app);
    menu.items.reserve(static_cast<std::size_t>(palettes) + 4);
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
    const std::string& shortcut = app.settings.Hotkey;
    menu.items.push_back(Item(kItemPickColour, app.picker.keys ? "Pick color\t" + shortcut : "Pick color"));
    menu.items.push_back(Item(kItemTrayManage, "Manage"));
    // Its check mark is read from the registry as the menu opens.
    menu.items.push_back(Item(kItemStartWithWindows, "Start with Windows"));
    menu.items.push_back(Item(kItemExit, "Exit"));
    return menu;
}

void BuildMenus(App& app, Platform& platform) {
    if (!app.menusBuilt) {
        platform.SetMenu(MenuId::PalettePopup,
                         PalettePopupMenuContent(app, 0, platform.Utf8ToCodePage(kCustomCaptionUtf8)));
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
