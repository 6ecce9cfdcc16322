#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "timecode/timecode_transformer.h"
#include "timecode_test_support.h"

namespace tallyvane {
namespace {

using C = TimecodeComponents;
using Sign = FloatingPointSign;
using I = TimecodeInterval;

TEST(TimecodeIntervalTest, MadeFromTimes) {
    const TimecodeProperties at24 = props(R::fps24);
    const C oneAndAHalf{0, 0, 0, 1, 12, 0};
    const struct {
        const char* name;
        std::function<I()> make;
        std::optional<std::pair<C, Sign>> expected;  // absent: outOfBounds
    } cases[] = {
        {"rational 3/2", [&] { return I::fromRational(Fraction(3, 2), at24); }, std::pair{oneAndAHalf, Sign::plus}},
        {"negative numerator", [&] { return I::fromRational(Fraction(-3, 2), at24); }, std::pair{oneAndAHalf, Sign::minus}},
        {"negative denominator", [&] { return I::fromRational(Fraction(3, -2), at24); }, std::pair{oneAndAHalf, Sign::minus}},
        {"both negative", [&] { return I::fromRational(Fraction(-3, -2), at24); }, std::pair{oneAndAHalf, Sign::plus}},
        {"zero over a negative denominator", [&] { return I::fromRational(Fraction(0, -5), at24); },
         std::pair{C{}, Sign::minus}},
        {"beyond 24 hours", [&] { return I::fromRational(Fraction(-86401, 1), at24); }, std::nullopt},
        {"smallest 64-bit numerator", [&] { return I::fromRational(Fraction(kMin, 1), at24); }, std::nullopt},
        {"zero denominator", [&] { return I::fromRational(Fraction(1, 0), at24); }, std::nullopt},
        {"media time", [&] { return I::fromMediaTime(MediaTime::make(-1001, 24000), props(R::fps23_976)); },
         std::pair{C{0, 0, 0, 0, 1, 0}, Sign::minus}},
        {"infinite media time", [&] { return I::fromMediaTime(MediaTime::makeNegativeInfinity(), at24); },
         std::pair{C{}, Sign::plus}},
        {"indefinite media time", [&] { return I::fromMediaTime(MediaTime::makeIndefinite(), at24); },
         std::pair{C{}, Sign::plus}},
        {"invalid media time", [&] { return I::fromMediaTime(MediaTime::invalid(), at24); }, std::nullopt},
        {"seconds -1.5", [&] { return I::fromRealTime(-1.5, at24); }, std::pair{oneAndAHalf, Sign::minus}},
        {"seconds -0.0", [&] { return I::fromRealTime(-0.0, at24); }, std::pair{C{}, Sign::plus}},
        {"seconds NaN", [&] { return I::fromRealTime(std::nan(""), at24); }, std::nullopt},
        {"seconds beyond 24 hours", [&] { return I::fromRealTime(-90000, at24); }, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (!c.expected) {
            EXPECT_EQ(errorCode<TimecodeValidationError>(c.make), kOutOfBounds);
            continue;
        }
        const I interval = c.make();
        EXPECT_EQ(interval.absoluteInterval.components, c.expected->first);
        EXPECT_EQ(interval.sign, c.expected->second);
    }
}

TEST(TimecodeIntervalTest, ConversionsAndTexts) {
    const I minusOneAndAHalf = I::negative(tc24(0, 0, 1, 12));
    EXPECT_EQ(minusOneAndAHalf.rationalValue(), Fraction(-3, 2));
    EXPECT_EQ(minusOneAndAHalf.mediaTimeValue(), MediaTime::make(-3, 2));
    EXPECT_EQ(minusOneAndAHalf.realTimeValue(), -1.5);
    EXPECT_TRUE(minusOneAndAHalf.isNegative());
    EXPECT_EQ(I::positive(tcAt(R::fps29_97d, 0, 0, 0, 1)).rationalValue(), Fraction(1001, 30000));

    const I minusOne = I::negative(tc24(0, 0, 1, 0));
    EXPECT_EQ(minusOne.wrappedTimecode().components, (C{0, 23, 59, 59, 0, 0}));
    EXPECT_EQ(I::positive(tc24(25, 0, 0, 0)).wrappedTimecode().components, (C{0, 1, 0, 0, 0, 0}));
    EXPECT_EQ(I::negative(tc24(0, 0, 0, 0)).wrappedTimecode().components, C{});
    EXPECT_EQ(minusOne.description(), "-00:00:01:00.00");
    EXPECT_EQ(minusOne.debugDescription(), "TimecodeInterval(-00:00:01:00.00)");
    EXPECT_EQ(I::positive(tcAt(R::fps29_97d, 1, 0, 0, 0)).verboseDescription(),
              "TimecodeInterval 01:00:00;00.00 @ 29.97 fps drop");

    const Timecode fromSource(GuaranteedRichTimecodeSourceValue::interval(minusOne));
    EXPECT_EQ(fromSource.components, (C{0, 23, 59, 59, 0, 0}));
    EXPECT_EQ(fromSource.properties, props(R::fps24));
}

TEST(TimecodeIntervalTest, EqualityAndHashing) {
    EXPECT_EQ(I::negative(tc24(0, 0, 1, 0)), I::negative(tc24(0, 0, 0, 24)));
    EXPECT_EQ(std::hash<I>()(I::negative(tc24(0, 0, 1, 0))), std::hash<I>()(I::negative(tc24(0, 0, 0, 24))));
    EXPECT_NE(I::negative(tc24(0, 0, 1, 0)), I::positive(tc24(0, 0, 1, 0)));
    EXPECT_NE(I::positive(tc24(0, 0, 1, 0)), I::positive(tcAt(R::fps25, 0, 0, 1, 0)));
}

TEST(TimecodeIntervalTest, IntervalBetweenTimecodes) {
    const struct {
        const char* name;
        Timecode from, to;
        C length;
        Sign sign;
    } cases[] = {
        {"equal components", tc24(1, 0, 0, 0), tc24(1, 0, 0, 0), C{}, Sign::plus},
        {"backwards", tc24(1, 0, 0, 0), tc24(0, 59, 59, 0), C{0, 0, 0, 1, 0, 0}, Sign::minus},
        {"forwards", tc24(0, 59, 59, 0), tc24(1, 0, 0, 0), C{0, 0, 0, 1, 0, 0}, Sign::plus},
        {"same time, other components", tc24(0, 0, 1, 0), tc24(0, 0, 0, 24), C{}, Sign::minus},
        {"across rates", tc24(0, 0, 1, 0), tcAt(R::fps25, 0, 0, 2, 0), C{0, 0, 0, 1, 0, 0}, Sign::plus},
        {"unconvertible operand", tc24(1, 0, 0, 0), tcAt(R::fps23_976, 23, 59, 59, 23), C{}, Sign::plus},
        {"whole day", tc24(0, 0, 0, 0), tcAt(R::fps24, 23, 59, 59, 23), C{0, 23, 59, 59, 23, 0}, Sign::plus},
        {"drop frame", tcAt(R::fps29_97d, 0, 0, 59, 29), tcAt(R::fps29_97d, 0, 1, 0, 2), C{0, 0, 0, 0, 1, 0}, Sign::plus},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const I interval = c.from.interval(c.to);
        EXPECT_EQ(interval.absoluteInterval.components, c.length);
        EXPECT_EQ(interval.absoluteInterval.properties, c.from.properties);
        EXPECT_EQ(interval.sign, c.sign);
    }
}

TEST(TimecodeIntervalTest, OffsetsAndTransformers) {
    using T = TimecodeTransformer;
    const Timecode tenFrames = tc24(0, 0, 0, 10);
    int calls = 0;
    const T::Transform counting = T::custom([&calls](const Timecode& t) {
        ++calls;
        return t.converted(R::fps25, B::max100SubFrames);
    });
    T disabled(I::positive(tc24(0, 0, 1, 0)));
    disabled.enabled = false;
    const struct {
        const char* name;
        std::function<Timecode()> apply;
        C expected;
        R rate = R::fps24;
    } cases[] = {
        {"minus 1 s wraps below zero", [&] { return tenFrames.offsetting(I::negative(tc24(0, 0, 1, 0))); },
         C{0, 23, 59, 59, 10, 0}},
        {"minus 20 frames", [&] { return tenFrames.offsetting(I::negative(tc24(0, 0, 0, 20))); }, C{0, 23, 59, 59, 14, 0}},
        {"plus 1 frame at the end", [&] { return tc24(23, 59, 59, 23).offsetting(I::positive(tc24(0, 0, 0, 1))); }, C{}},
        {"offset at 25 fps moves by 24 frames",
         [&] { return tenFrames.transformed(T(I::positive(tcAt(R::fps25, 0, 0, 1, 0)))); },
         C{0, 0, 0, 1, 10, 0}},
        {"unconvertible offset is skipped",
         [&] { return tenFrames.transformed(T(I::positive(tcAt(R::fps23_976, 23, 59, 59, 23)))); },
         C{0, 0, 0, 0, 10, 0}},
        {"none between two offsets",
         [&] {
             return tenFrames.transformed(T({T::offset(I::positive(tc24(0, 0, 0, 5))), T::none(),
                                             T::offset(I::negative(tc24(0, 0, 0, 3)))}));
         },
         C{0, 0, 0, 0, 12, 0}},
        {"disabled", [&] { return tenFrames.transformed(disabled); }, C{0, 0, 0, 0, 10, 0}},
        {"no transforms", [&] { return tenFrames.transformed(T(std::vector<T::Transform>{})); }, C{0, 0, 0, 0, 10, 0}},
        {"custom then offset at the new rate",
         [&] { return tc24(0, 0, 1, 0).transformed(T({counting, T::offset(I::positive(tc24(0, 0, 1, 0)))})); },
         C{0, 0, 0, 2, 0, 0}, R::fps25},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Timecode result = c.apply();
        EXPECT_EQ(result.components, c.expected);
        EXPECT_EQ(result.properties.frameRate, c.rate);
    }
    EXPECT_EQ(calls, 1);

    Timecode t = tenFrames;
    t.transform(T({counting, counting}));
    EXPECT_EQ(calls, 3);
    // 10 frames at 24 are 10.41 frames at 25 (base 100).
    t.offset(I::negative(tcAt(R::fps25, 0, 0, 0, 10)));
    EXPECT_EQ(t.components, (C{0, 0, 0, 0, 0, 41}));
}

}  // namespace
}  // namespace tallyvane
