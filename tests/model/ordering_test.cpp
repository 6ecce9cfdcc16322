#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "model/event_bin.h"
#include "model_builders.h"

namespace tallyvane {
namespace {

using Category = StoryElement::Category;
using test::makeElement;
using test::makeMarker;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Irreflexive, asymmetric, transitive, and equivalence (neither smaller) transitive: what
// std::stable_sort needs of an ordering.
template <class T>
void expectStrictWeakOrdering(const std::vector<std::shared_ptr<T>>& items) {
    auto equivalent = [](const T& a, const T& b) { return !(a < b) && !(b < a); };
    for (const auto& a : items) {
        EXPECT_FALSE(*a < *a);
        for (const auto& b : items) {
            if (*a < *b) {
                EXPECT_FALSE(*b < *a);
            }
            for (const auto& c : items) {
                if (*a < *b && *b < *c) {
                    EXPECT_TRUE(*a < *c);
                }
                if (equivalent(*a, *b) && equivalent(*b, *c)) {
                    EXPECT_TRUE(equivalent(*a, *c));
                }
            }
        }
    }
}

template <class T>
std::vector<std::string> sortedIds(std::vector<std::shared_ptr<T>> items, auto idOf) {
    std::stable_sort(items.begin(), items.end(), [](const auto& a, const auto& b) { return *a < *b; });
    std::vector<std::string> ids;
    for (const auto& item : items) ids.push_back(idOf(*item));
    return ids;
}

TEST(StoryElementOrderTest, PairsCompareByPositionThenTransitionThenSortOrder) {
    struct Case {
        const char* label;
        double positionA;
        Category categoryA;
        std::int64_t orderA;
        double positionB;
        Category categoryB;
        std::int64_t orderB;
        bool aFirst;
        bool bFirst;
    };
    const std::vector<Case> cases{
        {"earlier position wins over category", 10, Category::assetclip, 9, 20, Category::transition, -9, true, false},
        {"transition before clip at one position", 5, Category::transition, 7, 5, Category::assetclip, -7, true, false},
        {"sort order ascending", 5, Category::assetclip, 1, 5, Category::title, 2, true, false},
        {"same position and order are equivalent", 5, Category::assetclip, 3, 5, Category::gap, 3, false, false},
        {"two transitions go by sort order", 5, Category::transition, 2, 5, Category::transition, 1, false, true},
        {"negative zero equals zero", -0.0, Category::assetclip, 0, 0.0, Category::assetclip, 0, false, false},
        {"NaN after every number", kNaN, Category::transition, 0, kInf, Category::assetclip, 0, false, true},
        {"two NaN positions go on to the transition rule", kNaN, Category::transition, 1, kNaN, Category::assetclip,
         0, true, false},
    };
    for (const auto& c : cases) {
        auto a = makeElement("a", c.positionA, c.categoryA, c.orderA);
        auto b = makeElement("b", c.positionB, c.categoryB, c.orderB);
        EXPECT_EQ(*a < *b, c.aFirst) << c.label;
        EXPECT_EQ(*b < *a, c.bFirst) << c.label;
        EXPECT_EQ(*a > *b, c.bFirst) << c.label;
        EXPECT_EQ(*a <= *b, !c.bFirst) << c.label;
        EXPECT_EQ(*a >= *b, !c.aFirst) << c.label;
        EXPECT_FALSE(*a == *b) << c.label;
    }
}

TEST(StoryElementOrderTest, StableSortOfAMixedTimeline) {
    const std::vector<std::shared_ptr<StoryElement>> elements{
        makeElement("nan", kNaN, Category::assetclip, 0),
        makeElement("clip@24#1", 24, Category::assetclip, 1),
        makeElement("title@24#0", 24, Category::title, 0),
        makeElement("cross@24", 24, Category::transition, 5),
        makeElement("gap@0", 0, Category::gap, 0),
        makeElement("clip@24#1-second", 24, Category::assetclip, 1),
        makeElement("neg@-12", -12, Category::assetclip, 0),
        makeElement("clip@24#-1", 24, Category::assetclip, -1),
        makeElement("nan-transition", kNaN, Category::transition, 3),
        makeElement("cross@24-early", 24, Category::transition, 0),
    };
    expectStrictWeakOrdering(elements);
    EXPECT_EQ(sortedIds(elements, [](const StoryElement& e) { return e.id(); }),
              (std::vector<std::string>{"neg@-12", "gap@0", "cross@24-early", "cross@24", "clip@24#-1", "title@24#0",
                                        "clip@24#1", "clip@24#1-second", "nan-transition", "nan"}));
}

TEST(MarkedRangeOrderTest, ByTimelinePositionOnly) {
    const std::vector<std::shared_ptr<MarkedRange>> ranges{
        makeMarker("300", 300), makeMarker("nan", kNaN), makeMarker("100", 100),
        makeMarker("200-first", 200), makeMarker("200-second", 200), makeMarker("-1", -1),
    };
    ranges[3]->setDuration(99);
    ranges[4]->setName("200-second");
    expectStrictWeakOrdering(ranges);
    EXPECT_FALSE(*ranges[3] < *ranges[4]);
    EXPECT_FALSE(*ranges[4] < *ranges[3]);
    EXPECT_EQ(sortedIds(ranges, [](const MarkedRange& r) { return r.name(); }),
              (std::vector<std::string>{"-1", "100", "200-first", "200-second", "300", "nan"}));
}

TEST(TrackOrderTest, ByLaneNumberWithNegativesFirst) {
    const std::vector<std::shared_ptr<VideoTrack>> video{test::makeVideoTrack(2), test::makeVideoTrack(-1),
                                                         test::makeVideoTrack(0), test::makeVideoTrack(2)};
    EXPECT_FALSE(*video[0] < *video[3]);
    EXPECT_FALSE(*video[3] < *video[0]);
    EXPECT_EQ(sortedIds(video, [](const VideoTrack& t) { return std::to_string(t.trackIdx()); }),
              (std::vector<std::string>{"-1", "0", "2", "2"}));

    const std::vector<std::shared_ptr<AudioTrack>> audio{
        test::makeAudioTrack(std::numeric_limits<std::int64_t>::max()), test::makeAudioTrack(3),
        test::makeAudioTrack(std::numeric_limits<std::int64_t>::min())};
    EXPECT_EQ(sortedIds(audio, [](const AudioTrack& t) { return std::to_string(t.trackIdx()); }),
              (std::vector<std::string>{"-9223372036854775808", "3", "9223372036854775807"}));
}

TEST(EventBinOrderTest, ByNormalisedCodePoints) {
    struct Case {
        const char* label;
        std::string a;
        std::string b;
        bool aFirst;
        bool bFirst;
    };
    const std::vector<Case> cases{
        {"identical", "Day 1", "Day 1", false, false},
        {"canonically equivalent", "Caf\u00e9", "Cafe\u0301", false, false},
        {"case-sensitive: capitals first", "Zebra", "apple", true, false},
        {"code points, not numeric", "Day 10", "Day 2", true, false},
        {"prefix first", "Day", "Day 1", true, false},
        {"empty first", "", "a", true, false},
        {"beyond the basic plane", "\U0001F600", "\uFFFD", false, true},
    };
    for (const auto& c : cases) {
        auto a = test::makeEvent(c.a);
        auto b = test::makeEvent(c.b);
        EXPECT_EQ(*a < *b, c.aFirst) << c.label;
        EXPECT_EQ(*b < *a, c.bFirst) << c.label;
    }
}

}  // namespace
}  // namespace tallyvane
