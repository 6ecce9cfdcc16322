#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "timecode/numeric_rounding.h"
#include "timecode_test_support.h"

namespace tallyvane {
namespace {

using V = TimecodeFrameCount::Value;

// Components and elapsed frames both ways, across the drop rules.
TEST(FrameCountTest, ComponentsAndElapsedFramesRoundTrip) {
    struct Case {
        R rate;
        TimecodeComponents components;
        std::int64_t frames;
    } cases[] = {
        {R::fps29_97d, {0, 1, 0, 0, 0, 0}, 107892},
        {R::fps29_97d, {0, 23, 59, 59, 29, 0}, 2589407},
        {R::fps29_97d, {0, 0, 1, 0, 2, 0}, 1800},
        {R::fps29_97d, {0, 0, 10, 0, 0, 0}, 17982},
        {R::fps29_97d, {0, 0, 11, 0, 2, 0}, 19782},
        {R::fps59_94d, {0, 0, 1, 0, 4, 0}, 3600},
        {R::fps119_88d, {0, 1, 0, 0, 0, 0}, 431568},
        {R::fps119_88d, {0, 0, 1, 0, 8, 0}, 7200},
        {R::fps24, {1, 0, 0, 0, 0, 0}, 2073600},
        {R::fps25, {0, 0, 0, 1, 24, 0}, 49},
        {R::fps29_97d, {2, 1, 0, 0, 0, 0}, 2 * 2589408 + 107892},
    };
    for (const auto& c : cases) {
        TimecodeFrameCount count(c.components, c.rate, B::max80SubFrames);
        EXPECT_EQ(count.value.wholeFrames(), c.frames) << c.rate;
        EXPECT_EQ(componentsFromFrameCount(TimecodeFrameCount(V::frames(c.frames), B::max80SubFrames), c.rate),
                  c.components)
            << c.rate << " frame " << c.frames;
    }
}

// The integer road must give exactly what decimal arithmetic gives, at every rate and in
// every form: whole and fractional counts, negative ones, counts on both sides of the
// 2^62 units where the integer road ends, and beyond 64 bits.
TEST(FrameCountTest, IntegerRoadEqualsDecimalArithmetic) {
    std::mt19937_64 random(20260307);
    auto pick = [&](std::int64_t limit) {
        return std::uniform_int_distribution<std::int64_t>(-limit, limit)(random);
    };
    const std::int64_t magnitudes[] = {100, 107892, 2589408, 1'000'000'000, 46'116'860'184, 46'116'860'185,
                                       9'007'199'254'740'993, std::numeric_limits<std::int64_t>::max()};
    for (const R rate : R::allCases()) {
        for (const B base : B::allCases()) {
            // Every magnitude about thirty times for each rate and base.
            for (int i = 0; i < 250; ++i) {
                const std::int64_t frames = pick(magnitudes[static_cast<std::size_t>(i) % std::size(magnitudes)]);
                const double fraction = std::uniform_real_distribution<double>(0.0, 1.0)(random);
                const V values[] = {
                    V::frames(frames),
                    V::split(frames, pick(base.rawValue() * 2)),
                    V::combined(static_cast<double>(frames) + (i % 3 == 0 ? 0.0 : fraction)),
                    V::combined(std::ldexp(fraction, static_cast<int>(pick(80)))),
                    V::splitUnitInterval(frames, fraction),
                };
                for (const V& value : values) {
                    const TimecodeFrameCount count(value, base);
                    ASSERT_EQ(componentsFromFrameCount(count, rate), componentsFromFrameCountInDecimal(count, rate))
                        << rate << " " << value.debugDescription();
                }
                // A combined count's own digits, whole or not.
                const double combined = std::get<V::Combined>(values[2].payload()).frames;
                const Decimal digits = truncated(Decimal::fromDouble(combined), 8);
                const TimecodeFrameCount count(values[2], base);
                ASSERT_EQ(count.decimalValue(), digits) << combined;
                ASSERT_EQ(count.subFrames(), truncated(fractionPart(digits) * Decimal(base.rawValue())).toInt64())
                    << combined;
            }
        }
    }
}

TEST(FrameCountTest, DerivedValuesOfEachForm) {
    struct Case {
        V value;
        B base;
        std::int64_t whole, subFrames, total;
        double asDouble;
        const char* decimal;
    } cases[] = {
        {V::frames(12), B::max80SubFrames, 12, 0, 960, 12.0, "12"},
        {V::split(10, 40), B::max80SubFrames, 10, 40, 840, 10.5, "10.5"},
        {V::combined(10.123456789), B::max100SubFrames, 10, 12, 1012, 10.123456789, "10.12345678"},
        {V::splitUnitInterval(3, 0.29), B::max100SubFrames, 3, 29, 329, 3.29, "3.29"},
        {V::splitUnitInterval(3, 0.57), B::max100SubFrames, 3, 57, 357, 3.57, "3.57"},
        {V::splitUnitInterval(3, 0.58), B::max100SubFrames, 3, 58, 358, 3.58, "3.58"},
        {V::combined(-2.5), B::quarterFrames, -2, -2, -10, -2.5, "-2.5"},
    };
    for (const auto& c : cases) {
        TimecodeFrameCount count(c.value, c.base);
        EXPECT_EQ(count.value.wholeFrames(), c.whole) << c.value.debugDescription();
        EXPECT_EQ(count.subFrames(), c.subFrames) << c.value.debugDescription();
        EXPECT_EQ(count.subFrameCount(), c.total) << c.value.debugDescription();
        EXPECT_DOUBLE_EQ(count.doubleValue(), c.asDouble) << c.value.debugDescription();
        EXPECT_EQ(count.decimalValue().toString(), c.decimal) << c.value.debugDescription();
    }
    // Made as subframes / base, the unit interval gives the same subframes back.
    for (int sf = 0; sf < 100; ++sf) {
        TimecodeFrameCount count(V::splitUnitInterval(0, sf / 100.0), B::max100SubFrames);
        EXPECT_EQ(count.subFrames(), sf);
    }
}

TEST(FrameCountTest, HugeAndNonFiniteCountsSaturateInsteadOfOverflowing) {
    EXPECT_EQ(TimecodeFrameCount(V::frames(kMax), B::max100SubFrames).subFrameCount(), kMax);
    EXPECT_EQ(TimecodeFrameCount(V::combined(1e300), B::max80SubFrames).subFrameCount(), kMax);
    EXPECT_EQ(TimecodeFrameCount(V::combined(-kInf), B::max80SubFrames).value.wholeFrames(), kMin);
    EXPECT_EQ(TimecodeFrameCount(V::combined(std::nan("")), B::max80SubFrames).subFrameCount(), 0);
    TimecodeComponents huge{kMax, 0, 0, 0, 0, 0};
    EXPECT_EQ(TimecodeFrameCount(huge, R::fps24, B::max80SubFrames).value, V::frames(0));
}

TEST(FrameCountTest, EqualityByTotalOrderingAndArithmetic) {
    EXPECT_EQ(TimecodeFrameCount(V::frames(10), B::max80SubFrames), TimecodeFrameCount(V::frames(8), B::max100SubFrames));
    EXPECT_LT(TimecodeFrameCount(V::split(1, 79), B::max80SubFrames), TimecodeFrameCount(V::frames(2), B::max80SubFrames));
    EXPECT_NE(V::frames(1), V::split(1, 0));
    EXPECT_EQ(V::combined(0.0), V::combined(-0.0));
    EXPECT_EQ(std::hash<V>()(V::combined(0.0)), std::hash<V>()(V::combined(-0.0)));

    TimecodeFrameCount a(V::split(10, 40), B::max80SubFrames);
    TimecodeFrameCount b(V::frames(12), B::max100SubFrames);
    EXPECT_EQ((a + b).value, V::split(25, 40));  // 840 + 1200 subframes at base 80
    EXPECT_EQ((a - b).value, V::split(-4, -40));
    EXPECT_EQ((a * 2.0).value, V::split(21, 0));
    EXPECT_EQ((a / 4.0).value, V::split(2, 50));
    EXPECT_EQ((a / 0.0).subFrameCount(), kMax);
}

TEST(FrameCountTest, Texts) {
    EXPECT_EQ(V::frames(12).description(), "12 frames");
    EXPECT_EQ(V::split(10, 5).description(), "10.5 frames");
    EXPECT_EQ(V::combined(2.0).description(), "2.0 frames");
    EXPECT_EQ(V::splitUnitInterval(2, 0.25).description(), "2.25 frames");
    EXPECT_EQ(V::split(10, 5).debugDescription(), ".split(frames: 10, subFrames: 5)");
    EXPECT_EQ(V::combined(1.5).debugDescription(), ".combined(1.5)");
    EXPECT_EQ(V::splitUnitInterval(2, 0.25).debugDescription(), ".splitUnitInterval(frames: 2, subFramesUnitInterval: 0.25)");
    EXPECT_EQ(TimecodeFrameCount(V::frames(7), B::max80SubFrames).description(), "7");
    EXPECT_EQ(TimecodeFrameCount(V::split(7, 40), B::max80SubFrames).description(), "7.5");
}

TEST(FrameCountTest, RealTimeMediaTimeAndRationalTime) {
    struct Case {
        R rate;
        TimecodeComponents components;
        double seconds;
        std::int64_t value;
        std::int32_t timescale;
    } cases[] = {
        {R::fps29_97d, {0, 1, 0, 0, 0, 0}, 3599.9964, 8999991, 2500},
        {R::fps23_976, {0, 0, 0, 1, 0, 0}, 1.001, 1001, 1000},
        {R::fps25, {0, 0, 0, 0, 1, 40}, 0.06, 3, 50},
        {R::fps30d, {0, 1, 0, 0, 0, 0}, 3596.4, 17982, 5},
    };
    for (const auto& c : cases) {
        Timecode t(TimecodeSourceValue::components(c.components), props(c.rate));
        EXPECT_NEAR(t.realTimeValue(), c.seconds, 1e-9) << c.rate;
        MediaTime m = t.mediaTimeValue();
        EXPECT_EQ(m.value, c.value) << c.rate;
        EXPECT_EQ(m.timescale, c.timescale) << c.rate;
        EXPECT_EQ(t.rationalValue(), Fraction(c.value, c.timescale)) << c.rate;
        EXPECT_TRUE(t.rationalValue().isReduced());
    }
}

TEST(FrameCountTest, FeetAndFrames) {
    struct Case {
        std::int64_t elapsed;
        std::int64_t feet, frames;
        const char* text;
    } cases[] = {
        {35, 2, 3, "2+03"}, {-35, -2, -3, "-2+-3"}, {16, 1, 0, "1+00"}, {197, 12, 5, "12+05"}, {0, 0, 0, "0+00"},
    };
    for (const auto& c : cases) {
        FeetAndFrames f = tc24(0, 0, 0, c.elapsed).feetAndFramesValue();
        EXPECT_EQ(f.feet, c.feet) << c.text;
        EXPECT_EQ(f.frames, c.frames) << c.text;
        EXPECT_EQ(f.description(), c.text);
    }
    FeetAndFrames plain{2, 3, 0, B::max80SubFrames};
    EXPECT_EQ(plain.frameCount().value, V::frames(35));
    FeetAndFrames withSubFrames{2, 3, 10, B::max80SubFrames};
    EXPECT_EQ(withSubFrames.frameCount().value, V::split(35, 10));
    EXPECT_EQ(withSubFrames.subFramesDescription(), "2+03.10");
    FeetAndFrames huge{kMax, 5, 0, B::max80SubFrames};
    EXPECT_EQ(huge.frameCount().value, V::frames(kMax));
}

TEST(FrameCountTest, MaxFrameCountExpressible) {
    Timecode t(GuaranteedTimecodeSourceValue::zero(), props(R::fps29_97d, B::max100SubFrames, L::max24Hours));
    EXPECT_EQ(t.maxFrameCountExpressible().value, V::split(2589407, 99));
    EXPECT_EQ(t.maxSubFrameCountExpressible(), 258940799);
    EXPECT_EQ(t.maxSubFrameNumberDisplayable(), 99);
}

TEST(FrameCountTest, Samples) {
    struct Case {
        R rate;
        TimecodeComponents components;
        std::int64_t sampleRate;
        std::int64_t samples;
    } cases[] = {
        {R::fps24, {0, 0, 0, 1, 0, 0}, 48000, 48000},
        {R::fps25, {0, 0, 0, 0, 1, 0}, 44100, 1764},
        {R::fps29_97, {0, 0, 0, 1, 0, 0}, 48000, 48048},
    };
    for (const auto& c : cases) {
        Timecode t(TimecodeSourceValue::components(c.components), props(c.rate));
        EXPECT_EQ(t.samplesValue(c.sampleRate), c.samples) << c.rate;
    }
    // A product ending in .5 rounds away from zero: 1 frame at 24 fps x 36 Hz = 1.5.
    Timecode one(TimecodeSourceValue::frames(1), props(R::fps24));
    EXPECT_DOUBLE_EQ(one.samplesDoubleValue(36), 1.5);
    EXPECT_EQ(one.samplesValue(36), 2);
    Timecode minusOne(TimecodeSourceValue::frames(-1), props(R::fps24), Rule::allowingInvalid);
    EXPECT_EQ(minusOne.samplesValue(36), -2);
    Timecode late(TimecodeSourceValue::components(0, 23, 0, 0, 0), props(R::fps24));
    EXPECT_EQ(late.samplesValue(kMax), 0);
}

}  // namespace
}  // namespace tallyvane
