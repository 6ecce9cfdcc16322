#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <optional>

#include "timecode_test_support.h"

namespace tallyvane {
namespace {

using C = TimecodeComponents;
using Comp = TimecodeComponent;

struct Case {
    const char* name;
    std::function<Timecode()> operation;
    std::optional<C> expected;  // absent: throws outOfBounds
};

void check(const Case& c) {
    SCOPED_TRACE(c.name);
    if (c.expected) {
        EXPECT_EQ(c.operation().components, *c.expected);
    } else {
        EXPECT_EQ(errorCode<TimecodeValidationError>(c.operation), kOutOfBounds);
    }
}

const Timecode kZero = tc24(0, 0, 0, 0);
const Timecode kOneFrame = tc24(0, 0, 0, 1);
const Timecode kLastFrame = tc24(23, 59, 59, 23);
const Timecode kLastFrameOf100Days = tc({99, 23, 59, 59, 23, 0}, props(R::fps24, B::max80SubFrames, L::max100Days));

TEST(TimecodeArithmeticTest, SumsAndDifferencesUnderEachRuleAndTheirOperands) {
    const Timecode fullDay = tc24(24, 0, 0, 0);  // total exactly the limit
    const TimecodeProperties at25 = props(R::fps25, B::max100SubFrames, L::max100Days);
    const Case cases[] = {
        {"0 - 1 frame exactly", [] { return kZero.subtracting(kOneFrame); }, std::nullopt},
        {"0 - 1 frame clamping", [] { return kZero.subtracting(kOneFrame, Rule::clamping); }, C{}},
        {"0 - 1 frame wrapping", [] { return kZero.subtracting(kOneFrame, Rule::wrapping); }, C{0, 23, 59, 59, 23, 0}},
        {"0 - 1 frame operator", [] { return kZero - kOneFrame; }, C{0, 23, 59, 59, 23, 0}},
        {"0 - 1 frame allowingInvalid", [] { return kZero.subtracting(kOneFrame, Rule::allowingInvalid); },
         C{0, 0, 0, 0, -1, 0}},
        {"0 - 1 subframe allowingInvalid", [] { return kZero.subtracting(C{0, 0, 0, 0, 0, 1}, Rule::allowingInvalid); },
         C{0, 0, 0, 0, 0, -1}},
        {"last frame + 1 exactly", [] { return kLastFrame.adding(kOneFrame); }, std::nullopt},
        {"last frame + 1 clamping", [] { return kLastFrame.adding(kOneFrame, Rule::clamping); },
         C{0, 23, 59, 59, 23, 79}},
        {"last frame + 1 operator", [] { return kLastFrame + kOneFrame; }, C{}},
        {"0 - the whole limit wrapping", [&] { return kZero.subtracting(fullDay, Rule::wrapping); }, C{}},
        {"1 s - 12 frames exactly", [] { return tc24(0, 0, 1, 0).subtracting(C{0, 0, 0, 0, 12, 0}); },
         C{0, 0, 0, 0, 12, 0}},
        {"subframes carry", [] { return tc24(0, 0, 0, 0, 60).adding(C{0, 0, 0, 0, 0, 30}); }, C{0, 0, 0, 0, 1, 10}},
        {"100 days wraps to zero",
         [] { return kLastFrameOf100Days + tc({0, 0, 0, 0, 1, 0}, kLastFrameOf100Days.properties); }, C{}},
        {"100 days exactly past the limit", [] { return kLastFrameOf100Days.adding(C{0, 0, 0, 0, 1, 0}); }, std::nullopt},
        {"100 days holds a day", [] { return tc({0, 23, 0, 0, 0, 0}, props(R::fps24, B::max80SubFrames, L::max100Days)) + tc24(2, 0, 0, 0); },
         C{1, 1, 0, 0, 0, 0}},
        {"drop frame skips labels", [] { return tcAt(R::fps29_97d, 0, 0, 59, 29).adding(C{0, 0, 0, 0, 1, 0}); },
         C{0, 0, 1, 0, 2, 0}},
        {"drop frame keeps the tenth minute",
         [] { return tcAt(R::fps29_97d, 0, 9, 59, 29).adding(C{0, 0, 0, 0, 1, 0}); }, C{0, 0, 10, 0, 0, 0}},
        {"drop frame subtracts across a minute",
         [] { return tcAt(R::fps29_97d, 0, 1, 0, 2) - tcAt(R::fps29_97d, 0, 0, 0, 1); },
         C{0, 0, 0, 59, 29, 0}},
        {"huge components clamp to the limit",
         [] { return tc24(kMax, 0, 0, 0).adding(C{kMax, 0, 0, 0, kMax, kMax}, Rule::clamping); },
         C{0, 23, 59, 59, 23, 79}},
        {"huge negative components clamp to zero",
         [] { return tc24(kMin, 0, 0, 0).subtracting(C{kMax, 0, 0, 0, 0, 0}, Rule::clamping); }, C{}},
        {"frames source", [] { return tc24(0, 0, 1, 0).adding(TimecodeSourceValue::frames(24)); }, C{0, 0, 0, 2, 0, 0}},
        {"text source read exactly",
         [] { return tc24(0, 0, 1, 0).adding(TimecodeSourceValue::components(0, 0, 0, 0, 24)); }, std::nullopt},
        {"source error under a rule",
         [] { return tc24(0, 0, 1, 0).adding(TimecodeSourceValue::frames(-1), Rule::clamping); }, std::nullopt},
        {"guaranteed zero source", [] { return tc24(0, 0, 1, 0).subtracting(GuaranteedTimecodeSourceValue::zero()); },
         C{0, 0, 0, 1, 0, 0}},
        {"timecode at 25 converted by real time",
         [] { return tc24(1, 0, 0, 0).subtracting(tcAt(R::fps25, 0, 0, 1, 0)); }, C{0, 0, 59, 59, 0, 0}},
        {"+ converts the right operand",
         [&] { return tc({0, 1, 0, 0, 0, 0}, at25) + tc24(0, 0, 1, 0); }, C{0, 1, 0, 1, 0, 0}},
        {"+ at another base reads subframes as they stand",
         [] { return tc24(0, 0, 0, 0) + tc({0, 0, 0, 0, 0, 90}, props(R::fps24, B::max100SubFrames)); },
         C{0, 0, 0, 0, 1, 10}},
        {"unconvertible operand throws",
         [] { return tc24(0, 0, 0, 0).adding(tcAt(R::fps23_976, 23, 59, 59, 23)); }, std::nullopt},
        {"+ with an unconvertible operand keeps the left",
         [] { return tc24(1, 0, 0, 0) + tcAt(R::fps23_976, 23, 59, 59, 23); }, C{0, 1, 0, 0, 0, 0}},
        {"-= with an unconvertible operand keeps the left",
         [] {
             Timecode t = tc24(1, 0, 0, 0);
             t -= tcAt(R::fps23_976, 23, 59, 59, 23);
             return t;
         },
         C{0, 1, 0, 0, 0, 0}},
        {"failed in-place add keeps the receiver",
         [] {
             Timecode t = kLastFrame;
             EXPECT_THROW(t.add(kOneFrame), TimecodeValidationError);
             return t;
         },
         C{0, 23, 59, 59, 23, 0}},
        {"in-place add by rule",
         [] {
             Timecode t = kLastFrame;
             t.add(C{0, 0, 0, 0, 2, 0}, Rule::wrapping);
             return t;
         },
         C{0, 0, 0, 0, 1, 0}},
    };
    for (const auto& c : cases) check(c);
    EXPECT_EQ((tc({0, 1, 0, 0, 0, 0}, at25) + tc24(0, 0, 1, 0)).properties, at25);
}

TEST(TimecodeArithmeticTest, ProductsAndQuotients) {
    const double nan = std::nan("");
    const Timecode oneSubFrame = tc24(0, 0, 0, 0, 1);
    const Case cases[] = {
        {"1 s x 1.5", [] { return tc24(0, 0, 1, 0).multiplying(1.5); }, C{0, 0, 0, 1, 12, 0}},
        {"1 s x -1 exactly", [] { return tc24(0, 0, 1, 0).multiplying(-1); }, std::nullopt},
        {"1 s * -1 wraps", [] { return tc24(0, 0, 1, 0) * -1.0; }, C{0, 23, 59, 59, 0, 0}},
        {"1 s * 3 as a 128-bit integer", [] { return tc24(0, 0, 1, 0) * static_cast<__int128>(3); },
         C{0, 0, 0, 3, 0, 0}},
        {"1 s x -1 allowingInvalid", [] { return tc24(0, 0, 1, 0).multiplying(-1, Rule::allowingInvalid); },
         C{0, 0, 0, -1, 0, 0}},
        {"1 frame / 3", [] { return kOneFrame.dividing(3); }, C{0, 0, 0, 0, 0, 26}},
        {"1 frame / 3 as an integer", [] { return kOneFrame / 3; }, C{0, 0, 0, 0, 0, 26}},
        {"in-place *= 2",
         [] {
             Timecode t = tc24(0, 0, 1, 0);
             t *= 2U;
             return t;
         },
         C{0, 0, 0, 2, 0, 0}},
        {"the product is range-checked before truncation",
         [&] { return oneSubFrame.multiplying(165888000 - 0.5); }, std::nullopt},
        {"the same product clamped", [&] { return oneSubFrame.multiplying(165888000 - 0.5, Rule::clamping); },
         C{0, 23, 59, 59, 23, 79}},
        {"the last subframe exactly", [&] { return oneSubFrame.multiplying(165888000 - 1); }, C{0, 23, 59, 59, 23, 79}},
        {"NaN factor exactly", [&] { return oneSubFrame.multiplying(nan); }, std::nullopt},
        {"NaN factor wrapping gives zero", [&] { return oneSubFrame * nan; }, C{}},
        {"division by zero exactly", [] { return kOneFrame.dividing(0.0); }, std::nullopt},
        {"division by zero clamps to the limit", [] { return kOneFrame.dividing(0.0, Rule::clamping); },
         C{0, 23, 59, 59, 23, 79}},
        // The largest 64-bit subframe count, wrapped into the day.
        {"division by zero wraps without failing", [] { return kOneFrame / 0.0; }, C{0, 15, 15, 29, 1, 47}},
        {"division of a negative total", [] { return tc24(0, 0, -2, 0).dividing(2, Rule::allowingInvalid); },
         C{0, 0, 0, -1, 0, 0}},
    };
    for (const auto& c : cases) check(c);
}

TEST(TimecodeArithmeticTest, Ratios) {
    EXPECT_EQ(tc24(0, 0, 2, 0) / tc24(0, 0, 1, 0), 2.0);
    EXPECT_EQ(tc24(0, 0, 1, 0).ratio(C{0, 0, 0, 0, 12, 0}), 2.0);
    EXPECT_TRUE(std::isnan(kZero.ratio(kZero)));
    EXPECT_THROW((void)kOneFrame.ratio(kZero), TimecodeValidationError);          // infinite
    EXPECT_THROW((void)kOneFrame.ratio(C{0, 0, 0, 0, -1, 0}), TimecodeValidationError);  // negative
    EXPECT_EQ(kOneFrame / kZero, 1.0);
    // 1 s at 25 is 24 frames at 24.
    EXPECT_EQ(tc24(0, 0, 2, 0) / tcAt(R::fps25, 0, 0, 1, 0), 2.0);
    EXPECT_EQ(tc24(0, 0, 2, 0) / tcAt(R::fps23_976, 23, 59, 59, 23), 1.0);
}

TEST(TimecodeArithmeticTest, RoundingToAComponentAndConversions) {
    const Case cases[] = {
        {"up to minutes", [] { return tc24(0, 0, 59, 10).roundedUp(Comp::minutes); }, C{0, 0, 1, 0, 0, 0}},
        {"up past the limit", [] { return tc24(23, 59, 30, 0).roundedUp(Comp::minutes); }, std::nullopt},
        {"up ignores negative lower components", [] { return tc24(0, 5, -3, 0, 0).roundedUp(Comp::minutes); },
         C{0, 0, 5, -3, 0, 0}},
        {"up by a subframe", [] { return tc24(0, 0, 0, 3, 1).roundedUp(Comp::frames); }, C{0, 0, 0, 0, 4, 0}},
        {"up to subframes changes nothing", [] { return tc24(0, 0, 0, 3, 1).roundedUp(Comp::subFrames); },
         C{0, 0, 0, 0, 3, 1}},
        {"down to seconds", [] { return tc24(0, 0, 10, 12, 40).roundedDown(Comp::seconds); }, C{0, 0, 0, 10, 0, 0}},
        {"down keeps negative values", [] { return tc24(0, 0, 10, -2, 40).roundedDown(Comp::seconds); },
         C{0, 0, 0, 10, -2, 0}},
        {"down to a dropped label",
         [] { return tcAt(R::fps29_97d, 0, 1, 0, 5).roundedDown(Comp::seconds); }, C{0, 0, 1, 0, 0, 0}},
        {"down to days", [] { return tc24(23, 1, 1, 1, 1).roundedDown(Comp::days); }, C{}},
        {"12 frames at 24 to 30", [] { return tc24(0, 0, 0, 12).converted(R::fps30); }, C{0, 0, 0, 0, 15, 0}},
        {"12 frames at 24 to 30 preserving", [] { return tc24(0, 0, 0, 12).converted(R::fps30, std::nullopt, true); },
         C{0, 0, 0, 0, 12, 0}},
        {"frame 29 at 30 to 25 preserving falls back",
         [] { return tcAt(R::fps30, 0, 0, 0, 29).converted(R::fps25, std::nullopt, true); },
         C{0, 0, 0, 0, 24, 13}},
        {"last frame at 23.976 to 24", [] { return tcAt(R::fps23_976, 23, 59, 59, 23).converted(R::fps24); },
         std::nullopt},
        {"last frame at 23.976 to 24 at 100 days",
         [] {
             return tc({0, 23, 59, 59, 23, 0}, props(R::fps23_976, B::max80SubFrames, L::max100Days)).converted(R::fps24);
         },
         C{1, 0, 1, 26, 8, 47}},
        {"same rate with invalid components", [] { return tc24(0, 0, 0, 99).converted(R::fps24); }, C{0, 0, 0, 0, 99, 0}},
        {"another base by real time", [] { return tc24(0, 0, 0, 1, 40).converted(R::fps24, B::max100SubFrames); },
         C{0, 0, 0, 0, 1, 50}},
        {"one hour drop frame to 29.97 non-drop",
         [] { return tcAt(R::fps29_97d, 1, 0, 0, 0).converted(R::fps29_97); }, C{0, 0, 59, 56, 12, 0}},
        {"one hour at 29.97 drop to 30",
         [] { return tcAt(R::fps29_97d, 1, 0, 0, 0).converted(R::fps30); }, C{0, 0, 59, 59, 29, 71}},
    };
    for (const auto& c : cases) check(c);
    Timecode t = tc24(23, 59, 30, 0);
    EXPECT_THROW(t.roundUp(Comp::minutes), TimecodeValidationError);
    EXPECT_EQ(t.components, (C{0, 23, 59, 30, 0, 0}));
    const Timecode c = tc24(0, 0, 0, 12).converted(R::fps30, B::quarterFrames);
    EXPECT_EQ(c.properties, props(R::fps30, B::quarterFrames));
}

TEST(TimecodeArithmeticTest, IsZero) {
    EXPECT_TRUE(tc24(0, 0, 0, 0).isZero());
    EXPECT_FALSE(tc24(0, 0, 0, 0, 1).isZero());
    EXPECT_FALSE(tc24(0, 0, 0, -1).isZero());
}

}  // namespace
}  // namespace tallyvane
