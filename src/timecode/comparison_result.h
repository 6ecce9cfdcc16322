#pragma once
// The outcome of a three-way comparison and the direction of a sort.

#include <cstdint>

namespace tallyvane {

enum class ComparisonResult : std::int8_t { orderedAscending = -1, orderedSame = 0, orderedDescending = 1 };

constexpr ComparisonResult negated(ComparisonResult result) {
    return static_cast<ComparisonResult>(-static_cast<std::int8_t>(result));
}

enum class SortOrder : std::uint8_t { forward, reverse };

}  // namespace tallyvane
