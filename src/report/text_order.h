#pragma once
// The order of texts in the report's sorted lists: Unicode scalar values after canonical
// composition (NFC), so that canonically equal texts sort together, case-sensitive and
// not localised.

#include <string_view>

namespace tallyvane {

bool textPrecedes(std::string_view lhs, std::string_view rhs);

}  // namespace tallyvane
