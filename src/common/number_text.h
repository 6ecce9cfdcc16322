#pragma once
// Number text that must not depend on the process locale (the GUI toolkit changes it).

#include <optional>
#include <string>
#include <string_view>

namespace tallyvane {

// Shortest text that reads back as the same double: whole numbers keep ".0",
// magnitudes below 1e-4 or above 2^53 use an exponent ("1e-05", "1.5e+16"),
// and the special values read "nan", "inf" and "-inf".
std::string formatDouble(double value);

// The same with the exponent form from 1e16 up instead of above 2^53 ("9500000000000000.0",
// "1e+16"): the numbers of effect settings texts.
std::string formatSettingsNumber(double value);

// The whole text as a C-locale floating-point number; absent when anything is left over,
// including leading or trailing white space.
std::optional<double> parseDouble(std::string_view text);

// The same in single precision, read by the C library's conversion (`strtof_l`): hexadecimal,
// infinities and NaN read, and a value out of range is an infinity or zero.
std::optional<float> parseSingle(std::string_view text);

}  // namespace tallyvane
