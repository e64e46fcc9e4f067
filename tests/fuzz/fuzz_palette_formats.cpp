// The readers of other programs' palette files, one target each: the build
// gives FUZZ_FORMAT, a PaletteFormat. Whatever the bytes, a reader gives
// sets with colours, and what it gives comes back alike through the writer.
#include "exchange/palette_formats.h"
#include "fuzz_support.h"

using namespace vandrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr auto format = static_cast<PaletteFormat>(FUZZ_FORMAT);
    const std::string bytes = fuzzing::Bytes(data, size);
    const std::vector<ColourSet> sets = ReadPaletteFormat(format, bytes);
    std::size_t colours = 0;
    for (const ColourSet& set : sets) {
        fuzzing::Expect(!set.colours.empty());
        for (ColourValue colour : set.colours) fuzzing::Expect(colour <= 0xFFFFFF);
        colours += set.colours.size();
    }
    // No colour is made from nothing: each takes some bytes of the file.
    fuzzing::Expect(colours <= size);
    if (format == PaletteFormat::Ase) fuzzing::Expect(ReadAse(WriteAse(sets)).size() == sets.size());
    for (const ColourSet& set : sets) {
        if (format == PaletteFormat::Gpl) fuzzing::Expect(ReadGpl(WriteGpl("x", set.colours))[0].colours == set.colours);
        if (format == PaletteFormat::Hex) fuzzing::Expect(ReadHexList(WriteHexList(set.colours))[0] == set);
    }
    return 0;
}
