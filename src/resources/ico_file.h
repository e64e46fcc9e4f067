// Writes Windows icon files, so the icon can be made from the drawn artwork
// rather than kept as a hand-edited binary.
#pragma once

#include <string>
#include <vector>

#include "platform/types.h"

namespace vandrel {

// The bytes of a .ico file holding one 32-bit entry per image, in the order
// given. A 256 x 256 image is stored as PNG; any other as a bitmap with the
// 1-bit mask older readers need (set where alpha is 0).
// Throws std::invalid_argument for an image that is empty, larger than
// 256 x 256, or whose pixel count does not match its size.
std::string IcoFileBytes(const std::vector<Image>& images);

}  // namespace vandrel
