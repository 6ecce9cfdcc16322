#pragma once
// UTF-8 checks for text that comes from documents and goes into workbooks.

#include <cstddef>
#include <string>
#include <string_view>

namespace tallyvane {

bool isValidUtf8(std::string_view text);

// The length of the text's leading run of ASCII bytes.
std::size_t asciiPrefixLength(std::string_view text);

inline bool isAscii(std::string_view text) { return asciiPrefixLength(text) == text.size(); }

// The longest start of the text that holds at most `bytes` bytes and ends at a character's
// end, so that a cut name never ends in half a character.
std::string_view utf8Prefix(std::string_view text, std::size_t bytes);

// The text with every ill-formed sequence replaced by U+FFFD, one replacement for
// each maximal invalid subpart (the usual decoder practice).
std::string sanitizeUtf8(std::string_view text);

}  // namespace tallyvane
