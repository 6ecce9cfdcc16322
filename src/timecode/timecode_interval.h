#pragma once
// A signed length of time as a timecode: an absolute timecode and a sign.

#include <cstdint>
#include <functional>
#include <string>

#include "timecode/timecode.h"

namespace tallyvane {

enum class FloatingPointSign : std::uint8_t { plus, minus };

class TimecodeInterval {
public:
    using Sign = FloatingPointSign;

    TimecodeInterval(const Timecode& absoluteInterval, Sign sign) : absoluteInterval(absoluteInterval), sign(sign) {}
    static TimecodeInterval positive(const Timecode& timecode) { return {timecode, Sign::plus}; }
    static TimecodeInterval negative(const Timecode& timecode) { return {timecode, Sign::minus}; }

    // The length at the properties; the sign is minus when exactly one term of the time
    // is negative (an infinite or indefinite media time counts as 0). Throw
    // TimecodeValidationError (outOfBounds) when the length does not fit.
    static TimecodeInterval fromRational(const Fraction& time, const TimecodeProperties& properties);
    static TimecodeInterval fromMediaTime(const MediaTime& time, const TimecodeProperties& properties);
    // Minus only below zero, so -0.0 is plus.
    static TimecodeInterval fromRealTime(double seconds, const TimecodeProperties& properties);
    static TimecodeInterval fromRational(const Fraction& time, TimecodeFrameRate rate, TimecodeSubFramesBase base,
                                         TimecodeUpperLimit limit) {
        return fromRational(time, {rate, base, limit});
    }
    static TimecodeInterval fromMediaTime(const MediaTime& time, TimecodeFrameRate rate, TimecodeSubFramesBase base,
                                          TimecodeUpperLimit limit) {
        return fromMediaTime(time, {rate, base, limit});
    }
    static TimecodeInterval fromRealTime(double seconds, TimecodeFrameRate rate, TimecodeSubFramesBase base,
                                         TimecodeUpperLimit limit) {
        return fromRealTime(seconds, {rate, base, limit});
    }

    Timecode absoluteInterval;
    Sign sign;

    bool isNegative() const { return sign == Sign::minus; }
    // Signed exact time. Throws FractionError when the terms exceed 64 bits.
    Fraction rationalValue() const;
    // The same as a media time; invalid when the denominator exceeds 32 bits.
    MediaTime mediaTimeValue() const;
    double realTimeValue() const;
    // On the clock face of the upper limit: plus wraps the length, minus counts back
    // from zero (minus 1 s within 24 hours is 23:59:59:00).
    Timecode wrappedTimecode() const;

    // The absolute text with subframes, "-" in front when negative.
    std::string description() const;
    std::string debugDescription() const;    // "TimecodeInterval(-00:00:01:00.00)"
    std::string verboseDescription() const;  // "TimecodeInterval 00:00:01:00.00 @ 24 fps"

    // Equal absolute timecodes (timecode equality) and the same sign.
    friend bool operator==(const TimecodeInterval& a, const TimecodeInterval& b) {
        return a.sign == b.sign && a.absoluteInterval == b.absoluteInterval;
    }
};

}  // namespace tallyvane

template <>
struct std::hash<tallyvane::TimecodeInterval> {
    std::size_t operator()(const tallyvane::TimecodeInterval& interval) const noexcept;
};
