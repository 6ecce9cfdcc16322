#pragma once
// Positions on a timeline that starts at a given timecode and may run past midnight:
// a timecode at or after the start keeps its frame position less one day, one before
// it keeps its position, so the part after midnight sorts after the rest.

#include "timecode/decimal.h"
#include "timecode/timecode.h"

namespace tallyvane {

class TimelinePosition {
public:
    explicit TimelinePosition(const Timecode& start) : start_(position(start)) {}

    // In frames at the timecode's own rate and subframes base; no rate conversion.
    Decimal operator()(const Timecode& timecode) const {
        const Decimal p = position(timecode);
        return p < start_ ? p : p - oneDay(timecode.properties);
    }

private:
    static Decimal position(const Timecode& t) { return t.frameCount().decimalValue(); }
    static Decimal oneDay(const TimecodeProperties& p) {
        return TimecodeFrameCount(TimecodeComponents{1, 0, 0, 0, 0, 0}, p.frameRate, p.subFramesBase).decimalValue();
    }

    Decimal start_;
};

}  // namespace tallyvane
