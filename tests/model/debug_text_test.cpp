#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "model/audio_fx.h"
#include "model/event_bin.h"
#include "model/metadata.h"
#include "model/speed_fx.h"
#include "model/video_fx.h"
#include "model_builders.h"

namespace tallyvane {
namespace {

using test::makeAsset;
using test::makeComposition;
using test::makeElement;
using test::makeFormat;

struct DebugTextCase {
    std::string label;
    std::string actual;
    std::string expected;
};

void expectTexts(const std::vector<DebugTextCase>& cases) {
    for (const auto& c : cases) EXPECT_EQ(c.actual, c.expected) << c.label;
}

TEST(DebugTextTest, EventsFormatsAndAssets) {
    auto event = std::make_shared<EventBin>(
        "Day 1", std::vector{makeElement("a", 0), makeElement("b", 0), makeElement("c", 0)},
        std::vector{makeComposition("c1", "Edit", makeFormat())});
    auto format = std::make_shared<VideoFormat>("r1", "FFVideoFormat1080i5994", "29.97i", "1001/30000s", 1920, 1080,
                                                false, "upper first", "square");
    auto asset = std::make_shared<Asset>("r2", "Clip \"A\"", 86400.5, 1e-05, "29.97d", format,
                                         Url("file:///Volumes/Media/A%20001.mov"), false, false, true, false,
                                         "1920 \u00d7 1080", "48k", "Cam", Asset::Category::AV);
    auto assetWithoutUrl = makeAsset("r3");
    assetWithoutUrl->setFirstFrame(-3);
    assetWithoutUrl->setDuration(std::numeric_limits<double>::quiet_NaN());

    expectTexts({
        {"event", event->debugDescription(), "EventBin: \"Day 1\", 3 clips, 1 storyCompositions\n"},
        {"format", format->debugDescription(), "VideoFormat r1: \"FFVideoFormat1080i5994\", 29.97i, 1920x1080\n"},
        {"asset", asset->debugDescription(),
         "Asset r2: \"Clip \"A\"\", /Volumes/Media/A 001.mov\n        start: 86400.5\u0192, duration: 1e-05\u0192\n"},
        {"asset without url", assetWithoutUrl->debugDescription(),
         "Asset r3: \"A001\", \n        start: -3.0\u0192, duration: nan\u0192\n"},
    });
}

TEST(DebugTextTest, CompositionsAndTracks) {
    auto composition = makeComposition("c1", "Edit", makeFormat());
    composition->setCategory(Composition::Category::CompoundClip);
    composition->appendVideoTrack(test::makeVideoTrack(0));
    composition->appendVideoTrack(test::makeVideoTrack(1));
    composition->appendAudioTrack(test::makeAudioTrack(-1));

    auto video = std::make_shared<VideoTrack>(2, "B-roll", true, "angle-7",
                                              std::vector{makeElement("e1", 0), makeElement("e2", 48)});
    auto emptyVideo = test::makeVideoTrack(0);
    auto audio = std::make_shared<AudioTrack>(-3, "Mix", false, "a9", "Stereo", std::vector{makeElement("e3", 12.5)});

    const std::string e1 = "StoryElement assetclip: \"Clip\" @0.0\u0192, roles: Video Dialogue, id: e1\n";
    const std::string e2 = "StoryElement assetclip: \"Clip\" @48.0\u0192, roles: Video Dialogue, id: e2\n";
    const std::string e3 = "StoryElement assetclip: \"Clip\" @12.5\u0192, roles: Video Dialogue, id: e3\n";
    expectTexts({
        {"composition", composition->debugDescription(),
         "Composition: CompoundClip, \"Edit\", 2 Video Tracks, 1 Audio Tracks \n"},
        {"video track", video->debugDescription(),
         "VideoTrack 2: name=B-roll, angleID=angle-7, 2 elements \n [" + e1 + ", " + e2 + "]"},
        {"empty video track", emptyVideo->debugDescription(), "VideoTrack 0: name=V0, angleID=, 0 elements \n []"},
        {"audio track", audio->debugDescription(),
         "AudioTrack -3: name=Mix, angleId=a9, 1 elements \n [" + e3 + "]"},
    });
}

TEST(DebugTextTest, StoryElementsRangesMetadataAndEffects) {
    auto unset = makeElement("x-1", 1.0 / 3.0, StoryElement::Category::null);
    unset->setName("");
    unset->setVideoRole("");
    unset->setAudioRole("");
    auto still = makeElement("s", -0.0, StoryElement::Category::stillImage);
    still->setName("Photo");
    still->setVideoRole("Titles \u25b8 Lower");

    auto hidden = std::make_shared<MarkedRange>(nullptr, "To do", "n", std::vector<std::string>{"k"}, 10, 20, 0.25,
                                                false, "Red");
    auto shown = std::make_shared<MarkedRange>(nullptr, "", "", std::vector<std::string>{}, 1e16, 0.1, 1, true, "");
    auto metadata = std::make_shared<Metadata>("com.example.reel", "A\"7", std::vector<std::string>{"x", "y"});
    auto emptyMetadata = std::make_shared<Metadata>("", "", std::vector<std::string>{});

    auto blur = std::make_shared<VideoFX>("Gaussian", "Amount: 5", false, std::nullopt);
    auto colour = std::make_shared<VideoFX>("Color", "", true, FxParams{});
    auto eq = std::make_shared<AudioFX>("EQ", "Flat", std::string("A1"), false, std::nullopt);
    auto fast = std::make_shared<SpeedFX>("Fast", 200, std::nullopt);
    auto slow = std::make_shared<SpeedFX>("", 33.333333333333336, FxParams{});

    expectTexts({
        {"unset element", unset->debugDescription(), "StoryElement null: \"\" @0.3333333333333333\u0192, roles:  , id: x-1\n"},
        {"still image", still->debugDescription(),
         "StoryElement stillImage: \"Photo\" @-0.0\u0192, roles: Titles \u25b8 Lower Dialogue, id: s\n"},
        {"hidden range", hidden->debugDescription(),
         "Red: \"To do\", srcIn: 10.0, timelinePosition: 20.0, duration: 0.25, visible: false\n"},
        {"shown range", shown->debugDescription(),
         ": \"\", srcIn: 1e+16, timelinePosition: 0.1, duration: 1.0, visible: true\n"},
        {"metadata", metadata->debugDescription(), "Metadata: com.example.reel = \"A\"7\"\n"},
        {"empty metadata", emptyMetadata->debugDescription(), "Metadata:  = \"\"\n"},
        {"disabled video effect", blur->debugDescription(), "VideoFx: \"Gaussian\": Amount: 5, enabled=false \n"},
        {"enabled video effect", colour->debugDescription(), "VideoFx: \"Color\": , enabled=true \n"},
        {"audio effect", eq->debugDescription(), "AudioFx: \"EQ\", Flat \n"},
        {"speed", fast->debugDescription(), "SpeedFx: \"Fast\", 200.0 % \n"},
        {"fractional speed", slow->debugDescription(), "SpeedFx: \"\", 33.333333333333336 % \n"},
    });
}

}  // namespace
}  // namespace tallyvane
