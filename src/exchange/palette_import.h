// Other programs' palette files made into palette files of the palette
// folder (at most 12 colours each), and palettes written in their formats.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "core/state.h"
#include "exchange/palette_formats.h"

namespace vandrel {

// More than any palette file of these kinds needs; the rest of a larger
// file is left unread (what the part read holds is imported).
constexpr std::size_t kLargestImportedFile = 32u * 1024 * 1024;

// The name with the characters a palette name may not hold dropped and the
// blanks at its ends trimmed (code-page text).
std::string CleanPaletteName(const std::string& name);

// The names for a set of `palettes` palettes made from `base` (cleaned):
// "<base>" for one, "<base> 1", "<base> 2", ... for more; where these are in
// use the next numbers that are not ("<base> 2" for one), the base cut once
// so that every name fits 16 characters.
std::vector<std::string> NamesForSet(const std::string& base, int palettes,
                                     const std::function<bool(const std::string&)>& inUse);

// A file of an import, read: its palettes are written in steps.
struct ImportFile {
    std::string fileName;
    std::vector<ColourSet> sets;  // none: not a palette file Vandrel can read
};

// One import of any number of files: the names in use so far (upper case,
// without ".pal") and the free places of the palette list; the files read
// and how far their writing has come.
struct ImportRun {
    std::unordered_set<std::string> namesInUse;
    int freePlaces = 0;
    std::string firstNewPalette;  // its file name
    std::vector<std::string> lines;  // the message's, one per file done

    std::vector<ImportFile> files;
    std::size_t file = 0;            // the file being written
    std::size_t set = 0;             // its set
    std::size_t piece = 0;           // the set's next palette
    std::vector<std::string> names;  // the set's palette names, made as it begins
    int imported = 0, palettes = 0, unfitted = 0, unsaved = 0;  // the file's so far

    // The caller's: the palette list made anew in steps once every palette is written.
    std::optional<PaletteListing> listing;
};

// The run for the palette folder as it is (the current folder) and the list as it is.
ImportRun BeginImport(App& app, Platform& platform);

// Reads the file into the run; nothing is written yet.
void ReadImportFile(const std::string& path, ImportRun& run);

// Writes up to `writes` more palette files with the safe write, adding each
// file's line once its last palette is done; true when the run is done.
// The list is the caller's to rebuild.
bool ImportStep(App& app, Platform& platform, ImportRun& run, std::size_t writes);

// The file name of a path, either separator.
std::string FileNameOfPath(const std::string& path);

// ---- export

// The types of the save dialog, in order; the last writes every palette.
enum class ExportType { Gpl, Ase, PaintNet, Hex, Css, AseAllPalettes };
struct ExportTypeInfo {
    ExportType type;
    const char* caption;
    const char* extension;  // with its dot
};
extern const ExportTypeInfo kExportTypes[6];

// The colours of a palette file's lines that hold a code, in order.
std::vector<ColourValue> PaletteFileColours(const std::string& bytes);

// `path` with the type's extension added when it does not end in it.
std::string WithExportExtension(const std::string& path, ExportType type);

// The bytes of an export: `name` is the palette's (UTF-8); `all` holds every
// palette of the list for AseAllPalettes.
std::string ExportBytes(ExportType type, const std::string& name, const std::vector<ColourValue>& colours,
                        const std::vector<ColourSet>& all);

}  // namespace vandrel
