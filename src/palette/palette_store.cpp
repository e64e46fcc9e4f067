#include "palette/palette_store.h"

#include <cstdio>

#include "app/closing.h"
#include "app/files.h"
#include "app/startup.h"
#include "editor/editor_window.h"
#include "palette/palette_file.h"
#include "palette/palette_list.h"
#include "palette_window/menus.h"
#include "settings/manage_window.h"
#include "settings/settings.h"

namespace vandrel {
namespace {

void ShowError(Platform& platform, const std::string& text) {
    platform.ShowMessage("Error", text, MessageButtons::Ok);
}

// The list, the menus and the slot indexes follow every change of the files.
void RebuildFromFolder(App& app, Platform& platform) {
    ListPalettes(app, platform);
    BuildMenus(app, platform);
    ReindexSlots(app);
}

}  // namespace

int SavePalette(App& app, Platform& platform, const std::string& fileName, bool ask,
                const std::vector<std::string>& rowTexts) {
    if (app.EditorModified == 0) return kSaveNothingToDo;
    if (ask && platform.ShowMessage("Save", "Save your changes?", MessageButtons::YesNo) !=
                   MessageAnswer::Yes) {
        app.EditorModified = 0;
        return kSaveDeclined;
    }
    // Without a palette folder (none could be made) nothing is written anywhere.
    if (PaletteFolderInUse(app).empty() || !WriteWholeFile(platform, fileName, PaletteFileText(rowTexts))) {
        ShowError(platform, "The palette could not be saved to the file \"" + fileName + "\".");
        return kSaveFailed;
    }
    OptionsOf(app, fileName);  // a new palette gets the default options
    RebuildFromFolder(app, platform);
    RefreshManageList(app, platform);
    app.EditorModified = 0;
    return kSaveWritten;
}

std::string CheckPaletteName(const std::string& name) {
    if (name.size() > 16) return "Palette file name should not be more than 16 characters.";
    for (char ch : name) {
        const auto code = static_cast<unsigned char>(ch);
        if (code < 32 || std::string_view("\\/:*?\"<>|.").find(ch) != std::string_view::npos)
            return "Invalid file name";
    }
    return {};
}

TextQuestion PaletteNameQuestion(const std::string& suggested) {
    return {"Palette Name", "Please enter a name for your new palette file", suggested, {300, 130}};
}

bool NewPaletteDialog(App& app, Platform& platform, const std::string& suggested) {
    const std::string answer = platform.AskText(PaletteNameQuestion(suggested));
    if (answer.empty()) return false;
    const std::string problem = CheckPaletteName(answer);
    if (!problem.empty()) {
        ShowError(platform, problem);
        return false;
    }
    const std::string fileName = answer + ".pal";
    if (FileReadable(fileName)) {
        ShowError(platform, "A Palette exists with that name!");
        return false;
    }
    // The new palette lives only in the editor until its first save.
    app.EditorPaletteName = fileName;
    OpenEditor(app, platform, fileName);
    ClearEditorRows(app, platform);
    return true;
}

void DeletePalette(App& app, Platform& platform) {
    if (app.PaletteNames[1].empty()) {
        ShowError(platform, "You must have at least one palette");
        return;
    }
    const std::string name = app.ManageSelection;
    if (platform.ShowMessage("Delete", "Are you sure you want to delete " + name + "?",
                             MessageButtons::YesNo) != MessageAnswer::Yes)
        return;
    platform.RemoveFile(name);
    for (int slot = 1; slot <= kMaxOpenPalettes; ++slot) {
        if (app.Slots[slot].PaletteName == name && WindowExists(platform, slot))
            ClosePaletteWindow(app, platform, slot);
    }
    RebuildFromFolder(app, platform);
    if (app.EditorPaletteName == name) CloseEditor(app, platform);
    app.ManageSelection.clear();
}

void ChoosePaletteFolder(App& app, Platform& platform) {
    const std::string folder =
        platform.ChooseFolder("Please select a palette folder", app.settings.PaletteDirectory);
    if (folder.empty()) return;
    if (!platform.ListFolder(JoinPath(folder, "*"))) {
        ShowError(platform, "Could not read selected folder");
        return;
    }
    const std::string probePath = JoinPath(folder, kProbeFileName);
    std::FILE* probe = std::fopen(probePath.c_str(), "a+b");
    if (!probe) {
        ShowError(platform, "Could not write to selected folder");
        return;
    }
    WriteSettings(app, platform);
    app.settings.PaletteDirectory = folder;
    // The new folder's own groups stay as they are: written over with the
    // old folder's options, a palette of the same name there would lose its
    // place and options.
    WriteSettings(app, platform, PaletteGroups::OnlyMissing);
    platform.SetCurrentFolder(folder);
    std::fclose(probe);
    platform.RemoveFile(kProbeFileName);

    for (int slot = 1; slot <= kMaxOpenPalettes; ++slot) {
        if (!app.Slots[slot].PaletteName.empty() && WindowExists(platform, slot))
            ClosePaletteWindow(app, platform, slot);
    }
    ReadSettings(app, platform);
    RebuildFromFolder(app, platform);
    ReopenPalettes(app, platform);
    // Once the folder has its "start.pal", if it needed one.
    RefreshManageFolder(app, platform);
}

}  // namespace vandrel
