#include "timecode/timecode_kernels.h"

#include <cmath>

#include "timecode/frame_count.h"
#include "timecode/saturating.h"

namespace tallyvane {

SubFrameTotal subFrameTotal(const TimecodeComponents& components, const TimecodeProperties& properties) {
    const std::int64_t frames = saturatingInt64(elapsedFrames(components, properties.frameRate));
    return static_cast<SubFrameTotal>(frames) * properties.subFramesBase.rawValue() + components.subFrames;
}

std::int64_t limitSubFrameTotal(const TimecodeProperties& properties) {
    return properties.frameRate.maxTotalSubFrames(properties.upperLimit, properties.subFramesBase);
}

TimecodeComponents splitSubFrameTotal(SubFrameTotal total, const TimecodeProperties& properties) {
    const int base = properties.subFramesBase.rawValue();
    const TimecodeFrameCount count(
        TimecodeFrameCount::Value::split(saturatingInt64(total / base), static_cast<std::int64_t>(total % base)),
        properties.subFramesBase);
    return componentsFromFrameCount(count, properties.frameRate);
}

std::optional<TimecodeComponents> subFrameTotalExactly(SubFrameTotal total, const TimecodeProperties& properties) {
    if (total < 0 || total > limitSubFrameTotal(properties) - 1) return std::nullopt;
    return splitSubFrameTotal(total, properties);
}

TimecodeComponents subFrameTotalByRule(SubFrameTotal total, const TimecodeProperties& properties,
                                       TimecodeValidationRule rule) {
    const std::int64_t limit = limitSubFrameTotal(properties);
    switch (rule) {
        case TimecodeValidationRule::clamping:
        case TimecodeValidationRule::clampingComponents:
            total = total < 0 ? 0 : total > limit - 1 ? limit - 1 : total;
            break;
        case TimecodeValidationRule::wrapping:
            total %= limit;
            if (total < 0) total += limit;
            break;
        case TimecodeValidationRule::allowingInvalid: break;
    }
    return splitSubFrameTotal(total, properties);
}

std::optional<TimecodeComponents> scaledTotalExactly(double total, const TimecodeProperties& properties) {
    if (std::isnan(total) || total < 0 || total > static_cast<double>(limitSubFrameTotal(properties) - 1)) {
        return std::nullopt;
    }
    return splitSubFrameTotal(saturatingInt64(total), properties);
}

TimecodeComponents scaledTotalByRule(double total, const TimecodeProperties& properties, TimecodeValidationRule rule) {
    return subFrameTotalByRule(saturatingInt64(total), properties, rule);
}

}  // namespace tallyvane
