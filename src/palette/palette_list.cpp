#include "palette/palette_list.h"

#include "core/files.h"
#include "palette/colour_code.h"
#include "palette/palette_file.h"

namespace vandrel {

bool HasPaletteExtension(const std::string& name) {
    return name.size() >= 4 && AsciiUpper(name.substr(name.size() - 4)) == ".PAL";
}

int PaletteCount(const App& app) {
    int count = 0;
    while (count < kPaletteCapacity && !app.PaletteNames[count].empty()) ++count;
    return count;
}

namespace {

void ClearList(App& app) {
    for (int p = 0; p < kPaletteCapacity; ++p) {
        app.PaletteNames[p].clear();
        app.PaletteColours[p].clear();
        app.PaletteColourCount[p] = 0;
    }
    app.PaletteIndexByName.clear();
}

bool Listable(App& app, const FolderEntry& entry) {
    // The system's pattern also matches short 8.3 names ("x.pal2"): check the long one.
    return !entry.isFolder && HasPaletteExtension(entry.name) && OptionsOf(app, entry.name).Locked == 0;
}

// Reads the file into list position p; false when it cannot be read. `bytes`
// is the caller's, kept from file to file.
bool ReadIntoList(App& app, const FolderEntry& entry, int p, std::string& bytes) {
    if (!ReadWholeFileInto(entry.name, kLargestReadPalette, bytes)) return false;
    PaletteCodes& codes = app.PaletteColours[p];
    std::size_t j = 0;
    app.PaletteColourCount[p] = ForEachPaletteLine(bytes, [&](std::string_view line) {
        codes.Set(j++, BareCode(line));
    });
    app.PaletteNames[p] = entry.name;
    app.PaletteIndexByName[entry.name] = p;
    return true;
}

}  // namespace

bool BeginListing(App& app, Platform& platform, PaletteListing& listing,
                  std::optional<std::vector<FolderEntry>> listed) {
    ClearList(app);
    listing = {};
    // Without a palette folder the current one is a stranger's: list nothing.
    if (PaletteFolderInUse(app).empty()) return false;
    auto entries = listed ? std::move(listed) : platform.ListFolder("*.pal");
    if (!entries) return false;
    listing.entries = std::move(*entries);
    return true;
}

bool ListingStep(App& app, PaletteListing& listing, std::size_t files) {
    // What ListReopenedPalettes put there goes: the list is made anew.
    if (listing.next == 0) ClearList(app);
    std::string bytes;
    for (std::size_t read = 0; read < files && listing.next < listing.entries.size(); ++listing.next) {
        if (listing.listed == kPaletteCapacity) {
            listing.next = listing.entries.size();
            break;
        }
        const FolderEntry& entry = listing.entries[listing.next];
        if (!Listable(app, entry)) continue;
        ++read;
        if (ReadIntoList(app, entry, listing.listed, bytes)) ++listing.listed;
    }
    return listing.next >= listing.entries.size();
}

void ListReopenedPalettes(App& app, const PaletteListing& listing) {
    ClearList(app);
    std::string bytes;
    int p = 0;
    // Every palette that claims a slot, as the full list would have it: those
    // that find none are recorded as closed when the windows are reopened.
    for (const FolderEntry& entry : listing.entries) {
        if (!Listable(app, entry)) continue;
        const int slot = OptionsOf(app, entry.name).WinID;
        if (slot >= 1 && slot <= kMaxOpenPalettes && ReadIntoList(app, entry, p, bytes)) ++p;
    }
}

void ListPalettes(App& app, Platform& platform) {
    PaletteListing listing;
    if (BeginListing(app, platform, listing)) ListingStep(app, listing, listing.entries.size());
}

}  // namespace vandrel
