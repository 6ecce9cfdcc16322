#include "report/timecode_text.h"

#include <cmath>

#include "timecode/timecode.h"
#include "timecode/timecode_sources.h"

namespace tallyvane {

std::optional<std::string> timecodeText(double frames, TimecodeFrameRate rate, TimecodeUpperLimit limit) {
    if (!std::isfinite(frames)) return std::nullopt;
    try {
        const Timecode timecode(TimecodeSourceValue::combinedFrames(frames),
                                Timecode::Properties{rate, TimecodeSubFramesBase::max100SubFrames, limit});
        return timecode.stringValue();
    } catch (const TimecodeValidationError&) {
        return std::nullopt;
    }
}

}  // namespace tallyvane
