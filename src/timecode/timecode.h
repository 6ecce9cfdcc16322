#pragma once
// A timecode value: six components and the properties they are read at. It is built
// and changed only by applying a source value (timecode_sources.h).

#include <concepts>
#include <cstdint>
#include <future>
#include <optional>
#include <string>
#include <string_view>

#include "timecode/comparison_result.h"
#include "timecode/feet_and_frames.h"
#include "timecode/fraction.h"
#include "timecode/frame_count.h"
#include "timecode/media_time.h"
#include "timecode/subframes_base.h"
#include "timecode/timecode_components.h"
#include "timecode/timecode_frame_rate.h"
#include "timecode/timecode_string_format.h"
#include "timecode/timecode_validation.h"

namespace tallyvane {

class TimecodeSourceValue;
struct TimecodeClosedRange;
class TimecodeInterval;
class TimecodeTransformer;
enum class FloatingPointSign : std::uint8_t;
class FormattedTimecodeSourceValue;
class RichTimecodeSourceValue;
class GuaranteedTimecodeSourceValue;
class GuaranteedRichTimecodeSourceValue;
class AsyncTimecodeSourceValue;
class AsyncRichTimecodeSourceValue;

// The in-place arithmetic templates leave the asynchronous operands to their own
// overloads, which refuse a temporary receiver; the templates would take it.
template <typename Operand>
concept SynchronousOperand =
    !std::same_as<Operand, AsyncTimecodeSourceValue> && !std::same_as<Operand, AsyncRichTimecodeSourceValue>;

class Timecode {
public:
    using Component = TimecodeComponent;
    using Components = TimecodeComponents;
    using ComponentRanges = TimecodeComponentRanges;
    using Properties = TimecodeProperties;
    using SubFramesBase = TimecodeSubFramesBase;
    using UpperLimit = TimecodeUpperLimit;
    using ValidationRule = TimecodeValidationRule;
    using ValidationError = TimecodeValidationError;
    using StringParseError = TimecodeStringParseError;
    using FrameCount = TimecodeFrameCount;
    using StringFormat = TimecodeStringFormat;
    using StringFormatOption = TimecodeStringFormatOption;

    // Exact construction: throws TimecodeValidationError (outOfBounds) when the source
    // gives invalid or out-of-range values; a text source may also throw
    // TimecodeStringParseError.
    Timecode(const TimecodeSourceValue& source, const Properties& properties);
    Timecode(const FormattedTimecodeSourceValue& source, const Properties& properties);
    Timecode(const GuaranteedTimecodeSourceValue& source, const Properties& properties);
    // Under a rule: never fails on range (a text source still throws when it does not parse).
    Timecode(const TimecodeSourceValue& source, const Properties& properties, ValidationRule rule);
    Timecode(const FormattedTimecodeSourceValue& source, const Properties& properties, ValidationRule rule);
    // Rich sources bring their own properties.
    explicit Timecode(const RichTimecodeSourceValue& source);
    Timecode(const RichTimecodeSourceValue& source, ValidationRule rule);
    explicit Timecode(const GuaranteedRichTimecodeSourceValue& source);
    // The same with the three properties given one by one.
    template <typename Source>
    Timecode(const Source& source, TimecodeFrameRate rate, SubFramesBase base, UpperLimit limit)
        : Timecode(source, Properties{rate, base, limit}) {}
    template <typename Source>
    Timecode(const Source& source, TimecodeFrameRate rate, SubFramesBase base, UpperLimit limit, ValidationRule rule)
        : Timecode(source, Properties{rate, base, limit}, rule) {}

    // A set that fails leaves the timecode exactly as it was.
    void set(const TimecodeSourceValue& source);
    void set(const FormattedTimecodeSourceValue& source);
    void set(const RichTimecodeSourceValue& source);
    void set(const GuaranteedTimecodeSourceValue& source);
    void set(const GuaranteedRichTimecodeSourceValue& source);
    void set(const TimecodeSourceValue& source, ValidationRule rule);
    void set(const FormattedTimecodeSourceValue& source, ValidationRule rule);
    void set(const RichTimecodeSourceValue& source, ValidationRule rule);
    template <typename Source>
    Timecode setting(const Source& source) const {
        Timecode copy = *this;
        copy.set(source);
        return copy;
    }
    template <typename Source>
    Timecode setting(const Source& source, ValidationRule rule) const {
        Timecode copy = *this;
        copy.set(source, rule);
        return copy;
    }

