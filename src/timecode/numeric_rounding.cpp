#include "timecode/numeric_rounding.h"

#include <cmath>

namespace tallyvane {

Decimal truncated(const Decimal& x, int places) {
    int scale = places < 0 ? 0 : places;
    return x.rounded(scale, x > Decimal(0) ? DecimalRoundingMode::down : DecimalRoundingMode::up);
}

Decimal roundedToPlaces(const Decimal& x, int places, DecimalRoundingMode mode) {
    return x.rounded(places < 0 ? 0 : places, mode);
}

Decimal fractionPart(const Decimal& x) { return x - truncated(x); }

std::pair<Decimal, Decimal> integralAndFraction(const Decimal& x) {
    Decimal whole = truncated(x);
    return {whole, x - whole};
}

Decimal truncatingRemainder(const Decimal& x, const Decimal& y) { return quotientAndRemainder(x, y).second; }

std::pair<Decimal, Decimal> quotientAndRemainder(const Decimal& x, const Decimal& y) {
    Decimal q = truncated(x / y);
    return {q, x - q * y};
}

Decimal power(const Decimal& x, int exponent) {
    Decimal result(1);
    Decimal base = x;
    unsigned n = exponent < 0 ? -static_cast<unsigned>(exponent) : static_cast<unsigned>(exponent);
    while (n != 0) {
        if (n & 1U) result = result * base;
        base = base * base;
        n >>= 1U;
    }
    return exponent < 0 ? Decimal(1) / result : result;
}

int decimalPlaces(const Decimal& x) { return x.exponent() < 0 ? -x.exponent() : 0; }

int integerDigitCount(const Decimal& x) {
    if (x.isNaN() || !(x.magnitude() > Decimal(1))) return 0;
    int digits = 0;
    for (unsigned __int128 s = x.significand(); s != 0; s /= 10) ++digits;
    return digits + x.exponent();
}

int decimalPlaces(double x) { return decimalPlaces(Decimal::fromDouble(x)); }

int integerDigitCount(double x) { return integerDigitCount(Decimal::fromDouble(x)); }

double rounded(double x, FloatingRoundingRule rule) {
    switch (rule) {
        case FloatingRoundingRule::toNearestOrAwayFromZero: return std::round(x);
        case FloatingRoundingRule::toNearestOrEven: {
            double r = std::round(x);
            if (std::fabs(x - std::trunc(x)) == 0.5) r = 2.0 * std::round(x / 2.0);
            return r;
        }
        case FloatingRoundingRule::up: return std::ceil(x);
        case FloatingRoundingRule::down: return std::floor(x);
        case FloatingRoundingRule::towardZero: return std::trunc(x);
        case FloatingRoundingRule::awayFromZero: return x < 0 ? std::floor(x) : std::ceil(x);
    }
    return x;
}

double roundedToPlaces(double x, FloatingRoundingRule rule, int places) {
    if (places < 1) return rounded(x, rule);
    const double p = power(10.0, static_cast<double>(places));
    return rounded(x * p, rule) / p;
}

double truncatedToPlaces(double x, int places) { return roundedToPlaces(x, FloatingRoundingRule::towardZero, places); }

std::pair<double, double> integralAndFraction(double x) {
    double whole = std::trunc(x);
    return {whole, x - whole};
}

std::pair<double, double> quotientAndRemainder(double x, double y) {
    double q = std::trunc(x / y);
    return {q, x - q * y};
}

}  // namespace tallyvane
