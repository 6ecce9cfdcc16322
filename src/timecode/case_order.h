#pragma once
// Position of a value among its type's cases, and sorting by that position; for the
// small enumerations of the timecode core (frame rates, bases, limits, components).

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <vector>

namespace tallyvane {

// The position in T::allCases(); 0 when absent.
template <typename T>
std::size_t caseIndex(const T& value) {
    const auto cases = T::allCases();
    for (std::size_t i = 0; i < cases.size(); ++i) {
        if (T(cases[i]) == value) return i;
    }
    return 0;
}

template <typename Range>
auto sortedByCaseOrder(const Range& values) {
    using T = std::decay_t<decltype(*std::begin(values))>;
    std::vector<T> sorted(std::begin(values), std::end(values));
    std::stable_sort(sorted.begin(), sorted.end(), [](const T& a, const T& b) { return caseIndex(a) < caseIndex(b); });
    return sorted;
}

}  // namespace tallyvane
