#pragma once
// Elapsed frame counts: the bridge through which every timecode becomes a number and
// back, with the drop-frame rule.

#include <compare>
#include <cstdint>
#include <functional>
#include <string>
#include <variant>

#include "timecode/decimal.h"
#include "timecode/subframes_base.h"
#include "timecode/timecode_components.h"
#include "timecode/timecode_frame_rate.h"

namespace tallyvane {

class TimecodeFrameCount {
public:
    // One count in one of four forms.
    class Value {
    public:
        struct Frames {
            std::int64_t frames;
        };
        struct Split {
            std::int64_t frames;
            std::int64_t subFrames;
        };
        struct Combined {
            double frames;
        };
        struct SplitUnitInterval {
            std::int64_t frames;
            double subFramesUnitInterval;  // subframes / base
        };
        using Payload = std::variant<Frames, Split, Combined, SplitUnitInterval>;

        static Value frames(std::int64_t frames) { return Value(Frames{frames}); }
        static Value split(std::int64_t frames, std::int64_t subFrames) { return Value(Split{frames, subFrames}); }
        static Value combined(double frames) { return Value(Combined{frames}); }
        static Value splitUnitInterval(std::int64_t frames, double unitInterval) {
            return Value(SplitUnitInterval{frames, unitInterval});
        }

        const Payload& payload() const { return payload_; }
        // Whole frames; a combined count is truncated toward zero (NaN gives 0, values
        // beyond 64 bits the nearest end of the range).
        std::int64_t wholeFrames() const;
        bool isZero() const;
        // A combined count that is NaN or infinite.
        bool isNonFinite() const;
        std::string description() const;       // "10.5 frames"
        std::string debugDescription() const;  // ".split(frames: 10, subFrames: 40)"

        // Same form and equal payloads (doubles compared numerically).
        friend bool operator==(const Value& a, const Value& b);

    private:
        explicit Value(Payload payload) : payload_(payload) {}
        Payload payload_;
    };

    TimecodeFrameCount(Value value, TimecodeSubFramesBase base) : value(value), subFramesBase_(base) {}
    // The elapsed count of the components, in the splitUnitInterval form (frames 0 when
    // the count lies beyond 64 bits).
    TimecodeFrameCount(const TimecodeComponents& components, TimecodeFrameRate rate, TimecodeSubFramesBase base);

    Value value;
    TimecodeSubFramesBase subFramesBase() const { return subFramesBase_; }

    std::int64_t subFrames() const;
    Decimal decimalValue() const;
    double doubleValue() const;
    // Whole frames x base + subframes, saturated at the ends of the 64-bit range.
    std::int64_t subFrameCount() const;
    bool isNegative() const { return doubleValue() < 0; }
    std::string description() const;

    // The sum and difference in the split form at the receiver's base, as + and - give them.
    TimecodeFrameCount adding(const TimecodeFrameCount& other) const { return *this + other; }
    TimecodeFrameCount subtracting(const TimecodeFrameCount& other) const { return *this - other; }

    friend TimecodeFrameCount operator+(const TimecodeFrameCount& a, const TimecodeFrameCount& b);
    friend TimecodeFrameCount operator-(const TimecodeFrameCount& a, const TimecodeFrameCount& b);
    friend TimecodeFrameCount operator*(const TimecodeFrameCount& a, double factor);
    friend TimecodeFrameCount operator/(const TimecodeFrameCount& a, double divisor);
    // Equal and ordered by the subframe total alone.
    friend bool operator==(const TimecodeFrameCount& a, const TimecodeFrameCount& b) {
        return a.subFrameCount() == b.subFrameCount();
    }
    friend std::strong_ordering operator<=>(const TimecodeFrameCount& a, const TimecodeFrameCount& b) {
        return a.subFrameCount() <=> b.subFrameCount();
    }

private:
    TimecodeSubFramesBase subFramesBase_;
};

// Elapsed whole frames of the components, in double arithmetic, with the drop-frame rule.
double elapsedFrames(const TimecodeComponents& components, TimecodeFrameRate rate);

// The components of an elapsed count, as exact decimal arithmetic gives them (in integers
// where that is the same). Days are not limited; a negative count negates only its first
// non-zero component.
TimecodeComponents componentsFromFrameCount(const TimecodeFrameCount& count, TimecodeFrameRate rate);
// The same in decimal arithmetic throughout: the reference for the integer road.
TimecodeComponents componentsFromFrameCountInDecimal(const TimecodeFrameCount& count, TimecodeFrameRate rate);

}  // namespace tallyvane

template <>
struct std::hash<tallyvane::TimecodeFrameCount::Value> {
    std::size_t operator()(const tallyvane::TimecodeFrameCount::Value& v) const noexcept;
};

template <>
struct std::hash<tallyvane::TimecodeFrameCount> {
    std::size_t operator()(const tallyvane::TimecodeFrameCount& c) const noexcept {
        return std::hash<std::int64_t>()(c.subFrameCount());
    }
};
