// Equality, order, hashing, texts, frame distances and ranges of timecodes.
#include <optional>

#include "timecode/hash_combine.h"
#include "timecode/numeric_rounding.h"
#include "timecode/saturating.h"
#include "timecode/timecode_kernels.h"
#include "timecode/timecode_sources.h"
#include "timecode/timecode_timeline.h"

namespace tallyvane {

namespace {

[[noreturn]] void fail(TimecodeValidationError::Code code) { throw TimecodeValidationError(code); }

// start + duration as an exact fraction; throws outOfBounds when it does not fit.
Fraction rangeEnd(const MediaTimeRange& range) {
    if (!range.start.isNumeric() || !range.duration.isNumeric()) fail(TimecodeValidationError::Code::outOfBounds);
    const __int128 s = range.start.value, ds = range.start.timescale;
    const __int128 d = range.duration.value, dd = range.duration.timescale;
    try {
        return ds == dd ? Fraction::reducingWide(s + d, ds) : Fraction::reducingWide(s * dd + d * ds, ds * dd);
    } catch (const FractionError&) {
        fail(TimecodeValidationError::Code::outOfBounds);
    }
}

}  // namespace

double Timecode::roundedRealTimeValue() const {
    return roundedToPlaces(realTimeValue(), FloatingRoundingRule::toNearestOrAwayFromZero, 9);
}

bool operator==(const Timecode& lhs, const Timecode& rhs) {
    if (lhs.properties.frameRate != rhs.properties.frameRate) return false;
    if (lhs.components.subFrames != 0 && rhs.components.subFrames != 0 &&
        lhs.properties.subFramesBase != rhs.properties.subFramesBase) {
        return false;
    }
    return lhs.roundedRealTimeValue() == rhs.roundedRealTimeValue();
}

bool operator<(const Timecode& lhs, const Timecode& rhs) {
    return lhs.roundedRealTimeValue() < rhs.roundedRealTimeValue();
}

ComparisonResult Timecode::compare(const Timecode& other, const std::optional<Timecode>& timelineStart) const {
    if (*this == other) return ComparisonResult::orderedSame;
    if (timelineStart && !timelineStart->isZero()) {
        const TimelinePosition position(*timelineStart);
        return position(*this) < position(other) ? ComparisonResult::orderedAscending
                                                 : ComparisonResult::orderedDescending;
    }
    return *this < other ? ComparisonResult::orderedAscending : ComparisonResult::orderedDescending;
}

std::string Timecode::debugDescription() const {
    StringFormat format = StringFormat::showSubFramesSet();
    format.setAlwaysShowsDays(properties.upperLimit == UpperLimit::max100Days);
    return "Timecode<" + stringValue(format) + " @ " + std::string(properties.frameRate.stringValueVerbose()) + ">";
}

std::int64_t Timecode::distance(const Timecode& other) const {
    return saturatingInt64(static_cast<__int128>(other.frameCount().value.wholeFrames()) -
                           frameCount().value.wholeFrames());
}

Timecode Timecode::advanced(std::int64_t frames) const {
    return adding(Components{0, 0, 0, 0, frames, 0}, ValidationRule::clamping);
}

// A valid range has a non-negative duration, so its start never lies after its end.
TimecodeClosedRange Timecode::closedRange(const MediaTimeRange& range, const Properties& properties) {
    if (!range.isValid()) fail(ValidationError::Code::invalid);
    Timecode start(TimecodeSourceValue::mediaTime(range.start), properties);
    Timecode end(TimecodeSourceValue::rational(rangeEnd(range)), properties);
    return {start, end};
}

}  // namespace tallyvane

std::size_t std::hash<tallyvane::Timecode>::operator()(const tallyvane::Timecode& timecode) const noexcept {
    const double time = timecode.roundedRealTimeValue();
    const std::size_t rate = std::hash<tallyvane::TimecodeFrameRate>()(timecode.properties.frameRate);
    return tallyvane::hashCombine(rate, std::hash<double>()(time == 0 ? 0.0 : time));  // -0 hashes as +0
}
