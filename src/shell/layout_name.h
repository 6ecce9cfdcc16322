#pragma once
// Names of column layouts.

#include <string>
#include <string_view>

namespace tallyvane {

// The next name of a numbered series: the ASCII digits that end the name counted up by one,
// keeping their zero padding ("Take 009" to "Take 010", "Take 9" to "Take 10", "99" to
// "100"); a name that does not end in a digit gets "1" ("Edit" to "Edit1"). Runs of any
// length are counted up as text, so no run overflows.
std::string nextLayoutName(std::string_view name);

// The name in canonical composition (NFC), so that canonically equal names are one name.
// Invalid UTF-8 is replaced first.
std::string canonicalLayoutName(std::string_view name);

}  // namespace tallyvane