    // Asynchronous sources (async_timecode_sources.h), in timecode_async.cpp. Each call
    // returns at once; its result, or the error its synchronous twin throws, arrives
    // through the future. The source is released as soon as it has answered. An in-place
    // form changes the timecode only once the source has answered, and not at all when
    // that fails; the timecode must outlive the future and is the call's until then, so
    // the in-place forms take no temporary timecode.
    [[nodiscard]] static std::future<Timecode> make(AsyncTimecodeSourceValue source, const Properties& properties);
    [[nodiscard]] static std::future<Timecode> make(AsyncTimecodeSourceValue source, TimecodeFrameRate rate, SubFramesBase base,
                                      UpperLimit limit);
    [[nodiscard]] static std::future<Timecode> make(AsyncTimecodeSourceValue source, const Properties& properties,
                                      ValidationRule rule);
    [[nodiscard]] static std::future<Timecode> make(AsyncTimecodeSourceValue source, TimecodeFrameRate rate, SubFramesBase base,
                                      UpperLimit limit, ValidationRule rule);
    [[nodiscard]] static std::future<Timecode> make(AsyncRichTimecodeSourceValue source);
    [[nodiscard]] std::future<void> set(AsyncTimecodeSourceValue source) &;
    [[nodiscard]] std::future<void> set(AsyncTimecodeSourceValue source, ValidationRule rule) &;
    [[nodiscard]] std::future<void> set(AsyncRichTimecodeSourceValue source) &;
    [[nodiscard]] std::future<Timecode> setting(AsyncTimecodeSourceValue source) const;
    [[nodiscard]] std::future<Timecode> setting(AsyncTimecodeSourceValue source, ValidationRule rule) const;
    [[nodiscard]] std::future<Timecode> setting(AsyncRichTimecodeSourceValue source) const;

    Components components;
    Properties properties;

    // Validity at the timecode's own properties.
    TimecodeComponentSet invalidComponents() const { return components.invalidComponents(properties); }
    bool isValid() const { return invalidComponents().empty(); }
    ClosedRange validRange(Component component) const { return components.validRange(component, properties); }
    bool hasValidDigitCounts() const {
        return components.hasValidDigitCounts(properties.frameRate, properties.subFramesBase);
    }
    void clampComponents() { components.clamp(properties); }
    int maxSubFrameNumberDisplayable() const { return properties.subFramesBase.maxSubFrameNumberDisplayable(); }
    std::int64_t maxSubFrameCountExpressible() const;

    // Frame counts and conversions.
    FrameCount frameCount() const { return {components, properties.frameRate, properties.subFramesBase}; }
    FrameCount maxFrameCountExpressible() const;
    double realTimeValue() const;
    // Exact media time; an invalid time when the terms exceed their ranges.
    MediaTime mediaTimeValue() const;
    FeetAndFrames feetAndFramesValue() const;
    // The rational time, reduced. Throws FractionError when it exceeds 64-bit terms.
    Fraction rationalValue() const;
    double samplesDoubleValue(std::int64_t sampleRate) const { return realTimeValue() * static_cast<double>(sampleRate); }
    // Rounded half away from zero; 0 when not a number or beyond 64 bits.
    std::int64_t samplesValue(std::int64_t sampleRate) const;

    // Text.
    static constexpr StringFormat defaultStringFormat() { return {}; }
    std::string stringValue(StringFormat format = defaultStringFormat()) const;
    // The text with subframes shown.
    std::string description() const { return stringValue(StringFormat::showSubFramesSet()); }
    std::string descriptionText() const { return description(); }
    // The text with subframes, " @ " and the verbose rate: "01:00:00;00.00 @ 29.97 fps drop".
    std::string verboseDescription() const;
    // Components of a timecode text, unchecked; throws TimecodeStringParseError.
    static Components parseComponents(std::string_view text);

