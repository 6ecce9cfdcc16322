// Events and their browser clips, compound clips and timelines, and the rules of the
// builder that the timeline and sample tests do not reach.

#include <gtest/gtest.h>

#include "model/asset.h"
#include "model/audio_track.h"
#include "model/composition.h"
#include "model/event_bin.h"
#include "model/video_track.h"
#include "model/marked_range.h"
#include "reader/node_extensions.h"
#include "reader/sequences.h"
#include "reader/story_elements.h"
#include "reader/video_formats.h"
#include "reader_fixture.h"

namespace tallyvane {
namespace {

using Category = StoryElement::Category;

const std::string kResources = R"(<resources>
  <format id="r1" name="FFVideoFormat1080p25" frameDuration="100/2500s" width="1920" height="1080"/>
  <format id="r2" name="FFVideoFormat1080i5994" frameDuration="1001/30000s" width="1920" height="1080"/>
  <asset id="a1" name="Picture" start="10s" duration="20s" hasVideo="1" hasAudio="1" format="r1"/>
  <asset id="a2" name="Sound" start="0s" duration="20s" hasAudio="1"/>
  <asset id="a3" name="Photo" start="0s" duration="0s" hasVideo="1" format="r1"/>
  <asset id="a4" name="Interlaced" start="0s" duration="20s" hasVideo="1" format="r2"/>
</resources>)";

std::string document(const std::string& body) {
    return "<fcpxml version=\"1.9\">" + kResources + body + "</fcpxml>";
}

std::vector<std::string> binNames(const Store& store) {
    std::vector<std::string> names;
    for (const auto& bin : store.fetch<EventBin>()) names.push_back(bin->name());
    return names;
}

TEST(Events, OneBinPerEventInDocumentOrder) {
    testing::ReadDocument read(document(
        R"(<library><event name="Day 2"/><event name="fcpxml"/><event/><event name=""/><event name="Day 1"/></library>)"));
    EXPECT_EQ(binNames(read.store),
              (std::vector<std::string>{"Day 2", "FCP Event", "FCP Event", "FCP Event", "Day 1"}));
}

TEST(Events, WithoutEventsTheDocumentIsTheEvent) {
    testing::ReadDocument read(document(R"(<asset-clip ref="a1" name="Loose"/>
        <library><asset-clip ref="a2" name="Deeper"/></library>
        <project name="Cut"><sequence format="r1" duration="1s"><spine/></sequence></project>)"));
    ASSERT_EQ(binNames(read.store), std::vector<std::string>{"FCP Event"});
    const auto bin = read.store.fetch<EventBin>()[0];
    ASSERT_EQ(bin->clips().size(), 1u);
    EXPECT_EQ(bin->clips()[0]->name(), "Loose");
    ASSERT_EQ(bin->storyCompositions().size(), 1u);
    EXPECT_EQ(bin->storyCompositions()[0]->name(), "Cut");
}

TEST(Events, BrowserClips) {
    testing::ReadDocument read(document(R"(<library><event name="Shoot">
        <asset-clip ref="a1" tcFormat="DF"><note>good take</note><marker start="12s" value="m"/></asset-clip>
        <clip name="Wrapped"><video ref="a1"/></clip>
        <asset-clip ref="a3" name="Still"/>
        <asset-clip ref="a2" name="Audio"/>
        <asset-clip ref="missing" name="Dropped"/>
        <asset-clip ref="a4" name="Fields" tcFormat="DF"/>
        <project name="P"><sequence format="r1"><spine><asset-clip ref="a1" name="On timeline" duration="1s"/></spine></sequence></project>
      </event></library>)"));
    const auto bins = read.store.fetch<EventBin>();
    ASSERT_EQ(bins.size(), 1u);
    const auto& clips = bins[0]->clips();
    struct Expected {
        std::string name;
        Category category;
        std::optional<TrackType> trackType;
        std::string rate;
        double srcInpoint;
        double srcDuration;
    };
    // Asset times at the asset's rate: 10s and 20s at 25 fps; audio at 60; 29.97i timed as 29.97.
    const std::vector<Expected> expected{{"Picture", Category::assetclip, TrackType::Video, "25", 250, 500},
                                         {"Wrapped", Category::assetclip, TrackType::Video, "25", 250, 500},
                                         {"Still", Category::stillImage, TrackType::Video, "25", 0, 0},
                                         {"Audio", Category::assetclip, TrackType::Audio, "60", 0, 1200},
                                         {"Fields", Category::assetclip, TrackType::Video, "29.97d", 0, 599.4}};
    ASSERT_EQ(clips.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const StoryElement& clip = *clips[i];
        EXPECT_EQ(clip.name(), expected[i].name);
        EXPECT_EQ(clip.category(), expected[i].category) << clip.name();
        EXPECT_EQ(clip.trackType(), expected[i].trackType) << clip.name();
        EXPECT_EQ(clip.timecodeFrameRate(), expected[i].rate) << clip.name();
        EXPECT_DOUBLE_EQ(clip.srcInpoint().value_or(-1), expected[i].srcInpoint) << clip.name();
        EXPECT_DOUBLE_EQ(clip.srcDuration().value_or(-1), expected[i].srcDuration) << clip.name();
        EXPECT_DOUBLE_EQ(clip.firstFrame(), expected[i].srcInpoint) << clip.name();
        EXPECT_DOUBLE_EQ(clip.clipTimelinePosition(), 0) << clip.name();
        EXPECT_DOUBLE_EQ(clip.clipDuration(), 0) << clip.name();
        EXPECT_EQ(clip.spreadsheetSortOrder(), 999) << clip.name();
        EXPECT_EQ(clip.timelineClipCategory(), "Shoot") << clip.name();
    }
    EXPECT_EQ(clips[0]->notes(), "good take");
    ASSERT_EQ(clips[0]->markedRanges().size(), 1u);
    EXPECT_DOUBLE_EQ(clips[0]->markedRanges()[0]->srcInpoint(), 300);
    EXPECT_EQ(clips[3]->videoRole(), "");
    EXPECT_EQ(clips[3]->audioRole(), "Dialogue");
}

TEST(Sequences, CompoundClipsAndTimelines) {
    testing::ReadDocument read(document(R"(<resources>
          <media id="m1" name="First" uid="u1"><sequence format="r1" duration="2s"/></media>
          <media id="m2"><sequence format="r1"/></media>
          <media id="m3" name="Third"><sequence format="nowhere" duration="2s" tcFormat="DF"/></media>
        </resources>
        <library><event name="E">
          <project name="Drop"><sequence format="r2" tcFormat="DF" start="10s" audioRate="44.1k" audioLayout="mono"/></project>
          <project><sequence format="r2" tcFormat="df" tcStart="1s" start="10s" audioRate="fast"/></project>
        </event></library>)"));
    const auto compositions = read.store.fetch<Composition>();
    struct Expected {
        std::string name;
        std::string id;
        Composition::Category category;
        std::string formatID;
        std::string rate;
        double firstFrame;
        double duration;
        std::string layout;
        std::int64_t sampleRate;
    };
    const std::vector<Expected> expected{
        {"First", "u1", Composition::Category::CompoundClip, "r1", "25", 0, 50, "stereo", 48000},
        {"Compound Clip 1", "", Composition::Category::CompoundClip, "r1", "25", 0, 0, "stereo", 48000},
        // No such format: nothing timed, nothing read.
        {"Third", "", Composition::Category::CompoundClip, "default", "", 0, 0, "", 48000},
        {"Drop", "", Composition::Category::TimelineSequence, "r2", "29.97d", 299.7, 0, "mono", 44100},
        // Only "DF" is drop frame; "tcStart" wins over "start".
        {"FCP Project 1", "", Composition::Category::TimelineSequence, "r2", "29.97", 29.97, 0, "stereo", 48000}};
    ASSERT_EQ(compositions.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const Composition& c = *compositions[i];
        EXPECT_EQ(c.name(), expected[i].name);
        EXPECT_EQ(c.id(), expected[i].id) << c.name();
        EXPECT_EQ(c.category(), expected[i].category) << c.name();
        EXPECT_EQ(c.videoFormat()->id(), expected[i].formatID) << c.name();
        EXPECT_EQ(c.timecodeFrameRate(), expected[i].rate) << c.name();
        EXPECT_DOUBLE_EQ(c.firstFrame(), expected[i].firstFrame) << c.name();
        EXPECT_DOUBLE_EQ(c.duration(), expected[i].duration) << c.name();
        EXPECT_EQ(c.audioChannelLayout(), expected[i].layout) << c.name();
        EXPECT_EQ(c.audioSampleRate(), expected[i].sampleRate) << c.name();
    }
    EXPECT_TRUE(testing::contains(read.log.str(), "\"CANNOT find a matching format\""));
    EXPECT_EQ(read.store.fetch<EventBin>()[0]->storyCompositions().size(), 2u);
}

TEST(Sequences, ATimelineWithoutEventIsNotKept) {
    testing::PassFixture fixture(document(R"(<project name="P"><sequence format="r1"/></project>)"));
    storeFormats(fixture.context);
    storeSequences(elementsOf(fixture.context.root().xpath("project/sequence")),
                   Composition::Category::TimelineSequence, nullptr, fixture.context);
    storeSequences(elementsOf(fixture.context.root().xpath("project/sequence")), Composition::Category::Multicam,
                   nullptr, fixture.context);
    EXPECT_TRUE(fixture.store.fetch<Composition>().empty());
}

TEST(Sequences, CaptionsBelowConnectedItemsAreSecondary) {
    testing::ReadDocument read(document(R"(<library><event name="E"><project name="P">
        <sequence format="r1"><spine>
          <asset-clip ref="a1" offset="0s" start="10s" duration="4s">
            <caption lane="1" offset="11s" duration="1s" role="iTT?captionFormat=ITT.en"/>
            <asset-clip ref="a1" lane="2" offset="12s" start="0s" duration="2s">
              <caption lane="1" offset="1s" duration="1s"/>
            </asset-clip>
          </asset-clip>
        </spine></sequence></project></event></library>)"));
    const auto timeline = read.composition("P");
    ASSERT_NE(timeline, nullptr);
    // The caption under the primary clip is connected; the one under the connected clip
    // is secondary. Both have lane 1, so both are on track 2, after each other.
    const auto v2 = testing::trackAt(timeline->videoTracks(), 2);
    ASSERT_NE(v2, nullptr);
    ASSERT_EQ(v2->elements().size(), 2u);
    const StoryElement& connected = *v2->elements()[0];
    EXPECT_EQ(connected.category(), Category::caption);
    EXPECT_EQ(connected.timelineClipCategory(), "Caption");
    EXPECT_TRUE(connected.appleEffect());
    EXPECT_EQ(connected.videoRole(), "ITT \u25B8 En");
    EXPECT_EQ(connected.spreadsheetSortOrder(), 300);
    EXPECT_DOUBLE_EQ(connected.clipTimelinePosition(), 25);
    const StoryElement& secondary = *v2->elements()[1];
    EXPECT_EQ(secondary.category(), Category::caption);
    EXPECT_EQ(secondary.spreadsheetSortOrder(), 200);
    // Its clip starts at 0 of its source and stands 2s into the primary clip's 4s.
    EXPECT_DOUBLE_EQ(secondary.clipTimelinePosition(), 75);
}

TEST(Builder, ClipRatesLanesAndSkippedLists) {
    testing::ReadDocument read(document(R"(<library><event name="E"><project name="P">
        <sequence format="r1"><spine>
          <asset-clip ref="a4" name="Fields DF" offset="0s" duration="1s" tcFormat="DF"/>
          <asset-clip ref="a4" name="Named format" offset="1s" duration="1s" format="r1"/>
          <asset-clip ref="a2" name="Sound DF" offset="2s" duration="1s" tcFormat="DF"/>
          <asset-clip ref="a1" name="Odd lane" lane="up" offset="3s" duration="1s"/>
        </spine></sequence></project></event></library>)"));
    const auto timeline = read.composition("P");
    ASSERT_NE(timeline, nullptr);
    const auto v1 = testing::trackAt(timeline->videoTracks(), 1);
    const auto a1 = testing::trackAt(timeline->audioTracks(), 1);
    ASSERT_TRUE(v1 && a1);
    ASSERT_EQ(v1->elements().size(), 2u);
    EXPECT_EQ(v1->elements()[0]->timecodeFrameRate(), "29.97d");
    EXPECT_EQ(v1->elements()[1]->timecodeFrameRate(), "25");
    ASSERT_EQ(a1->elements().size(), 1u);
    EXPECT_EQ(a1->elements()[0]->timecodeFrameRate(), "60d");
    // A lane that is no number puts the clip on no track.
    EXPECT_TRUE(testing::contains(read.log.str(), "can't turn lane into an Int"));
    EXPECT_EQ(timeline->videoTracks().size(), 1u);
}

TEST(Builder, EffectsNameGeneratorsAndTitles) {
    testing::ReadDocument read(document(R"(<resources>
          <effect id="e1" name="Plain"/>
          <effect id="e2" name="Library" uid="/Library/Application Support/Generators/Glow.motn"/>
          <effect id="e3" uid="~/Movies/Titles/Lower Third.moti"/>
          <effect id="e4" name="Bundled" uid=".../Generators.localized/Solids.localized/Solid.motn"/>
        </resources>
        <library><event name="E"><project name="P"><sequence format="r1"><spine>
          <video ref="e1" name="v1" offset="0s" duration="1s"/>
          <video ref="e2" name="v2" offset="1s" duration="1s"/>
          <video ref="e4" name="v3" offset="2s" duration="1s"/>
          <video ref="a1" name="v4" offset="3s" duration="1s"/>
          <title ref="e3" name="t1" offset="4s" duration="1s"/>
          <title ref="e9" name="t2" offset="5s" duration="1s"/>
          <gap name="G" offset="6s" duration="1s"/>
          <asset-clip ref="a1" name="Z" offset="7s" duration="0s"/>
          <transition name="T" offset="7s" duration="1s"/>
        </spine></sequence></project></event></library>)"));
    const auto timeline = read.composition("P");
    ASSERT_NE(timeline, nullptr);
    const auto v1 = testing::trackAt(timeline->videoTracks(), 1);
    ASSERT_NE(v1, nullptr);
    struct Expected {
        std::string name;
        Category category;
        std::string clipCategory;
        bool appleEffect;
    };
    // A video element naming an effect is a generator named after it; an effect from the
    // user's or the system's library is no built-in one, an effect without "uid" is. The
    // clip without duration makes nothing, and so neither does the transition beside it.
    const std::vector<Expected> expected{{"Plain", Category::generator, "Primary generator", true},
                                         {"Library", Category::generator, "Primary generator", false},
                                         {"Bundled", Category::generator, "Primary generator", true},
                                         {"v4", Category::assetclip, "Primary video", false},
                                         {"t1", Category::title, "Primary title", false},
                                         {"t2", Category::title, "Primary title", false},
                                         {"G", Category::gap, "Primary gap", false}};
    ASSERT_EQ(v1->elements().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const StoryElement& element = *v1->elements()[i];
        EXPECT_EQ(element.name(), expected[i].name) << i;
        EXPECT_EQ(element.category(), expected[i].category) << expected[i].name;
        EXPECT_EQ(element.timelineClipCategory(), expected[i].clipCategory) << expected[i].name;
        EXPECT_EQ(element.appleEffect(), expected[i].appleEffect) << expected[i].name;
        EXPECT_DOUBLE_EQ(element.clipTimelinePosition(), 25.0 * static_cast<double>(i)) << expected[i].name;
    }
    EXPECT_EQ(timeline->videoTracks().size(), 1u);
}

TEST(Builder, AListOfUnknownRateIsSkipped) {
    testing::PassFixture fixture(document(R"(<spine><asset-clip ref="a1" duration="1s"/></spine>)"));
    auto composition = std::make_shared<Composition>(
        "", "Untimed", 0.0, 0.0, "", makeDefaultVideoFormat(), std::vector<std::shared_ptr<VideoTrack>>{}, "", 48000,
        std::vector<std::shared_ptr<AudioTrack>>{}, std::vector<std::shared_ptr<MarkedRange>>{},
        std::vector<std::shared_ptr<Metadata>>{}, "", Composition::Category::CompoundClip);
    storeStoryElements(elementsOf(fixture.context.root().xpath("spine/asset-clip")),
                       {StorylineContext::Primary, composition, 0, "", "", std::nullopt}, fixture.context);
    EXPECT_TRUE(composition->videoTracks().empty());
    EXPECT_TRUE(testing::contains(fixture.printed(), "Skipping 1 elements of Untimed"));
}

}  // namespace
}  // namespace tallyvane
