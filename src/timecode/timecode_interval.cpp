#include "timecode/timecode_interval.h"

#include <cmath>

#include "timecode/hash_combine.h"
#include "timecode/timecode_kernels.h"
#include "timecode/timecode_sources.h"

namespace tallyvane {

namespace {

using Sign = FloatingPointSign;

class IntervalSource final : public GuaranteedRichTimecodeSource {
public:
    explicit IntervalSource(const TimecodeInterval& interval) : interval_(interval) {}
    TimecodeProperties set(Timecode& t) const override {
        t = interval_.wrappedTimecode();
        return t.properties;
    }

private:
    TimecodeInterval interval_;
};

TimecodeInterval zeroInterval(const TimecodeProperties& properties) {
    return {Timecode(GuaranteedTimecodeSourceValue::zero(), properties), Sign::plus};
}

}  // namespace

// A term that cannot be negated (the smallest 64-bit value) gives a length far beyond
// any upper limit.
TimecodeInterval TimecodeInterval::fromRational(const Fraction& time, const TimecodeProperties& properties) {
    Fraction magnitude;
    try {
        magnitude = time.magnitude();
    } catch (const FractionError&) {
        throw TimecodeValidationError(TimecodeValidationError::Code::outOfBounds);
    }
    const Sign sign = (time.numerator() < 0) != (time.denominator() < 0) ? Sign::minus : Sign::plus;
    return {Timecode(TimecodeSourceValue::rational(magnitude), properties), sign};
}

TimecodeInterval TimecodeInterval::fromMediaTime(const MediaTime& time, const TimecodeProperties& properties) {
    return fromRational(Fraction::fromMediaTime(time), properties);
}

TimecodeInterval TimecodeInterval::fromRealTime(double seconds, const TimecodeProperties& properties) {
    return {Timecode(TimecodeSourceValue::realTime(std::fabs(seconds)), properties),
            seconds < 0 ? Sign::minus : Sign::plus};
}

TimecodeInterval Fraction::timecodeInterval(const TimecodeProperties& properties) const {
    return TimecodeInterval::fromRational(*this, properties);
}

TimecodeInterval Fraction::timecodeInterval(TimecodeFrameRate rate, TimecodeSubFramesBase base,
                                            TimecodeUpperLimit limit) const {
    return TimecodeInterval::fromRational(*this, rate, base, limit);
}

TimecodeInterval MediaTime::timecodeInterval(const TimecodeProperties& properties) const {
    return TimecodeInterval::fromMediaTime(*this, properties);
}

TimecodeInterval MediaTime::timecodeInterval(TimecodeFrameRate rate, TimecodeSubFramesBase base,
                                             TimecodeUpperLimit limit) const {
    return TimecodeInterval::fromMediaTime(*this, rate, base, limit);
}

Fraction TimecodeInterval::rationalValue() const {
    const Fraction value = absoluteInterval.rationalValue();
    return isNegative() ? -value : value;
}

MediaTime TimecodeInterval::mediaTimeValue() const {
    try {
        return rationalValue().mediaTimeValue();
    } catch (const FractionError&) {
        return MediaTime::invalid();
    }
}

double TimecodeInterval::realTimeValue() const {
    const double seconds = absoluteInterval.realTimeValue();
    return isNegative() ? -seconds : seconds;
}

Timecode TimecodeInterval::wrappedTimecode() const {
    if (!isNegative()) return absoluteInterval.adding(TimecodeComponents::zero(), TimecodeValidationRule::wrapping);
    const Timecode zero(GuaranteedTimecodeSourceValue::zero(), absoluteInterval.properties);
    return zero.subtracting(absoluteInterval.components, TimecodeValidationRule::wrapping);
}

std::string TimecodeInterval::description() const {
    return (isNegative() ? "-" : "") + absoluteInterval.description();
}

std::string TimecodeInterval::debugDescription() const { return "TimecodeInterval(" + description() + ")"; }

std::string TimecodeInterval::verboseDescription() const {
    return "TimecodeInterval " + description() + " @ " +
           std::string(absoluteInterval.properties.frameRate.stringValueVerbose());
}

TimecodeInterval Timecode::interval(const Timecode& other) const {
    std::optional<Timecode> operand = other;
    if (other.properties.frameRate != properties.frameRate) {
        try {
            operand = other.converted(properties.frameRate);
        } catch (const TimecodeValidationError&) {
            return zeroInterval(properties);
        }
    }
    if (operand->components == components) return zeroInterval(properties);
    // Differences are taken within 100 days, so that no length the receiver's limit
    // allows is wrapped.
    const Properties working{properties.frameRate, properties.subFramesBase, UpperLimit::max100Days};
    const Timecode to(TimecodeSourceValue::components(operand->components), working, ValidationRule::allowingInvalid);
    const Timecode from(TimecodeSourceValue::components(components), working, ValidationRule::allowingInvalid);
    const bool forward = from.roundedRealTimeValue() < to.roundedRealTimeValue();
    const Timecode length = forward ? to - from : from - to;
    return {Timecode(TimecodeSourceValue::components(length.components), properties, ValidationRule::allowingInvalid),
            forward ? Sign::plus : Sign::minus};
}

TimecodeInterval Timecode::asInterval(FloatingPointSign sign) const { return {*this, sign}; }

Timecode Timecode::offsetting(const TimecodeInterval& interval) const {
    return interval.isNegative() ? *this - interval.absoluteInterval : *this + interval.absoluteInterval;
}

GuaranteedRichTimecodeSourceValue GuaranteedRichTimecodeSourceValue::interval(const TimecodeInterval& interval) {
    return GuaranteedRichTimecodeSourceValue(std::make_shared<IntervalSource>(interval));
}

}  // namespace tallyvane

std::size_t std::hash<tallyvane::TimecodeInterval>::operator()(const tallyvane::TimecodeInterval& interval) const noexcept {
    return tallyvane::hashCombine(std::hash<tallyvane::Timecode>()(interval.absoluteInterval),
                                  static_cast<std::size_t>(interval.sign));
}
