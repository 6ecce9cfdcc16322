#pragma once
// Texts in diagnostic lines written the way a debugger shows a string: in double quotes,
// with quotes, backslashes and control characters escaped.

#include <string>
#include <string_view>
#include <vector>

namespace tallyvane {

std::string debugQuoted(std::string_view text);

// ["a", "b"]
std::string debugList(const std::vector<std::string>& texts);

}  // namespace tallyvane
