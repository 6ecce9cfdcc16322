#include "timecode/decimal.h"

#include <array>
#include <charconv>
#include <cmath>

#include "common/number_text.h"

namespace tallyvane {

namespace {

using u128 = unsigned __int128;

constexpr std::array<u128, 39> makePowersOfTen() {
    std::array<u128, 39> powers{};
    powers[0] = 1;
    for (std::size_t i = 1; i < powers.size(); ++i) powers[i] = powers[i - 1] * 10;
    return powers;
}
constexpr std::array<u128, 39> kPow10 = makePowersOfTen();
constexpr u128 kSignificandLimit = kPow10[38];

// Exponents beyond these bounds are far outside anything a frame count can reach;
// they turn into NaN (too large) or zero (too small) instead of wrapping.
constexpr std::int64_t kMaxExponent = 1'000'000;
constexpr std::int64_t kMinExponent = -1'000'000;

std::string digitsOf(u128 value) {
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(value % 10)));
        value /= 10;
    } while (value != 0);
    return digits;
}

int digitCount(u128 value) {
    int digits = 1;
    while (digits < 39 && value >= kPow10[static_cast<std::size_t>(digits)]) ++digits;
    return digits;
}

// Unsigned 256-bit integer, just wide enough for the exact product of two significands
// and for an aligned sum; four 64-bit words, least significant first.
struct Wide {
    std::array<std::uint64_t, 4> w{};

    static constexpr Wide from(u128 value) {
        Wide r;
        r.w[0] = static_cast<std::uint64_t>(value);
        r.w[1] = static_cast<std::uint64_t>(value >> 64);
        return r;
    }
    bool isZero() const { return (w[0] | w[1] | w[2] | w[3]) == 0; }
    bool fitsSignificand() const { return w[2] == 0 && w[3] == 0 && low() < kSignificandLimit; }
    u128 low() const { return (static_cast<u128>(w[1]) << 64) | w[0]; }

    constexpr void multiplySmall(std::uint64_t factor) {
        u128 carry = 0;
        for (auto& word : w) {
            u128 t = static_cast<u128>(word) * factor + carry;
            word = static_cast<std::uint64_t>(t);
            carry = t >> 64;
        }
    }
    void multiplyPow10(std::int64_t n) {
        while (n > 0) {
            std::int64_t step = n > 19 ? 19 : n;
            multiplySmall(static_cast<std::uint64_t>(kPow10[static_cast<std::size_t>(step)]));
            n -= step;
        }
    }
    std::uint64_t divideSmall(std::uint64_t divisor) {
        u128 rem = 0;
        for (int i = 3; i >= 0; --i) {
            u128 cur = (rem << 64) | w[static_cast<std::size_t>(i)];
            w[static_cast<std::size_t>(i)] = static_cast<std::uint64_t>(cur / divisor);
            rem = cur % divisor;
        }
        return static_cast<std::uint64_t>(rem);
    }
    void add(const Wide& o) {
        u128 carry = 0;
        for (std::size_t i = 0; i < 4; ++i) {
            u128 t = static_cast<u128>(w[i]) + o.w[i] + carry;
            w[i] = static_cast<std::uint64_t>(t);
            carry = t >> 64;
        }
    }
    void subtract(const Wide& o) {  // requires *this >= o
        std::uint64_t borrow = 0;
        for (std::size_t i = 0; i < 4; ++i) {
            u128 sub = static_cast<u128>(o.w[i]) + borrow;
            borrow = static_cast<u128>(w[i]) < sub ? 1 : 0;
            w[i] = static_cast<std::uint64_t>(static_cast<u128>(w[i]) + (static_cast<u128>(borrow) << 64) - sub);
        }
    }
    friend std::strong_ordering operator<=>(const Wide& a, const Wide& b) {
        for (int i = 3; i >= 0; --i) {
            auto c = a.w[static_cast<std::size_t>(i)] <=> b.w[static_cast<std::size_t>(i)];
            if (c != 0) return c;
        }
        return std::strong_ordering::equal;
    }
    friend bool operator==(const Wide&, const Wide&) = default;
};

