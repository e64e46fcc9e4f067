#include "editor/editor_window.h"

#include "core/files.h"
#include "core/scale.h"
#include "core/window_place.h"
#include "palette/colour_code.h"
#include "palette/palette_file.h"
#include "resources/artwork.h"
#include "resources/program_images.h"

namespace vandrel {
namespace {

constexpr ColourValue kWhite = Rgb(255, 255, 255);

bool ControlThere(Platform& platform, int control) {
    return platform.ReadControl(kEditorWindow, control).exists;
}

void RemoveIfThere(Platform& platform, int control) {
    if (ControlThere(platform, control)) platform.RemoveControl(kEditorWindow, control);
}

int MeasuredToolbarHeight(Platform& platform) {
    const ControlState toolbar = platform.ReadControl(kEditorWindow, kEditorToolbar);
    return toolbar.exists && toolbar.rect.Height() > 0 ? toolbar.rect.Height()
                                                       : kEditorToolbarHeight;
}

ControlSpec Preview(int id, const Rect& rect, ColourValue colour) {
    return {.kind = ControlKind::Surface, .id = id, .rect = rect, .data = colour};
}

ControlSpec MoveButton(int id, const Rect& rect, int image, const char* tooltip) {
    // Tab goes from code to code; the buttons are for the mouse.
    return {.kind = ControlKind::ImageButton,
            .id = id,
            .rect = rect,
            .tooltip = tooltip,
            .image = image,
            .flags = kFlagMouseOnly};
}

// The colour a row's code shows: white while it is empty.
ColourValue RowColour(const std::string& bareCode) {
    return bareCode.empty() ? kWhite : ParseColourCode(bareCode);
}

void CreateEditorWindow(App& app, Platform& platform) {
    app.EditorColourCount = 0;
    int dpi = kBaseDpi;
    const WindowSpec description =
        PlaceAtMonitorScale(platform, [&](int at) { return EditorWindowSpec(app.settings, at); }, dpi);
    app.editorDpi = dpi;
    EnsureImagesAt(platform, app.imagesLoaded, app.imageDpis, dpi);
    if (!platform.OpenWindow(kEditorWindow, description)) return;
    app.editorOpen = true;

    platform.AddControl(kEditorWindow,
                        {.kind = ControlKind::Toolbar,
                         .id = kEditorToolbar,
                         .rect = Scaled(Rect{0, 0, kEditorWidth, kEditorToolbarHeight}, dpi),
                         .tools = EditorTools(dpi)});
    platform.AddControl(kEditorWindow,
                        {.kind = ControlKind::Text,
                         .id = kEditorNameLabel,
                         .rect = Scaled(Rect{0, 27, kEditorWidth, 27 + 20}, dpi),
                         .font = SwatchFontAt(platform, app.fontsMade, kEditorNameFont, dpi),
                         .flags = kFlagCentred});

    platform.SetShortcuts(kEditorWindow,
                          {{kKeyUp, kItemShortcutUp}, {kKeyDown, kItemShortcutDown}});
}

}  // namespace

WindowSpec EditorWindowSpec(const Settings& settings, int dpi) {
    WindowSpec description;
    description.kind = WindowKind::Framed;
    description.title = "Vandrel";
    description.client =
        StoredClientRect(settings.EditX, settings.EditY,
                         {Scaled(kEditorWidth, dpi), Scaled(kEditorLeastHeight, dpi)});
    description.minClient = {Scaled(kEditorWidth, dpi), Scaled(kEditorLeastHeight, dpi)};
    description.maxClient = {Scaled(kEditorWidth, dpi), 0};
    description.dpi = dpi;
    return description;
}

std::vector<ToolItem> EditorTools(int dpi) {
    return {
        {kItemSavePalette, ImageAt(picture::kSavePalette, dpi), "Save palette"},
        {kItemCopyPalette, ImageAt(picture::kCopyPalette, dpi), "Copy palette"},
        {0, 0, ""},
        {kItemGrabColour, ImageAt(picture::kGrabColour, dpi), "Grab color from screen"},
        {kItemColourPicker, ImageAt(picture::kColourPicker, dpi), "Color picker"},
        {kItemRandomColour, ImageAt(picture::kRandomColour, dpi), "Random color"},
        {kItemBlender, ImageAt(picture::kBlender, dpi), "Magic color blender"},
    };
}

EditorRowPlaces EditorRowLayout(int row, int toolbarHeight, int dpi) {
    // In units below the toolbar, which is as high as the system made it.
    const int y = 25 + kEditorRowPitch * (row - 1);
    auto place = [&](Rect r) {
        const Rect scaled = Scaled(r, dpi);
        return Rect{scaled.left, scaled.top + toolbarHeight, scaled.right, scaled.bottom + toolbarHeight};
    };
    return {
        place({3, y, 3 + 25, y + 18}),
        place({29, y + 1, 29 + 16, y + 1 + 16}),
        place({46, y, 46 + 58, y + 18}),
        place({106, y + 1, 106 + 16, y + 1 + 16}),
        place({122, y, 122 + 25, y + 18}),
    };
}

std::string EditorLabel(const std::string& fileName) {
    std::string label = fileName;
    for (std::size_t at; (at = label.find(".pal")) != std::string::npos;) label.erase(at, 4);
    return label;
}

int CompleteLength(const App& app) {
    return static_cast<int>(app.settings.Prefix.size()) + 6;
}

bool EditorFull(const App& app, Platform& platform) {
    return app.EditorColourCount >= kMaxColours && !EditorRowText(platform, kMaxColours).empty();
}

void RescaleEditor(App& app, Platform& platform) {
    if (!EditorWindowOpen(app, platform)) return;
    if (!StandsAtOtherDpi(platform, kEditorWindow, app.editorDpi)) return;
    const auto place = platform.WindowRect(kEditorWindow);
    // Made again where it stands now, its rows as they stand (unsaved ones too).
    const std::vector<std::string> rows = EditorRowTexts(app, platform);
    const std::string name = app.EditorPaletteName;
    const std::string folder = app.EditorFolder;
    const std::int8_t modified = app.EditorModified;
    const int focused = RowOfEditField(platform.FocusedControl(kEditorWindow));
    app.settings.EditX = place->left;
    app.settings.EditY = place->top;
    platform.CloseWindow(kEditorWindow);
    app.editorOpen = false;
    OpenEditor(app, platform, "");
    if (!app.editorOpen) return;
    // Complete codes and the empty entry row are made with their text; setting a
    // field's text afterwards would read as typing (the palette would count as
    // changed). A row that was being typed in follows as it stood.
    std::vector<int> partial;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const bool last = i + 1 == rows.size();
        const bool whole = static_cast<int>(rows[i].size()) == CompleteLength(app);
        if (whole || (last && rows[i].empty())) {
            AddEditorRow(app, platform, rows[i]);
        } else {
            AddEditorRow(app, platform, "000000");
            partial.push_back(static_cast<int>(i) + 1);
        }
    }
    for (int row : partial) SetEditorRow(app, platform, row, rows[row - 1]);
    FitEditor(app, platform);
    platform.ChangeControl(kEditorWindow, kEditorNameLabel, {.text = EditorLabel(name)});
    app.EditorPaletteName = name;
    app.EditorFolder = folder;
    app.EditorModified = modified;
    if (focused >= 1 && focused <= app.EditorColourCount)
        platform.ChangeControl(kEditorWindow, EditFieldId(focused), {.focus = true});
}

