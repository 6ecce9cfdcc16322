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
    const TimecodeFrameCount count(TimecodeFrameCount::Value::combined(frames), properties.subFramesBase);
    const std::int64_t total = count.subFrameCount();
    if (total < 0 || total > limitSubFrameTotal(properties) - 1) return std::nullopt;
    // The count is checked: its components are those an exact frames source would set, and
    // one source made once spares a source on the heap for every cell.
    static const GuaranteedTimecodeSourceValue start = GuaranteedTimecodeSourceValue::zero();
    Timecode timecode(start, properties);
    timecode.components = componentsFromFrameCount(count, rate);
    return timecode;
}

std::optional<std::string> timecodeText(double frames, TimecodeFrameRate rate, TimecodeUpperLimit limit) {
    const std::optional<Timecode> timecode = timecodeOfFrames(frames, rate, limit);
    if (!timecode) return std::nullopt;
    return timecode->stringValue();
}

}  // namespace tallyvane
