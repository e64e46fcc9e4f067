#include "palette/palette_list.h"

#include "app/files.h"
#include "palette/colour_code.h"
#include "palette/palette_file.h"
#include "settings/settings.h"

namespace vandrel {

bool HasPaletteExtension(const std::string& name) {
    return name.size() >= 4 && AsciiUpper(name.substr(name.size() - 4)) == ".PAL";
}

int PaletteCount(const App& app) {
    int count = 0;
    while (count < kPaletteCapacity && !app.PaletteNames[count].empty()) ++count;
    return count;
}

void ListPalettes(App& app, Platform& platform) {
    for (int p = 0; p < kPaletteCapacity; ++p) {
        app.PaletteNames[p].clear();
        for (auto& colour : app.PaletteColours[p]) colour.clear();
        app.PaletteColourCount[p] = 0;
    }
    app.PaletteIndexByName.clear();

    // Without a palette folder the current one is a stranger's: list nothing.
    if (PaletteFolderInUse(app).empty()) return;
    const auto entries = platform.ListFolder("*.pal");
    if (!entries) return;
    int p = 0;
    for (const FolderEntry& entry : *entries) {
        if (p == kPaletteCapacity) break;
        // The system's pattern also matches short 8.3 names ("x.pal2"): check the long one.
        if (entry.isFolder || !HasPaletteExtension(entry.name)) continue;
        if (OptionsOf(app, entry.name).Locked != 0) continue;
        const auto bytes = ReadWholeFile(entry.name, kLargestReadPalette);
        if (!bytes) continue;
        const auto lines = ReadPaletteLines(*bytes);
        for (std::size_t j = 0; j < lines.size(); ++j)
            app.PaletteColours[p][j] = StripHash(AsciiUpper(lines[j]));
        app.PaletteColourCount[p] = static_cast<int>(lines.size());
        app.PaletteNames[p] = entry.name;
        app.PaletteIndexByName[entry.name] = p;
        ++p;
    }
}

}  // namespace vandrel
