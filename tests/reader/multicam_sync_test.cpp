// Multicams and sync clips: angles on their own tracks, a multicam clip shown as the angle
// clips under its start, a sync clip as the clips of its storyline, and the event's own
// sync, multicam and reference clips.

#include <gtest/gtest.h>

#include "model/audio_track.h"
#include "model/composition.h"
#include "model/event_bin.h"
#include "model/video_track.h"
#include "reader_fixture.h"

namespace tallyvane {
namespace {

using Category = StoryElement::Category;

struct Shown {
    std::string name;
    Category category;
    std::optional<TrackType> trackType;
    double position;
    double duration;
    std::optional<double> srcInpoint;
    std::string clipCategory;
    std::string compositionName;  // "" for none
};

void expectShown(const std::vector<std::shared_ptr<StoryElement>>& elements, const std::vector<Shown>& expected,
                 std::string_view track) {
    ASSERT_EQ(elements.size(), expected.size()) << track;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const StoryElement& element = *elements[i];
        const Shown& row = expected[i];
        EXPECT_EQ(element.name(), row.name) << track << ' ' << i;
        EXPECT_EQ(element.category(), row.category) << track << ' ' << row.name;
        EXPECT_EQ(element.trackType(), row.trackType) << track << ' ' << row.name;
        EXPECT_DOUBLE_EQ(element.clipTimelinePosition(), row.position) << track << ' ' << row.name;
        EXPECT_DOUBLE_EQ(element.clipDuration(), row.duration) << track << ' ' << row.name;
        EXPECT_EQ(element.srcInpoint(), row.srcInpoint) << track << ' ' << row.name;
        EXPECT_EQ(element.timelineClipCategory(), row.clipCategory) << track << ' ' << row.name;
        EXPECT_EQ(element.composition() ? element.composition()->name() : "", row.compositionName)
            << track << ' ' << row.name;
    }
}

class MulticamSync : public ::testing::Test {
protected:
    testing::ReadDocument read{testing::readerData("multicam_sync.fcpxml")};
};

TEST_F(MulticamSync, TimelineShowsTheChosenAnglesAndTheSyncedClips) {
    const auto edit = read.composition("Edit");
    ASSERT_NE(edit, nullptr);
    ASSERT_EQ(edit->videoTracks().size(), 1u);
    ASSERT_EQ(edit->audioTracks().size(), 1u);
    // The multicam clip starts 5s into the multicam: the video angle's second clip (from 4s,
    // its source from 10s) is under it, 11s (275 frames) into its source; the audio angle's
    // one clip 5s (125 frames) in. A multicam clip without a reference shows itself. The sync clip shows
    // the picture of its storyline under its own name.
    expectShown(edit->videoTracks()[0]->elements(),
                {{"A2 clip", Category::assetclip, TrackType::Video, 0, 50, 275.0, "Primary clip", "MC"},
                 {"No ref", Category::mcclip, TrackType::Video, 50, 25, 0.0, "Primary video", ""},
                 {"Sync", Category::assetclip, TrackType::Video, 75, 50, 0.0, "Primary video", "Sync"}},
                "V1");
    expectShown(edit->audioTracks()[0]->elements(),
                {{"MC use", Category::mcclip, TrackType::Audio, 0, 50, 125.0, "Primary video", ""},
                 {"B clip", Category::assetclip, TrackType::Audio, 0, 50, 125.0, "Primary clip", "MC"},
                 {"No ref", Category::mcclip, TrackType::Audio, 50, 25, 0.0, "Primary video", ""},
                 {"Sync", Category::syncclip, TrackType::Audio, 75, 50, 0.0, "Primary video", "Sync"},
                 {"Sync", Category::assetclip, TrackType::Audio, 75, 50, 0.0, "Primary audio", "Sync"},
                 {"Sync", Category::assetclip, TrackType::Audio, 75, 50, 0.0, "Primary synced audio", "Sync"}},
                "A1");
}

TEST_F(MulticamSync, AnInactiveSyncSourceSwitchesItsTrackOff) {
    for (const std::string_view name : {"Sync", "Event Sync"}) {
        const auto sync = read.composition(name);
        ASSERT_NE(sync, nullptr);
        EXPECT_EQ(sync->timecodeFrameRate(), "25");
        std::vector<std::tuple<std::int64_t, std::string, bool>> tracks;
        for (const auto& track : sync->audioTracks()) tracks.emplace_back(track->trackIdx(), track->name(), track->enabled());
        EXPECT_EQ(tracks, (std::vector<std::tuple<std::int64_t, std::string, bool>>{{1, "storyline", true},
                                                                                   {2, "connected", false}}))
            << name;
        ASSERT_EQ(sync->videoTracks().size(), 1u);
        EXPECT_EQ(sync->videoTracks()[0]->name(), "storyline");
    }
}

TEST_F(MulticamSync, EventClipsAfterTheBrowserClips) {
    const auto bins = read.store.fetch<EventBin>();
    ASSERT_EQ(bins.size(), 1u);
    const auto& clips = bins[0]->clips();
    ASSERT_EQ(clips.size(), 4u);
    const std::vector<std::tuple<std::string, Category, std::string, std::string>> expected{
        {"Browser", Category::assetclip, "", ""},
        {"Event MC", Category::mcclip, "r10", "MC"},
        {"Ref", Category::refclip, "r99", ""},
        {"Event Sync", Category::syncclip, "", "Event Sync"}};
    for (std::size_t i = 0; i < clips.size(); ++i) {
        const auto& [name, category, id, composition] = expected[i];
        EXPECT_EQ(clips[i]->name(), name);
        EXPECT_EQ(clips[i]->category(), category) << name;
        EXPECT_EQ(clips[i]->id(), id) << name;
        EXPECT_EQ(clips[i]->composition() ? clips[i]->composition()->name() : "", composition) << name;
        EXPECT_EQ(clips[i]->timelineClipCategory(), "Shoot") << name;
        EXPECT_DOUBLE_EQ(clips[i]->clipTimelinePosition(), 0) << name;
        EXPECT_EQ(clips[i]->spreadsheetSortOrder(), 999) << name;
    }
    EXPECT_EQ(clips[0]->trackType(), TrackType::Video);
    EXPECT_EQ(clips[1]->trackType(), std::nullopt);
    // Without a format of its own an event's multicam clip is timed at 60 frames a second.
    EXPECT_EQ(clips[1]->timecodeFrameRate(), "60");
    EXPECT_EQ(clips[1]->srcDuration(), 240.0);
    EXPECT_EQ(clips[3]->timecodeFrameRate(), "25");
    EXPECT_EQ(clips[1]->audioRole(), "Dialogue");
}

TEST(Multicams, MediaWithoutIdentifierAndAnglesInOrder) {
    testing::ReadDocument read(R"(<fcpxml version="1.10"><resources>
        <format id="r1" name="FFVideoFormat1080p25" frameDuration="100/2500s"/>
        <asset id="a" name="Cam" start="0s" duration="100s" hasVideo="1" format="r1"/>
        <media name="Lost"><multicam format="r1"><mc-angle name="X" angleID="x">
          <asset-clip ref="a" name="never" duration="1s"/></mc-angle></multicam></media>
        <media id="m3" name="Three"><multicam format="r1">
          <mc-angle name="One" angleID="1"><asset-clip ref="a" name="c1" offset="0s" duration="1s"/></mc-angle>
          <mc-angle angleID="2"/>
          <mc-angle name="Three"><asset-clip ref="a" name="c3" offset="0s" duration="1s"/></mc-angle>
        </multicam></media></resources></fcpxml>)");
    const auto compositions = read.store.fetch<Composition>();
    ASSERT_EQ(compositions.size(), 2u);
    // Without an identifier the multicam is kept as it was made: nothing names it, nothing is read.
    EXPECT_EQ(compositions[0]->id(), "");
    EXPECT_EQ(compositions[0]->name(), "");
    EXPECT_EQ(compositions[0]->timecodeFrameRate(), "");
    EXPECT_TRUE(compositions[0]->videoTracks().empty());
    EXPECT_TRUE(compositions[0]->audioTracks().empty());
    // Each angle's clips land on the track of its position; an empty angle keeps its number.
    std::vector<std::tuple<std::int64_t, std::string, std::string, std::string>> tracks;
    for (const auto& track : compositions[1]->videoTracks()) {
        ASSERT_EQ(track->elements().size(), 1u);
        tracks.emplace_back(track->trackIdx(), track->name(), track->angleID(), track->elements()[0]->name());
    }
    EXPECT_EQ(tracks, (std::vector<std::tuple<std::int64_t, std::string, std::string, std::string>>{
                          {1, "One", "1", "c1"}, {3, "Three", "", "c3"}}));
}

TEST(SyncClips, OnlyTheFirstClipOrElseTheSpineIsTheStoryline) {
    testing::ReadDocument read(R"(<fcpxml version="1.10"><resources>
        <format id="r1" name="FFVideoFormat1080p25" frameDuration="100/2500s"/>
        <asset id="a" name="Cam" start="0s" duration="100s" hasVideo="1" format="r1"/>
      </resources><library><event name="E">
        <sync-clip name="Clip and spine" duration="1s">
          <spine><asset-clip ref="a" name="in spine" duration="1s"/></spine>
          <asset-clip ref="a" name="first" duration="1s"/><asset-clip ref="a" name="second" duration="1s"/>
        </sync-clip>
        <sync-clip name="Spine" duration="1s">
          <spine><asset-clip ref="a" name="s1" duration="1s"/><gap name="g" offset="1s" duration="1s"/></spine>
        </sync-clip>
        <sync-clip duration="1s"><audio ref="a" duration="1s"/></sync-clip>
      </event></library></fcpxml>)");
    const std::vector<std::pair<std::string, std::vector<std::string>>> expected{
        {"Clip and spine", {"first"}}, {"Spine", {"s1", "g"}}, {"Sync Clip", {}}};
    const auto compositions = read.store.fetch<Composition>();
    ASSERT_EQ(compositions.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const auto& [name, elements] = expected[i];
        EXPECT_EQ(compositions[i]->name(), name);
        std::vector<std::string> shown;
        for (const auto& track : compositions[i]->videoTracks()) {
            for (const auto& element : track->elements()) shown.push_back(element->name());
        }
        EXPECT_EQ(shown, elements) << name;
    }
}

TEST(SyncClips, EachShownPictureIsTracedWithTheTimesItsSourceComesFrom) {
    testing::ReadDocument read(R"(<fcpxml version="1.10"><resources>
        <format id="r1" name="FFVideoFormat1080p25" frameDuration="100/2500s"/>
        <asset id="a" name="Cam" start="0s" duration="100s" hasVideo="1" format="r1"/>
      </resources><library><event name="E"><project name="P"><sequence format="r1" duration="10s"><spine>
        <sync-clip name="S" offset="0s" start="3s" duration="1s" format="r1"><spine>
          <gap name="g" offset="0s" duration="2s"/><asset-clip ref="a" name="in" offset="2s" start="1s" duration="4s"/>
        </spine></sync-clip>
      </spine></sequence></project></event></library></fcpxml>)");
    // The inner clip's in point, the sync clip's start and the inner clip's place, in frames.
    const std::string printed = read.log.str();
    EXPECT_NE(printed.find("\ndupe.srcInpoint =  25.0 + 75.0 - 50.0\n"), std::string::npos) << printed;
}

}  // namespace
}  // namespace tallyvane
