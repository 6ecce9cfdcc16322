#include "timecode/fraction.h"

#include <cmath>
#include <functional>
#include <limits>
#include <utility>

#include "timecode/hash_combine.h"
#include "timecode/numeric_rounding.h"

namespace tallyvane {

namespace {

using i128 = __int128;
using u128 = unsigned __int128;

u128 magnitudeOf(i128 v) { return v < 0 ? -static_cast<u128>(v) : static_cast<u128>(v); }

// A 128-bit remainder is a library call: once both terms fit 64 bits (nearly always, and
// from the start for terms of fractions), the processor's own division takes over.
u128 gcd(u128 a, u128 b) {
    while (((a | b) >> 64) != 0) {
        if (b == 0) return a;
        u128 t = a % b;
        a = b;
        b = t;
    }
    auto x = static_cast<std::uint64_t>(a), y = static_cast<std::uint64_t>(b);
    while (y != 0) {
        std::uint64_t t = x % y;
        x = y;
        y = t;
    }
    return x;
}

bool fits(i128 v) {
    return v >= std::numeric_limits<std::int64_t>::min() && v <= std::numeric_limits<std::int64_t>::max();
}

[[noreturn]] void overflow() {
    throw FractionError(FractionError::Code::overflow, "Fraction terms exceed 64 bits.");
}

[[noreturn]] void divisionByZero() { throw FractionError(FractionError::Code::divisionByZero, "Division by zero."); }

// Lowest terms with a positive denominator. Over a zero denominator every numerator but
// 0 divides out to 1, as Euclid's divisor of n and 0 is n itself: n/0 becomes 1/0
// (-3/0 included), and 0/0, which has no divisor, stays.
std::pair<i128, i128> lowestTermsWide(i128 n, i128 d) {
    if (d == 0 && n != 0) return {1, 0};
    u128 g = gcd(magnitudeOf(n), magnitudeOf(d));
    if (g > 1 && fits(n) && fits(d) && g <= static_cast<u128>(std::numeric_limits<std::int64_t>::max())) {
        n = static_cast<std::int64_t>(n) / static_cast<std::int64_t>(g);
        d = static_cast<std::int64_t>(d) / static_cast<std::int64_t>(g);
    } else if (g > 1) {
        n /= static_cast<i128>(g);
        d /= static_cast<i128>(g);
    }
    if (d < 0) {
        n = -n;
        d = -d;
    }
    return {n, d};
}

std::pair<std::int64_t, std::int64_t> lowestTerms(i128 numerator, i128 denominator) {
    auto [n, d] = lowestTermsWide(numerator, denominator);
    if (!fits(n) || !fits(d)) overflow();
    return {static_cast<std::int64_t>(n), static_cast<std::int64_t>(d)};
}

// a/b + sign x c/d over the least common multiple of the denominators.
std::pair<std::int64_t, std::int64_t> sum(const Fraction& x, const Fraction& y, int sign) {
    i128 right = static_cast<i128>(y.numerator()) * sign;
    if (x.denominator() == y.denominator()) return lowestTerms(x.numerator() + right, x.denominator());
    if (x.denominator() == 0 || y.denominator() == 0) divisionByZero();
    // Below 2^63, as the denominators differ: each one's share of the common multiple is
    // the other divided by the divisor, a division of 64-bit terms.
    const auto g = static_cast<std::int64_t>(gcd(magnitudeOf(x.denominator()), magnitudeOf(y.denominator())));
    const std::int64_t xShare = y.denominator() / g;
    const std::int64_t yShare = x.denominator() / g;
    i128 lcm = static_cast<i128>(x.denominator()) * xShare;
    i128 total = 0;
    if (__builtin_add_overflow(static_cast<i128>(x.numerator()) * xShare, right * yShare, &total)) overflow();
    return lowestTerms(total, lcm);
}

}  // namespace

Fraction Fraction::knownReduced(std::int64_t numerator, std::int64_t denominator) {
    Fraction f(numerator, denominator);
    f.knownReduced_ = true;
    return f;
}

Fraction Fraction::reducing(std::int64_t numerator, std::int64_t denominator) {
    auto [n, d] = lowestTerms(numerator, denominator);
    return knownReduced(n, d);
}

Fraction Fraction::reducingWide(__int128 numerator, __int128 denominator) {
    auto [n, d] = lowestTerms(numerator, denominator);
    return knownReduced(n, d);
}

Fraction Fraction::fromDouble(double value, int decimalPrecision) {
    if (!std::isfinite(value)) overflow();
    int wholeDigits = integerDigitCount(Decimal::fromDouble(value));
    int places = std::min(std::max(19 - wholeDigits, 0), std::max(decimalPrecision, 0));
    places = std::min(places, 18);  // 10^19 does not fit a 64-bit denominator
    std::int64_t denominator = 1;
    for (int i = 0; i < places; ++i) denominator *= 10;
    double scaled = std::trunc(std::fabs(value) * static_cast<double>(denominator));
    if (!(scaled < 9223372036854775808.0)) overflow();
    auto numerator = static_cast<std::int64_t>(scaled);
    return reducing(value < 0 ? -numerator : numerator, denominator);
}

Fraction Fraction::fromMediaTime(const MediaTime& time) {
    if (time.isIndefinite() || time.isPositiveInfinity() || time.isNegativeInfinity()) return Fraction(0, 1);
    return Fraction(time.value, time.timescale);
}

Fraction Fraction::reduced() const { return knownReduced_ ? *this : reducing(numerator_, denominator_); }

bool Fraction::isReduced() const {
    if (knownReduced_) return true;
    auto [n, d] = lowestTerms(numerator_, denominator_);
    return n == numerator_ && d == denominator_;
}

bool Fraction::isWholeNumber() const {
    double q = doubleValue();
    return q - std::trunc(q) == 0;
}

Fraction Fraction::magnitude() const {
    i128 n = magnitudeOf(numerator_), d = magnitudeOf(denominator_);
    if (!fits(n) || !fits(d)) overflow();
    return Fraction(static_cast<std::int64_t>(n), static_cast<std::int64_t>(d));
}

MediaTime Fraction::mediaTimeValue() const {
    if (denominator_ > std::numeric_limits<std::int32_t>::max() || denominator_ < std::numeric_limits<std::int32_t>::min()) {
        return MediaTime::invalid();
    }
    return MediaTime::make(numerator_, static_cast<std::int32_t>(denominator_));
}

std::string Fraction::description() const { return std::to_string(numerator_) + "/" + std::to_string(denominator_); }

Fraction Fraction::operator-() const {
    if (numerator_ == std::numeric_limits<std::int64_t>::min()) overflow();
    return Fraction(-numerator_, denominator_);
}

Fraction operator+(const Fraction& a, const Fraction& b) {
    auto [n, d] = sum(a, b, 1);
    return Fraction::knownReduced(n, d);
}

Fraction operator-(const Fraction& a, const Fraction& b) {
    auto [n, d] = sum(a, b, -1);
    return Fraction::knownReduced(n, d);
}

Fraction operator*(const Fraction& a, const Fraction& b) {
    auto [n, d] = lowestTerms(static_cast<i128>(a.numerator_) * b.numerator_,
                              static_cast<i128>(a.denominator_) * b.denominator_);
    return Fraction::knownReduced(n, d);
}

Fraction operator/(const Fraction& a, const Fraction& b) {
    if (b.numerator_ == 0) divisionByZero();
    auto [n, d] = lowestTerms(static_cast<i128>(a.numerator_) * b.denominator_,
                              static_cast<i128>(a.denominator_) * b.numerator_);
    return Fraction::knownReduced(n, d);
}

bool operator==(const Fraction& a, const Fraction& b) {
    auto ra = a.knownReduced_ ? std::pair<i128, i128>(a.numerator_, a.denominator_)
                              : lowestTermsWide(a.numerator_, a.denominator_);
    auto rb = b.knownReduced_ ? std::pair<i128, i128>(b.numerator_, b.denominator_)
                              : lowestTermsWide(b.numerator_, b.denominator_);
    return ra == rb;
}

}  // namespace tallyvane

std::size_t std::hash<tallyvane::Fraction>::operator()(const tallyvane::Fraction& f) const noexcept {
    auto [n, d] = tallyvane::lowestTermsWide(f.numerator(), f.denominator());
    std::size_t h = std::hash<long long>()(static_cast<long long>(n));
    return tallyvane::hashCombine(h, std::hash<long long>()(static_cast<long long>(d)));
}
