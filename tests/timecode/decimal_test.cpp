#include "timecode/decimal.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "timecode/numeric_rounding.h"

namespace tallyvane {
namespace {

Decimal dec(double v) { return Decimal::fromDouble(v); }

TEST(DecimalTest, DoublesEnterThroughShortestDigits) {
    struct Case {
        double value;
        const char* text;
    } cases[] = {
        {29.97, "29.97"}, {-2.5, "-2.5"}, {1e-7, "0.0000001"}, {0.0, "0"}, {1e20, "100000000000000000000"},
    };
    for (const auto& c : cases) EXPECT_EQ(dec(c.value).toString(), c.text) << c.value;
    EXPECT_TRUE(dec(std::numeric_limits<double>::infinity()).isNaN());
    EXPECT_TRUE(dec(std::nan("")).isNaN());
}

TEST(DecimalTest, ArithmeticIsExactWithinThirtyEightDigits) {
    struct Case {
        Decimal a;
        char op;
        Decimal b;
        const char* expected;
    } cases[] = {
        {dec(0.1), '+', dec(0.2), "0.3"},
        {dec(29.97), '*', Decimal(600), "17982"},
        {Decimal(1), '/', Decimal(3), "0.33333333333333333333333333333333333333"},
        {Decimal(2), '/', Decimal(3), "0.66666666666666666666666666666666666667"},
        {Decimal(-1), '/', Decimal(8), "-0.125"},
        {Decimal(5), '-', Decimal(7), "-2"},
        {Decimal(107892), '/', dec(29.97), "3600"},
        // The larger operand keeps 38 digits; the smaller one only moves the round digit.
        {Decimal::fromParts(false, static_cast<unsigned __int128>(1000000000000000000ULL) * 10000000000000000000ULL, 0),
         '+', dec(0.5), "10000000000000000000000000000000000001"},
        {dec(1e30), '-', dec(1e-30), "1000000000000000000000000000000"},
        {dec(1e30), '-', dec(1.5e-8), "999999999999999999999999999999.99999999"},
    };
    for (const auto& c : cases) {
        Decimal r = c.op == '+' ? c.a + c.b : c.op == '-' ? c.a - c.b : c.op == '*' ? c.a * c.b : c.a / c.b;
        EXPECT_EQ(r.toString(), c.expected) << c.a.toString() << ' ' << c.op << ' ' << c.b.toString();
    }
}

TEST(DecimalTest, DivisionByDivisorsWiderThanOneWord) {
    // 30- and 27-digit significands take the digit-by-digit path.
    const Decimal wide = Decimal::fromParts(false, static_cast<unsigned __int128>(300000000000000ULL) * 1000000000000000ULL + 1, 0);
    const Decimal other = Decimal::fromParts(false, static_cast<unsigned __int128>(123456789012345ULL) * 1000000000000ULL + 678901234567ULL, 0);
    EXPECT_EQ(((Decimal(2) * wide) / wide).toString(), "2");
    EXPECT_EQ(((Decimal(7) * other) / other).toString(), "7");
    EXPECT_EQ(((Decimal(2) * wide) / (Decimal(3) * wide)).toString(), "0.66666666666666666666666666666666666667");
    EXPECT_EQ((-(Decimal(1) * other) / (Decimal(8) * other)).toString(), "-0.125");
}

TEST(DecimalTest, DivisionByZeroGivesNaNThatPropagates) {
    Decimal nan = Decimal(1) / Decimal(0);
    EXPECT_TRUE(nan.isNaN());
    EXPECT_TRUE((nan + Decimal(1)).isNaN());
    EXPECT_FALSE(nan == nan);
    EXPECT_FALSE(nan.toInt64().has_value());
    EXPECT_TRUE(std::isnan(nan.toDouble()));
    EXPECT_EQ(nan.toString(), "NaN");
}

TEST(DecimalTest, RoundingModesAtAScale) {
    using M = DecimalRoundingMode;
    struct Case {
        double value;
        int scale;
        M mode;
        const char* expected;
    } cases[] = {
        {-2.5, 0, M::plain, "-3"},    {2.5, 0, M::bankers, "2"},      {3.5, 0, M::bankers, "4"},
        {2.51, 0, M::bankers, "3"},   {-2.1, 0, M::up, "-2"},         {-2.1, 0, M::down, "-3"},
        {1.245, 2, M::bankers, "1.24"}, {1250.0, -2, M::plain, "1300"}, {0.000001, 2, M::up, "0.01"},
        {7.0, 3, M::down, "7"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(dec(c.value).rounded(c.scale, c.mode).toString(), c.expected)
            << c.value << " scale " << c.scale << " mode " << static_cast<int>(c.mode);
    }
}

TEST(DecimalTest, ComparisonAcrossExponentsAndSigns) {
    EXPECT_LT(dec(0.5), Decimal(1));
    EXPECT_LT(Decimal(-3), dec(-2.5));
    EXPECT_EQ(dec(1.50), dec(1.5));
    EXPECT_EQ(Decimal(0), -Decimal(0));
    EXPECT_FALSE(Decimal::nan() < Decimal(0));
    EXPECT_FALSE(Decimal::nan() > Decimal(0));
}

TEST(DecimalTest, ConversionToIntegerDropsTheFractionAndRefusesOverflow) {
    EXPECT_EQ(dec(12.99).toInt64(), 12);
    EXPECT_EQ(Decimal(std::numeric_limits<std::int64_t>::min()).toInt64(), std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(Decimal(std::numeric_limits<std::int64_t>::max()).toInt64(), std::numeric_limits<std::int64_t>::max());
    EXPECT_FALSE((Decimal(std::numeric_limits<std::int64_t>::max()) + Decimal(1)).toInt64());
    EXPECT_FALSE(dec(1e30).toInt64());
    EXPECT_EQ(dec(1e-30).toInt64(), 0);
    EXPECT_DOUBLE_EQ(dec(29.97).toDouble(), 29.97);
    EXPECT_EQ((Decimal(1) / Decimal(3)).toDouble(), 1.0 / 3.0);
}

TEST(DecimalTest, NumericUtilities) {
    EXPECT_EQ(truncated(dec(10.123456789), 8).toString(), "10.12345678");
    EXPECT_EQ(fractionPart(dec(-3.75)).toString(), "-0.75");
    auto [whole, fraction] = integralAndFraction(dec(3.75));
    EXPECT_EQ(whole.toString(), "3");
    EXPECT_EQ(fraction.toString(), "0.75");
    auto [q, r] = quotientAndRemainder(Decimal(-17), Decimal(5));
    EXPECT_EQ(q.toString(), "-3");
    EXPECT_EQ(r.toString(), "-2");
    EXPECT_EQ(truncatingRemainder(dec(7.5), Decimal(2)).toString(), "1.5");
    EXPECT_EQ(power(dec(1.5), 3).toString(), "3.375");
    EXPECT_EQ(power(Decimal(2), -2).toString(), "0.25");
    EXPECT_EQ(decimalPlaces(dec(1.25)), 2);
    EXPECT_EQ(decimalPlaces(Decimal(1200)), 0);
    EXPECT_EQ(integerDigitCount(dec(123.45)), 3);
    EXPECT_EQ(integerDigitCount(2.25), 1);
}

TEST(DecimalTest, FloatingPointRoundingToPlaces) {
    using R = FloatingRoundingRule;
    struct Case {
        double value;
        R rule;
        int places;
        double expected;
    } cases[] = {
        {-2.5, R::toNearestOrAwayFromZero, 0, -3}, {2.5, R::toNearestOrEven, 0, 2},
        {-1.2345, R::down, 2, -1.24},              {1.2345, R::up, 2, 1.24},
        {-1.2345, R::towardZero, 3, -1.234},       {-1.2345, R::awayFromZero, 1, -1.3},
        {1.2345, R::awayFromZero, 1, 1.3},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(roundedToPlaces(c.value, c.rule, c.places), c.expected) << c.value;
    }
    EXPECT_DOUBLE_EQ(truncatedToPlaces(-7.777, 2), -7.77);
    auto [q, r] = quotientAndRemainder(7.5, 2.0);
    EXPECT_EQ(q, 3.0);
    EXPECT_EQ(r, 1.5);
}

}  // namespace
}  // namespace tallyvane
