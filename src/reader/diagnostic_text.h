#pragma once
// Texts of the reader's debug lines: a text in double quotes with quotes, backslashes and
// control characters escaped, and lists of such texts in brackets.

#include <string>
#include <string_view>
#include <vector>

namespace tallyvane {

std::string quotedForLog(std::string_view text);

// ["a", "b"]
std::string quotedListForLog(const std::vector<std::string>& texts);

}  // namespace tallyvane
