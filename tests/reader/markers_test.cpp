// Marked ranges of a clip: kinds, names, source and timeline positions, visibility.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "model/marked_range.h"
#include "reader/markers.h"
#include "reader/node_extensions.h"
#include "reader_fixture.h"

namespace tallyvane {
namespace {

using testing::contains;
using Category = StoryElement::Category;

constexpr std::string_view kRanges = "marker | chapter-marker | keyword | rating | analysis-marker | unknown-range";

struct RangeExpectation {
    std::string name;
    std::string notes;
    std::string kind;
    double srcInpoint;
    double timelinePosition;
    double duration;
    bool visible;
};

class Markers : public ::testing::Test {
protected:
    // A 25 fps clip from 10s (250) for 4s, at timeline frame 1000.
    std::shared_ptr<StoryElement> clip = testing::clipElement(Category::assetclip, "25", 1000.0, 100.0, 250.0);
    testing::PassFixture fixture{testing::readerData("markers.fcpxml")};

    // Clip and ranges refer to each other; emptying the store at the end lets both go.
    void SetUp() override { fixture.store.insert(clip); }

    // The clip's position, 1000 frames, in seconds at the timeline's rate; its start 10s.
    void store(std::optional<TimecodeFrameRate> timelineRate) {
        const Fraction position = Fraction(1000, 1) * timelineRate.value_or(TimecodeFrameRate::fps25).frameDuration();
        storeMarkers(readMarkers(elementsOf(fixture.element("//asset-clip").xpath(kRanges))), clip, timelineRate,
                     {position, Fraction(4, 1), Fraction(10, 1)}, fixture.context.frames());
    }
    void expectRanges(const std::vector<RangeExpectation>& expected) const {
        const auto& ranges = clip->markedRanges();
        ASSERT_EQ(ranges.size(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i) {
            const MarkedRange& range = *ranges[i];
            const RangeExpectation& e = expected[i];
            EXPECT_EQ(range.clip(), clip);
            EXPECT_EQ(range.name(), e.name) << i;
            EXPECT_EQ(range.notes(), e.notes) << i;
            EXPECT_EQ(range.color(), e.kind) << i;
            EXPECT_TRUE(range.keywords().empty()) << i;
            EXPECT_DOUBLE_EQ(range.srcInpoint(), e.srcInpoint) << i;
            EXPECT_DOUBLE_EQ(range.timelinePosition(), e.timelinePosition) << i;
            EXPECT_DOUBLE_EQ(range.duration(), e.duration) << i;
            EXPECT_EQ(range.visible(), e.visible) << i;
        }
    }
};

TEST_F(Markers, AtTheClipsOwnRate) {
    store(std::nullopt);
    expectRanges({
        {"at in", "first note", "Standard", 250, 1000, 1, true},
        {"ten in", "", "Incomplete To-Do", 260, 1010, 1, true},
        {"before in", "", "Completed To-Do", 225, 1000, 1, true},  // before the in point: no offset
        {"after end", "", "Standard", 750, 1500, 1, false},
        {"chapter", "", "Chapter", 275, 1025, 1, true},
        {"wide, day", "", "keyword", 250, 1000, 125, true},
        {"Bad take", "out of focus", "rejected", 250, 1000, 50, true},
        {"", "", "favorite", 250, 1000, 50, true},
        {"odd", "", "", 250, 1000, 50, true},
        {"one Shot, close Up, excessive Shake", "", "analysis", 250, 1000, 25, true},
        {"no start", "", "Standard", 0, 1000, 0, true},
        {"unknown", "", "", 300, 1050, 0, true},
    });
    EXPECT_TRUE(contains(fixture.printed(), "\"fcpxmlRationalString is nil\"\n"));
    EXPECT_TRUE(contains(fixture.printed(), "assetclip\n"));
    EXPECT_TRUE(contains(fixture.printed(), clip->markedRanges().front()->debugDescription()));
    // The store holds the very ranges the clip lists.
    EXPECT_THAT(fixture.store.fetch<MarkedRange>(), ::testing::UnorderedElementsAreArray(clip->markedRanges()));
}

TEST_F(Markers, OffsetsAreCountedAtTheTimelineRate) {
    // The clip's own rate given as the timeline's changes nothing; at 50, 10 frames at 25 are 20.
    const std::vector<std::tuple<TimecodeFrameRate, double, double>> cases{
        {TimecodeFrameRate::fps25, 1010.0, 1025.0}, {TimecodeFrameRate::fps50, 1020.0, 1050.0}};
    for (const auto& [rate, ten, chapter] : cases) {
        clip->setMarkedRanges({});
        store(rate);
        const auto& ranges = clip->markedRanges();
        EXPECT_DOUBLE_EQ(ranges[0]->timelinePosition(), 1000.0) << rate.stringValue();
        EXPECT_DOUBLE_EQ(ranges[1]->timelinePosition(), ten) << rate.stringValue();
        EXPECT_DOUBLE_EQ(ranges[4]->timelinePosition(), chapter) << rate.stringValue();
        EXPECT_DOUBLE_EQ(ranges[1]->srcInpoint(), 260.0) << "source times stay at the clip's rate";
        EXPECT_FALSE(ranges[3]->visible());
    }
}

TEST_F(Markers, ATransitionsMarkersStartOneHourIn) {
    // At 20s (500 frames), counted from 3599.6s: the marker lies 0.4s (10 frames) in.
    auto transition = testing::clipElement(Category::transition, "25", 500.0, 25.0, 89990.0);
    fixture.store.insert(transition);
    storeMarkers(readMarkers(elementsOf(fixture.element("//transition").xpath("marker"))), transition, std::nullopt,
                 {Fraction(20, 1), Fraction(1, 1), Fraction(17998, 5)}, fixture.context.frames());
    ASSERT_EQ(transition->markedRanges().size(), 1u);
    EXPECT_DOUBLE_EQ(transition->markedRanges()[0]->srcInpoint(), 90000.0);
    EXPECT_DOUBLE_EQ(transition->markedRanges()[0]->timelinePosition(), 510.0);
    EXPECT_TRUE(transition->markedRanges()[0]->visible());
}

TEST_F(Markers, AnUnknownClipRateIsReadAtSixty) {
    clip->setTimecodeFrameRate("25.0");
    store(std::nullopt);
    EXPECT_DOUBLE_EQ(clip->markedRanges()[0]->srcInpoint(), 600.0);
    EXPECT_TRUE(contains(fixture.printed(), "Unknown frame rate 25.0"));
}

}  // namespace
}  // namespace tallyvane
