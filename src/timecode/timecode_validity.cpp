#include "timecode/timecode.h"
#include "timecode/text_utilities.h"

namespace tallyvane {

int TimecodeComponent::numberOfDigits(TimecodeFrameRate rate, TimecodeSubFramesBase base) const {
    switch (case_) {
        case frames: return rate.numberOfDigits();
        case subFrames: return base.numberOfDigits();
        default: return 2;
    }
}

ClosedRange TimecodeComponents::validRange(TimecodeComponent component, const TimecodeProperties& properties) const {
    const TimecodeFrameRate rate = properties.frameRate;
    switch (component.value()) {
        case TimecodeComponent::days: return {0, properties.upperLimit.maxDays()};
        case TimecodeComponent::hours: return {0, 23};
        case TimecodeComponent::minutes:
        case TimecodeComponent::seconds: return {0, 59};
        case TimecodeComponent::frames: {
            // At drop-frame rates the first labels of every minute but each tenth do not exist.
            bool dropsHere = rate.isDrop() && minutes % 10 != 0 && seconds == 0;
            auto lowest = dropsHere ? static_cast<std::int64_t>(rate.framesDroppedPerMinute()) : 0;
            return {lowest, rate.maxFrameNumberDisplayable()};
        }
        case TimecodeComponent::subFrames: return {0, properties.subFramesBase.maxSubFrameNumberDisplayable()};
    }
    return {0, 0};
}

TimecodeComponentSet TimecodeComponents::invalidComponents(const TimecodeProperties& properties) const {
    TimecodeComponentSet invalid;
    for (const auto& [component, v] : array()) {
        if (!validRange(component, properties).contains(v)) invalid.insert(component);
    }
    return invalid;
}

bool TimecodeComponents::hasValidDigitCounts(TimecodeFrameRate rate, TimecodeSubFramesBase base) const {
    for (const auto& [component, v] : array()) {
        if (decimalDigitCount(v) > component.numberOfDigits(rate, base)) return false;
    }
    return true;
}

void TimecodeComponents::clamp(const TimecodeProperties& properties) {
    for (auto component : TimecodeComponent::allCases()) {
        setValue(component, validRange(component, properties).clamp(value(component)));
    }
}

std::int64_t Timecode::maxSubFrameCountExpressible() const {
    return properties.frameRate.maxTotalFrames(properties.upperLimit) * properties.subFramesBase.rawValue() - 1;
}

}  // namespace tallyvane
