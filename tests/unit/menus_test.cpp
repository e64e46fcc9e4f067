#include <gtest/gtest.h>

#include <set>

#include "app/event_loop.h"
#include "palette/palette_file.h"
#include "palette/palette_list.h"
#include "palette_window/menus.h"
#include "palette_window/palette_window.h"
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
              "web{#1A2B3C=20012, #00FF00=20013, #0000FF=20014, -, Open=10001, Edit=11001}, Pick color\tWin+Alt+C=32, Manage=30, Start with Windows=34, Exit=31");
    ASSERT_TRUE(tray.items[1].picture.has_value());
    ASSERT_TRUE(SubItemsOf(tray.items[1])[0].picture.has_value());
}

TEST_F(Menus, PlainTrayMenu) {
    app->settings.SystrayColorMenu = 0;
    BuildMenus(*app, platform);
    EXPECT_EQ(Outline(platform.menus.at(MenuId::Tray).items), "start=10000, web=10001, Pick color\tWin+Alt+C=32, Manage=30, Start with Windows=34, Exit=31");
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

// The popup's "Format" sub-menu shows every format on the palette's first
// colour; the choice reaches the click, the tray and the tooltips at once.
TEST_F(Menus, FormatsAreChosenFromThePopupAndDeliveredEverywhere) {
    const int slot = OpenPaletteWindow(*app, platform, app->PaletteIndexByName.at("web.pal"), -1);
    user.RightClick(slot, SwatchId(slot, 0));
    RunQueued();
    auto formats = [&] { return SubItemsOf(platform.menus.at(MenuId::PalettePopup).items[2]); };
    auto checked = [&] {
        std::string text;
        for (const MenuItem& item : formats())
            if (item.checked) text += item.caption;
        return text;
    };
    EXPECT_EQ(Outline(formats()),
              "#1A2B3C=100, rgb(26, 43, 60)=101, rgb(26 43 60)=102, hsl(210, 40%, 17%)=103, "
              "hsl(210 40% 17%)=104, oklch(28.26% 0.0388 249.34)=105, 0xFF1A2B3C=106, 0x003C2B1A=107, "
              "26, 43, 60=108, 0.102, 0.169, 0.235=109, hsv(210, 57%, 24%)=110, cmyk(57%, 28%, 0%, 76%)=111, "
              "Custom\xE2\x80\xA6=112");
    EXPECT_EQ(checked(), "#1A2B3C");

    RunPass(*app, platform, {EventKind::Menu, slot, 101, 0, SubKind::None});
    EXPECT_EQ(app->PaletteOptionsByName.at("web.pal").Format, "rgb({red}, {green}, {blue})");
    user.Click(slot, SwatchId(slot, 0));
    RunQueued();
    EXPECT_EQ(platform.clipboard, "rgb(26, 43, 60)");
    RunPass(*app, platform, {EventKind::Menu, kTrayOwnerWindow, 20013, 0, SubKind::None});
    EXPECT_EQ(platform.clipboard, "rgb(0, 255, 0)");
    EXPECT_EQ(Outline(SubItemsOf(platform.menus.at(MenuId::Tray).items[1])),
              "rgb(26, 43, 60)=20012, rgb(0, 255, 0)=20013, rgb(0, 0, 255)=20014, -, Open=10001, Edit=11001");
    EXPECT_EQ(platform.Control(slot, SwatchId(slot, 1)).description.tooltip,
              "rgb(0, 255, 0) (#00FF00)\nlime\non white 1.37:1 fail\non black 15.30:1 AAA");
    user.RightClick(slot, SwatchId(slot, 0));
    RunQueued();
    EXPECT_EQ(checked(), "rgb(26, 43, 60)");

    // "Custom...": the current template suggested; cancelled or empty changes nothing.
    RunPass(*app, platform, {EventKind::Menu, slot, kItemCustomFormat, 0, SubKind::None});
    ASSERT_EQ(platform.questions.size(), 1u);
    EXPECT_EQ(platform.questions[0].title, "Color Format");
    EXPECT_EQ(platform.questions[0].suggested, "rgb({red}, {green}, {blue})");
    EXPECT_EQ(platform.questions[0].maxLength, 100);
    EXPECT_EQ(app->PaletteOptionsByName.at("web.pal").Format, "rgb({red}, {green}, {blue})");
    platform.nameAnswers.push_back("A&B {r}{g}{b}");
    RunPass(*app, platform, {EventKind::Menu, slot, kItemCustomFormat, 0, SubKind::None});
    user.RightClick(slot, SwatchId(slot, 0));
    RunQueued();
    EXPECT_EQ(checked(), "Custom\xE2\x80\xA6");
    EXPECT_EQ(formats()[0].caption, "#1A2B3C");
    user.Click(slot, SwatchId(slot, 0));
    RunQueued();
    EXPECT_EQ(platform.clipboard, "A&B 1a2b3c");

    // The default again: no Format line; with "SwatchTips = 0" no tooltips.
    RunPass(*app, platform, {EventKind::Menu, slot, 100, 0, SubKind::None});
    EXPECT_EQ(app->PaletteOptionsByName.at("web.pal").Format, "");
    app->settings.SwatchTips = 0;
    RefreshSwatchTips(*app, platform, slot);
    EXPECT_EQ(platform.Control(slot, SwatchId(slot, 1)).description.tooltip, "");
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
              "Open=10003, Edit=11003}, Pick color\tWin+Alt+C=32, Manage=30, Start with Windows=34, Exit=31");
    app->settings.SystrayColorMenu = 0;
    BuildMenus(*app, platform);
    EXPECT_EQ(Outline(platform.menus.at(MenuId::Tray).items),
              "a_empty=10000, start=10001, startz=10002, web=10003, Pick color\tWin+Alt+C=32, Manage=30, Start with Windows=34, Exit=31");
}

TEST_F(Menus, AnEmptyPaletteListLeavesOnlyManageStartWithWindowsAndExit) {
    for (std::string& name : app->PaletteNames) name.clear();
    EXPECT_EQ(Outline(TrayMenuContent(*app).items), "Pick color\tWin+Alt+C=32, Manage=30, Start with Windows=34, Exit=31");
}

TEST_F(Menus, EveryColourOfAFullFolderGetsItsOwnItemApartFromOpenAndEdit) {
    for (int p = 0; p < 800; ++p) {
        app->PaletteNames[p] = "p" + std::to_string(p) + ".pal";
        app->PaletteColourCount[p] = 12;
        for (int k = 0; k < 12; ++k) app->PaletteColours[p].Set(k, std::to_string(100000 + p * 12 + k));
    }
    BuildMenus(*app, platform);
    const Menu& tray = platform.menus.at(MenuId::Tray);
    ASSERT_EQ(tray.items.size(), 804u) << "every palette, Pick color, Manage, Start with Windows and Exit";
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
    std::vector<MenuItem> popup = platform.menus.at(MenuId::PalettePopup).items;
    ASSERT_EQ(popup.size(), 9u);
    EXPECT_EQ(popup[2].caption, "Format");
    popup.erase(popup.begin() + 2);
    EXPECT_EQ(Outline(popup), "Move=1, Edit=2, Export...=6, Manage=3, -, About=4, -, Close=5");
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
