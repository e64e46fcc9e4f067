// Palette windows at other display scales: sizes in units of 96 DPI scaled
// by the monitor's DPI, the fonts at that DPI, snapping in its pixels.
#include <gtest/gtest.h>

#include "core/scale.h"
#include "app/operations.h"
#include "app/startup.h"
#include "editor/editing.h"
#include "editor/editor_window.h"
#include "palette/palette_file.h"
#include "resources/program_images.h"
#include "settings/about_window.h"
#include "settings/manage_window.h"
#include "palette_window/palette_window.h"
#include "palette_window/placement.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace vandrel::testing {
namespace {

TEST(DisplayScale, SizesScaleByTheDpiRoundedHalvesAwayFromZero) {
    struct Case {
        int units, dpi, pixels;
    };
    for (const Case& c : {Case{59, 96, 59}, Case{59, 120, 74}, Case{59, 144, 89}, Case{59, 192, 118},
                          Case{18, 120, 23}, Case{18, 144, 27}, Case{7, 120, 9}, Case{7, 144, 11},
                          Case{1, 120, 1}, Case{1, 144, 2}, Case{15, 144, 23}, Case{2, 120, 3},
                          Case{-7, 144, -11}, Case{0, 144, 0}})
        EXPECT_EQ(Scaled(c.units, c.dpi), c.pixels) << c.units << " at " << c.dpi;
}

TEST(DisplayScale, APaletteWindowAt144DpiIsHalfAsLargeAgainAndItsSwatchesStillMeet) {
    for (const bool rounded : {true, false}) {
        const SwatchGeometry geometry{59, 18, 2, rounded};
        const PaletteWindowLayout small = LayoutPaletteWindow(8, geometry, 96);
        const PaletteWindowLayout large = LayoutPaletteWindow(8, geometry, 144);
        EXPECT_EQ(large.client.width, Scaled(small.client.width, 144));
        EXPECT_EQ(large.client.height, Scaled(small.client.height, 144));
        ASSERT_EQ(large.swatches.size(), 8u);
        for (std::size_t j = 0; j < 8; ++j) {
            EXPECT_EQ(large.swatches[j], Scaled(small.swatches[j], 144)) << "swatch " << j;
            EXPECT_GE(large.swatches[j].left, 0);
            EXPECT_LE(large.swatches[j].right, large.client.width);
            EXPECT_LE(large.swatches[j].bottom, large.client.height);
            if (j > 0) {
                // The gap between two swatches scales with them (1.5 pixels: 1 or 2), none for square ones.
                const int gap = large.swatches[j].top - large.swatches[j - 1].bottom;
                EXPECT_TRUE(rounded ? gap == 1 || gap == 2 : gap == 0) << "swatch " << j << ": " << gap;
            }
        }
    }
}

class PaletteWindowsAtScale : public AppTest {
protected:
    void SetUp() override {
        AddPalette("start.pal", StartPaletteText());
        // Two monitors, the right one at 150 %.
        platform.monitors = {{0, 0, 1920, 1080}, {1920, 0, 3840, 1080}};
        platform.monitorDpis = {96, 144};
        Start();
    }
    const DrawOp* TextOf(int slot, int swatch) {
        for (const DrawOp& op : platform.Control(slot, SwatchId(slot, swatch)).drawing)
            if (op.kind == DrawOp::Kind::Text) return &op;
        return nullptr;
    }
};

TEST_F(PaletteWindowsAtScale, AWindowOnTheLargerMonitorIsBuiltAtItsScaleWithItsFont) {
    OptionsOf(*app, "start.pal").X = 2500;
    OptionsOf(*app, "start.pal").Y = 100;
    ASSERT_EQ(OpenPaletteWindow(*app, platform, 0, -1), 1);
    const Rect window = platform.Window(1).rect;
    EXPECT_EQ(window.left, 2500) << "its corner where it was stored";
    EXPECT_EQ(window.Width(), Scaled(61, 144));
    EXPECT_EQ(window.Height(), Scaled(153, 144));
    EXPECT_EQ(platform.Control(1, SwatchId(1, 0)).description.rect, Scaled(Rect{1, 1, 60, 19}, 144));
    // Each swatch drawn to its control's edges: scaled edges make rows of 27 and 28 pixels.
    for (int j = 0; j < 8; ++j) {
        const Rect control = platform.Control(1, SwatchId(1, j)).description.rect;
        bool filled = false;
        for (const DrawOp& op : platform.Control(1, SwatchId(1, j)).drawing)
            if (op.kind == DrawOp::Kind::FillRoundRect) {
                filled = true;
                EXPECT_EQ(op.rect, (Rect{0, 0, control.Width(), control.Height()})) << "swatch " << j;
            }
        EXPECT_TRUE(filled) << "swatch " << j;
    }
    const DrawOp* text = TextOf(1, 0);
    ASSERT_NE(text, nullptr);
    ASSERT_TRUE(platform.fonts.count(text->font));
    EXPECT_EQ(platform.fonts.at(text->font).points, 9) << "the swatch size's own font";
    EXPECT_EQ(platform.fonts.at(text->font).dpi, 144) << "taken at the monitor's DPI";

    // Back on the 96-DPI monitor it is its old size, in the font of 96 DPI.
    platform.SetPosition(1, {300, 100});
    RefreshPaletteWindows(*app, platform, "start.pal");
    ASSERT_TRUE(platform.Exists(1));
    EXPECT_EQ(platform.Window(1).rect, (Rect{300, 100, 361, 253}));
    ASSERT_NE(TextOf(1, 0), nullptr);
    EXPECT_EQ(TextOf(1, 0)->font, 2);
    EXPECT_EQ(platform.fonts.at(2).dpi, 96);
}

// The controls of a window, by number: where each stands and which picture it shows.
std::map<int, ControlSpec> ControlsOf(FakePlatform& platform, int window) {
    std::map<int, ControlSpec> controls;
    for (const auto& [id, control] : platform.Window(window).controls) controls[id] = control.description;
    return controls;
}

// Every control of the 144-DPI window is its 96-DPI control scaled, inside the client area,
// apart from the others (group boxes hold controls), its picture drawn at 24 x 24.
void ExpectHalfAsLargeAgain(FakePlatform& platform, const std::map<int, ControlSpec>& small,
                            const std::map<int, ControlSpec>& large, Size client, const char* what) {
    ASSERT_EQ(small.size(), large.size()) << what;
    for (const auto& [id, control] : large) {
        const ControlSpec& before = small.at(id);
        EXPECT_EQ(control.rect, Scaled(before.rect, 144)) << what << " control " << id;
        EXPECT_TRUE(control.rect.left >= 0 && control.rect.top >= 0 && control.rect.right <= client.width &&
                    control.rect.bottom <= client.height)
            << what << " control " << id << " leaves the window";
        if (before.image > 0) {
            EXPECT_EQ(control.image, ImageAt(before.image, 144)) << what << " control " << id;
            ASSERT_TRUE(platform.images.count(control.image)) << what << " control " << id;
            EXPECT_EQ(platform.images.at(control.image).width, platform.images.at(before.image).width * 3 / 2);
        }
        if (control.kind == ControlKind::Frame) continue;
        for (const auto& [other, neighbour] : large) {
            if (other == id || neighbour.kind == ControlKind::Frame) continue;
            const Rect& a = control.rect;
            const Rect& b = neighbour.rect;
            EXPECT_FALSE(a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom)
                << what << ": controls " << id << " and " << other << " overlap";
        }
    }
}

TEST(DisplayScale, TheManageEditorAndAboutWindowsAt144DpiAreTheir96DpiLayoutsScaled) {
    std::map<int, std::map<int, ControlSpec>> layouts[2];
    Size clients[2][3];
    for (const int dpi : {96, 144}) {
        TempFolder temp;
        FakePlatform platform;
        fs::create_directories(temp.path() / "profile" / "Vandrel");
        WriteFile(temp.path() / "profile" / "Vandrel" / "start.pal", StartPaletteText());
        platform.profileFolder = (temp.path() / "profile").string();
        platform.monitorDpis = {dpi};
        auto app = std::make_unique<App>();
        StartUp(*app, platform);
        OpenManageWindow(*app, platform);
        EditPalette(*app, platform, "start.pal", false);
        OpenAboutWindow(*app, platform);
        const int at = dpi == 96 ? 0 : 1;
        int w = 0;
        for (const int window : {kManageWindow, kEditorWindow, kAboutWindow}) {
            layouts[at][window] = ControlsOf(platform, window);
            clients[at][w++] = {platform.Window(window).rect.Width(), platform.Window(window).rect.Height()};
        }
        if (dpi == 144) {
            int k = 0;
            for (const int window : {kManageWindow, kEditorWindow, kAboutWindow}) {
                EXPECT_EQ(clients[1][k].width, Scaled(clients[0][k].width, 144)) << "window " << window;
                ++k;
            }
            ExpectHalfAsLargeAgain(platform, layouts[0][kManageWindow], layouts[1][kManageWindow], clients[1][0],
                                   "manage window");
            ExpectHalfAsLargeAgain(platform, layouts[0][kAboutWindow], layouts[1][kAboutWindow], clients[1][2],
                                   "about window");
            // The editor's rows stand below the toolbar, which is as high as it was made.
            for (const auto& [id, control] : layouts[1][kEditorWindow]) {
                const Rect& before = layouts[0][kEditorWindow].at(id).rect;
                EXPECT_EQ(control.rect.Width(), Scaled(before.right, 144) - Scaled(before.left, 144)) << id;
                EXPECT_LE(control.rect.right, clients[1][1].width) << id;
            }
            EXPECT_EQ(platform.fonts.at(layouts[1][kEditorWindow].at(EditFieldId(1)).font).dpi, 144);
        }
    }
}

TEST_F(PaletteWindowsAtScale, WindowsMovedOntoTheLargerMonitorAreBuiltAgainAtItsScaleKeepingWhatTheyHeld) {
    OptionsOf(*app, "start.pal").X = 300;
    OptionsOf(*app, "start.pal").Y = 100;
    ASSERT_EQ(OpenPaletteWindow(*app, platform, 0, 2), 2);
    EXPECT_EQ(platform.Window(2).rect.Width(), 61);
    platform.SetPosition(2, {2500, 140});
    platform.Queue({EventKind::ScaleChanged, 2});
    RunQueued();
    ASSERT_TRUE(platform.Exists(2)) << "in the slot it had";
    EXPECT_EQ(platform.Window(2).rect, (Rect{2500, 140, 2500 + Scaled(61, 144), 140 + Scaled(153, 144)}));

    // The editor without a change stays without one: rebuilt, it asks nothing when it closes.
    EditPalette(*app, platform, "start.pal", false);
    platform.SetPosition(kEditorWindow, {2100, 50});
    platform.Queue({EventKind::ScaleChanged, kEditorWindow});
    RunQueued();
    EXPECT_EQ(platform.Window(kEditorWindow).rect.Width(), Scaled(150, 144));
    EXPECT_EQ(app->EditorModified, 0);
    platform.Queue({EventKind::Close, kEditorWindow});
    RunQueued();
    EXPECT_TRUE(platform.messages.empty()) << "no question for a palette nobody changed";

    // The editor, with a colour typed and not saved, and the manage window with its selection.
    EditPalette(*app, platform, "start.pal", false);
    user.Type(kEditorWindow, EditFieldId(9), "#ABCDEF");
    RunQueued();
    const std::vector<std::string> rows = EditorRowTexts(*app, platform);
    ASSERT_EQ(rows.size(), 10u);
    platform.SetPosition(kEditorWindow, {2100, 50});
    platform.Queue({EventKind::ScaleChanged, kEditorWindow});
    OpenManageWindow(*app, platform);
    user.Select(kManageWindow, kPaletteList, "start.pal");
    RunQueued();
    platform.SetPosition(kManageWindow, {2400, 300});
    platform.Queue({EventKind::ScaleChanged, kManageWindow});
    RunQueued();
    EXPECT_EQ(platform.Window(kEditorWindow).rect.left, 2100);
    EXPECT_EQ(platform.Window(kEditorWindow).rect.Width(), Scaled(150, 144));
    EXPECT_EQ(EditorRowTexts(*app, platform), rows) << "the rows as they stood";
    EXPECT_EQ(app->EditorModified, 1) << "the change is still unsaved";
    EXPECT_EQ(platform.fonts.at(platform.Control(kEditorWindow, EditFieldId(1)).description.font).dpi, 144);
    EXPECT_EQ(platform.Control(kEditorWindow, kEditorNameLabel).text, "start");
    EXPECT_EQ(platform.Window(kManageWindow).rect, (Rect{2400, 300, 2400 + Scaled(345, 144), 300 + Scaled(345, 144)}));
    EXPECT_EQ(platform.Control(kManageWindow, kPaletteList).text, "start.pal") << "still selected";
    EXPECT_TRUE(platform.Control(kManageWindow, kMoveCheck).enabled);

    // A window that moved within monitors of one DPI is left as it is.
    const std::int64_t handle = platform.Window(2).handle;
    platform.SetPosition(2, {2600, 140});
    platform.Queue({EventKind::ScaleChanged, 2});
    RunQueued();
    EXPECT_EQ(platform.Window(2).handle, handle);
}

TEST(DisplayScale, SnappingAt144DpiUsesTheMonitorsPixels) {
    const Rect monitor{1920, 0, 3840, 1080};
    auto palette = [](int x, int y) { return Rect{x, y, x + 92, y + 230}; };
    // The snapping distance is 15 units: 23 pixels at 144 DPI.
    EXPECT_EQ(SnapPlace(palette(1920 + 22, 300), {}, monitor, 1.0f, 144), (Point{1920, 300}));
    EXPECT_EQ(SnapPlace(palette(1920 + 23, 300), {}, monitor, 1.0f, 144), std::nullopt);
    EXPECT_EQ(SnapPlace(palette(1920 + 20, 300), {}, monitor, 1.0f, 96), std::nullopt) << "at 96 DPI it is 15";
    // Below another window, the transparent margins overlapping by 2 units (3 pixels).
    const Rect other = palette(2400, 300);
    EXPECT_EQ(SnapPlace(palette(2405, 300 + 230 + 10), {other}, monitor, 1.0f, 144), (Point{2405, 530 - 3}));
}

}  // namespace
}  // namespace vandrel::testing
