#pragma once
// General numeric helpers around Decimal and double: truncation and rounding to a
// number of decimal places, whole/fraction splits, quotients and remainders.

#include <cmath>
#include <concepts>
#include <cstdint>
#include <utility>

#include "timecode/decimal.h"

namespace tallyvane {

enum class FloatingRoundingRule {
    toNearestOrAwayFromZero,
    toNearestOrEven,
    up,
    down,
    towardZero,
    awayFromZero,
};

// Decimal, exact.
Decimal truncated(const Decimal& x, int places = 0);  // toward zero; places below 0 count as 0
Decimal roundedToPlaces(const Decimal& x, int places, DecimalRoundingMode mode);
inline void truncateToPlaces(Decimal& x, int places = 0) { x = truncated(x, places); }
inline void roundToPlaces(Decimal& x, int places, DecimalRoundingMode mode) { x = roundedToPlaces(x, places, mode); }
Decimal fractionPart(const Decimal& x);
std::pair<Decimal, Decimal> integralAndFraction(const Decimal& x);
Decimal truncatingRemainder(const Decimal& x, const Decimal& y);
std::pair<Decimal, Decimal> quotientAndRemainder(const Decimal& x, const Decimal& y);
Decimal power(const Decimal& x, int exponent);  // a negative exponent gives 1 / x^|exponent|
// Decimal places as stored: max(-exponent, 0).
int decimalPlaces(const Decimal& x);
// Digits before the decimal point when the magnitude is above 1, else 0.
int integerDigitCount(const Decimal& x);
int decimalPlaces(double x);
int integerDigitCount(double x);

// double and float
inline double power(double x, double exponent) { return std::pow(x, exponent); }
inline float power(float x, float exponent) { return std::pow(x, exponent); }
template <std::floating_point T>
T ceilingValue(T x) {
    return std::ceil(x);
}
template <std::floating_point T>
T floorValue(T x) {
    return std::floor(x);
}
double rounded(double x, FloatingRoundingRule rule);
double roundedToPlaces(double x, FloatingRoundingRule rule, int places);
inline void roundToPlaces(double& x, FloatingRoundingRule rule, int places) { x = roundedToPlaces(x, rule, places); }
double truncatedToPlaces(double x, int places);
std::pair<double, double> integralAndFraction(double x);
std::pair<double, double> quotientAndRemainder(double x, double y);

}  // namespace tallyvane
