#include "timecode/fraction.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <unordered_set>

#include "timecode_test_support.h"

namespace tallyvane {
namespace {

TEST(FractionTest, ParsesFcpxmlTimeExactlyAsWritten) {
    struct Case {
        const char* text;
        std::optional<std::pair<std::int64_t, std::int64_t>> expected;
    } cases[] = {
        {"5s", {{5, 1}}},
        {"1001/30000s", {{1001, 30000}}},
        {"-1001/30000s", {{-1001, 30000}}},
        {"1/0s", {{1, 0}}},
        {"0/0s", {{0, 0}}},
        {"9223372036854775807s", {{kMax, 1}}},
        {"-0s", {{0, 1}}},
        {"5", std::nullopt},
        {"--5s", std::nullopt},
        {"-s", std::nullopt},
        {"5/s", std::nullopt},
        {"/5s", std::nullopt},
        {"5/5/5s", std::nullopt},
        {"5ss", std::nullopt},
        {"5.5s", std::nullopt},
        {"+5s", std::nullopt},
        {"1001/-30000s", std::nullopt},
        {"", std::nullopt},
        {"12345678901234567890s", std::nullopt},
        {"1/12345678901234567890s", std::nullopt},
        {"\xd9\xa5s", std::nullopt},  // ARABIC-INDIC DIGIT FIVE: matches \d, is no number here
        {"5s\n", {{5, 1}}},  // "$" also matches before a final line break in this dialect
    };
    for (const auto& c : cases) {
        auto f = Fraction::fromFcpxmlString(c.text);
        ASSERT_EQ(f.has_value(), c.expected.has_value()) << c.text;
        if (!f) continue;
        EXPECT_EQ(f->numerator(), c.expected->first) << c.text;
        EXPECT_EQ(f->denominator(), c.expected->second) << c.text;
    }
    EXPECT_TRUE(Fraction::fromFcpxmlString("5s")->isReduced());
}

TEST(FractionTest, WritesFcpxmlTime) {
    struct Case {
        Fraction value;
        const char* expected;
    } cases[] = {
        {{1001, 30000}, "1001/30000s"}, {{2400, 100}, "24s"}, {{-6, 3}, "-2s"}, {{1, -2}, "-1/2s"},
        {{1, 0}, "1/0s"},               {{0, 0}, "0/0s"},     {{-1, -2}, "1/2s"},
        {{kMin, -1}, "9223372036854775808s"},
        // 2^53 + 1: its double quotient is 2^53 (over 1) or 2^52 (over 2), but the text
        // keeps the exact value.
        {{9007199254740993, 1}, "9007199254740993s"},
        {{9007199254740993, 2}, "9007199254740993/2s"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.value.fcpxmlStringValue(), c.expected) << c.value.description();
}

TEST(FractionTest, ArithmeticGivesLowestTerms) {
    struct Case {
        Fraction a;
        char op;
        Fraction b;
        std::int64_t n, d;
    } cases[] = {
        {{1, 6}, '+', {1, 4}, 5, 12},          {{1, 2}, '-', {3, 4}, -1, 4},
        {{2, 3}, '*', {3, 4}, 1, 2},           {{1001, 30000}, '/', {1001, 24000}, 4, 5},
        {{-2, -4}, '*', {1, 1}, 1, 2},         {{1, 3}, '-', {1, 3}, 0, 1},
        {{5, 10}, '/', {-1, 2}, -1, 1},
        // A zero denominator takes part in the terms like any other.
        {{1, 0}, '+', {1, 0}, 1, 0},           {{1, 0}, '*', {1, 2}, 1, 0},
        {{1, 2}, '/', {1, 0}, 0, 1},           {{1, 0}, '/', {1, 2}, 1, 0},
        {{-3, 0}, '*', {1, 2}, 1, 0},          {{1, 0}, '-', {1, 0}, 0, 0},
        // Terms beyond 64 bits on the way, and a common divisor of 2^63.
        {{kMax, 2}, '*', {2, kMax}, 1, 1},     {{kMin, 3}, '*', {3, 2}, kMin / 2, 1},
        {{kMin, 1}, '/', {kMin, 1}, 1, 1},     {{kMin, 1}, '*', {1, kMin}, 1, 1},
    };
    for (const auto& c : cases) {
        Fraction r = c.op == '+' ? c.a + c.b : c.op == '-' ? c.a - c.b : c.op == '*' ? c.a * c.b : c.a / c.b;
        EXPECT_EQ(r.numerator(), c.n) << c.a.description() << c.op << c.b.description();
        EXPECT_EQ(r.denominator(), c.d) << c.a.description() << c.op << c.b.description();
        EXPECT_TRUE(r.isReduced());
    }
}

// Sums and differences over unlike denominators of either sign: checked by cross-multiplying.
TEST(FractionTest, SumsOverUnlikeDenominatorsAreExact) {
    const Fraction terms[] = {{1, 3},      {-1, 3},    {1, -3},   {5, 6},        {7, -10}, {1001, 24000},
                              {-1001, 30000}, {3, 1},  {0, 7},    {123456789, 1000000007}, {1, 1LL << 20}};
    for (const Fraction& a : terms) {
        for (const Fraction& b : terms) {
            for (const int sign : {1, -1}) {
                const Fraction r = sign > 0 ? a + b : a - b;
                const __int128 expected = static_cast<__int128>(a.numerator()) * b.denominator() +
                                          static_cast<__int128>(sign) * b.numerator() * a.denominator();
                const __int128 across = static_cast<__int128>(a.denominator()) * b.denominator();
                EXPECT_TRUE(static_cast<__int128>(r.numerator()) * across == expected * r.denominator())
                    << a.description() << (sign > 0 ? '+' : '-') << b.description();
                EXPECT_GT(r.denominator(), 0);
                EXPECT_TRUE(r.isReduced());
            }
        }
    }
    EXPECT_EQ(errorCode<FractionError>([] { return Fraction(1, kMin) + Fraction(1, 2); }), FractionError::Code::overflow);
}

TEST(FractionTest, RefusesDivisionByZeroAndOverflowWithTypedErrors) {
    const auto code = [](auto operation) { return errorCode<FractionError>(operation); };
    using C = FractionError::Code;
    EXPECT_EQ(code([] { return Fraction(1, 2) / Fraction(0, 5); }), C::divisionByZero);
    EXPECT_EQ(code([] { return Fraction(1, 2) + Fraction(1, 0); }), C::divisionByZero);
    EXPECT_EQ(code([] { return Fraction(1, 0) - Fraction(1, 2); }), C::divisionByZero);
    EXPECT_EQ(code([] { return Fraction(1, 0) / Fraction(0, 0); }), C::divisionByZero);
    EXPECT_EQ(code([] { return Fraction(kMax, 1) + Fraction(1, 1); }), C::overflow);
    EXPECT_EQ(code([] { return Fraction(kMax, 1) * Fraction(2, 1); }), C::overflow);
    EXPECT_EQ(code([] { return -Fraction(kMin, 1); }), C::overflow);
    EXPECT_EQ(code([] { return Fraction::fromDouble(std::numeric_limits<double>::infinity(), 3); }), C::overflow);
    EXPECT_EQ(code([] { return Fraction::fromDouble(1e300, 3); }), C::overflow);
    // Large terms that reduce into range are fine.
    EXPECT_EQ(Fraction(kMax, 2) * Fraction(2, kMax), Fraction(1, 1));
}

TEST(FractionTest, EqualityHashAndOrder) {
    EXPECT_EQ(Fraction(1, 2), Fraction(2, 4));
    EXPECT_EQ(Fraction(1, 0), Fraction(5, 0));
    EXPECT_NE(Fraction(0, 0), Fraction(1, 2));
    EXPECT_FALSE(Fraction(1, 2).isIdentical(Fraction(2, 4)));
    EXPECT_LT(Fraction(1, 3), Fraction(1, 2));
    std::hash<Fraction> hash;
    EXPECT_EQ(hash(Fraction(1, 2)), hash(Fraction(2, 4)));
    std::unordered_set<Fraction> set{Fraction(1, 2), Fraction(50, 100), Fraction(1, 3)};
    EXPECT_EQ(set.size(), 2U);
}

TEST(FractionTest, QueriesKeepTheStoredTerms) {
    Fraction f(100, 2400);
    EXPECT_EQ(f.description(), "100/2400");
    EXPECT_FALSE(f.isReduced());
    EXPECT_EQ(f.reduced().description(), "1/24");
    EXPECT_TRUE(Fraction(0, -5).isNegative());
    EXPECT_FALSE(Fraction(-1, -2).isNegative());
    EXPECT_TRUE(Fraction(2400, 100).isWholeNumber());
    EXPECT_FALSE(Fraction(1, 0).isWholeNumber());
    EXPECT_EQ(Fraction(-3, 4).magnitude().description(), "3/4");
    EXPECT_EQ(Fraction(1001, 30000).decimalValue().toString(), "0.033366666666666666666666666666666666667");
    Fraction n(3, 4);
    n.negate();
    EXPECT_EQ(n.description(), "-3/4");
    EXPECT_EQ(Fraction::reducing(0, -5).description(), "0/1");
    EXPECT_EQ(Fraction::reducing(-3, 0).description(), "1/0");
    EXPECT_EQ(Fraction::zero().description(), "0/1");
}

TEST(FractionTest, FromDoubleAndMediaTime) {
    struct Case {
        double value;
        int precision;
        const char* expected;
    } cases[] = {
        {2.25, 3, "9/4"}, {-0.1, 3, "-1/10"}, {0.123456, 2, "3/25"}, {1234.5, 0, "1234/1"}, {0.5, 25, "1/2"},
    };
    for (const auto& c : cases) EXPECT_EQ(Fraction::fromDouble(c.value, c.precision).description(), c.expected) << c.value;

    EXPECT_EQ(Fraction::fromMediaTime(MediaTime::makeIndefinite()).description(), "0/1");
    EXPECT_EQ(Fraction::fromMediaTime(MediaTime::makePositiveInfinity()).description(), "0/1");
    EXPECT_EQ(Fraction::fromMediaTime(MediaTime::make(1001, 30000)).description(), "1001/30000");
    MediaTime t = Fraction(1001, 24000).mediaTimeValue();
    EXPECT_EQ(t.value, 1001);
    EXPECT_EQ(t.timescale, 24000);
    EXPECT_TRUE(t.isValid());
    EXPECT_FALSE(Fraction(1, std::int64_t{1} << 40).mediaTimeValue().isValid());
}

TEST(MediaTimeTest, OrdersNumericTimesByValueAndSpecialTimesAtTheEnds) {
    EXPECT_EQ(MediaTime::make(1, 2), MediaTime::make(2, 4));
    EXPECT_LT(MediaTime::make(1, 3), MediaTime::make(1, 2));
    EXPECT_LT(MediaTime::makeNegativeInfinity(), MediaTime::make(-1000000, 1));
    EXPECT_LT(MediaTime::make(1000000, 1), MediaTime::makePositiveInfinity());
    EXPECT_DOUBLE_EQ(MediaTime::make(3, 2).seconds(), 1.5);
    EXPECT_TRUE(std::isnan(MediaTime::invalid().seconds()));
    EXPECT_TRUE((MediaTimeRange{MediaTime::make(0, 1), MediaTime::make(5, 1)}.isValid()));
    EXPECT_FALSE((MediaTimeRange{MediaTime::make(0, 1), MediaTime::make(-5, 1)}.isValid()));
    EXPECT_FALSE((MediaTimeRange{MediaTime::invalid(), MediaTime::make(5, 1)}.isValid()));
}

}  // namespace
}  // namespace tallyvane
