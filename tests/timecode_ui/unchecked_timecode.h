#pragma once
// Timecodes made without validation, so that tests can hold invalid components.

#include "timecode/timecode_sources.h"

namespace tallyvane {

inline Timecode make(Timecode::Components c, const Timecode::Properties& p) {
    return Timecode(TimecodeSourceValue::components(c), p, TimecodeValidationRule::allowingInvalid);
}

inline Timecode make(Timecode::Components c, TimecodeFrameRate rate,
                     Timecode::SubFramesBase base = Timecode::SubFramesBase::max80SubFrames,
                     Timecode::UpperLimit limit = Timecode::UpperLimit::max24Hours) {
    return make(c, {rate, base, limit});
}

}  // namespace tallyvane
