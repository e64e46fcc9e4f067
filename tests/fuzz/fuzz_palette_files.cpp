// Palette files as the palette list and the editor read them.
#include <map>

#include "app/operations.h"
#include "core/files.h"
#include "editor/editing.h"
#include "editor/editor_window.h"
#include "fuzz_support.h"
#include "palette/palette_file.h"
#include "palette/palette_list.h"
#include "palette_window/palette_window.h"

using namespace vandrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes = fuzzing::Bytes(data, size);
    const auto lines = ReadPaletteLines(bytes);
    fuzzing::Expect(!lines.empty() && lines.size() <= kMaxColours);

    fuzzing::Program program(std::map<std::string, std::string>{{"odd.pal", bytes}});
    App& app = *program.app;
    const int index = PaletteIndexOf(app, "odd.pal");
    fuzzing::Expect(index >= 0 && app.PaletteColourCount[index] >= 1 && app.PaletteColourCount[index] <= kMaxColours);
    OpenPaletteWindow(app, program.platform, index, -1);
    EditPalette(app, program.platform, "odd.pal", false);
    fuzzing::Expect(app.EditorColourCount >= 1 && app.EditorColourCount <= kMaxColours);
    app.EditorModified = 1;
    SaveEditorPalette(app, program.platform);
    // What the program writes, it reads back the same.
    const auto saved = ReadWholeFile("odd.pal", kLargestReadPalette);
    fuzzing::Expect(saved.has_value() && PaletteFileText(ReadPaletteLines(*saved)) == *saved);
    return 0;
}
