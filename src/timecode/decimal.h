#pragma once
// Exact decimal arithmetic for frame counts: a significand of at most 38 decimal
// digits, a decimal exponent and a sign. Every operation rounds its exact result to
// 38 significant digits (half away from zero), the way the frame-count conversions
// were designed around. Division by zero gives NaN rather than failing.

#include <compare>
#include <cstdint>
#include <optional>
#include <string>

namespace tallyvane {

enum class DecimalRoundingMode {
    plain,    // half away from zero
    down,     // toward negative infinity
    up,       // toward positive infinity
    bankers,  // half to even
};

class Decimal {
public:
    static constexpr int maxDigits = 38;

    constexpr Decimal() = default;
    Decimal(std::int64_t value);  // NOLINT: integers convert exactly
    // significand x 10^exponent, rounded to 38 digits when the significand is wider.
    static Decimal fromParts(bool negative, unsigned __int128 significand, std::int32_t exponent);
    // A double enters through its shortest round-trip digits, so 0.3 is exactly 0.3.
    // NaN and the infinities give NaN.
    static Decimal fromDouble(double value);
    static Decimal nan();

    bool isNaN() const { return nan_; }
    bool isNegative() const { return negative_ && significand_ != 0; }
    bool isZero() const { return !nan_ && significand_ == 0; }
    unsigned __int128 significand() const { return significand_; }
    std::int32_t exponent() const { return exponent_; }

    Decimal operator-() const;
    Decimal magnitude() const;
    friend Decimal operator+(const Decimal& a, const Decimal& b);
    friend Decimal operator-(const Decimal& a, const Decimal& b);
    friend Decimal operator*(const Decimal& a, const Decimal& b);
    friend Decimal operator/(const Decimal& a, const Decimal& b);

    // NaN is unequal to everything and unordered.
    friend bool operator==(const Decimal& a, const Decimal& b);
    friend std::partial_ordering operator<=>(const Decimal& a, const Decimal& b);

    // Rounded to `scale` decimal places (a negative scale rounds to tens, hundreds...).
    Decimal rounded(int scale, DecimalRoundingMode mode) const;

    double toDouble() const;
    // The value with its fraction dropped; absent for NaN or beyond the 64-bit range.
    std::optional<std::int64_t> toInt64() const;
    // Plain decimal notation without exponent: "-0.001", "1200", "NaN".
    std::string toString() const;

private:
    bool nan_ = false;
    bool negative_ = false;
    unsigned __int128 significand_ = 0;
    std::int32_t exponent_ = 0;
};

}  // namespace tallyvane
