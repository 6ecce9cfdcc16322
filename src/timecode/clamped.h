#pragma once
// A comparable value held within a range: a closed range, a half-open range (its upper
// bound excluded) or the range below an upper bound. The excluded bounds are stepped down
// once, so the two open forms need a value with a step: an integer (one less, never below
// the type's least value) or anything with advanced(by:) such as a timecode (one frame).

#include <concepts>
#include <limits>

namespace tallyvane {

template <typename T>
struct ClosedBounds {
    T lower;
    T upper;
};

template <typename T>
struct HalfOpenBounds {
    T lower;
    T upper;  // excluded
};

template <typename T>
struct BoundsBelow {
    T upper;  // excluded
};

// Equal values keep the bound, as the bound is what the range names.
template <typename T>
T clamped(const T& value, const ClosedBounds<T>& range) {
    const T& raised = range.lower >= value ? range.lower : value;
    return range.upper < raised ? range.upper : raised;
}

template <typename T>
T stepBelow(const T& bound) {
    if constexpr (std::integral<T>) {
        return bound == std::numeric_limits<T>::min() ? bound : static_cast<T>(bound - 1);
    } else {
        return bound.advanced(-1);
    }
}

template <typename T>
T clamped(const T& value, const HalfOpenBounds<T>& range) {
    return clamped(value, ClosedBounds<T>{range.lower, stepBelow(range.upper)});
}

template <typename T>
T clamped(const T& value, const BoundsBelow<T>& range) {
    const T highest = stepBelow(range.upper);
    return highest < value ? highest : value;
}

}  // namespace tallyvane