    // Arithmetic. The result keeps the receiver's properties. Exact forms throw
    // ValidationError (outOfBounds) when the result leaves 0 ... the upper limit and then
    // leave the receiver unchanged; forms under a rule never fail on range (clamping and
    // clampingComponents clamp the total). An operand is Components (read at the
    // receiver's rate and base), a Timecode (converted to the receiver's rate by real
    // time), or a source value (applied at the receiver's properties, a rich one at its
    // own); errors of converting or reading it propagate.
    template <typename Operand>
    Timecode adding(const Operand& operand) const { return addingComponents(operandComponents(operand)); }
    template <typename Operand>
    Timecode adding(const Operand& operand, ValidationRule rule) const {
        return addingComponents(operandComponents(operand), rule);
    }
    template <typename Operand>
    Timecode subtracting(const Operand& operand) const { return subtractingComponents(operandComponents(operand)); }
    template <typename Operand>
    Timecode subtracting(const Operand& operand, ValidationRule rule) const {
        return subtractingComponents(operandComponents(operand), rule);
    }
    template <SynchronousOperand Operand>
    void add(const Operand& operand) { *this = adding(operand); }
    template <SynchronousOperand Operand>
    void add(const Operand& operand, ValidationRule rule) { *this = adding(operand, rule); }
    template <SynchronousOperand Operand>
    void subtract(const Operand& operand) { *this = subtracting(operand); }
    template <SynchronousOperand Operand>
    void subtract(const Operand& operand, ValidationRule rule) { *this = subtracting(operand, rule); }
    // An asynchronous operand is awaited, then taken as the Timecode it answered, as the
    // synchronous forms take a source value's timecode; the rule governs only the arithmetic.
    [[nodiscard]] std::future<Timecode> adding(AsyncTimecodeSourceValue operand) const;
    [[nodiscard]] std::future<Timecode> adding(AsyncTimecodeSourceValue operand, ValidationRule rule) const;
    [[nodiscard]] std::future<Timecode> adding(AsyncRichTimecodeSourceValue operand) const;
    [[nodiscard]] std::future<Timecode> adding(AsyncRichTimecodeSourceValue operand, ValidationRule rule) const;
    [[nodiscard]] std::future<Timecode> subtracting(AsyncTimecodeSourceValue operand) const;
    [[nodiscard]] std::future<Timecode> subtracting(AsyncTimecodeSourceValue operand, ValidationRule rule) const;
    [[nodiscard]] std::future<Timecode> subtracting(AsyncRichTimecodeSourceValue operand) const;
    [[nodiscard]] std::future<Timecode> subtracting(AsyncRichTimecodeSourceValue operand, ValidationRule rule) const;
    [[nodiscard]] std::future<void> add(AsyncTimecodeSourceValue operand) &;
    [[nodiscard]] std::future<void> add(AsyncTimecodeSourceValue operand, ValidationRule rule) &;
    [[nodiscard]] std::future<void> add(AsyncRichTimecodeSourceValue operand) &;
    [[nodiscard]] std::future<void> add(AsyncRichTimecodeSourceValue operand, ValidationRule rule) &;
    [[nodiscard]] std::future<void> subtract(AsyncTimecodeSourceValue operand) &;
    [[nodiscard]] std::future<void> subtract(AsyncTimecodeSourceValue operand, ValidationRule rule) &;
    [[nodiscard]] std::future<void> subtract(AsyncRichTimecodeSourceValue operand) &;
    [[nodiscard]] std::future<void> subtract(AsyncRichTimecodeSourceValue operand, ValidationRule rule) &;

    // The subframe total scaled in double arithmetic, then truncated toward zero. The
    // exact forms also reject a result that is not a number.
    Timecode multiplying(double factor) const;
    Timecode multiplying(double factor, ValidationRule rule) const;
    Timecode dividing(double divisor) const;
    Timecode dividing(double divisor, ValidationRule rule) const;
    void multiply(double factor) { *this = multiplying(factor); }
    void multiply(double factor, ValidationRule rule) { *this = multiplying(factor, rule); }
    void divide(double divisor) { *this = dividing(divisor); }
    void divide(double divisor, ValidationRule rule) { *this = dividing(divisor, rule); }

    // Receiver / operand by subframe totals; not a number for zero / zero. Throws
    // outOfBounds when the ratio is negative or beyond the limit's subframe count.
    double ratio(const Timecode& operand) const;
    double ratio(const Components& operand) const;

    // Up: when a component below `component` is positive, one unit of it is added
    // exactly (throws outOfBounds at the limit), then the lower components become 0.
    // Down: positive lower components become 0. Subframes change nothing.
    Timecode roundedUp(Component component) const;
    Timecode roundedDown(Component component) const;
    void roundUp(Component component) { *this = roundedUp(component); }
    void roundDown(Component component) { *this = roundedDown(component); }

    // The elapsed frame count of the components is zero.
    bool isZero() const;

    // The same timecode at another rate (and base; absent keeps the receiver's), the
    // upper limit kept. Preserving values keeps the components when they are valid at
    // the new rate; otherwise, and by default, the real time is kept. Throws
    // outOfBounds when the real time does not fit.
    Timecode converted(TimecodeFrameRate rate, std::optional<SubFramesBase> base = std::nullopt,
                       bool preservingValues = false) const;

    // Comparison (timecode_comparison.cpp). Without a timeline start, or with a zero
    // one, timecodes are ordered by real time rounded to 9 decimal places; equal ones
    // give orderedSame and unequal ones at the same rounded time orderedDescending.
    // With a start, timecodes at or after it come first, then those before it (taken
    // as past midnight), each by its frame position at its own rate.
    ComparisonResult compare(const Timecode& other, const std::optional<Timecode>& timelineStart = std::nullopt) const;
    // Real time in seconds rounded half away from zero to 9 decimal places: what
    // equality, order and hashing look at.
    double roundedRealTimeValue() const;
    // "Timecode<01:00:00;00.00 @ 29.97 fps drop>", days always shown within 100 days.
    std::string debugDescription() const;
    // Whole frames of the other timecode minus the receiver's, each at its own rate.
    std::int64_t distance(const Timecode& other) const;
    // The receiver moved by whole frames, clamped to zero ... the upper limit.
    Timecode advanced(std::int64_t frames) const;
    // The start and end of a media time range as timecodes at the properties. Throws
    // ValidationError: invalid for an invalid range, outOfBounds when a bound does not
    // fit.
    static TimecodeClosedRange closedRange(const MediaTimeRange& range, const Properties& properties);

