#pragma once
// Frame counts may be NaN when a document's times are unreadable; sorts need a strict weak
// ordering all the same, so NaN goes after every number and is equivalent to itself.

#include <cmath>

namespace tallyvane {

inline bool lessNanLast(double a, double b) noexcept {
    if (std::isnan(a)) return false;
    if (std::isnan(b)) return true;
    return a < b;
}

}  // namespace tallyvane
