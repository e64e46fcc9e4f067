#include "exchange/palette_import.h"

#include <algorithm>

#include "core/files.h"
#include "palette/colour_code.h"
#include "palette/palette_file.h"
#include "palette/palette_list.h"
#include "palette/palette_store.h"

namespace vandrel {
namespace {

constexpr std::size_t kLongestName = 16;

std::string Trimmed(std::string text) {
    while (!text.empty() && text.back() == ' ') text.pop_back();
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

int Digits(int number) { return static_cast<int>(std::to_string(number).size()); }

std::string Plural(int count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

std::string StemOf(const std::string& fileName) {
    const std::size_t dot = fileName.rfind('.');
    return dot == std::string::npos || dot == 0 ? fileName : fileName.substr(0, dot);
}

std::string PaletteText(const std::vector<ColourValue>& colours, std::size_t first, std::size_t count) {
    std::string text;
    for (std::size_t k = first; k < first + count; ++k) text += FormatColourCode(colours[k], "#") + "\r\n";
    return text;
}

}  // namespace

std::string CleanPaletteName(const std::string& name) {
    std::string kept;
    for (char ch : name) {
        const auto code = static_cast<unsigned char>(ch);
        if (code >= 32 && std::string_view("\\/:*?\"<>|.").find(ch) == std::string_view::npos) kept += ch;
    }
    return Trimmed(kept);
}

std::vector<std::string> NamesForSet(const std::string& base, int palettes,
                                     const std::function<bool(const std::string&)>& inUse) {
    if (palettes <= 0) return {};
    auto taken = [&](const std::string& name) { return inUse(name) || !CheckPaletteName(name).empty(); };
    if (palettes == 1) {
        const std::string whole = Trimmed(base.substr(0, kLongestName));
        if (!taken(whole)) return {whole};
    }
    // The room for " N" depends on the numbers the set ends up with, which
    // depend on the cut name: cut again until the largest number's width holds.
    int room = 1 + Digits(std::max(palettes, 2));
    for (;;) {
        const std::string cut = Trimmed(base.substr(0, kLongestName - std::min<std::size_t>(room, kLongestName - 1)));
        std::vector<std::string> names;
        int number = palettes == 1 || taken(cut) ? 2 : 1;  // "<name>" counts as the first
        while (static_cast<int>(names.size()) < palettes) {
            const std::string name = cut + " " + std::to_string(number);
            if (!taken(name)) names.push_back(name);
            ++number;
        }
        const int needed = 1 + Digits(number - 1);
        if (needed <= room) return names;
        room = needed;
    }
}

std::string FileNameOfPath(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

ImportRun BeginImport(App& app, Platform& platform) {
    ImportRun run;
    run.freePlaces = PaletteFolderInUse(app).empty() ? 0 : kPaletteCapacity - PaletteCount(app);
    // Locked palettes hold their names too, listed or not.
    if (auto entries = platform.ListFolder("*.pal"))
        for (const FolderEntry& entry : *entries)
            if (HasPaletteExtension(entry.name))
                run.namesInUse.insert(AsciiUpper(entry.name.substr(0, entry.name.size() - 4)));
    for (int p = 0; p < PaletteCount(app); ++p)
        run.namesInUse.insert(AsciiUpper(app.PaletteNames[p].substr(0, app.PaletteNames[p].size() - 4)));
    return run;
}

void ReadImportFile(const std::string& path, ImportRun& run) {
    ImportFile file{FileNameOfPath(path), {}};
    if (const auto format = FormatOfFileName(file.fileName)) {
        if (auto bytes = ReadWholeFile(path, kLargestImportedFile)) file.sets = ReadPaletteFormat(*format, *bytes);
    }
    run.files.push_back(std::move(file));
}

namespace {

void NextFile(ImportRun& run, std::string line) {
    run.lines.push_back(std::move(line));
    ++run.file;
    run.set = run.piece = 0;
    run.names.clear();
    run.imported = run.palettes = run.unfitted = run.unsaved = 0;
}

std::string DoneLine(const ImportRun& run, const std::string& fileName) {
    std::string line = "Imported " + Plural(run.imported, "color", "colors") + " from " + fileName + " into " +
                       Plural(run.palettes, "palette", "palettes");
    if (run.unfitted > 0) line += "; " + Plural(run.unfitted, "color", "colors") + " did not fit in the palette list";
    if (run.unsaved > 0)
        line += "; " + Plural(run.unsaved, "color", "colors") + " could not be saved in the palette folder";
    return line + ".";
}

}  // namespace

bool ImportStep(App& app, Platform& platform, ImportRun& run, std::size_t writes) {
    std::size_t written = 0;
    while (run.file < run.files.size()) {
        const ImportFile& file = run.files[run.file];
        if (file.sets.empty()) {
            NextFile(run, file.fileName + " is not a palette file Vandrel can read.");
            continue;
        }
        if (run.set == file.sets.size()) {
            NextFile(run, DoneLine(run, file.fileName));
            continue;
        }
        const ColourSet& set = file.sets[run.set];
        constexpr std::size_t kPer = kMaxColours;
        const std::size_t total = set.colours.size();
        const std::size_t needed = (total + kPer - 1) / kPer;
        if (run.piece == needed) {
            ++run.set;
            run.piece = 0;
            run.names.clear();
            continue;
        }
        if (run.names.empty()) {
            // Made once the names of the sets before are taken (or not, where a write failed).
            std::string base = set.name.empty() ? std::string() : CleanPaletteName(platform.Utf8ToCodePage(set.name));
            if (base.empty()) {
                const std::string stem = CleanPaletteName(StemOf(file.fileName));
                base = stem.empty() ? std::string("Palette") : stem;
            }
            run.names = NamesForSet(base, static_cast<int>(needed), [&](const std::string& name) {
                return run.namesInUse.count(AsciiUpper(name)) != 0;
            });
        }
        const std::size_t first = run.piece * kPer;
        const int count = static_cast<int>(std::min(kPer, total - first));
        if (run.freePlaces <= 0) {
            run.unfitted += count;
            ++run.piece;
            continue;
        }
        if (written == writes) return false;
        ++written;
        const std::string& name = run.names[run.piece++];
        const std::string fileName = name + ".pal";
        if (!WriteWholeFile(platform, fileName, PaletteText(set.colours, first, static_cast<std::size_t>(count)))) {
            run.unsaved += count;
            continue;
        }
        run.namesInUse.insert(AsciiUpper(name));
        OptionsOf(app, fileName);  // a new palette gets the default options
        if (run.firstNewPalette.empty()) run.firstNewPalette = fileName;
        --run.freePlaces;
        run.imported += count;
        ++run.palettes;
    }
    return true;
}

// ---- export -------------------------------------------------------------------

const ExportTypeInfo kExportTypes[6] = {
    {ExportType::Gpl, "GIMP palette (*.gpl)", ".gpl"},
    {ExportType::Ase, "Adobe Swatch Exchange (*.ase)", ".ase"},
    {ExportType::PaintNet, "Paint.NET palette (*.txt)", ".txt"},
    {ExportType::Hex, "Hex list (*.hex)", ".hex"},
    {ExportType::Css, "CSS (*.css)", ".css"},
    {ExportType::AseAllPalettes, "Adobe Swatch Exchange, all palettes (*.ase)", ".ase"},
};

std::vector<ColourValue> PaletteFileColours(const std::string& bytes) {
    std::vector<ColourValue> colours;
    ForEachPaletteLine(bytes, [&](std::string_view line) {
        const std::string code = BareCode(line);
        if (code.size() == 6 && code.find_first_not_of("0123456789ABCDEF") == std::string::npos)
            colours.push_back(ParseColourCode(code));
    });
    return colours;
}

std::string WithExportExtension(const std::string& path, ExportType type) {
    const std::string extension = kExportTypes[static_cast<int>(type)].extension;
    const bool has = path.size() > extension.size() &&
                     AsciiUpper(path.substr(path.size() - extension.size())) == AsciiUpper(extension);
    return has ? path : path + extension;
}

std::string ExportBytes(ExportType type, const std::string& name, const std::vector<ColourValue>& colours,
                        const std::vector<ColourSet>& all) {
    switch (type) {
        case ExportType::Gpl: return WriteGpl(name, colours);
        case ExportType::Ase: return WriteAse({{name, colours}});
        case ExportType::PaintNet: return WritePaintNet(name, colours);
        case ExportType::Hex: return WriteHexList(colours);
        case ExportType::Css: return WriteCss(name, colours);
        case ExportType::AseAllPalettes: return WriteAse(all);
    }
    return {};
}

}  // namespace vandrel
