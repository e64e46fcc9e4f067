// The editor's code fields fed with arbitrary texts, and a new palette from an
// arbitrary clipboard. The first byte of each line picks the row; the rest is
// the field's new text.
#include <map>

#include "editor/editor_window.h"
#include "fuzz_support.h"
#include "palette/palette_file.h"
#include "tools/colour_generators.h"

using namespace vandrel;

namespace {

void CheckRows(const App& app, testing::FakePlatform& platform) {
    fuzzing::Expect(app.EditorColourCount >= 0 && app.EditorColourCount <= kMaxColours);
    for (int row = 1; row <= kMaxColours; ++row)
        fuzzing::Expect(platform.ReadControl(kEditorWindow, EditFieldId(row)).exists ==
                        (row <= app.EditorColourCount));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes = fuzzing::Bytes(data, size);
    fuzzing::Program program(std::map<std::string, std::string>{{"start.pal", StartPaletteText()}});
    App& app = *program.app;
    auto& platform = program.platform;

    fuzzing::Expect(ClipboardPieces(bytes).size() == static_cast<std::size_t>(kMaxColours));
    platform.clipboard = bytes;
    platform.nameAnswers = {"clip"};
    platform.Queue({EventKind::Menu, kTrayOwnerWindow, kItemFromClipboard});
    program.Run();
    CheckRows(app, platform);

    std::size_t at = 0;
    for (int steps = 0; at < bytes.size() && steps < 64 && app.EditorColourCount > 0; ++steps) {
        const std::size_t end = std::min(bytes.find('\n', at), bytes.size());
        const std::string line = bytes.substr(at, end - at);
        at = end + 1;
        if (line.empty()) continue;
        const int row = 1 + static_cast<unsigned char>(line[0]) % app.EditorColourCount;
        program.user.Type(kEditorWindow, EditFieldId(row), line.substr(1));
        program.Run();
        CheckRows(app, platform);
    }
    return 0;
}
