// Adding, subtracting, scaling, ratios, rounding to a component and rate conversion,
// all on subframe totals at the receiver's properties.
#include <optional>

#include "timecode/frame_count.h"
#include "timecode/timecode_kernels.h"
#include "timecode/timecode_sources.h"

namespace tallyvane {

namespace {

using Rule = TimecodeValidationRule;

[[noreturn]] void outOfBounds() { throw TimecodeValidationError(TimecodeValidationError::Code::outOfBounds); }

// An exact kernel's result stored in a copy of the receiver, checked once more for
// components that the receiver's properties do not allow.
Timecode withExactResult(const Timecode& receiver, const std::optional<TimecodeComponents>& result) {
    if (!result || !result->invalidComponents(receiver.properties).empty()) outOfBounds();
    Timecode copy = receiver;
    copy.components = *result;
    return copy;
}

Timecode withComponents(const Timecode& receiver, const TimecodeComponents& components) {
    Timecode copy = receiver;
    copy.components = components;
    return copy;
}

SubFrameTotal totalOf(const Timecode& t) { return subFrameTotal(t.components, t.properties); }

SubFrameTotal totalOf(const Timecode& t, const TimecodeComponents& operand) {
    return subFrameTotal(operand, t.properties);
}

double scaledTotal(const Timecode& t, double factor) { return factor * static_cast<double>(totalOf(t)); }

double dividedTotal(const Timecode& t, double divisor) { return static_cast<double>(totalOf(t)) / divisor; }

std::optional<double> ratioOf(const Timecode& t, const TimecodeComponents& operand) {
    const double q = static_cast<double>(totalOf(t)) / static_cast<double>(totalOf(t, operand));
    if (q < 0 || q > static_cast<double>(limitSubFrameTotal(t.properties) - 1)) return std::nullopt;
    return q;
}

// The operand of an operator at the left operand's rate, or absent when it cannot be
// converted.
std::optional<TimecodeComponents> convertedOperand(const Timecode& lhs, const Timecode& rhs) {
    if (rhs.properties.frameRate == lhs.properties.frameRate) return rhs.components;
    try {
        return rhs.converted(lhs.properties.frameRate).components;
    } catch (const TimecodeValidationError&) {
        return std::nullopt;
    }
}

}  // namespace

Timecode::Components Timecode::operandComponents(const Timecode& operand) const {
    if (operand.properties.frameRate == properties.frameRate) return operand.components;
    return operand.converted(properties.frameRate).components;
}

Timecode::Components Timecode::operandComponents(const TimecodeSourceValue& operand) const {
    return Timecode(operand, properties).components;
}

Timecode::Components Timecode::operandComponents(const RichTimecodeSourceValue& operand) const {
    return operandComponents(Timecode(operand));
}

Timecode::Components Timecode::operandComponents(const GuaranteedTimecodeSourceValue& operand) const {
    return Timecode(operand, properties).components;
}

Timecode::Components Timecode::operandComponents(const GuaranteedRichTimecodeSourceValue& operand) const {
    return operandComponents(Timecode(operand));
}

Timecode Timecode::addingComponents(const Components& operand) const {
    return withExactResult(*this, subFrameTotalExactly(totalOf(*this) + totalOf(*this, operand), properties));
}

Timecode Timecode::addingComponents(const Components& operand, ValidationRule rule) const {
    return withComponents(*this, subFrameTotalByRule(totalOf(*this) + totalOf(*this, operand), properties, rule));
}

Timecode Timecode::subtractingComponents(const Components& operand) const {
    return withExactResult(*this, subFrameTotalExactly(totalOf(*this) - totalOf(*this, operand), properties));
}

Timecode Timecode::subtractingComponents(const Components& operand, ValidationRule rule) const {
    return withComponents(*this, subFrameTotalByRule(totalOf(*this) - totalOf(*this, operand), properties, rule));
}

Timecode Timecode::multiplying(double factor) const {
    return withExactResult(*this, scaledTotalExactly(scaledTotal(*this, factor), properties));
}

Timecode Timecode::multiplying(double factor, ValidationRule rule) const {
    return withComponents(*this, scaledTotalByRule(scaledTotal(*this, factor), properties, rule));
}

Timecode Timecode::dividing(double divisor) const {
    return withExactResult(*this, scaledTotalExactly(dividedTotal(*this, divisor), properties));
}

Timecode Timecode::dividing(double divisor, ValidationRule rule) const {
    return withComponents(*this, scaledTotalByRule(dividedTotal(*this, divisor), properties, rule));
}

double Timecode::ratio(const Timecode& operand) const { return ratio(operandComponents(operand)); }

double Timecode::ratio(const Components& operand) const {
    const std::optional<double> q = ratioOf(*this, operand);
    if (!q) outOfBounds();
    return *q;
}

Timecode Timecode::roundedUp(Component component) const {
    if (component == Component::subFrames) return *this;
    bool anyBelow = false;
    for (auto c : Component::allCases()) {
        if (c > component.value() && components.value(c) >= 1) anyBelow = true;
    }
    if (!anyBelow) return *this;
    Components unit;
    unit.setValue(component, 1);
    Timecode result = adding(unit);
    for (auto c : Component::allCases()) {
        if (c > component.value()) result.components.setValue(c, 0);
    }
    return result;
}

Timecode Timecode::roundedDown(Component component) const {
    Timecode result = *this;
    if (component == Component::subFrames) return result;
    for (auto c : Component::allCases()) {
        if (c > component.value() && result.components.value(c) > 0) result.components.setValue(c, 0);
    }
    return result;
}

// Elapsed frames are whole numbers, so a zero count is a zero elapsed count with no
// subframes; asking the frame count instead would see counts beyond 64 bits as zero.
bool Timecode::isZero() const {
    return components.subFrames == 0 && elapsedFrames(components, properties.frameRate) == 0;
}

Timecode Timecode::converted(TimecodeFrameRate rate, std::optional<SubFramesBase> base, bool preservingValues) const {
    const Properties target{rate, base.value_or(properties.subFramesBase), properties.upperLimit};
    if (rate == properties.frameRate && target.subFramesBase == properties.subFramesBase) return *this;
    if (preservingValues) {
        Timecode kept(GuaranteedTimecodeSourceValue::zero(), target);
        try {
            setComponentsExactly(kept, components);
            return kept;
        } catch (const TimecodeValidationError&) {
            // Not valid at the new rate: the real time is kept instead.
        }
    }
    return Timecode(TimecodeSourceValue::realTime(realTimeValue()), target);
}

Timecode operator+(const Timecode& lhs, const Timecode& rhs) {
    const auto operand = convertedOperand(lhs, rhs);
    return operand ? lhs.adding(*operand, TimecodeValidationRule::wrapping) : lhs;
}

Timecode operator-(const Timecode& lhs, const Timecode& rhs) {
    const auto operand = convertedOperand(lhs, rhs);
    return operand ? lhs.subtracting(*operand, TimecodeValidationRule::wrapping) : lhs;
}

Timecode& operator+=(Timecode& lhs, const Timecode& rhs) { return lhs = lhs + rhs; }

Timecode& operator-=(Timecode& lhs, const Timecode& rhs) { return lhs = lhs - rhs; }

Timecode operator*(const Timecode& lhs, double factor) { return lhs.multiplying(factor, TimecodeValidationRule::wrapping); }

Timecode operator/(const Timecode& lhs, double divisor) { return lhs.dividing(divisor, TimecodeValidationRule::wrapping); }

Timecode& operator*=(Timecode& lhs, double factor) { return lhs = lhs * factor; }

Timecode& operator/=(Timecode& lhs, double divisor) { return lhs = lhs / divisor; }

double operator/(const Timecode& lhs, const Timecode& rhs) {
    const auto operand = convertedOperand(lhs, rhs);
    if (!operand) return 1.0;
    return ratioOf(lhs, *operand).value_or(1.0);
}

}  // namespace tallyvane
