// The INI reader and writer, and the settings files read at start-up and written at exit.
#include <map>

#include "fuzz_support.h"
#include "palette/palette_file.h"
#include "config/ini.h"
#include "config/settings.h"

using namespace vandrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes = fuzzing::Bytes(data, size);
    // A rewrite of a rewrite changes nothing more.
    const std::string once = SerializeIni(ParseIni(bytes));
    fuzzing::Expect(SerializeIni(ParseIni(once)) == once);
    const IniDocument document = ParseIni(bytes);
    ReadIniInt(document, "start.pal", "X", 0);
    ReadIniString(document, "", "Palette_Directory", "");

    fuzzing::Program program(std::map<std::string, std::string>{
        {"Vandrel.ini", bytes}, {"start.pal", StartPaletteText()}});
    WriteSettings(*program.app, program.platform);
    return 0;
}
