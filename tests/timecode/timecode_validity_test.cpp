#include <gtest/gtest.h>

#include <unordered_set>

#include "timecode/text_utilities.h"
#include "timecode_test_support.h"

namespace tallyvane {
namespace {

using Comp = TimecodeComponent;

TEST(TimecodeValidityTest, DropFrameLabelsAtTheStartOfAMinuteAreNotValid) {
    struct Case {
        R rate;
        std::int64_t minutes, seconds;
        ClosedRange expected;
    } cases[] = {
        {R::fps29_97d, 1, 0, {2, 29}},   {R::fps29_97d, 10, 0, {0, 29}},  {R::fps29_97d, 1, 1, {0, 29}},
        {R::fps59_94d, 1, 0, {4, 59}},   {R::fps119_88d, 1, 0, {8, 119}}, {R::fps119_88d, 1, 30, {0, 119}},
        {R::fps29_97, 1, 0, {0, 29}},    {R::fps24, 1, 0, {0, 23}},
    };
    for (const auto& c : cases) {
        TimecodeComponents components{0, 0, c.minutes, c.seconds, 0, 0};
        EXPECT_EQ(components.validRange(Comp::frames, props(c.rate)), c.expected)
            << c.rate << " minute " << c.minutes << " second " << c.seconds;
    }
}

TEST(TimecodeValidityTest, InvalidComponentsByRange) {
    struct Case {
        TimecodeComponents components;
        TimecodeProperties properties;
        TimecodeComponentSet expected;
    } cases[] = {
        {{0, 0, 0, 0, 25, 0}, props(R::fps25), {Comp::frames}},
        {{0, -1, 0, 0, 0, 0}, props(R::fps25), {Comp::hours}},
        {{1, 0, 0, 0, 0, 0}, props(R::fps25), {Comp::days}},
        {{1, 0, 0, 0, 0, 0}, props(R::fps25, B::max80SubFrames, L::max100Days), {}},
        {{100, 0, 0, 0, 0, 0}, props(R::fps25, B::max80SubFrames, L::max100Days), {Comp::days}},
        {{0, 0, 0, 0, 0, 80}, props(R::fps25, B::max80SubFrames), {Comp::subFrames}},
        {{0, 0, 0, 0, 0, 4}, props(R::fps25, B::quarterFrames), {Comp::subFrames}},
        {{0, 0, 1, 0, 0, 0}, props(R::fps29_97d), {Comp::frames}},
        {{0, 24, 60, 60, -1, -1}, props(R::fps24), {Comp::hours, Comp::minutes, Comp::seconds, Comp::frames, Comp::subFrames}},
    };
    for (const auto& c : cases) {
        const Timecode t = tc(c.components, c.properties);
        EXPECT_EQ(t.invalidComponents(), c.expected) << t.stringValue();
        EXPECT_EQ(t.isValid(), c.expected.empty()) << t.stringValue();
    }
}

TEST(TimecodeValidityTest, ClampingUsesTheAlreadyClampedMinutesAndSeconds) {
    struct Case {
        TimecodeComponents in;
        R rate;
        TimecodeComponents expected;
    } cases[] = {
        {{0, 1, 75, -3, 10, 0}, R::fps25, {0, 1, 59, 0, 10, 0}},
        {{0, 0, 1, 0, 0, 0}, R::fps29_97d, {0, 0, 1, 0, 2, 0}},
        {{0, 0, 61, -5, 0, 0}, R::fps29_97d, {0, 0, 59, 0, 2, 0}},
        {{5, 30, 0, 0, 99, 99}, R::fps24, {0, 23, 0, 0, 23, 79}},
    };
    for (const auto& c : cases) {
        Timecode t = tc(c.in, props(c.rate));
        t.clampComponents();
        EXPECT_EQ(t.components, c.expected) << c.rate;
    }
}

TEST(TimecodeValidityTest, DigitCountsAgainstFieldWidths) {
    struct Case {
        TimecodeComponents components;
        R rate;
        B base;
        bool expected;
    } cases[] = {
        {{0, 0, 0, 0, 120, 0}, R::fps60, B::max80SubFrames, false},
        {{0, 0, 0, 0, 120, 0}, R::fps120, B::max80SubFrames, true},
        {{0, 0, 0, 0, 0, 10}, R::fps24, B::quarterFrames, false},
        {{0, -99, 0, 0, 0, 0}, R::fps24, B::max80SubFrames, true},
        {{0, -100, 0, 0, 0, 0}, R::fps24, B::max80SubFrames, false},
        {{100, 0, 0, 0, 0, 0}, R::fps24, B::max80SubFrames, false},
    };
    for (const auto& c : cases) EXPECT_EQ(c.components.hasValidDigitCounts(c.rate, c.base), c.expected) << c.rate;
    EXPECT_EQ(decimalDigitCount(kMin), 19);
    EXPECT_EQ(decimalDigitCount(-9), 1);
    EXPECT_EQ(decimalDigitCount(10U), 2);
    EXPECT_EQ(Comp(Comp::frames).numberOfDigits(R::fps119_88, B::max80SubFrames), 3);
    EXPECT_EQ(Comp(Comp::subFrames).numberOfDigits(R::fps24, B::quarterFrames), 1);
}

TEST(TimecodeValidityTest, ComponentNavigationSkipsExcludedComponents) {
    EXPECT_EQ(Comp::firstComponent({Comp::days, Comp::subFrames}), Comp(Comp::hours));
    EXPECT_EQ(Comp::lastComponent({Comp::days, Comp::subFrames}), Comp(Comp::frames));
    EXPECT_EQ(Comp(Comp::frames).next({Comp::subFrames}, true), Comp(Comp::days));
    EXPECT_EQ(Comp(Comp::frames).next({Comp::subFrames}, false), Comp(Comp::frames));
    EXPECT_EQ(Comp(Comp::hours).next({Comp::minutes}, false), Comp(Comp::seconds));
    EXPECT_EQ(Comp(Comp::subFrames).previous({Comp::subFrames, Comp::frames}, false), Comp(Comp::seconds));
    EXPECT_EQ(Comp(Comp::subFrames).next({Comp::subFrames, Comp::days}, false), Comp(Comp::hours));
    EXPECT_EQ(Comp(Comp::hours).previous({Comp::days}, true), Comp(Comp::subFrames));
    EXPECT_EQ(Comp(Comp::hours).previous({Comp::days}, false), Comp(Comp::hours));
    auto cases = Comp::allCases();
    TimecodeComponentSet all(cases.begin(), cases.end());
    EXPECT_FALSE(Comp::firstComponent(all).has_value());
    EXPECT_EQ(Comp(Comp::minutes).next(all, true), Comp(Comp::minutes));
    EXPECT_EQ(Comp(Comp::subFrames).title(), "SubFrames");
    EXPECT_EQ(Comp(Comp::subFrames).lowercasedName(), "subframes");
}

TEST(TimecodeValidityTest, SubFramesRescaleBetweenBases) {
    struct Case {
        B from;
        std::int64_t value;
        B to;
        std::int64_t expected;
    } cases[] = {
        {B::max80SubFrames, 40, B::max100SubFrames, 50}, {B::max80SubFrames, 40, B::quarterFrames, 2},
        {B::max80SubFrames, 79, B::quarterFrames, 3},    {B::max100SubFrames, 0, B::max80SubFrames, 0},
        {B::max100SubFrames, 99, B::max100SubFrames, 99},
        {B::max80SubFrames, -40, B::max100SubFrames, -50},
        {B::max80SubFrames, kMax, B::max100SubFrames, kMax},
    };
    for (const auto& c : cases) EXPECT_EQ(TimecodeSubFramesBase(c.from).convert(c.value, c.to), c.expected) << c.value;
    EXPECT_EQ(B::fromRawValue(4), B(B::quarterFrames));
    EXPECT_FALSE(B::fromRawValue(25).has_value());
    EXPECT_EQ(TimecodeSubFramesBase(B::quarterFrames).stringValueVerbose(), "4 (Quarter-Frames)");
    EXPECT_EQ(L::fromRawValue("100 days"), L(L::max100Days));
    EXPECT_FALSE(L::fromRawValue("100 Days").has_value());
}

TEST(TimecodeValidityTest, EveryRuleKeepsAValidValueAndEveryErrorSaysWhichItIs) {
    for (auto rule : allTimecodeValidationRules()) {
        const Timecode timecode(TimecodeSourceValue::components(0, 1, 2, 3, 4, 5), props(R::fps25), rule);
        EXPECT_EQ(timecode.components, (TimecodeComponents{0, 1, 2, 3, 4, 5})) << static_cast<int>(rule);
    }
    std::unordered_set<std::string> messages;
    for (auto code : TimecodeValidationError::allCases()) messages.insert(TimecodeValidationError(code).what());
    EXPECT_EQ(messages.size(), TimecodeValidationError::allCases().size());
}

TEST(TimecodeValidityTest, CollectionViewsOfComponents) {
    auto c = TimecodeComponents::fromDictionary({{Comp::hours, 1}});
    EXPECT_EQ(c, (TimecodeComponents{0, 1, 0, 0, 0, 0}));
    c.assign(std::map<TimecodeComponent, std::int64_t>{{Comp::frames, 5}});
    EXPECT_EQ(c, (TimecodeComponents{0, 1, 0, 0, 5, 0}));
    std::vector<TimecodeComponents::Pair> pairs{{Comp::minutes, 2}, {Comp::minutes, 3}};
    EXPECT_EQ(TimecodeComponents::fromPairs(pairs), (TimecodeComponents{0, 0, 3, 0, 0, 0}));
    EXPECT_EQ(c.dictionary().size(), 6U);
    EXPECT_EQ(c.array()[4].second, 5);
    EXPECT_EQ(std::hash<TimecodeComponents>()(c), std::hash<TimecodeComponents>()(TimecodeComponents{0, 1, 0, 0, 5, 0}));
}

TEST(TimecodeValidityTest, ComponentRangesAreEqualAndHashedByAllTwelveBounds) {
    const auto twoDigit = TimecodeComponentRanges::twoDigit();
    auto frames = twoDigit;
    frames.frames = {0, 29};
    auto subFrames = twoDigit;
    subFrames.subFrames = {1, 99};
    EXPECT_NE(twoDigit, frames);
    EXPECT_NE(twoDigit, subFrames);
    std::hash<TimecodeComponentRanges> hash;
    EXPECT_EQ(hash(twoDigit), hash(TimecodeComponentRanges::twoDigit()));
    std::unordered_set<TimecodeComponentRanges> set{twoDigit, frames, subFrames, twoDigit, frames};
    EXPECT_EQ(set.size(), 3U);
}

TEST(TimecodeValidityTest, RandomComponentsStayWithinTheirRangesEvenTheWidest) {
    TimecodeComponentRanges ranges{{1, 1}, {2, 3}, {-5, -5}, {0, 0}, {7, 7}, {kMin, kMax}};
    auto c = TimecodeComponents::random(ranges);
    EXPECT_EQ(c.days, 1);
    EXPECT_TRUE(ranges.hours.contains(c.hours));
    EXPECT_EQ(c.minutes, -5);
    EXPECT_EQ(c.frames, 7);
}

}  // namespace
}  // namespace tallyvane
