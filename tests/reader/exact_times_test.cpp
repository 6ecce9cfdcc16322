// Times added up exactly before they become frames: positions inside storylines, and the
// source times of what sync and multicam clips show when their parts run at other rates.

#include <gtest/gtest.h>

#include "model/audio_track.h"
#include "model/composition.h"
#include "model/video_track.h"
#include "reader_fixture.h"

namespace tallyvane {
namespace {

struct TimedRow {
    std::string timeline;
    TrackType track;
    std::int64_t trackIdx;
    std::size_t index;  // in the track's elements
    std::string name;
    std::string clipCategory;
    double position;
    double duration;
    double srcInpoint;
    double srcDuration;
    std::string rate;
    double timelineEnd;
    std::optional<double> srcEnd;
};

TEST(ExactTimes, RowsCountFromExactSeconds) {
    testing::ReadDocument read{testing::readerData("exact_times.fcpxml")};
    // Worked by hand from the document's times (seconds), each turned into frames once.
    const std::vector<TimedRow> rows{
        // The sync clip starts at 3605s of its storyline, 5s into "Picture" (offset and start
        // 3600s): 3605s at 25 is 90125.
        {"Sync 25", TrackType::Video, 1, 0, "Scene", "Primary video", 250, 200, 90125, 200, "25", 450, 90325},
        {"Sync 25", TrackType::Audio, 1, 1, "Scene", "Primary audio", 250, 200, 90125, 200, "25", 450, 90325},
        // "Sound" hangs on "Picture" at 3602.55s of the storyline (72051/20 + 3600 - 3600), so
        // 2.45s of it lie before the sync clip's start: 38585.1 + 2.45 = 38587.55s, at 60 (audio
        // files are timed at 60) 2315253 frames, 10:43:07:33; 8s last 480 frames.
        {"Sync 25", TrackType::Audio, 1, 2, "Scene", "Primary synced audio", 250, 200, 2315253, 480, "60", 450,
         2315733},
        // Split edit: the audio starts 1s early (3604s) and lasts 6s: at 20 - 1 = 19s, 475
        // frames, from 3604s of the clip (90100) for 150 frames, both durations alike.
        {"Split 25", TrackType::Audio, 1, 0, "Split", "Primary video", 475, 150, 90100, 150, "25", 625, 90250},
        // The synced audio stays with the picture: 4s (240 frames at 60) from 38587.55s.
        {"Split 25", TrackType::Audio, 1, 2, "Split", "Primary synced audio", 500, 100, 2315253, 240, "60", 600,
         2315493},
        // The multicam's time begins at 3600s, so the clip starts 60.06s into it. The camera
        // (offset 0, start 0) is at 60.06s of its file, 1440 frames at 23.976; 10s are 239.76.
        {"Multicam 25", TrackType::Video, 1, 0, "Camera", "Primary clip", 0, 250, 1440, 239.76, "23.976", 250, 1679.76},
        // The recorder's clip stands at 10.01s and starts 10s into its file: 10 + 60.06 - 10.01
        // = 60.05s, 3603 frames at 60 (00:01:00:03), for 600 frames.
        {"Multicam 25", TrackType::Audio, 1, 1, "Field Recorder", "Primary clip", 0, 250, 3603, 600, "60", 250, 4203},
        // 44.21 + 247.5 - 13013/300 = 248.333...s is 7450 frames at 30; counted term by term
        // (1326.30 + 7425 - 1301.30) it would fall just short. 10s are 299.70 frames at 29.97.
        {"Storyline 30", TrackType::Video, 2, 0, "Secondary", "Secondary video", 7450, 300, 0, 299.70, "29.97", 7750,
         299.70},
        // "Ends" stands at 18020001/5000 - 3600 = 4.0002s, 100.005 frames, and lasts 9999/5000s,
        // 49.995 frames: cut apart they add up to 149.99, but it ends at 6s, 150 frames. Its
        // source runs from 3600.0002s (90000.005 frames) to 3602s, 90050, not 90049.99.
        {"Ends 25", TrackType::Video, 2, 0, "Ends", "Connected video", 100, 49.99, 90000, 49.99, "25", 150, 90050},
        // At 200% its source times are doubled counts, so it has no exact source end.
        {"Ends 25", TrackType::Video, 3, 0, "Retimed", "Connected video", 100, 49.99, 180000, 99.98, "25", 150,
         std::nullopt},
    };
    for (const TimedRow& row : rows) {
        const auto timeline = read.composition(row.timeline);
        ASSERT_NE(timeline, nullptr);
        std::shared_ptr<StoryElement> element;
        if (row.track == TrackType::Video) {
            const auto track = testing::trackAt(timeline->videoTracks(), row.trackIdx);
            ASSERT_TRUE(track && row.index < track->elements().size()) << row.timeline << ' ' << row.name;
            element = track->elements()[row.index];
        } else {
            const auto track = testing::trackAt(timeline->audioTracks(), row.trackIdx);
            ASSERT_TRUE(track && row.index < track->elements().size()) << row.timeline << ' ' << row.name;
            element = track->elements()[row.index];
        }
        const std::string where = row.timeline + " " + row.clipCategory;
        EXPECT_EQ(element->name(), row.name) << where;
        EXPECT_EQ(element->timelineClipCategory(), row.clipCategory) << where;
        EXPECT_EQ(element->clipTimelinePosition(), row.position) << where;
        EXPECT_EQ(element->clipDuration(), row.duration) << where;
        EXPECT_EQ(element->srcInpoint(), row.srcInpoint) << where;
        EXPECT_EQ(element->srcDuration(), row.srcDuration) << where;
        EXPECT_EQ(element->timecodeFrameRate(), row.rate) << where;
        EXPECT_EQ(element->timelineEnd(), row.timelineEnd) << where;
        EXPECT_EQ(element->srcEnd(), row.srcEnd) << where;
    }
}

TEST(ExactTimes, MarkersLieTheirExactDistanceFromTheClipsStart) {
    testing::ReadDocument read{testing::readerData("exact_times.fcpxml")};
    const auto timeline = read.composition("Markers 23.976");
    ASSERT_NE(timeline, nullptr);
    const auto track = testing::trackAt(timeline->audioTracks(), 2);
    ASSERT_TRUE(track && track->elements().size() == 1 && track->elements()[0]->markedRanges().size() == 1);
    // 349705/6000 + 250895/6000 = 100.1s, 2400 frames at 23.976 (00:01:40:00). Counted apart,
    // 1397.40 frames of position and 2508.95 frames at 60 of marker fall a hundredth short.
    EXPECT_EQ(track->elements()[0]->markedRanges()[0]->timelinePosition(), 2400.0);
}

TEST(ExactTimes, SumsBeyond64BitTermsLeaveTheRestOfTheDocument) {
    testing::ReadDocument read(R"(<fcpxml version="1.10"><resources>
        <format id="r1" frameDuration="100/2500s"/>
        <asset id="a" name="A" start="0s" duration="100s" hasVideo="1" format="r1"/></resources>
      <library><event name="E"><project name="P"><sequence format="r1"><spine>
        <asset-clip ref="a" name="Far" offset="9223372036854775807/3s" duration="1s">
          <asset-clip ref="a" name="Lost" lane="1" offset="1/2s" duration="1s"/></asset-clip>
        <asset-clip ref="a" name="Kept" offset="0s" start="1/3s" duration="1s">
          <marker start="9223372036854775807s" duration="1s" value="Too far"/></asset-clip>
      </spine></sequence></project></event></library></fcpxml>)");
    EXPECT_TRUE(read.alerts.alerts.empty());
    const auto timeline = read.composition("P");
    ASSERT_NE(timeline, nullptr);
    // "Lost" would stand at 9223372036854775807/3 + 1/2 seconds: it is left out, said so.
    std::vector<std::string> names;
    for (const auto& track : timeline->videoTracks()) {
        for (const auto& element : track->elements()) names.push_back(element->name());
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Far", "Kept"}));
    EXPECT_TRUE(testing::contains(read.log.str(), "Skipping Lost"));
    // A marker whose distance from the clip's start has no 64-bit terms lies at the clip's start.
    const auto& kept = timeline->videoTracks()[0]->elements()[1];
    ASSERT_EQ(kept->markedRanges().size(), 1u);
    EXPECT_EQ(kept->markedRanges()[0]->timelinePosition(), 0.0);
}

}  // namespace
}  // namespace tallyvane
