#include "timecode/timecode_sorting.h"

#include <algorithm>
#include <numeric>

#include "timecode/hash_combine.h"
#include "timecode/timecode_timeline.h"

namespace tallyvane {

namespace {

// Each key computed once; a stable sort of the indexes by key, then the values moved
// into that order.
template <typename Key>
void sortByKeys(std::span<Timecode> timecodes, const std::vector<Key>& keys, bool ascending) {
    std::vector<std::size_t> order(timecodes.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return ascending ? keys[a] < keys[b] : keys[b] < keys[a]; });
    std::vector<Timecode> result;
    result.reserve(timecodes.size());
    for (std::size_t i : order) result.push_back(timecodes[i]);
    std::move(result.begin(), result.end(), timecodes.begin());
}

bool usesTimeline(const std::optional<Timecode>& timelineStart) {
    return timelineStart && !timelineStart->isZero();
}

// Forward order: lhs strictly before rhs.
bool before(const Timecode& lhs, const Timecode& rhs, const std::optional<Timecode>& timelineStart) {
    return lhs.compare(rhs, timelineStart) == ComparisonResult::orderedAscending;
}

}  // namespace

// A pair is out of order only when the later timecode strictly belongs before the
// earlier one, so timecodes at the same rounded time but different rates (which
// compare as descending both ways) stay in order, as a sort leaves them.
bool isSorted(std::span<const Timecode> timecodes, bool ascending, const std::optional<Timecode>& timelineStart) {
    for (std::size_t i = 1; i < timecodes.size(); ++i) {
        const Timecode& previous = timecodes[i - 1];
        const Timecode& current = timecodes[i];
        if (previous == current) continue;
        if (ascending ? before(current, previous, timelineStart) : before(previous, current, timelineStart)) return false;
    }
    return true;
}

std::vector<Timecode> sorted(std::span<const Timecode> timecodes, bool ascending,
                             const std::optional<Timecode>& timelineStart) {
    std::vector<Timecode> result(timecodes.begin(), timecodes.end());
    sort(result, ascending, timelineStart);
    return result;
}

void sort(std::span<Timecode> timecodes, bool ascending, const std::optional<Timecode>& timelineStart) {
    if (usesTimeline(timelineStart)) {
        const TimelinePosition position(*timelineStart);
        std::vector<Decimal> keys;
        keys.reserve(timecodes.size());
        for (const Timecode& t : timecodes) keys.push_back(position(t));
        sortByKeys(timecodes, keys, ascending);
        return;
    }
    std::vector<double> keys;
    keys.reserve(timecodes.size());
    for (const Timecode& t : timecodes) keys.push_back(t.roundedRealTimeValue());
    sortByKeys(timecodes, keys, ascending);
}

ComparisonResult TimecodeSortComparator::compare(const Timecode& lhs, const Timecode& rhs) const {
    const ComparisonResult result = lhs.compare(rhs, timelineStart);
    return order == SortOrder::reverse ? negated(result) : result;
}

// Negating the comparison would put two timecodes at the same rounded time but
// different rates before each other; the reverse order swaps the operands instead.
bool TimecodeSortComparator::operator()(const Timecode& lhs, const Timecode& rhs) const {
    return order == SortOrder::reverse ? before(rhs, lhs, timelineStart) : before(lhs, rhs, timelineStart);
}

}  // namespace tallyvane

std::size_t std::hash<tallyvane::TimecodeSortComparator>::operator()(
    const tallyvane::TimecodeSortComparator& comparator) const noexcept {
    std::size_t h = static_cast<std::size_t>(comparator.order);
    h = tallyvane::hashCombine(h, comparator.timelineStart ? 1 : 0);
    if (comparator.timelineStart) h = tallyvane::hashCombine(h, std::hash<tallyvane::Timecode>()(*comparator.timelineStart));
    return h;
}
