#include "timecode/subframes_base.h"

#include "timecode/saturating.h"

namespace tallyvane {

std::optional<TimecodeSubFramesBase> TimecodeSubFramesBase::fromRawValue(std::int64_t rawValue) {
    for (auto c : allCases()) {
        if (TimecodeSubFramesBase(c).rawValue() == rawValue) return c;
    }
    return std::nullopt;
}

std::string TimecodeSubFramesBase::stringValueVerbose() const {
    return case_ == quarterFrames ? "4 (Quarter-Frames)" : description();
}

std::int64_t TimecodeSubFramesBase::convert(std::int64_t subFrames, TimecodeSubFramesBase to) const {
    if (*this == to || subFrames == 0) return subFrames;
    double scaled = static_cast<double>(subFrames) / rawValue() * to.rawValue();
    return saturatingInt64(scaled);
}

std::optional<TimecodeUpperLimit> TimecodeUpperLimit::fromRawValue(std::string_view rawValue) {
    for (auto c : allCases()) {
        if (TimecodeUpperLimit(c).rawValue() == rawValue) return c;
    }
    return std::nullopt;
}

}  // namespace tallyvane
