// Which window owns the program's message boxes and the name box: the one
// that gets the focus back when the box closes.
#include <gtest/gtest.h>

#include "core/dialog_owner.h"
#include "palette/palette_file.h"
#include "test_support.h"

namespace vandrel::testing {
namespace {

WindowSpec Kind(WindowKind kind) {
    WindowSpec description;
    description.kind = kind;
    return description;
}

TEST(DialogOwner, TheWindowInFrontElseTheEditorTheManageWindowThenTheTrayOwner) {
    FakePlatform platform;
    EXPECT_EQ(DialogOwner(platform), kNoWindow) << "before any window (the settings folder's error)";
    platform.OpenWindow(kTrayOwnerWindow, Kind(WindowKind::Hidden));
    platform.OpenWindow(1, Kind(WindowKind::Palette));
    EXPECT_EQ(DialogOwner(platform), kTrayOwnerWindow);
    platform.OpenWindow(kManageWindow, Kind(WindowKind::Framed));
    EXPECT_EQ(DialogOwner(platform), kManageWindow);
    platform.OpenWindow(kEditorWindow, Kind(WindowKind::Framed));
    EXPECT_EQ(DialogOwner(platform), kEditorWindow) << "another program in front";
    platform.foreground = 1;
    EXPECT_EQ(DialogOwner(platform), kEditorWindow) << "a palette window, activated by its move";
    platform.foreground = kManageWindow;
    EXPECT_EQ(DialogOwner(platform), kManageWindow) << "in front of the editor";
    platform.OpenWindow(kAboutWindow, Kind(WindowKind::Framed));
    platform.foreground = kAboutWindow;
    EXPECT_EQ(DialogOwner(platform), kAboutWindow);
    platform.CloseWindow(kAboutWindow);
    platform.CloseWindow(kEditorWindow);
    platform.foreground = -1;
    EXPECT_EQ(DialogOwner(platform), kManageWindow);
}

class Boxes : public AppTest {
protected:
    void SetUp() override {
        AddPalette("start.pal", StartPaletteText());
        AddPalette("one.pal", "#FF0000\r\n");
        Start();
    }
    void Menu(int item, int window = kTrayOwnerWindow) {
        platform.Queue({EventKind::Menu, window, item});
        RunQueued();
    }
    int LastOwner() const { return platform.messages.back().owner; }
};

TEST_F(Boxes, AreOwnedByTheWindowThatAsked) {
    Menu(kFirstEditItem + app->PaletteIndexByName.at("one.pal"));
    platform.foreground = kEditorWindow;  // as the system does with a window shown
    Menu(kItemBlender, kEditorWindow);
    ASSERT_EQ(platform.MessageLines().back(), "Error: Magic color blending requires at least two colors.");
    EXPECT_EQ(LastOwner(), kEditorWindow);

    Menu(kItemTrayManage);
    platform.foreground = kManageWindow;
    platform.nameAnswers = {""};
    Menu(kItemBlank, kManageWindow);
    ASSERT_EQ(platform.questionOwners.size(), 1u);
    EXPECT_EQ(platform.questionOwners.back(), kManageWindow) << "the name box of the manage window's Blank";

    // Typed into the editor, then "Edit" of the other palette from the tray menu while
    // another program is in front: the editor asks about its changes.
    user.Type(kEditorWindow, EditFieldId(2), "123456");
    RunQueued();
    platform.foreground = -1;
    Menu(kFirstEditItem + app->PaletteIndexByName.at("start.pal"));
    ASSERT_EQ(platform.MessageLines().back(), "Save: Save your changes?");
    EXPECT_EQ(LastOwner(), kEditorWindow);
}

}  // namespace
}  // namespace vandrel::testing
