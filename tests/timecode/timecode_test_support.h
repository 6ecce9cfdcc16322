#pragma once
// Building timecodes in tests: components stored as given (no range check) at chosen
// properties, and readable output of components in failure messages.

#include <ostream>

#include "timecode/timecode_sources.h"

namespace tallyvane {

inline TimecodeProperties props(TimecodeFrameRate rate,
                                TimecodeSubFramesBase base = TimecodeSubFramesBase::max80SubFrames,
                                TimecodeUpperLimit limit = TimecodeUpperLimit::max24Hours) {
    return {rate, base, limit};
}

inline Timecode tc(const TimecodeComponents& components, const TimecodeProperties& properties) {
    return Timecode(TimecodeSourceValue::components(components), properties, TimecodeValidationRule::allowingInvalid);
}

inline Timecode tc24(std::int64_t h, std::int64_t m, std::int64_t s, std::int64_t f, std::int64_t sf = 0) {
    return tc({0, h, m, s, f, sf}, props(TimecodeFrameRate::fps24));
}

inline std::ostream& operator<<(std::ostream& out, const TimecodeComponents& c) {
    return out << c.days << " " << c.hours << ":" << c.minutes << ":" << c.seconds << ":" << c.frames << "." << c.subFrames;
}

}  // namespace tallyvane