Wide multiply(u128 a, u128 b) {
    std::uint64_t a0 = static_cast<std::uint64_t>(a), a1 = static_cast<std::uint64_t>(a >> 64);
    std::uint64_t b0 = static_cast<std::uint64_t>(b), b1 = static_cast<std::uint64_t>(b >> 64);
    Wide r;
    auto addAt = [&r](std::size_t index, u128 value) {
        Wide part;
        part.w[index] = static_cast<std::uint64_t>(value);
        if (index + 1 < 4) part.w[index + 1] = static_cast<std::uint64_t>(value >> 64);
        r.add(part);
    };
    addAt(0, static_cast<u128>(a0) * b0);
    addAt(1, static_cast<u128>(a0) * b1);
    addAt(1, static_cast<u128>(a1) * b0);
    addAt(2, static_cast<u128>(a1) * b1);
    return r;
}

}  // namespace

namespace {

// Rounds an exact magnitude to 38 digits, half away from zero, and strips trailing zeros
// so that every value has one representation.
Decimal normalise(bool negative, Wide magnitude, std::int64_t exponent) {
    if (magnitude.isZero()) return Decimal();
    std::uint64_t roundDigit = 0;
    bool dropped = false;
    constexpr Wide kChunkLimit = [] {  // 10^57: at least 19 digits too many
        Wide w = Wide::from(kPow10[38]);
        w.multiplySmall(static_cast<std::uint64_t>(kPow10[19]));
        return w;
    }();
    while (magnitude >= kChunkLimit) {
        roundDigit = magnitude.divideSmall(static_cast<std::uint64_t>(kPow10[19])) / static_cast<std::uint64_t>(kPow10[18]);
        dropped = true;
        exponent += 19;
    }
    while (!magnitude.fitsSignificand()) {
        roundDigit = magnitude.divideSmall(10);
        dropped = true;
        ++exponent;
    }
    u128 significand = magnitude.low();
    if (dropped && roundDigit >= 5) {
        ++significand;
        if (significand == kSignificandLimit) {
            significand /= 10;
            ++exponent;
        }
    }
    while (significand % 10 == 0) {
        significand /= 10;
        ++exponent;
    }
    if (exponent > kMaxExponent) return Decimal::nan();
    if (exponent < kMinExponent) return Decimal();
    return Decimal::fromParts(negative, significand, static_cast<std::int32_t>(exponent));
}

}  // namespace

Decimal::Decimal(std::int64_t value) {
    negative_ = value < 0;
    significand_ = negative_ ? static_cast<u128>(-(static_cast<__int128>(value))) : static_cast<u128>(value);
    while (significand_ != 0 && significand_ % 10 == 0) {
        significand_ /= 10;
        ++exponent_;
    }
    if (significand_ == 0) negative_ = false;
}

Decimal Decimal::fromParts(bool negative, unsigned __int128 significand, std::int32_t exponent) {
    if (significand >= kSignificandLimit || (significand != 0 && significand % 10 == 0)) {
        return normalise(negative, Wide::from(significand), exponent);
    }
    Decimal d;
    d.negative_ = negative && significand != 0;
    d.significand_ = significand;
    d.exponent_ = significand == 0 ? 0 : exponent;
    return d;
}

Decimal Decimal::nan() {
    Decimal d;
    d.nan_ = true;
    return d;
}

Decimal Decimal::fromDouble(double value) {
    if (!std::isfinite(value)) return nan();
    if (value == 0) return Decimal();
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific);
    u128 significand = 0;
    int fractionDigits = 0;
    bool afterPoint = false;
    const char* p = buffer;
    for (; p < result.ptr && *p != 'e'; ++p) {
        if (*p == '.') {
            afterPoint = true;
            continue;
        }
        significand = significand * 10 + static_cast<unsigned>(*p - '0');
        if (afterPoint) ++fractionDigits;
    }
    int exponent = 0;
    ++p;  // 'e'
    if (*p == '+') ++p;
    std::from_chars(p, result.ptr, exponent);
    return normalise(value < 0, Wide::from(significand), static_cast<std::int64_t>(exponent) - fractionDigits);
}

Decimal Decimal::operator-() const {
    Decimal d = *this;
    if (!nan_ && significand_ != 0) d.negative_ = !negative_;
    return d;
}

Decimal Decimal::magnitude() const {
    Decimal d = *this;
    d.negative_ = false;
    return d;
}

