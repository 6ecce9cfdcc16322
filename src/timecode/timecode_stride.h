#pragma once
// Stepping over timecodes a number of frames at a time, from a start toward an end: the
// values before the end by real time, then (through) a value at or past it only when it
// is == the end, which also asks for the end's rate, so a value at another rate with the
// end's time is not the end. Each step is advanced(by:), which clamps at zero and at the
// upper limit; a step that no longer moves ends the walk, so a zero step or an end beyond
// the limit cannot loop forever.

#include <cstdint>
#include <iterator>
#include <optional>

#include "timecode/timecode.h"

namespace tallyvane {

class TimecodeStride {
public:
    static TimecodeStride to(const Timecode& start, const Timecode& end, std::int64_t frames) {
        return {start, end, frames, false};
    }
    static TimecodeStride through(const Timecode& start, const Timecode& end, std::int64_t frames) {
        return {start, end, frames, true};
    }

    class Iterator {
    public:
        using value_type = Timecode;
        using difference_type = std::ptrdiff_t;

        const Timecode& operator*() const { return *current_; }
        Iterator& operator++();
        void operator++(int) { ++*this; }
        bool operator==(std::default_sentinel_t) const { return !current_; }

    private:
        friend class TimecodeStride;
        Iterator(const TimecodeStride& stride, const Timecode& start);
        bool beforeEnd(const Timecode& timecode) const;
        bool inRange(const Timecode& timecode) const;

        const TimecodeStride* stride_;
        std::optional<Timecode> current_;
    };

    Iterator begin() const { return {*this, start_}; }
    std::default_sentinel_t end() const { return {}; }

private:
    TimecodeStride(const Timecode& start, const Timecode& end, std::int64_t frames, bool closed)
        : start_(start), end_(end), frames_(frames), closed_(closed) {}

    Timecode start_;
    Timecode end_;
    std::int64_t frames_;
    bool closed_;
};

}  // namespace tallyvane
