#include "palette/palette_store.h"

#include <cstdio>

#include "core/dialog_owner.h"
#include "core/files.h"
#include "palette/colour_code.h"
#include "palette/palette_file.h"

namespace vandrel {
namespace {

void ShowError(Platform& platform, const std::string& text) {
    platform.ShowMessage(DialogOwner(platform), "Error", text, MessageButtons::Ok);
}

}  // namespace

int SavePalette(App& app, Platform& platform, const std::string& fileName, bool ask,
                const std::vector<std::string>& rowTexts, bool writable) {
    if (app.EditorModified == 0) return kSaveNothingToDo;
    if (ask && platform.ShowMessage(DialogOwner(platform), "Save", "Save your changes?",
                                    MessageButtons::YesNo) != MessageAnswer::Yes) {
        app.EditorModified = 0;
        return kSaveDeclined;
    }
    // Without a palette folder (none could be made) nothing is written anywhere.
    if (!writable || PaletteFolderInUse(app).empty() || !WriteWholeFile(platform, fileName, PaletteFileText(rowTexts))) {
        ShowError(platform, "The palette could not be saved to the file \"" + fileName + "\".");
        return kSaveFailed;
    }
    OptionsOf(app, fileName);  // a new palette gets the default options
    app.EditorModified = 0;
    return kSaveWritten;
}

namespace {

// The names Windows keeps for its devices, whatever extension follows:
// "con.pal" opens the console, and a palette of that name could never be saved.
bool IsDeviceName(std::string_view name) {
    // Blanks after the name are not part of it to the system.
    while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
    const std::string upper = AsciiUpper(std::string(name));
    for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"})
        if (upper == device) return true;
    return upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT")) && upper[3] >= '1' &&
           upper[3] <= '9';
}

}  // namespace

std::string CheckPaletteName(const std::string& name) {
    if (name.size() > 16) return "Palette file name should not be more than 16 characters.";
    for (char ch : name) {
        const auto code = static_cast<unsigned char>(ch);
        if (code < 32 || std::string_view("\\/:*?\"<>|.").find(ch) != std::string_view::npos)
            return "Invalid file name";
    }
    if (IsDeviceName(name)) return "Invalid file name";
    return {};
}

TextQuestion PaletteNameQuestion(const std::string& suggested) {
    return {"Palette Name", "Please enter a name for your new palette file", suggested, {300, 130}};
}

}  // namespace vandrel
