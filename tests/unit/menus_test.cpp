#include <gtest/gtest.h>

#include <set>

#include "app/event_loop.h"
#include "palette/palette_file.h"
#include "palette/palette_list.h"
#include "palette_window/menus.h"
#include "test_support.h"

namespace vandrel::testing {
namespace {

std::string Outline(const std::vector<MenuItem>& items) {
    std::string text;
    for (const MenuItem& item : items) {
        if (!text.empty()) text += ", ";
        if (item.separator) text += "-";
        else if (item.isSubMenu) text += item.caption + "{" + Outline(SubItemsOf(item)) + "}";
        else text += item.caption + "=" + std::to_string(item.id);
    }
    return text;
}

class Menus : public AppTest {
protected:
    void SetUp() override {
        AddPalette("start.pal", StartPaletteText());
        AddPalette("web.pal", "#1A2B3C\r\n#00FF00\r\n#0000FF\r\n");
        Start();  // fake listing is sorted: start, web
    }
};

TEST_F(Menus, TrayMenuWithColourSubMenus) {
    const Menu& tray = platform.menus.at(MenuId::Tray);
    EXPECT_EQ(Outline(tray.items),
              "start{#000000=20000, #FF0000=20001, #FFFF00=20002, #00FF00=20003, #00FFFF=20004, #0000FF=20005, "
              "#FF00FF=20006, #FFFFFF=20007, -, Open=10000, Edit=11000}, "
              "web{#1A2B3C=20012, #00FF00=20013, #0000FF=20014, -, Open=10001, Edit=11001}, Manage=30, Exit=31");
    ASSERT_TRUE(tray.items[1].picture.has_value());
    ASSERT_TRUE(SubItemsOf(tray.items[1])[0].picture.has_value());
}

TEST_F(Menus, PlainTrayMenu) {
    app->settings.SystrayColorMenu = 0;
    BuildMenus(*app, platform);
    EXPECT_EQ(Outline(platform.menus.at(MenuId::Tray).items), "start=10000, web=10001, Manage=30, Exit=31");
}

TEST_F(Menus, ColourItemCopiesItsCaptionWhateverTheOutputMode) {
    app->PaletteOptionsByName.at("web.pal").Output = 1;
    RunPass(*app, platform, {EventKind::Menu, kTrayOwnerWindow, 20012, 0, SubKind::None});
    EXPECT_EQ(platform.clipboard, "#1A2B3C");
    app->settings.Prefix = "";
    BuildMenus(*app, platform);
    RunPass(*app, platform, {EventKind::Menu, kTrayOwnerWindow, 20013, 0, SubKind::None});
    EXPECT_EQ(platform.clipboard, "00FF00");
}

TEST_F(Menus, PaletteImagesSplitIntoHalvesAndQuarters) {
    const Image image = PaletteImage(*app, app->PaletteIndexByName.at("web.pal"));
    ASSERT_EQ(image.pixels.size(), 256u);
    auto at = [&](int x, int y) { return image.pixels[y * 16 + x]; };
    EXPECT_EQ(at(3, 3), 0xFF1A2B3Cu);
    EXPECT_EQ(at(3, 12), 0xFF1A2B3Cu) << "three colours: the left half stays colour 0";
    EXPECT_EQ(at(12, 3), 0xFF00FF00u);
    EXPECT_EQ(at(12, 12), 0xFF0000FFu);
    for (int corner : {0, 15, 240, 255}) EXPECT_EQ(image.pixels[corner], 0x00FFFFFFu);
    const Image start = PaletteImage(*app, app->PaletteIndexByName.at("start.pal"));
    EXPECT_EQ(start.pixels[12 * 16 + 3], 0xFF00FF00u) << "four colours: bottom left is colour 3";
}

// A palette without colours (an empty file, a blank palette once saved) is
// listed like any other and hides none of the palettes after it.
TEST_F(Menus, APaletteWithoutColoursIsListedAndTheListGoesOn) {
    WriteFile(SettingsPath() / "a_empty.pal", "");  // lists before start.pal
    WriteFile(SettingsPath() / "startz.pal", "");   // between start and web
    ListPalettes(*app, platform);
    BuildMenus(*app, platform);
    EXPECT_EQ(Outline(platform.menus.at(MenuId::Tray).items),
              "a_empty{Open=10000, Edit=11000}, start{#000000=20012, #FF0000=20013, #FFFF00=20014, "
              "#00FF00=20015, #00FFFF=20016, #0000FF=20017, #FF00FF=20018, #FFFFFF=20019, -, Open=10001, "
              "Edit=11001}, startz{Open=10002, Edit=11002}, web{#1A2B3C=20036, #00FF00=20037, #0000FF=20038, -, "
              "Open=10003, Edit=11003}, Manage=30, Exit=31");
    app->settings.SystrayColorMenu = 0;
    BuildMenus(*app, platform);
    EXPECT_EQ(Outline(platform.menus.at(MenuId::Tray).items),
              "a_empty=10000, start=10001, startz=10002, web=10003, Manage=30, Exit=31");
}

TEST_F(Menus, AnEmptyPaletteListLeavesOnlyManageAndExit) {
    for (std::string& name : app->PaletteNames) name.clear();
    EXPECT_EQ(Outline(TrayMenuContent(*app).items), "Manage=30, Exit=31");
}

TEST_F(Menus, EveryColourOfAFullFolderGetsItsOwnItemApartFromOpenAndEdit) {
    for (int p = 0; p < 800; ++p) {
        app->PaletteNames[p] = "p" + std::to_string(p) + ".pal";
        app->PaletteColourCount[p] = 12;
        for (int k = 0; k < 12; ++k) app->PaletteColours[p].Set(k, std::to_string(100000 + p * 12 + k));
    }
    BuildMenus(*app, platform);
    const Menu& tray = platform.menus.at(MenuId::Tray);
    ASSERT_EQ(tray.items.size(), 802u) << "every palette, Manage and Exit";
    std::set<int> ids;
    int colourItems = 0;
    for (int p = 0; p < 800; ++p) {
        const std::vector<MenuItem> sub = SubItemsOf(tray.items[p]);
        ASSERT_EQ(sub.size(), 15u) << "palette " << p << ": 12 colours, a separator, Open and Edit";
        for (int k = 0; k < 12; ++k) {
            const MenuItem& item = sub[k];
            EXPECT_TRUE(ids.insert(item.id).second) << "item " << item.id << " is used twice";
            EXPECT_GE(item.id, kFirstColourItem);
            EXPECT_LE(item.id, kLastColourItem);
            // What a click copies comes from the caption, whatever the number.
            EXPECT_EQ(TrayItemCaption(*app, item.id), "#" + std::to_string(100000 + p * 12 + k));
            ++colourItems;
        }
        EXPECT_EQ(sub[13].id, 10000 + p);
        EXPECT_EQ(sub[14].id, 11000 + p);
        EXPECT_TRUE(ids.insert(sub[13].id).second && ids.insert(sub[14].id).second);
    }
    EXPECT_EQ(colourItems, 9600);
    EXPECT_EQ(TrayItemCaption(*app, kFirstColourItem - 1), "");
    // Fewer colours since: the numbers past the new last item copy nothing.
    app->PaletteColourCount[799] = 1;
    BuildMenus(*app, platform);
    EXPECT_EQ(TrayItemCaption(*app, kLastColourItem - 11), "#" + std::to_string(100000 + 799 * 12));
    EXPECT_EQ(TrayItemCaption(*app, kLastColourItem - 10), "");
    EXPECT_EQ(TrayItemCaption(*app, kLastColourItem), "");
    // A palette gone from the list since: its numbers copy nothing either.
    app->PaletteNames[799].clear();
    BuildMenus(*app, platform);
    EXPECT_EQ(TrayItemCaption(*app, kLastColourItem - 11), "");
    EXPECT_LT(*ids.rbegin(), 65536) << "a menu command carries 16 bits";
}

TEST_F(Menus, PopupAndNewPaletteMenus) {
    EXPECT_EQ(Outline(platform.menus.at(MenuId::PalettePopup).items),
              "Move=1, Edit=2, Export...=6, Manage=3, -, About=4, -, Close=5");
    EXPECT_EQ(Outline(platform.menus.at(MenuId::NewPalette).items), "Blank=20, From clipboard=21, From file...=22");
    EXPECT_EQ(MenuCaptionOf("my.palette.pal"), "my.palette");
    EXPECT_EQ(MenuCaptionOf("LOUD.PAL"), "LOUD");
}

TEST_F(Menus, NoTrayMenuWithoutTheTrayIcon) {
    platform.menus.clear();
    app->settings.Systray = 0;
    BuildMenus(*app, platform);
    EXPECT_EQ(platform.menus.count(MenuId::Tray), 0u);
}

// A hand-edited value other than 0 and 1 gave a tray icon without a menu:
// nothing could end the program.
TEST_F(Menus, AnyOtherTrayValueGivesTheIconAndItsMenu) {
    NewProgram();
    platform.menus.clear();
    WriteFile(SettingsPath() / "Vandrel.ini", "Systray = 7\r\n");
    Start();
    EXPECT_TRUE(platform.trayIconAdded);
    ASSERT_EQ(platform.menus.count(MenuId::Tray), 1u);
    EXPECT_EQ(Outline({platform.menus.at(MenuId::Tray).items.back()}), "Exit=31");
}

}  // namespace
}  // namespace vandrel::testing
