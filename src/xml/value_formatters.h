#pragma once
// Readers of element text as numbers and dates; a document holds one of each and a
// caller may replace them.

#include <chrono>
#include <functional>
#include <optional>
#include <string>

namespace tallyvane {

using XMLDate = std::chrono::sys_time<std::chrono::milliseconds>;

using NumberFormatter = std::function<std::optional<double>(const std::string&)>;
using DateFormatter = std::function<std::optional<XMLDate>(const std::string&)>;

// A decimal number in the default locale, the whole text and nothing else.
NumberFormatter makeDefaultNumberFormatter();

// "yyyy-MM-dd'T'HH:mm:ssZ" under the fixed "en_US_POSIX" locale, the whole text and
// nothing else (a date without a time and zone does not read).
DateFormatter makeDefaultDateFormatter();

}  // namespace tallyvane
