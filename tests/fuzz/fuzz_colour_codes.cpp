// Colour codes as users type and files hold them.
#include "fuzz_support.h"
#include "palette/colour_code.h"

using namespace vandrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text = fuzzing::Bytes(data, size);
    const ColourValue colour = ParseColourCode(text);
    fuzzing::Expect(colour <= 0xFFFFFF);
    fuzzing::Expect(StripHash(text).find('#') == std::string::npos);
    for (const std::string prefix : {"#", ""}) {
        const std::string clean = HexEntryFilter(text, prefix);
        fuzzing::Expect(clean.compare(0, prefix.size(), prefix) == 0 && clean.size() <= prefix.size() + 6);
        fuzzing::Expect(HexEntryFilter(clean, prefix) == clean);
        fuzzing::Expect(ParseColourCode(FormatColourCode(colour, prefix)) == colour);
    }
    return 0;
}
