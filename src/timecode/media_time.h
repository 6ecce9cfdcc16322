#pragma once
// A media time as value / timescale seconds with validity and infinity flags, and a
// time range; the media code bridges them to the decoder library's rational type.

#include <compare>
#include <cstdint>

namespace tallyvane {

class TimecodeFrameRate;
class TimecodeInterval;
class TimecodeSubFramesBase;
class TimecodeUpperLimit;
struct TimecodeProperties;

struct MediaTime {
    enum Flag : std::uint32_t {
        valid = 1U << 0,
        hasBeenRounded = 1U << 1,
        positiveInfinity = 1U << 2,
        negativeInfinity = 1U << 3,
        indefinite = 1U << 4,
    };

    std::int64_t value = 0;
    std::int32_t timescale = 0;
    std::uint32_t flags = 0;  // an all-zero time is invalid
    std::int64_t epoch = 0;

    static constexpr MediaTime make(std::int64_t value, std::int32_t timescale) {
        return MediaTime{value, timescale, valid, 0};
    }
    static constexpr MediaTime invalid() { return MediaTime{}; }
    static constexpr MediaTime makePositiveInfinity() { return MediaTime{0, 0, valid | positiveInfinity, 0}; }
    static constexpr MediaTime makeNegativeInfinity() { return MediaTime{0, 0, valid | negativeInfinity, 0}; }
    static constexpr MediaTime makeIndefinite() { return MediaTime{0, 0, valid | indefinite, 0}; }

    bool isValid() const { return (flags & valid) != 0; }
    bool isPositiveInfinity() const { return isValid() && (flags & positiveInfinity) != 0; }
    bool isNegativeInfinity() const { return isValid() && (flags & negativeInfinity) != 0; }
    bool isIndefinite() const { return isValid() && (flags & indefinite) != 0; }
    // Valid, finite and definite, with a usable timescale.
    bool isNumeric() const {
        return isValid() && (flags & (positiveInfinity | negativeInfinity | indefinite)) == 0 && timescale > 0;
    }
    double seconds() const;
    // This time as a signed timecode length (timecode_interval.h); throws
    // TimecodeValidationError (outOfBounds) when it does not fit.
    TimecodeInterval timecodeInterval(const TimecodeProperties& properties) const;
    TimecodeInterval timecodeInterval(TimecodeFrameRate rate, TimecodeSubFramesBase base,
                                      TimecodeUpperLimit limit) const;

    // Orders as time does: invalid times first, then negative infinity, numeric times
    // by value (epoch first), positive infinity, indefinite last.
    friend std::strong_ordering operator<=>(const MediaTime& a, const MediaTime& b);
    friend bool operator==(const MediaTime& a, const MediaTime& b) { return (a <=> b) == 0; }
};

struct MediaTimeRange {
    MediaTime start;
    MediaTime duration;

    // Both times valid, neither indefinite, and the duration not negative.
    bool isValid() const;
};

}  // namespace tallyvane