    // Intervals and transformers (timecode_interval.h, timecode_transformer.h); none
    // of these throws. The interval from the receiver to another timecode, carried to
    // the receiver's rate (the zero interval when that fails).
    TimecodeInterval interval(const Timecode& other) const;
    TimecodeInterval asInterval(FloatingPointSign sign) const;
    // Moved by the interval as + and - move it.
    Timecode offsetting(const TimecodeInterval& interval) const;
    void offset(const TimecodeInterval& interval) { *this = offsetting(interval); }
    Timecode transformed(const TimecodeTransformer& transformer) const;
    void transform(const TimecodeTransformer& transformer) { *this = transformed(transformer); }

private:
    // The operand of an arithmetic operation as components at the receiver's rate.
    Components operandComponents(const Components& operand) const { return operand; }
    Components operandComponents(const Timecode& operand) const;
    Components operandComponents(const TimecodeSourceValue& operand) const;
    Components operandComponents(const RichTimecodeSourceValue& operand) const;
    Components operandComponents(const GuaranteedTimecodeSourceValue& operand) const;
    Components operandComponents(const GuaranteedRichTimecodeSourceValue& operand) const;

    Timecode addingComponents(const Components& operand) const;
    Timecode addingComponents(const Components& operand, ValidationRule rule) const;
    Timecode subtractingComponents(const Components& operand) const;
    Timecode subtractingComponents(const Components& operand, ValidationRule rule) const;
};

// A closed range of timecodes, lower bound first.
struct TimecodeClosedRange {
    Timecode lowerBound;
    Timecode upperBound;
};

// Equal when the frame rates match, the subframes bases match where both have
// subframes, and the rounded real times are equal; the upper limit plays no part.
bool operator==(const Timecode& lhs, const Timecode& rhs);
// By rounded real time, also across frame rates.
bool operator<(const Timecode& lhs, const Timecode& rhs);
inline bool operator>(const Timecode& lhs, const Timecode& rhs) { return rhs < lhs; }
inline bool operator<=(const Timecode& lhs, const Timecode& rhs) { return !(rhs < lhs); }
inline bool operator>=(const Timecode& lhs, const Timecode& rhs) { return !(lhs < rhs); }

// Operators never throw. + and - wrap at the left operand's upper limit and keep its
// properties; a right operand that cannot be converted to the left's rate leaves the
// left operand as it is.
Timecode operator+(const Timecode& lhs, const Timecode& rhs);
Timecode operator-(const Timecode& lhs, const Timecode& rhs);
Timecode& operator+=(Timecode& lhs, const Timecode& rhs);
Timecode& operator-=(Timecode& lhs, const Timecode& rhs);
// Wrapping product and quotient.
Timecode operator*(const Timecode& lhs, double factor);
Timecode operator/(const Timecode& lhs, double divisor);
Timecode& operator*=(Timecode& lhs, double factor);
Timecode& operator/=(Timecode& lhs, double divisor);
// The ratio lhs / rhs; 1.0 when it cannot be formed.
double operator/(const Timecode& lhs, const Timecode& rhs);

// Integer operands go through their nearest double.
template <typename Integer>
concept TimecodeIntegerOperand =
    std::integral<Integer> || std::same_as<Integer, __int128> || std::same_as<Integer, unsigned __int128>;

template <TimecodeIntegerOperand Integer>
Timecode operator*(const Timecode& lhs, Integer factor) {
    return lhs * static_cast<double>(factor);
}
template <TimecodeIntegerOperand Integer>
Timecode operator/(const Timecode& lhs, Integer divisor) {
    return lhs / static_cast<double>(divisor);
}
template <TimecodeIntegerOperand Integer>
Timecode& operator*=(Timecode& lhs, Integer factor) {
    return lhs *= static_cast<double>(factor);
}
template <TimecodeIntegerOperand Integer>
Timecode& operator/=(Timecode& lhs, Integer divisor) {
    return lhs /= static_cast<double>(divisor);
}

}  // namespace tallyvane

// Agrees with ==: the frame rate and the rounded real time.
template <>
struct std::hash<tallyvane::Timecode> {
    std::size_t operator()(const tallyvane::Timecode& timecode) const noexcept;
};