Decimal operator+(const Decimal& a, const Decimal& b) {
    if (a.nan_ || b.nan_) return Decimal::nan();
    if (a.significand_ == 0) return b;
    if (b.significand_ == 0) return a;
    const Decimal& x = a.exponent_ >= b.exponent_ ? a : b;
    const Decimal& y = a.exponent_ >= b.exponent_ ? b : a;
    // Scale the operand with the larger exponent up as far as 76 digits allow; what
    // is left of the gap shifts the other operand down. Digits shifted out lie far
    // below the 38 that survive, but a borrow from them can still change the round digit.
    std::int64_t gap = static_cast<std::int64_t>(x.exponent_) - y.exponent_;
    std::int64_t scale = std::min<std::int64_t>(gap, 76 - digitCount(x.significand_));
    Wide xs = Wide::from(x.significand_);
    xs.multiplyPow10(scale);
    std::int64_t exponent = x.exponent_ - scale;
    std::int64_t shift = gap - scale;
    u128 ys = y.significand_;
    bool inexact = false;
    if (shift > 38) {
        ys = 0;
        inexact = true;
    } else if (shift > 0) {
        inexact = ys % kPow10[static_cast<std::size_t>(shift)] != 0;
        ys /= kPow10[static_cast<std::size_t>(shift)];
    }
    Wide yw = Wide::from(ys);
    if (x.negative_ == y.negative_) {
        xs.add(yw);
        return normalise(x.negative_, xs, exponent);
    }
    if (inexact) {
        yw.add(Wide::from(1));  // the true difference lies just above xs - (ys + 1)
    }
    auto order = xs <=> yw;
    if (order == 0) return Decimal();
    if (order > 0) {
        xs.subtract(yw);
        return normalise(x.negative_, xs, exponent);
    }
    yw.subtract(xs);
    return normalise(y.negative_, yw, exponent);
}

Decimal operator-(const Decimal& a, const Decimal& b) { return a + (-b); }

Decimal operator*(const Decimal& a, const Decimal& b) {
    if (a.nan_ || b.nan_) return Decimal::nan();
    return normalise(a.negative_ != b.negative_, multiply(a.significand_, b.significand_),
                     static_cast<std::int64_t>(a.exponent_) + b.exponent_);
}

Decimal operator/(const Decimal& a, const Decimal& b) {
    if (a.nan_ || b.nan_ || b.significand_ == 0) return Decimal::nan();
    if (a.significand_ == 0) return Decimal();
    if ((b.significand_ >> 64) == 0) {
        // Divisor within one word: scale the dividend so the quotient carries at least
        // 39 digits (the 38 kept and the round digit), then one pass of word division.
        std::int64_t scale = 39 + digitCount(b.significand_) - digitCount(a.significand_);
        if (scale < 0) scale = 0;
        Wide q = Wide::from(a.significand_);
        q.multiplyPow10(scale);
        q.divideSmall(static_cast<std::uint64_t>(b.significand_));
        return normalise(a.negative_ != b.negative_, q,
                         static_cast<std::int64_t>(a.exponent_) - b.exponent_ - scale);
    }
    u128 quotient = a.significand_ / b.significand_;
    u128 remainder = a.significand_ % b.significand_;
    std::int64_t exponent = static_cast<std::int64_t>(a.exponent_) - b.exponent_;
    // Next quotient digit of remainder / divisor without overflowing: ten additions of
    // the remainder, each followed by at most one subtraction of the divisor.
    auto nextDigit = [&b](u128& r) {
        u128 t = 0;
        unsigned digit = 0;
        for (int i = 0; i < 10; ++i) {
            t += r;
            if (t >= b.significand_) {
                t -= b.significand_;
                ++digit;
            }
        }
        r = t;
        return digit;
    };
    while (remainder != 0 && quotient < kPow10[37]) {
        quotient = quotient * 10 + nextDigit(remainder);
        --exponent;
    }
    Wide q = Wide::from(quotient);
    if (remainder != 0 && nextDigit(remainder) >= 5) q.add(Wide::from(1));
    return normalise(a.negative_ != b.negative_, q, exponent);
}

