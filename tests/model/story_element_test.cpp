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
    struct Case {
        const char* label;
        std::optional<double> srcInpoint;
        std::optional<double> srcDuration;
        std::optional<TrackType> trackType;
    };
    const std::vector<Case> cases{
        {"all present", 86400.0, 48.0, TrackType::Audio},
        {"in point absent", std::nullopt, 12.0, TrackType::Video},
        {"all absent", std::nullopt, std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        auto asset = test::makeAsset("r2");
        auto compound = test::makeComposition("c9", "Compound", test::makeFormat());
        auto original = test::makeElement("clip-7", 240, StoryElement::Category::refclip, -4);
        original->setAsset(asset);
        original->setComposition(compound);
        original->setTrackType(c.trackType);
        original->setSrcInpoint(c.srcInpoint);
        original->setSrcDuration(c.srcDuration);
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
        EXPECT_EQ(copy->trackType(), c.trackType);
        EXPECT_EQ(copy->srcInpoint(), c.srcInpoint);
        EXPECT_EQ(copy->srcDuration(), c.srcDuration);
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
}

TEST(FreshRecordTest, OptionalValuesStartAsNoneAndAnEmptyListDiffersFromNone) {
    auto element = test::makeElement("e", 0);
    EXPECT_EQ(element->asset(), nullptr);
    EXPECT_EQ(element->composition(), nullptr);
    EXPECT_EQ(element->trackType(), std::nullopt);
    EXPECT_EQ(element->srcInpoint(), std::nullopt);
    EXPECT_EQ(element->srcDuration(), std::nullopt);
    EXPECT_EQ(element->speedFX(), nullptr);
    auto audio = std::make_shared<AudioFX>("EQ", "", std::nullopt, true, std::nullopt);
    EXPECT_EQ(audio->track(), std::nullopt);
    EXPECT_EQ(audio->params(), std::nullopt);
    auto none = std::make_shared<SpeedFX>("Fast", 200, std::nullopt);
    auto empty = std::make_shared<SpeedFX>("Fast", 200, FxParams{});
    EXPECT_FALSE(none->params().has_value());
    ASSERT_TRUE(empty->params().has_value());
    EXPECT_TRUE(empty->params()->empty());
    auto param = std::make_shared<FxKeyValueTime>("k", "v", std::nullopt);
    EXPECT_EQ(param->time(), std::nullopt);
    auto marker = test::makeMarker("m", 0);
    EXPECT_EQ(marker->clip(), nullptr);
}

}  // namespace
}  // namespace tallyvane