bool EditorWindowOpen(const App& app, Platform& platform) {
    return app.editorOpen && WindowExists(platform, kEditorWindow);
}

void OpenEditor(App& app, Platform& platform, const std::string& fileName) {
    const bool created = !EditorWindowOpen(app, platform);
    if (created) {
        CreateEditorWindow(app, platform);
        if (!app.editorOpen) return;
    } else {
        platform.Activate(kEditorWindow);
    }
    if (!fileName.empty()) {
        LoadEditorRows(app, platform, fileName);
        app.EditorPaletteName = fileName;
        // Its palette belongs to the folder it came from, whatever folder is chosen later.
        app.EditorFolder = PaletteFolderInUse(app);
        platform.ChangeControl(kEditorWindow, kEditorNameLabel, {.text = EditorLabel(fileName)});
    }
    if (created) {
        // Shown once its rows are there, so it does not grow in front of
        // the user; the focus goes where the last row put it.
        const int focused = platform.FocusedControl(kEditorWindow);
        platform.ShowWindow(kEditorWindow);
        if (focused != 0) platform.ChangeControl(kEditorWindow, focused, {.focus = true});
    }
}

void LoadEditorRows(App& app, Platform& platform, const std::string& fileName) {
    ClearEditorRows(app, platform);
    // A file that cannot be read gives the entry row alone.
    if (const auto bytes = ReadWholeFile(fileName, kLargestReadPalette))
        for (const std::string& line : ReadPaletteLines(*bytes)) AddEditorRow(app, platform, line);
    AddEditorRow(app, platform, "");
    FitEditor(app, platform);
}

