#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "timecode/timecode_sorting.h"
#include "timecode_test_support.h"

namespace tallyvane {
namespace {

using C = TimecodeComponents;
using CR = ComparisonResult;

std::size_t hashOf(const Timecode& t) { return std::hash<Timecode>()(t); }

TEST(TimecodeComparisonTest, EqualityByRoundedRealTime) {
    const struct {
        const char* name;
        Timecode a, b;
        bool equal;
    } cases[] = {
        {"same hour at 24 and 25", tc24(1, 0, 0, 0), tcAt(R::fps25, 1, 0, 0, 0), false},
        {"frame 24 is the next second", tc24(0, 0, 1, 0), tc24(0, 0, 0, 24), true},
        {"subframes on different bases", tc24(0, 0, 0, 0, 40), tc({0, 0, 0, 0, 0, 50}, props(R::fps24, B::max100SubFrames)),
         false},
        {"bases ignored without subframes", tc24(0, 0, 0, 1), tc({0, 0, 0, 0, 1, 0}, props(R::fps24, B::max100SubFrames)),
         true},
        {"half a frame against a whole one", tc24(0, 0, 0, 0, 40), tc({0, 0, 0, 0, 1, 0}, props(R::fps24, B::max100SubFrames)),
         false},
        {"upper limit plays no part", tc24(1, 0, 0, 0), tc({0, 1, 0, 0, 0, 0}, props(R::fps24, B::max80SubFrames, L::max100Days)),
         true},
        {"days count", tc({1, 0, 0, 0, 0, 0}, props(R::fps24, B::max80SubFrames, L::max100Days)), tc24(0, 0, 0, 0), false},
        {"one subframe apart", tc24(0, 0, 0, 0, 1), tc24(0, 0, 0, 0, 2), false},
        {"drop frame labels", tcAt(R::fps29_97d, 0, 1, 0, 2), tcAt(R::fps29_97d, 0, 0, 59, 30), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.a == c.b, c.equal);
        EXPECT_EQ(c.b == c.a, c.equal);
        EXPECT_EQ(c.a != c.b, !c.equal);
        if (c.equal) {
            EXPECT_EQ(hashOf(c.a), hashOf(c.b));
        }
    }
}

TEST(TimecodeComparisonTest, OrderAndThreeWayComparison) {
    const Timecode at24 = tc24(1, 0, 0, 0);
    const Timecode at25 = tcAt(R::fps25, 1, 0, 0, 0);
    EXPECT_FALSE(at24 < at25);
    EXPECT_FALSE(at25 < at24);
    EXPECT_TRUE(at24 <= at25 && at24 >= at25);
    EXPECT_EQ(at24.compare(at25), CR::orderedDescending);
    EXPECT_EQ(at25.compare(at24), CR::orderedDescending);

    const Timecode start = tc24(23, 0, 0, 0);
    const struct {
        const char* name;
        Timecode a, b;
        std::optional<Timecode> start;
        CR expected;
    } cases[] = {
        {"after start, then past midnight", tc24(23, 30, 0, 0), tc24(0, 30, 0, 0), start, CR::orderedAscending},
        {"past midnight, then after start", tc24(0, 30, 0, 0), tc24(23, 30, 0, 0), start, CR::orderedDescending},
        {"without a start", tc24(23, 30, 0, 0), tc24(0, 30, 0, 0), std::nullopt, CR::orderedDescending},
        {"the start itself comes first", tc24(23, 0, 0, 0), tc24(23, 0, 0, 1), start, CR::orderedAscending},
        {"the start against the frame before it", tc24(23, 0, 0, 0), tc24(22, 59, 59, 23), start, CR::orderedAscending},
        {"a zero start orders by time", tc24(23, 30, 0, 0), tc24(0, 30, 0, 0), tc24(0, 0, 0, 0), CR::orderedDescending},
        {"equal with a start", tc24(0, 0, 1, 0), tc24(0, 0, 0, 24), start, CR::orderedSame},
        // 22:30 at 25 fps is frame 2,025,000, past the start's frame 1,987,200 at 24 fps.
        {"mixed rates by frame position", tcAt(R::fps25, 22, 30, 0, 0), tc24(23, 30, 0, 0), start, CR::orderedAscending},
        {"drop frame start", tcAt(R::fps29_97d, 0, 0, 0, 10), tcAt(R::fps29_97d, 23, 59, 0, 2),
         tcAt(R::fps29_97d, 12, 0, 0, 0), CR::orderedDescending},
    };
    for (const auto& c : cases) EXPECT_EQ(c.a.compare(c.b, c.start), c.expected) << c.name;
}

std::vector<std::string> texts(const std::vector<Timecode>& timecodes) {
    std::vector<std::string> result;
    for (const auto& t : timecodes) result.push_back(t.stringValue() + "@" + std::string(t.properties.frameRate.stringValue()));
    return result;
}

TEST(TimecodeComparisonTest, Sorting) {
    const std::vector<Timecode> day = {tc24(0, 30, 0, 0), tc24(23, 30, 0, 0), tc24(23, 0, 0, 0), tc24(22, 0, 0, 0),
                                       tc24(1, 0, 0, 0)};
    const Timecode at25 = tcAt(R::fps25, 1, 0, 0, 0);
    const std::vector<Timecode> twins = {tc24(1, 0, 0, 0), tc24(1, 0, 0, 0)};
    using V = std::vector<std::string>;
    const struct {
        const char* name;
        std::vector<Timecode> input;
        bool ascending;
        std::optional<Timecode> start;
        V expected;
    } cases[] = {
        {"by time", day, true, std::nullopt,
         V{"00:30:00:00@24", "01:00:00:00@24", "22:00:00:00@24", "23:00:00:00@24", "23:30:00:00@24"}},
        {"around a start", day, true, tc24(23, 0, 0, 0),
         V{"23:00:00:00@24", "23:30:00:00@24", "00:30:00:00@24", "01:00:00:00@24", "22:00:00:00@24"}},
        {"around a start, descending", day, false, tc24(23, 0, 0, 0),
         V{"22:00:00:00@24", "01:00:00:00@24", "00:30:00:00@24", "23:30:00:00@24", "23:00:00:00@24"}},
        {"same time at two rates keeps input order", {at25, tc24(1, 0, 0, 0), tc24(0, 0, 0, 1)}, true, std::nullopt,
         V{"00:00:00:01@24", "01:00:00:00@25", "01:00:00:00@24"}},
        {"equal timecodes keep input order", {tc24(0, 0, 1, 0), tc24(0, 0, 0, 24), tc24(0, 0, 0, 1)}, false, std::nullopt,
         V{"00:00:01:00@24", "00:00:00:24@24", "00:00:00:01@24"}},
        {"empty", {}, true, tc24(23, 0, 0, 0), V{}},
        {"one timecode", {tc24(1, 0, 0, 0)}, true, std::nullopt, V{"01:00:00:00@24"}},
        {"twins", twins, true, std::nullopt, V{"01:00:00:00@24", "01:00:00:00@24"}},
        {"twins, descending", twins, false, std::nullopt, V{"01:00:00:00@24", "01:00:00:00@24"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<Timecode> result = sorted(c.input, c.ascending, c.start);
        EXPECT_EQ(texts(result), c.expected);
        EXPECT_TRUE(isSorted(result, c.ascending, c.start));
        std::vector<Timecode> inPlace = c.input;
        sort(inPlace, c.ascending, c.start);
        EXPECT_EQ(texts(inPlace), c.expected);
    }
    EXPECT_FALSE(isSorted(day));
    EXPECT_FALSE(isSorted(std::vector<Timecode>{tc24(1, 0, 0, 1), tcAt(R::fps25, 1, 0, 0, 0)}));
    EXPECT_FALSE(isSorted(sorted(day), false));
    EXPECT_FALSE(isSorted(sorted(day), true, tc24(23, 0, 0, 0)));
}

TEST(TimecodeComparisonTest, SortComparator) {
    const Timecode a = tc24(0, 0, 1, 0), b = tc24(0, 0, 2, 0);
    const TimecodeSortComparator forward{SortOrder::forward, std::nullopt};
    const TimecodeSortComparator reverse{SortOrder::reverse, std::nullopt};
    EXPECT_EQ(forward.compare(a, b), CR::orderedAscending);
    EXPECT_EQ(reverse.compare(a, b), CR::orderedDescending);
    EXPECT_EQ(reverse.compare(a, a), CR::orderedSame);

    // With the standard stable sort; same-time pairs at two rates never go before each other.
    const Timecode at25 = tcAt(R::fps25, 0, 0, 2, 0);
    std::vector<Timecode> values = {a, at25, b, tc24(0, 0, 0, 0)};
    std::stable_sort(values.begin(), values.end(), reverse);
    EXPECT_EQ(texts(values), (std::vector<std::string>{"00:00:02:00@25", "00:00:02:00@24", "00:00:01:00@24",
                                                        "00:00:00:00@24"}));
    EXPECT_FALSE(reverse(at25, b));
    EXPECT_FALSE(reverse(b, at25));

    const struct {
        TimecodeSortComparator x, y;
        bool equal;
    } cases[] = {
        {forward, forward, true},
        {forward, reverse, false},
        {{SortOrder::forward, tc24(0, 0, 1, 0)}, {SortOrder::forward, tc24(0, 0, 0, 24)}, true},
        {{SortOrder::forward, tc24(0, 0, 1, 0)}, forward, false},
        {{SortOrder::forward, tc24(0, 0, 1, 0)}, {SortOrder::forward, tc24(0, 0, 1, 1)}, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.x == c.y, c.equal);
        if (c.equal) {
            EXPECT_EQ(std::hash<TimecodeSortComparator>()(c.x), std::hash<TimecodeSortComparator>()(c.y));
        }
    }
}

TEST(TimecodeComparisonTest, DistanceAndAdvance) {
    EXPECT_EQ(tcAt(R::fps25, 0, 0, 1, 0).distance(tc24(0, 0, 1, 0)), -1);
    EXPECT_EQ(tc24(0, 0, 0, 5, 70).distance(tc24(0, 0, 1, 0, 10)), 19);
    EXPECT_EQ(tc24(0, 0, 0, 5).advanced(-10).components, C{});
    EXPECT_EQ(tc24(23, 59, 59, 20).advanced(10).components, (C{0, 23, 59, 59, 23, 79}));
    EXPECT_EQ(tc24(0, 0, 0, 5).advanced(kMax).components, (C{0, 23, 59, 59, 23, 79}));
}

TEST(TimecodeComparisonTest, RangesFromMediaTimeRanges) {
    const TimecodeProperties p = props(R::fps24);
    const struct {
        const char* name;
        MediaTimeRange range;
        std::optional<std::pair<C, C>> expected;
        TimecodeValidationError::Code error = kOutOfBounds;
    } cases[] = {
        {"one to three seconds", {MediaTime::make(1, 1), MediaTime::make(2, 1)},
         std::pair{C{0, 0, 0, 1, 0, 0}, C{0, 0, 0, 3, 0, 0}}},
        {"empty range", {MediaTime::make(5, 1), MediaTime::make(0, 600)},
         std::pair{C{0, 0, 0, 5, 0, 0}, C{0, 0, 0, 5, 0, 0}}},
        {"invalid start", {MediaTime::invalid(), MediaTime::make(1, 1)}, std::nullopt,
         TimecodeValidationError::Code::invalid},
        {"negative duration", {MediaTime::make(1, 1), MediaTime::make(-1, 1)}, std::nullopt,
         TimecodeValidationError::Code::invalid},
        {"infinite duration", {MediaTime::make(1, 1), MediaTime::makePositiveInfinity()}, std::nullopt},
        {"end beyond 24 hours", {MediaTime::make(86000, 1), MediaTime::make(400, 1)}, std::nullopt},
        {"terms beyond 64 bits", {MediaTime::make(kMax, 7), MediaTime::make(kMax, 3)}, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.expected) {
            const TimecodeClosedRange r = Timecode::closedRange(c.range, p);
            EXPECT_EQ(r.lowerBound.components, c.expected->first);
            EXPECT_EQ(r.upperBound.components, c.expected->second);
            EXPECT_EQ(r.upperBound.properties, p);
        } else {
            EXPECT_EQ(errorCode<TimecodeValidationError>([&] { return Timecode::closedRange(c.range, p); }), c.error);
        }
    }
}

}  // namespace
}  // namespace tallyvane
