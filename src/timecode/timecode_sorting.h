#pragma once
// Sorting timecodes, also around a timeline start (see Timecode::compare). Sorts are
// stable and use strict weak orderings: timecodes that compare equal, or that share a
// rounded real time at different rates, keep their relative order.

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "timecode/timecode.h"

namespace tallyvane {

// No neighbour strictly belongs before the one ahead of it (by Timecode::compare).
bool isSorted(std::span<const Timecode> timecodes, bool ascending = true,
              const std::optional<Timecode>& timelineStart = std::nullopt);
std::vector<Timecode> sorted(std::span<const Timecode> timecodes, bool ascending = true,
                             const std::optional<Timecode>& timelineStart = std::nullopt);
void sort(std::span<Timecode> timecodes, bool ascending = true,
          const std::optional<Timecode>& timelineStart = std::nullopt);

struct TimecodeSortComparator {
    SortOrder order = SortOrder::forward;
    std::optional<Timecode> timelineStart;

    // Timecode::compare, negated for the reverse order.
    ComparisonResult compare(const Timecode& lhs, const Timecode& rhs) const;
    // A strict weak ordering for the standard sorts: lhs goes first.
    bool operator()(const Timecode& lhs, const Timecode& rhs) const;

    // Same order, and both starts absent or equal timecodes.
    friend bool operator==(const TimecodeSortComparator&, const TimecodeSortComparator&) = default;
};

}  // namespace tallyvane

template <>
struct std::hash<tallyvane::TimecodeSortComparator> {
    std::size_t operator()(const tallyvane::TimecodeSortComparator& comparator) const noexcept;
};
