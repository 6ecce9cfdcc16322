// A timeline read whole: tracks numbered from lanes, positions of primary, connected and
// secondary items, transitions placed once, split audio, auditions, stills, generators and titles.

#include <gtest/gtest.h>

#include "model/audio_track.h"
#include "model/composition.h"
#include "model/event_bin.h"
#include "model/audio_fx.h"
#include "model/marked_range.h"
#include "model/speed_fx.h"
#include "model/video_fx.h"
#include "model/video_track.h"
#include "reader_fixture.h"

namespace tallyvane {
namespace {

using Category = StoryElement::Category;

struct Row {
    std::string name;
    Category category;
    double position;
    double duration;
    std::int64_t sortOrder;
    std::string clipCategory;
};

void expectRows(const std::vector<std::shared_ptr<StoryElement>>& elements, const std::vector<Row>& rows,
                std::string_view track) {
    ASSERT_EQ(elements.size(), rows.size()) << track;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const StoryElement& element = *elements[i];
        const Row& row = rows[i];
        EXPECT_EQ(element.name(), row.name) << track << ' ' << i;
        EXPECT_EQ(element.category(), row.category) << track << ' ' << row.name;
        EXPECT_DOUBLE_EQ(element.clipTimelinePosition(), row.position) << track << ' ' << row.name;
        EXPECT_DOUBLE_EQ(element.clipDuration(), row.duration) << track << ' ' << row.name;
        EXPECT_EQ(element.spreadsheetSortOrder(), row.sortOrder) << track << ' ' << row.name;
        EXPECT_EQ(element.timelineClipCategory(), row.clipCategory) << track << ' ' << row.name;
    }
}

class Timeline : public ::testing::Test {
protected:
    testing::ReadDocument read{testing::readerData("timeline.fcpxml")};
    std::shared_ptr<Composition> cut = read.composition("Cut");
};

TEST_F(Timeline, ElementsOnEachTrack) {
    // 25 frames a second. Primary items by kind (clips, then titles, then gaps); the
    // transition comes with the clip before it and is not placed again with the clip after.
    expectRows(testing::trackAt(cut->videoTracks(), 1)->elements(),
               {{"A", Category::assetclip, 0, 100, 100, "Primary video"},
                {"Cross Dissolve", Category::transition, 75, 25, 100, "Primary transition"},
                {"B", Category::assetclip, 100, 100, 100, "Primary video"},
                {"Take 1", Category::audition, 250, 50, 100, "Primary video"},
                {"Split", Category::assetclip, 300, 100, 100, "Primary video"},
                {"Still", Category::stillImage, 400, 50, 100, "Primary video"},
                {"Custom", Category::generator, 450, 25, 100, "Primary generator"},
                {"Gap", Category::gap, 200, 50, 100, "Primary gap"}},
               "V1");
    // Connected items count from their parent's start; the secondary storyline from the gap's offset.
    expectRows(testing::trackAt(cut->videoTracks(), 2)->elements(),
               {{"B-roll", Category::assetclip, 50, 25, 300, "Connected video"},
                {"Secondary", Category::assetclip, 400, 25, 200, "Secondary video"}},
               "V2");
    expectRows(testing::trackAt(cut->videoTracks(), 3)->elements(),
               {{"Basic Title", Category::title, 0, 50, 300, "Connected title"}}, "V3");
    // No audio for items without an audio role: the title, the gap, the still, the
    // generator, and the audition whose first take has no asset of its own.
    expectRows(testing::trackAt(cut->audioTracks(), 1)->elements(),
               {{"A", Category::assetclip, 0, 100, 110, "Primary video"},
                {"Cross Fade", Category::transition, 75, 25, 110, "Primary transition"},
                {"B", Category::assetclip, 100, 100, 110, "Primary video"},
                {"Split", Category::assetclip, 275, 125, 110, "Primary video"},
                {"Voice", Category::assetclip, 475, 25, 110, "Primary video"}},
               "A1");
    // Lane -1 and lane 1 both put audio on track 2.
    expectRows(testing::trackAt(cut->audioTracks(), 2)->elements(),
               {{"Music bed", Category::assetclip, 25, 50, 310, "Connected video"},
                {"B-roll", Category::assetclip, 50, 25, 310, "Connected video"},
                {"Secondary", Category::assetclip, 400, 25, 210, "Secondary video"}},
               "A2");
}

TEST_F(Timeline, EffectsAndRetimingGoWithEachCopy) {
    const auto& video = testing::trackAt(cut->videoTracks(), 1)->elements()[2];
    const auto& audio = testing::trackAt(cut->audioTracks(), 1)->elements()[2];
    ASSERT_EQ(video->name(), "B");
    ASSERT_EQ(audio->name(), "B");
    ASSERT_EQ(video->videoFX().size(), 1u);
    EXPECT_EQ(video->videoFX()[0]->name(), "Blur");
    EXPECT_FALSE(video->videoFX()[0]->enabled());
    EXPECT_TRUE(video->audioFX().empty());
    EXPECT_TRUE(audio->videoFX().empty());
    ASSERT_EQ(audio->audioFX().size(), 1u);
    EXPECT_EQ(audio->audioFX()[0]->settings(), "-6.0 dB");
    // Twice as fast: 4s of the timeline show 8s of the source.
    for (const auto& copy : {video, audio}) {
        ASSERT_NE(copy->speedFX(), nullptr);
        EXPECT_EQ(copy->speedFX()->name(), "Retime 200.0%");
        EXPECT_EQ(copy->srcDuration(), 200.0);
    }
    EXPECT_EQ(read.store.fetch<SpeedFX>().size(), 2u);
}

}  // namespace
}  // namespace tallyvane
