#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/audio_fx.h"
#include "model/metadata.h"
#include "model/speed_fx.h"
#include "model/video_fx.h"
#include "model_builders.h"

namespace tallyvane {
namespace {

TEST(StoryElementTest, CopyRepeatsOwnValuesButNoAttachedRecords) {
    auto asset = test::makeAsset("r2");
    auto compound = test::makeComposition("c9", "Compound", test::makeFormat());
    auto original = test::makeElement("clip-7", 240, StoryElement::Category::refclip, -4);
    original->setAsset(asset);
    original->setComposition(compound);
    original->setTrackType(TrackType::Audio);
    original->setSrcInpoint(86400.0);
    original->setSrcDuration(48.0);
    original->setTimelineEnd(288.01);
    original->setSrcEnd(86448.01);
    original->setAudioSubroles({"Dialogue-1", "Dialogue-2"});
    original->setParams({{"font", "Helvetica"}, {"text", "Hello"}});
    original->setDescriptn("desc");
    original->setShottake("3");
    original->setAppleEffect(true);
    original->setEnabled(false);
    original->appendMarkedRange(test::makeMarker("one", 1));
    original->appendMarkedRange(test::makeMarker("two", 2));
    original->appendMetadata(std::make_shared<Metadata>("reel", "A", std::vector<std::string>{}));
    original->appendVideoFX(std::make_shared<VideoFX>("Blur", "", true, std::nullopt));
    original->appendAudioFX(std::make_shared<AudioFX>("EQ", "", std::nullopt, true, std::nullopt));
    original->setSpeedFX(std::make_shared<SpeedFX>("Slow", 50, std::nullopt));

    auto copy = original->copy();
    ASSERT_NE(copy, original);
    EXPECT_FALSE(*copy == *original);
    EXPECT_TRUE(copy->markedRanges().empty());
    EXPECT_TRUE(copy->metadata().empty());
    EXPECT_TRUE(copy->videoFX().empty());
    EXPECT_TRUE(copy->audioFX().empty());
    EXPECT_EQ(copy->speedFX(), nullptr);
    EXPECT_EQ(copy->asset(), asset);
    EXPECT_EQ(copy->composition(), compound);
    EXPECT_EQ(copy->trackType(), TrackType::Audio);
    EXPECT_EQ(copy->srcInpoint(), 86400.0);
    EXPECT_EQ(copy->srcDuration(), 48.0);
    EXPECT_EQ(copy->timelineEnd(), 288.01);
    EXPECT_EQ(copy->srcEnd(), 86448.01);
    EXPECT_EQ(copy->audioSubroles(), original->audioSubroles());
    EXPECT_EQ(copy->params(), original->params());
    EXPECT_EQ(copy->id(), "clip-7");
    EXPECT_EQ(copy->category(), StoryElement::Category::refclip);
    EXPECT_EQ(copy->spreadsheetSortOrder(), -4);
    EXPECT_EQ(copy->clipTimelinePosition(), 240);
    EXPECT_EQ(copy->descriptn(), "desc");
    EXPECT_EQ(copy->shottake(), "3");
    EXPECT_TRUE(copy->appleEffect());
    EXPECT_FALSE(copy->enabled());
    EXPECT_EQ(copy->debugDescription(), original->debugDescription());

    // The copy holds values, not views of the original.
    original->setAudioSubroles({});
    original->setParams({});
    EXPECT_EQ(copy->audioSubroles().size(), 2u);
    EXPECT_EQ(copy->params().at("font"), "Helvetica");
}

}  // namespace
}  // namespace tallyvane
