#pragma once
// Character-set names and conversion for documents given as text.

#include <optional>
#include <string>
#include <string_view>

namespace tallyvane::detail {

// The preferred name of a declared character set, "UTF-8" when it is null, not UTF-8
// itself, or names no character set known here.
std::string preferredEncodingName(const char* declared);

// The UTF-8 text converted to the named character set, followed by that set's NUL;
// absent when the name is unknown, the text is not UTF-8, or a character cannot be represented.
std::optional<std::string> encodeWithNul(std::string_view utf8, std::string_view encodingName);

}  // namespace tallyvane::detail
