#pragma once
// The order of texts in sorted lists (event names, effect names): Unicode scalar values after canonical
// composition (NFC), so that canonically equal texts sort together, case-sensitive and
// not localised.

#include <string_view>

namespace tallyvane {

bool textPrecedes(std::string_view lhs, std::string_view rhs);
// Neither text precedes the other: they are canonically equivalent.
bool textsEquivalent(std::string_view lhs, std::string_view rhs);
// The same order always through normalisation, which texts beyond ASCII need.
bool nfcPrecedes(std::string_view lhs, std::string_view rhs);

}  // namespace tallyvane