namespace {

std::strong_ordering compareMagnitudes(u128 a, std::int32_t ea, u128 b, std::int32_t eb) {
    if (a == 0 || b == 0) return a <=> b;
    std::int64_t adjustedA = digitCount(a) + static_cast<std::int64_t>(ea);
    std::int64_t adjustedB = digitCount(b) + static_cast<std::int64_t>(eb);
    if (adjustedA != adjustedB) return adjustedA <=> adjustedB;
    // Same leading position: the one with the larger exponent has fewer digits and
    // scales up without leaving 38 digits.
    if (ea > eb) return a * kPow10[static_cast<std::size_t>(ea - eb)] <=> b;
    return a <=> b * kPow10[static_cast<std::size_t>(eb - ea)];
}

}  // namespace

bool operator==(const Decimal& a, const Decimal& b) {
    if (a.nan_ || b.nan_) return false;
    return a.significand_ == b.significand_ && a.exponent_ == b.exponent_ && a.negative_ == b.negative_;
}

std::partial_ordering operator<=>(const Decimal& a, const Decimal& b) {
    if (a.isNaN() || b.isNaN()) return std::partial_ordering::unordered;
    bool an = a.isNegative(), bn = b.isNegative();
    if (an != bn) return an ? std::partial_ordering::less : std::partial_ordering::greater;
    auto m = compareMagnitudes(a.significand(), a.exponent(), b.significand(), b.exponent());
    if (an) m = 0 <=> m;
    return m;
}

Decimal Decimal::rounded(int scale, DecimalRoundingMode mode) const {
    if (nan_ || significand_ == 0) return *this;
    std::int64_t dropCount = -static_cast<std::int64_t>(scale) - exponent_;
    if (dropCount <= 0) return *this;
    u128 kept = 0;
    std::strong_ordering vsHalf = std::strong_ordering::less;
    if (dropCount <= 38) {
        u128 unit = kPow10[static_cast<std::size_t>(dropCount)];
        kept = significand_ / unit;
        vsHalf = (significand_ % unit) <=> unit / 2;
    }
    bool odd = kept % 2 == 1;
    bool roundAway = false;
    switch (mode) {
        case DecimalRoundingMode::plain: roundAway = vsHalf >= 0; break;
        case DecimalRoundingMode::bankers: roundAway = vsHalf > 0 || (vsHalf == 0 && odd); break;
        case DecimalRoundingMode::down: roundAway = negative_; break;  // something was dropped
        case DecimalRoundingMode::up: roundAway = !negative_; break;
    }
    Wide result = Wide::from(kept);
    if (roundAway) result.add(Wide::from(1));
    return normalise(negative_, result, -static_cast<std::int64_t>(scale));
}

double Decimal::toDouble() const {
    if (nan_) return std::nan("");
    std::string text = negative_ ? "-" : "";
    text += digitsOf(significand_) + "e" + std::to_string(exponent_);
    return parseDouble(text).value_or(std::nan(""));
}

std::optional<std::int64_t> Decimal::toInt64() const {
    if (nan_) return std::nullopt;
    u128 whole = 0;
    if (significand_ == 0) return 0;
    if (exponent_ >= 0) {
        if (digitCount(significand_) + static_cast<std::int64_t>(exponent_) > 19) return std::nullopt;
        whole = significand_ * kPow10[static_cast<std::size_t>(exponent_)];
    } else if (-static_cast<std::int64_t>(exponent_) <= 38) {
        whole = significand_ / kPow10[static_cast<std::size_t>(-static_cast<std::int64_t>(exponent_))];
    }
    constexpr u128 limit = static_cast<u128>(1) << 63;
    if (negative_) {
        if (whole > limit) return std::nullopt;
        return static_cast<std::int64_t>(-static_cast<__int128>(whole));
    }
    if (whole >= limit) return std::nullopt;
    return static_cast<std::int64_t>(whole);
}

std::string Decimal::toString() const {
    if (nan_) return "NaN";
    std::string digits = digitsOf(significand_);
    std::string text = negative_ && significand_ != 0 ? "-" : "";
    if (exponent_ >= 0) {
        if (significand_ == 0) return "0";
        return text + digits + std::string(static_cast<std::size_t>(exponent_), '0');
    }
    std::size_t fraction = static_cast<std::size_t>(-static_cast<std::int64_t>(exponent_));
    if (digits.size() <= fraction) digits.insert(0, fraction - digits.size() + 1, '0');
    digits.insert(digits.size() - fraction, ".");
    return text + digits;
}

}  // namespace tallyvane
