#pragma once
// Exact rational time: frame rates, frame durations and FCPXML times ("1001/30000s",
// "5s"). Terms are kept exactly as built (100/2400 stays 100/2400); arithmetic and
// explicit reduction give lowest terms with a positive denominator.

#include <compare>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "timecode/decimal.h"
#include "timecode/media_time.h"

namespace tallyvane {

class TimecodeFrameRate;
class TimecodeInterval;
class TimecodeSubFramesBase;
class TimecodeUpperLimit;
struct TimecodeProperties;

class FractionError : public std::runtime_error {
public:
    enum class Code {
        divisionByZero,  // dividing by a zero fraction, or a sum over unequal denominators one of them zero
        overflow,        // a result that does not fit 64-bit terms, or a non-finite input
    };
    FractionError(Code code, const std::string& message) : std::runtime_error(message), code_(code) {}
    Code code() const { return code_; }

private:
    Code code_;
};

class Fraction {
public:
    constexpr Fraction() = default;
    constexpr Fraction(std::int64_t numerator, std::int64_t denominator)
        : numerator_(numerator), denominator_(denominator) {}
    static constexpr Fraction zero() { return {0, 1}; }

    // The pair in lowest terms. Throws FractionError::overflow when the smallest
    // 64-bit numerator would have to be negated.
    static Fraction reducing(std::int64_t numerator, std::int64_t denominator);
    // The same for terms that only fit 64 bits once reduced.
    static Fraction reducingWide(__int128 numerator, __int128 denominator);
    // At most `decimalPrecision` decimal places of the value's shortest decimal form,
    // reduced. Throws FractionError::overflow for non-finite values or a numerator
    // beyond 64 bits.
    static Fraction fromDouble(double value, int decimalPrecision);
    // value / timescale; an indefinite or infinite time gives 0/1.
    static Fraction fromMediaTime(const MediaTime& time);
    // FCPXML rational time: "N/Ds" or "Ns", optional leading "-"; absent otherwise.
    static std::optional<Fraction> fromFcpxmlString(std::string_view text);

    constexpr std::int64_t numerator() const { return numerator_; }
    constexpr std::int64_t denominator() const { return denominator_; }

    Fraction reduced() const;
    bool isReduced() const;
    bool isIdentical(const Fraction& other) const {
        return numerator_ == other.numerator_ && denominator_ == other.denominator_;
    }
    bool isNegative() const { return (numerator_ < 0) != (denominator_ < 0); }
    bool isWholeNumber() const;
    double doubleValue() const { return static_cast<double>(numerator_) / static_cast<double>(denominator_); }
    float floatValue() const { return static_cast<float>(doubleValue()); }
    Decimal decimalValue() const { return Decimal(numerator_) / Decimal(denominator_); }
    Fraction magnitude() const;
    // A denominator beyond 32 bits gives an invalid time.
    MediaTime mediaTimeValue() const;
    // This time as a signed timecode length (timecode_interval.h); throws
    // TimecodeValidationError (outOfBounds) when it does not fit.
    TimecodeInterval timecodeInterval(const TimecodeProperties& properties) const;
    TimecodeInterval timecodeInterval(TimecodeFrameRate rate, TimecodeSubFramesBase base,
                                      TimecodeUpperLimit limit) const;
    std::string fcpxmlStringValue() const;
    // "N/D" as stored.
    std::string description() const;

    Fraction operator-() const;
    void negate() { *this = -*this; }
    // A zero denominator takes part like any other: over equal denominators the
    // numerators are added (1/0 + 1/0 is 1/0), products and quotients multiply the
    // terms (1/0 x 1/2 is 1/0, 1/2 / 1/0 is 0/1). Sums over unequal denominators one
    // of which is zero have no common multiple and throw FractionError::divisionByZero.
    friend Fraction operator+(const Fraction& a, const Fraction& b);
    friend Fraction operator-(const Fraction& a, const Fraction& b);
    friend Fraction operator*(const Fraction& a, const Fraction& b);
    // Throws FractionError::divisionByZero when b is zero.
    friend Fraction operator/(const Fraction& a, const Fraction& b);

    // Equal by value (1/2 == 2/4); ordered by the double quotients.
    friend bool operator==(const Fraction& a, const Fraction& b);
    friend std::partial_ordering operator<=>(const Fraction& a, const Fraction& b) {
        return a.doubleValue() <=> b.doubleValue();
    }

private:
    static Fraction knownReduced(std::int64_t numerator, std::int64_t denominator);

    std::int64_t numerator_ = 0;
    std::int64_t denominator_ = 1;
    bool knownReduced_ = false;
};

}  // namespace tallyvane

template <>
struct std::hash<tallyvane::Fraction> {
    std::size_t operator()(const tallyvane::Fraction& f) const noexcept;
};
