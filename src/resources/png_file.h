// Writes PNG files, so the large entry of the icon can be kept compressed.
// The deflate coder is our own: the program uses no library beyond the
// standard one.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/types.h"

namespace vandrel {

// The bytes of a PNG file (8-bit RGBA, not interlaced) showing the image.
// Throws std::invalid_argument for an image that is empty or whose pixel
// count does not match its size.
std::string PngFileBytes(const Image& image);

// The lengths of a Huffman code for symbols occurring counts[i] times: none
// longer than limit bits, and always a complete code, as strict readers want.
// Throws std::invalid_argument when limit bits cannot hold that many symbols.
// Declared here for the tests, as images seldom need the limit.
std::vector<int> HuffmanCodeLengths(std::vector<std::uint32_t> counts, int limit);

}  // namespace vandrel
