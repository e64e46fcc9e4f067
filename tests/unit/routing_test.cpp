// Which handler each event reaches, and what the main handlers do.
#include <gtest/gtest.h>

#include "app/event_loop.h"
#include "palette/palette_file.h"
#include "palette_window/palette_window.h"
#include "test_support.h"

namespace vandrel::testing {
namespace {

Event MenuEvent(int item, int window = kTrayOwnerWindow) {
    return {EventKind::Menu, window, item, 0, SubKind::None};
}
Event ControlEvent(int window, int control, SubKind sub) {
    return {EventKind::Control, window, 0, control, sub};
}

using Routes = std::vector<Routed>;

class Routing : public AppTest {
protected:
    void SetUp() override {
        AddPalette("start.pal", StartPaletteText());
        AddPalette("web.pal", "#1A2B3C\r\n#000000\r\n");
        Start();
        OpenPaletteWindow(*app, platform, app->PaletteIndexByName.at("web.pal"), -1);
    }
};

TEST_F(Routing, MenuItemsReachTheirHandlersWithTheirPaletteOrItem) {
    EXPECT_EQ(Route(*app, MenuEvent(20000)), (Routes{{Action::CopyTrayColour, 20000}}));
    EXPECT_EQ(Route(*app, MenuEvent(29599)), (Routes{{Action::CopyTrayColour, 29599}}));
    EXPECT_TRUE(Route(*app, MenuEvent(29600)).empty()) << "past the last colour of the last palette";
    EXPECT_TRUE(Route(*app, MenuEvent(1000)).empty());
    EXPECT_EQ(Route(*app, MenuEvent(10000)), (Routes{{Action::OpenFromTray, 0}}));
    EXPECT_EQ(Route(*app, MenuEvent(10799)), (Routes{{Action::OpenFromTray, 799}}));
    EXPECT_EQ(Route(*app, MenuEvent(11005)), (Routes{{Action::EditFromTray, 5}}));
    EXPECT_TRUE(Route(*app, MenuEvent(10800)).empty()) << "no palette has that index";
    const std::vector<std::pair<int, Action>> roles = {
        {kItemAbout, Action::OpenAbout},           {kItemTrayManage, Action::TrayManage},
        {kItemSavePalette, Action::SavePalette},   {kItemCopyPalette, Action::CopyPalette},
        {kItemExit, Action::Exit},                 {kItemManage, Action::PopupManage},
        {kItemEdit, Action::PopupEdit},            {kItemMove, Action::PopupMove},
        {kItemClose, Action::PopupClose},          {kItemShortcutUp, Action::FocusPreviousRow},
        {kItemShortcutDown, Action::FocusNextRow}, {kItemColourPicker, Action::ColourPicker},
        {kItemGrabColour, Action::GrabColour},     {kItemRandomColour, Action::RandomColour},
        {kItemBlender, Action::Blender},           {kItemBlank, Action::NewBlankPalette},
        {kItemFromClipboard, Action::NewPaletteFromClipboard}};
    for (const auto& [item, action] : roles)
        EXPECT_EQ(Route(*app, MenuEvent(item)), (Routes{{action}})) << "item " << item;
}

TEST_F(Routing, TrayClicksShowTheMenuAndADoubleClickTheManageWindow) {
    const auto tray = [](SubKind sub) { return Event{EventKind::Tray, kTrayOwnerWindow, 0, 0, sub}; };
    EXPECT_EQ(Route(*app, tray(SubKind::DoubleClick)), (Routes{{Action::TrayDoubleClick}}));
    EXPECT_EQ(Route(*app, tray(SubKind::LeftClick)), (Routes{{Action::ShowTrayMenu}}));
    EXPECT_EQ(Route(*app, tray(SubKind::RightClick)), (Routes{{Action::ShowTrayMenu}}));
}

TEST_F(Routing, SwatchClicksDeliverAndPressesDragOrSelect) {
    EXPECT_EQ(Route(*app, ControlEvent(1, 1201, SubKind::LeftClick)), (Routes{{Action::DeliverSwatch, 1}}));
    EXPECT_TRUE(Route(*app, ControlEvent(1, 1401, SubKind::LeftClick)).empty())
        << "a swatch number of the other slot";
    EXPECT_EQ(Route(*app, ControlEvent(1, 1200, SubKind::RightClick)), (Routes{{Action::PaletteRightClick, 1}}));
    EXPECT_EQ(Route(*app, ControlEvent(1, 1200, SubKind::LeftDown)), (Routes{{Action::DragPalette, 1}}));
    app->manageOpen = true;
    EXPECT_EQ(Route(*app, ControlEvent(1, 1200, SubKind::LeftDown)),
              (Routes{{Action::ManageFollowsPalette, 1}, {Action::DragPalette, 1}}))
        << "C4 runs before C5";
    app->PaletteOptionsByName.at("web.pal").Drag = 0;
    EXPECT_EQ(Route(*app, ControlEvent(1, 1200, SubKind::LeftDown)), (Routes{{Action::ManageFollowsPalette, 1}}));
}

TEST_F(Routing, EditorRowsAndManageControlsReachTheirHandlers) {
    app->EditorColourCount = 3;
    EXPECT_EQ(Route(*app, ControlEvent(kEditorWindow, 130, SubKind::Change)), (Routes{{Action::EditorHexEntry, 2}}));
    EXPECT_TRUE(Route(*app, ControlEvent(kEditorWindow, 132, SubKind::Change)).empty()) << "row 4 does not exist";
    EXPECT_EQ(Route(*app, ControlEvent(kEditorWindow, 513, SubKind::LeftClick)),
              (Routes{{Action::SwapEditorRows, 513}}));
    EXPECT_EQ(Route(*app, ControlEvent(kEditorWindow, 643, SubKind::LeftClick)),
              (Routes{{Action::SwapEditorRows, 643}}));
    EXPECT_EQ(Route(*app, ControlEvent(kManageWindow, kPaletteList, SubKind::Change)),
              (Routes{{Action::PaletteListChanged}}));
    EXPECT_EQ(Route(*app, ControlEvent(kManageWindow, kPaletteList, SubKind::DoubleClick)),
              (Routes{{Action::PaletteListDoubleClick}}));
    EXPECT_EQ(Route(*app, ControlEvent(kManageWindow, kPoundCheck, SubKind::LeftClick)),
              (Routes{{Action::ManageControl, kPoundCheck}}));
    EXPECT_EQ(Route(*app, ControlEvent(kAboutWindow, kWebLink, SubKind::LeftClick)),
              (Routes{{Action::ManageControl, kWebLink}}));
    EXPECT_TRUE(Route(*app, ControlEvent(kManageWindow, kFolderText, SubKind::LeftClick)).empty())
        << "the folder's text raises nothing and no range holds it";
    EXPECT_TRUE(Route(*app, ControlEvent(1, kPoundCheck, SubKind::LeftClick)).empty())
        << "manage controls only from the manage window";
}

TEST_F(Routing, CloseBoxesAndAnotherStartReachTheirWindows) {
    const auto close = [](int window) { return Event{EventKind::Close, window, 0, 0, SubKind::None}; };
    EXPECT_EQ(Route(*app, close(kEditorWindow)), (Routes{{Action::CloseEditorWindow}}));
    EXPECT_EQ(Route(*app, close(kManageWindow)), (Routes{{Action::CloseManage}}));
    EXPECT_EQ(Route(*app, close(kAboutWindow)), (Routes{{Action::CloseAbout}}));
    EXPECT_TRUE(Route(*app, close(1)).empty());
    EXPECT_EQ(Route(*app, Event{EventKind::ComeForward, kNoWindow, 0, 0, SubKind::None}),
              (Routes{{Action::ComeForward}}));
    EXPECT_TRUE(Route(*app, Event{}).empty()) << "a time-out runs no handler";
}

TEST_F(Routing, PassRefreshesTheCurrentPaletteFromTheEventsWindow) {
    platform.foreground = kManageWindow;
    RunPass(*app, platform, ControlEvent(1, 1200, SubKind::None));
    EXPECT_EQ(app->ActiveWindowNo, kManageWindow);
    EXPECT_EQ(app->CurrentPaletteName, "web.pal");
    EXPECT_EQ(app->CurrentPaletteIndex, app->PaletteIndexByName.at("web.pal"));
    RunPass(*app, platform, Event{});
    EXPECT_EQ(app->CurrentPaletteName, "web.pal") << "other events keep it";
}

TEST_F(Routing, RightClickShowsThePopupWithMoveCheckedUnlessLocked) {
    RunPass(*app, platform, ControlEvent(1, 1200, SubKind::RightClick));
    EXPECT_TRUE(platform.menus.at(MenuId::PalettePopup).items[0].checked);
    ASSERT_EQ(platform.shownMenus.size(), 1u);
    EXPECT_EQ(platform.shownMenus[0], std::make_pair(MenuId::PalettePopup, 1));
    app->PaletteOptionsByName.at("web.pal").Locked = 1;
    RunPass(*app, platform, ControlEvent(1, 1200, SubKind::RightClick));
    EXPECT_EQ(platform.shownMenus.size(), 1u) << "a locked palette shows no menu";
}

TEST_F(Routing, PopupMoveFlipsDragAndReopensInTheSameSlotAndPlace) {
    platform.SetPosition(1, {400, 300});
    app->CurrentPaletteIndex = app->Slots[1].PaletteIndex;
    RunPass(*app, platform, MenuEvent(kItemMove, 1));
    EXPECT_EQ(app->PaletteOptionsByName.at("web.pal").Drag, 0);
    EXPECT_EQ(platform.Control(1, 1200).description.cursor, CursorKind::Hand);
    EXPECT_EQ(platform.WindowPosition(1), (Point{400, 300}));
    RunPass(*app, platform, MenuEvent(kItemMove, 1));
    EXPECT_EQ(app->PaletteOptionsByName.at("web.pal").Drag, 1);
    app->PaletteOptionsByName.at("web.pal").Drag = 5;  // hand-edited
    RunPass(*app, platform, MenuEvent(kItemMove, 1));
    EXPECT_EQ(app->PaletteOptionsByName.at("web.pal").Drag, 1);
}

TEST_F(Routing, PopupCloseRemembersThePlace) {
    platform.SetPosition(1, {222, 111});
    RunPass(*app, platform, MenuEvent(kItemClose, 1));
    EXPECT_FALSE(platform.Exists(1));
    const PaletteOptions& options = app->PaletteOptionsByName.at("web.pal");
    EXPECT_EQ(options.WinID, -1);
    EXPECT_EQ(options.X, 222);
    EXPECT_EQ(options.Y, 111);
    RunPass(*app, platform, MenuEvent(10000 + app->PaletteIndexByName.at("web.pal")));
    EXPECT_EQ(platform.WindowPosition(1), (Point{222, 111}));
}

TEST_F(Routing, TrayClicksShowTheTrayMenuOwnedByTheTrayOwner) {
    RunPass(*app, platform, Event{EventKind::Tray, kTrayOwnerWindow, 0, 0, SubKind::RightClick});
    ASSERT_EQ(platform.shownMenus.size(), 1u);
    EXPECT_EQ(platform.shownMenus[0], std::make_pair(MenuId::Tray, kTrayOwnerWindow));
}

TEST_F(Routing, DragOfAMovablePaletteDisablesTheSwatchWhileMoving) {
    platform.dragOutcome = DragOutcome::Moved;
    platform.pressedControl = 1200;
    RunPass(*app, platform, ControlEvent(1, 1200, SubKind::LeftDown));
    EXPECT_EQ(platform.dragsStarted, 1);
    EXPECT_EQ(platform.swatchEnabledDuringDrag, std::vector<bool>{false}) << "it gives up the mouse";
    EXPECT_TRUE(platform.Control(1, 1200).enabled) << "and is enabled again afterwards";
    EXPECT_EQ(platform.clipboardWrites, 0) << "a drag delivers nothing";
    platform.dragOutcome = DragOutcome::ReleasedWithoutMove;
    RunPass(*app, platform, ControlEvent(1, 1200, SubKind::LeftDown));
    EXPECT_EQ(platform.clipboard, "#1A2B3C") << "a short click on a movable palette still delivers";
}

}  // namespace
}  // namespace vandrel::testing
