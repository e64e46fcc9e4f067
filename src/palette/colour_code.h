// A colour's text forms: the six-digit code, with or without the "#" prefix.
// None of these routines fails: every text yields a colour.
#pragma once

#include <string>
#include <string_view>

#include "platform/types.h"

namespace vandrel {

// prefix + two upper-case hex digits each for red, green and blue.
std::string FormatColourCode(ColourValue colour, const std::string& prefix);

// Reads up to three pairs of hex digits after removing every "#"; a pair
// that does not start with a digit counts as 0.
ColourValue ParseColourCode(const std::string& text);

// Removes every "#", wherever it stands.
std::string StripHash(const std::string& text);

// Value of the hex digits at the start of a slice of at most two characters.
int HexPrefixValue(const std::string& slice);

// What an editor code field keeps of typed text: prefix plus up to six of
// the characters 0-9 and A-F; everything else is dropped.
std::string HexEntryFilter(const std::string& text, const std::string& prefix);

// Upper-case conversion of plain ASCII letters only, leaving other bytes alone.
std::string AsciiUpper(std::string text);

// The code as swatches and lists keep it: every "#" removed, ASCII letters in
// upper case (StripHash and AsciiUpper in one pass: a full folder has 9,600).
std::string BareCode(std::string_view text);

}  // namespace vandrel