void AddEditorRow(App& app, Platform& platform, const std::string& code) {
    if (!EditorWindowOpen(app, platform)) return;
    const std::string bare = BareCode(code);
    if (app.EditorColourCount >= kMaxColours) return;
    if (app.EditorColourCount > 0 &&
        static_cast<int>(EditorRowText(platform, app.EditorColourCount).size()) !=
            CompleteLength(app))
        return;
    const int n = ++app.EditorColourCount;
    const ColourValue colour = RowColour(bare);
    const int toolbarHeight = MeasuredToolbarHeight(platform);
    const EditorRowPlaces places = EditorRowLayout(n, toolbarHeight, app.editorDpi);

    platform.AddControl(kEditorWindow, Preview(EditSwatchId(n), places.previewA, colour));
    platform.AddControl(kEditorWindow, {.kind = ControlKind::Edit,
                                        .id = EditFieldId(n),
                                        .rect = places.field,
                                        .caption = bare.empty() ? "" : app.settings.Prefix + bare,
                                        .font = SwatchFontAt(platform, app.fontsMade, kEditorCodeFont, app.editorDpi),
                                        .flags = kFlagCentred | kFlagUpperCase | kFlagNoBorder});
    platform.AddControl(kEditorWindow, Preview(EditSwatch2Id(n), places.previewB, colour));
    PaintEditorRow(platform, n, colour);

    if (n > 2) {
        const EditorRowPlaces above = EditorRowLayout(n - 1, toolbarHeight, app.editorDpi);
        const EditorRowPlaces twoAbove = EditorRowLayout(n - 2, toolbarHeight, app.editorDpi);
        platform.AddControl(kEditorWindow,
                            MoveButton(EditUpId(n - 1), above.up, ImageAt(picture::kMoveUp, app.editorDpi), "Move up"));
        platform.AddControl(kEditorWindow, MoveButton(EditDownId(n - 2), twoAbove.down,
                                                      ImageAt(picture::kMoveDown, app.editorDpi), "Move down"));
    }
    platform.ChangeControl(kEditorWindow, EditFieldId(n), {.focus = true});
}

void SetEditorRow(App& app, Platform& platform, int row, const std::string& code) {
    if (row < 1 || row > kMaxColours || !ControlThere(platform, EditFieldId(row))) return;
    const std::string bare = BareCode(code);
    // A code of "#" alone is not empty: it shows black, as it parses.
    const ColourValue colour = code.empty() ? kWhite : ParseColourCode(bare);
    PaintEditorRow(platform, row, colour);
    platform.ChangeControl(kEditorWindow, EditFieldId(row),
                           {.text = bare.empty() ? "" : app.settings.Prefix + bare});
}

void DeleteEditorRow(App& app, Platform& platform, int row) {
    const int n = app.EditorColourCount;
    if (row < 1 || row > n) return;
    for (int i = row; i < n; ++i) SetEditorRow(app, platform, i, EditorRowText(platform, i + 1));
    RemoveIfThere(platform, EditFieldId(n));
    RemoveIfThere(platform, EditSwatchId(n));
    RemoveIfThere(platform, EditSwatch2Id(n));
    if (n >= 2) RemoveIfThere(platform, EditUpId(n - 1));
    if (n >= 3) RemoveIfThere(platform, EditDownId(n - 2));
    app.EditorColourCount = n - 1;
}

void ClearEditorRows(App& app, Platform& platform) {
    if (WindowExists(platform, kEditorWindow)) {
        for (int i = 1; i <= std::min(app.EditorColourCount, kMaxColours); ++i)
            for (int id :
                 {EditFieldId(i), EditSwatchId(i), EditSwatch2Id(i), EditUpId(i), EditDownId(i)})
                RemoveIfThere(platform, id);
    }
    app.EditorColourCount = 0;
}

void FitEditor(App& app, Platform& platform) {
    if (!EditorWindowOpen(app, platform)) return;
    const int height =
        Scaled(app.EditorColourCount * kEditorRowPitch + 27, app.editorDpi) + MeasuredToolbarHeight(platform);
    platform.SetClientSize(kEditorWindow, {Scaled(kEditorWidth, app.editorDpi), height});
    const bool full = EditorFull(app, platform);
    for (int tool : kEditorColourTools)
        platform.ChangeControl(kEditorWindow, kEditorToolbar, {.enabled = !full, .tool = tool});
}

std::string EditorRowText(Platform& platform, int row) {
    if (row < 1 || row > kMaxColours) return {};
    return platform.ReadControl(kEditorWindow, EditFieldId(row)).text;
}

std::vector<std::string> EditorRowTexts(const App& app, Platform& platform) {
    std::vector<std::string> texts;
    for (int i = 1; i <= std::min(app.EditorColourCount, kMaxColours); ++i)
        texts.push_back(EditorRowText(platform, i));
    return texts;
}

void PaintEditorRow(Platform& platform, int row, ColourValue colour) {
    if (row < 1 || row > kMaxColours) return;
    // Each preview whole, at whatever scale it was made.
    for (int id : {EditSwatchId(row), EditSwatch2Id(row)}) {
        const Rect made = platform.ReadControl(kEditorWindow, id).rect;
        const Rect whole{0, 0, made.Width() > 0 ? made.Width() : 25, made.Height() > 0 ? made.Height() : 18};
        platform.Paint(kEditorWindow, id, [colour, whole](Canvas& canvas) { canvas.FillRect(whole, colour); });
    }
}

void FocusEditorControl(Platform& platform, int control, int first, int last) {
    if (ControlThere(platform, control))
        platform.ChangeControl(kEditorWindow, control,
                               {.selection = std::pair{first, last}, .focus = true});
}

}  // namespace vandrel
