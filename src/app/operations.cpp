#include "app/operations.h"

#include <cstdint>
#include <cstdio>
#include <memory>

#include "app/event_loop.h"
#include "app/startup.h"
#include "config/settings.h"
#include "core/dialog_owner.h"
#include "core/files.h"
#include "editor/editing.h"
#include "editor/editor_window.h"
#include "exchange/palette_import.h"
#include "palette/palette_file.h"
#include "palette/palette_list.h"
#include "palette/palette_store.h"
#include "palette_window/menus.h"
#include "palette_window/palette_window.h"
#include "settings/manage_window.h"
#include "tools/colour_generators.h"

namespace vandrel {
namespace {

void ShowError(Platform& platform, const std::string& text) {
    platform.ShowMessage(DialogOwner(platform), "Error", text, MessageButtons::Ok);
}

}  // namespace

void RebuildFromFolder(App& app, Platform& platform) {
    ListPalettes(app, platform);
    BuildMenus(app, platform);
    ReindexSlots(app);
}

void PaletteSaved(App& app, Platform& platform) {
    RebuildFromFolder(app, platform);
    RefreshManageList(app, platform);
}

void SaveEditorPalette(App& app, Platform& platform) {
    if (!EditorWindowOpen(app, platform) || app.EditorPaletteName.empty()) return;
    const int result = SaveEditorRows(app, platform, false);
    if (result == kSaveWritten) PaletteSaved(app, platform);
    if (result != kSaveDeclined && result != kSaveFailed)
        RefreshPaletteWindows(app, platform, app.EditorPaletteName);
}

bool SaveBeforeLeaving(App& app, Platform& platform) {
    if (!EditorWindowOpen(app, platform)) return true;
    const int result = SaveEditorRows(app, platform, true);
    if (result == kSaveFailed) return false;
    if (result == kSaveWritten) PaletteSaved(app, platform);
    if (result != kSaveDeclined) RefreshPaletteWindows(app, platform, "");
    return true;
}

void CloseEditorByBox(App& app, Platform& platform) {
    if (app.EditorModified == 1 && !SaveBeforeLeaving(app, platform)) return;
    CloseEditor(app, platform);
}

void EditPalette(App& app, Platform& platform, const std::string& fileName, bool reopen) {
    if (fileName.empty()) return;
    if (EditorWindowOpen(app, platform) && app.EditorModified == 1) {
        // Its own unsaved rows are what the user wants to see again.
        if (fileName == app.EditorPaletteName || !SaveBeforeLeaving(app, platform)) {
            platform.Activate(kEditorWindow);
            return;
        }
    }
    ShowPaletteInEditor(app, platform, fileName, reopen);
}

void NewBlankPalette(App& app, Platform& platform) {
    if (EditorWindowOpen(app, platform) && !SaveBeforeLeaving(app, platform)) return;
    StartBlankPalette(app, platform);
}

void NewPaletteFromClipboard(App& app, Platform& platform) {
    if (EditorWindowOpen(app, platform) && !SaveBeforeLeaving(app, platform)) return;
    ImportFromClipboard(app, platform);
}

void NewPalettesFromFiles(App& app, Platform& platform) {
    const std::vector<FileType> types = {
        {"All palettes", "*.gpl;*.ase;*.txt;*.hex;*.css;*.pal"},
        {"GIMP palette (*.gpl)", "*.gpl"},
        {"Adobe Swatch Exchange (*.ase)", "*.ase"},
        {"Paint.NET palette (*.txt)", "*.txt"},
        {"Hex list (*.hex)", "*.hex"},
        {"CSS (*.css)", "*.css"},
        {"Vandrel palette (*.pal)", "*.pal"},
    };
    ImportPaletteFiles(app, platform, platform.ChooseFilesToOpen(DialogOwner(platform), "Import palettes", types));
}

namespace {

// The end of an import: the list (what is left of it), the menus and the
// manage list once, the first new palette selected, then the one message.
void EndImport(App& app, Platform& platform, ImportRun& run) {
    if (!run.firstNewPalette.empty()) {
        if (run.listing)
            ListingStep(app, *run.listing, run.listing->entries.size());
        else
            ListPalettes(app, platform);
        BuildMenus(app, platform);
        ReindexSlots(app);
        RefreshManageList(app, platform);
        ShowPaletteOptions(app, platform, run.firstNewPalette);
    }
    // Nobody would read it: the session ends as soon as its handler returns.
    if (app.sessionEnding) return;
    std::string text;
    for (const std::string& line : run.lines) text += (text.empty() ? "" : "\n") + line;
    platform.ShowMessage(DialogOwner(platform), "Vandrel", text, MessageButtons::Note);
}

}  // namespace

void ImportPaletteFiles(App& app, Platform& platform, const std::vector<std::string>& paths) {
    if (paths.empty()) return;
    FinishImport(app, platform);  // a second import comes after the first, whole
    FinishStartUp(app, platform);  // the whole list: the names in use and the free places
    auto run = std::make_shared<ImportRun>(BeginImport(app, platform));
    for (const std::string& path : paths) ReadImportFile(path, *run);
    if (ImportStep(app, platform, *run, kImportFilesPerPass))
        EndImport(app, platform, *run);
    else
        app.import = std::move(run);
}

void ContinueImport(App& app, Platform& platform, std::size_t writes) {
    if (!app.import) return;
    ImportRun& run = *app.import;
    if (!run.listing) {
        if (!ImportStep(app, platform, run, writes)) return;
        // Then the list is made anew as at start-up, a few files a pass:
        // reading 800 at once was most of the import's longest pass.
        if (!run.firstNewPalette.empty()) {
            run.listing.emplace();
            if (BeginListing(app, platform, *run.listing)) return;
        }
    } else if (!ListingStep(app, *run.listing, kStartUpFilesPerPass)) {
        return;
    }
    const auto done = std::move(app.import);
    EndImport(app, platform, *done);
}

void FinishImport(App& app, Platform& platform) {
    if (!app.import) return;
    // Taken out first: the message's own loop may see the session end, whose
    // handler finishes imports too.
    const auto run = std::move(app.import);
    ImportStep(app, platform, *run, SIZE_MAX);
    EndImport(app, platform, *run);
}

void ExportPalette(App& app, Platform& platform, int slot) {
    if (slot < 1 || slot > kMaxOpenPalettes) return;
    const std::string fileName = app.Slots[slot].PaletteName;
    if (fileName.empty()) return;
    FinishStartUp(app, platform);  // "all palettes" writes the whole list
    SaveQuestion question{"Export palette", app.lastExportFolder, MenuCaptionOf(fileName), {}};
    for (const ExportTypeInfo& type : kExportTypes)
        question.types.push_back({type.caption, std::string("*") + type.extension});
    const auto answer = platform.ChooseFileToSave(DialogOwner(platform), question);
    if (!answer || answer->path.empty() || answer->type < 0 || answer->type >= std::ssize(kExportTypes)) return;
    const ExportType type = kExportTypes[answer->type].type;
    const std::string path = WithExportExtension(answer->path, type);

    const std::vector<ColourValue> colours = PaletteFileColours(ReadWholeFile(fileName, kLargestReadPalette).value_or(""));
    std::vector<ColourSet> all;
    if (type == ExportType::AseAllPalettes) {
        for (int p = 0; p < PaletteCount(app); ++p) {
            std::string codes;
            for (int k = 0; k < std::min(app.PaletteColourCount[p], kMaxColours); ++k)
                codes += app.PaletteColours[p][k] + "\n";
            all.push_back({platform.CodePageToUtf8(MenuCaptionOf(app.PaletteNames[p])), PaletteFileColours(codes)});
        }
    }
    const std::string bytes = ExportBytes(type, platform.CodePageToUtf8(MenuCaptionOf(fileName)), colours, all);
    if (!WriteWholeFile(platform, path, bytes)) {
        ShowError(platform, "The palette could not be exported to the file \"" + path + "\".");
        return;
    }
    const std::size_t slash = path.find_last_of("\\/");
    if (slash != std::string::npos) app.lastExportFolder = path.substr(0, slash);
}

void DeletePalette(App& app, Platform& platform) {
    if (app.PaletteNames[1].empty()) {
        ShowError(platform, "You must have at least one palette");
        return;
    }
    const std::string name = app.ManageSelection;
    if (platform.ShowMessage(DialogOwner(platform), "Delete",
                             "Are you sure you want to delete " + name + "?",
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

void ChoosePaletteFolder(App& app, Platform& platform, StartMode mode) {
    // The old folder's list whole first: its groups are written before the change.
    FinishStartUp(app, platform);
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
    // The editor's palette belongs to the folder it came from: its changes
    // are saved there or dropped, and it closes before the folder changes.
    if (EditorWindowOpen(app, platform)) {
        if (app.EditorModified == 1 && !SaveBeforeLeaving(app, platform)) {
            std::fclose(probe);
            platform.RemoveFile(probePath);
            return;
        }
        CloseEditor(app, platform);
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

    CloseAllPaletteWindows(app, platform);
    // As a start-up with this folder: its palette windows first, the rest of
    // the list and the menus in the loop's idle passes (reading 800 files
    // took most of a switch under Wine).
    BeginPaletteList(app, platform, ReadSettings(app, platform), mode);
    ReopenPalettes(app, platform);
    // Once the folder has its "start.pal", if it needed one.
    RefreshManageFolder(app, platform);
}

void EditButtonUsed(App& app, Platform& platform) {
    if (ManageSelectionUsable(app, platform))
        EditPalette(app, platform, app.ManageSelection, false);
}

void DeleteButtonUsed(App& app, Platform& platform) {
    if (!ManageSelectionUsable(app, platform)) return;
    DeletePalette(app, platform);
    // Deleted (not declined): the list loses its row, nothing stays selected.
    if (app.ManageSelection.empty()) RefreshManageFolder(app, platform);
}

void FolderButtonUsed(App& app, Platform& platform) {
    if (ManageWindowOpen(app, platform)) ChoosePaletteFolder(app, platform, StartMode::PaletteWindowsFirst);
}

}  // namespace vandrel
