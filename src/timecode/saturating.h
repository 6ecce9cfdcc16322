#pragma once
// Conversions that stay inside the 64-bit range instead of overflowing: values from
// documents and users may be arbitrarily large, and such results are then rejected
// by the range checks that follow.

#include <cmath>
#include <cstdint>
#include <limits>

namespace tallyvane {

// Truncated toward zero; NaN gives 0, values beyond the range give its nearest end.
inline std::int64_t saturatingInt64(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 9223372036854775808.0) return std::numeric_limits<std::int64_t>::max();
    if (value < -9223372036854775808.0) return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(value);
}

inline std::int64_t saturatingInt64(__int128 value) {
    if (value > std::numeric_limits<std::int64_t>::max()) return std::numeric_limits<std::int64_t>::max();
    if (value < std::numeric_limits<std::int64_t>::min()) return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(value);
}

}  // namespace tallyvane
