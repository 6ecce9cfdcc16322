#include "report/timecode_text.h"

#include <cmath>

#include "timecode/timecode.h"
#include "timecode/timecode_kernels.h"
#include "timecode/timecode_sources.h"

namespace tallyvane {

std::optional<Timecode> timecodeOfFrames(double frames, TimecodeFrameRate rate, TimecodeUpperLimit limit) {
    if (!std::isfinite(frames)) return std::nullopt;
    const Timecode::Properties properties{rate, TimecodeSubFramesBase::max100SubFrames, limit};
    // Counts out of bounds are common in a report (times before a timecode's start) and an
    // exception for each of them cost more than the rest of the cell.
    const std::int64_t total =
        TimecodeFrameCount(TimecodeFrameCount::Value::combined(frames), properties.subFramesBase).subFrameCount();
    if (total < 0 || total > limitSubFrameTotal(properties) - 1) return std::nullopt;
    try {
        return Timecode(TimecodeSourceValue::combinedFrames(frames), properties);
    } catch (const TimecodeValidationError&) {
        return std::nullopt;
    }
}

std::optional<std::string> timecodeText(double frames, TimecodeFrameRate rate, TimecodeUpperLimit limit) {
    const std::optional<Timecode> timecode = timecodeOfFrames(frames, rate, limit);
    if (!timecode) return std::nullopt;
    return timecode->stringValue();
}

}  // namespace tallyvane
