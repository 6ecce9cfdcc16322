#include <gtest/gtest.h>

#include <fstream>

#include "media/media_error.h"
#include "media_timecode/asset_timecode_source.h"
#include "media_timecode/frame_rate_queries.h"
#include "media_timecode/mov_boxes.h"
#include "media_timecode/timecode_reading.h"
#include "media_timecode/timecode_track_writer.h"
#include "movie_fixtures.h"

namespace tallyvane {
namespace {

using testing::makeMovie;
using testing::videoSource;

constexpr TimecodeSubFramesBase base80 = TimecodeSubFramesBase::max80SubFrames;
constexpr TimecodeUpperLimit day = TimecodeUpperLimit::max24Hours;
using testing::fromFile;

struct MovieCase {
    const char* name;
    std::string arguments;
    TimecodeFrameRate timecodeRate;
    VideoFrameRate videoRate;
    bool drop;
    bool interlaced;
    const char* start;
    const char* duration;
};

TEST(MediaReading, StartTimecodesRatesAndFlagsOfMovies) {
    const std::vector<MovieCase> cases = {
        {"25", videoSource("25") + " -c:v mpeg4 -timecode 01:00:00:00", TimecodeFrameRate::fps25,
         VideoFrameRate::fps25p, false, false, "01:00:00:00", "00:00:00:10"},
        {"23.976", videoSource("24000/1001") + " -c:v mpeg4 -timecode 00:59:59:12", TimecodeFrameRate::fps23_976,
         VideoFrameRate::fps23_98p, false, false, "00:59:59:12", "00:00:00:10"},
        {"29.97 drop", videoSource("30000/1001") + " -c:v mpeg4 -timecode '00:09:59;29'", TimecodeFrameRate::fps29_97d,
         VideoFrameRate::fps29_97p, true, false, "00:09:59;29", "00:00:00;12"},
        {"25 interlaced", videoSource("25", "0.2") + " -c:v prores_ks -field_order tt -timecode 10:00:00:00",
         TimecodeFrameRate::fps25, VideoFrameRate::fps25i, false, true, "10:00:00:00", "00:00:00:05"},
    };
    const testing::TemporaryFolder folder;
    for (const MovieCase& c : cases) {
        const MediaAsset movie(makeMovie(folder / "movie.mov", c.arguments));
        EXPECT_EQ(loadTimecodeFrameRate(movie), c.timecodeRate) << c.name;
        EXPECT_EQ(loadVideoFrameRate(movie), c.videoRate) << c.name;
        EXPECT_EQ(videoFrameRate(movie), c.videoRate) << c.name;
        EXPECT_EQ(loadIsDropFrame(movie), c.drop) << c.name;
        EXPECT_EQ(loadIsInterlaced(movie), c.interlaced) << c.name;
        const std::optional<Timecode> start = loadStartTimecode(movie, fromFile);
        ASSERT_TRUE(start) << c.name;
        EXPECT_EQ(start->stringValue(), c.start) << c.name;
        EXPECT_EQ(start->properties.frameRate, c.timecodeRate) << c.name;
        const Timecode duration = loadDurationTimecode(movie, fromFile);
        EXPECT_EQ(duration.stringValue(), c.duration) << c.name;
        const std::optional<Timecode> end = loadEndTimecode(movie, fromFile);
        ASSERT_TRUE(end) << c.name;
        const auto frames = [](const Timecode& t) { return t.frameCount().value.wholeFrames(); };
        EXPECT_EQ(frames(*end), frames(*start) + frames(duration)) << c.name;
    }
}

TEST(MediaReading, WhatOtherContainersDeclare) {
    const struct {
        const char* file;
        std::string arguments;
        TimecodeFrameRate rate;
        const char* start;     // empty: none
        const char* duration;  // nullptr: the tracks start late, not checked
    } cases[] = {
        {"movie.mxf", videoSource("25") + " -c:v mpeg2video -timecode 01:02:03:04", TimecodeFrameRate::fps25,
         "01:02:03:04", "00:00:00:10"},
        {"movie.ts", videoSource("25") + " -c:v mpeg2video", TimecodeFrameRate::fps25, "", nullptr},
        {"movie.mkv", videoSource("25") + " -c:v mpeg4 -timecode 00:59:59:24", TimecodeFrameRate::fps25,
         "00:59:59:24", "00:00:00:10"},
        {"drop.mxf", videoSource("30000/1001") + " -c:v mpeg2video -timecode '00:09:59;29'",
         TimecodeFrameRate::fps29_97d, "00:09:59;29", "00:00:00;12"},
    };
    const testing::TemporaryFolder folder;
    for (const auto& c : cases) {
        const MediaAsset asset(makeMovie(folder / c.file, c.arguments));
        EXPECT_EQ(loadTimecodeFrameRate(asset), c.rate) << c.file;
        const std::optional<Timecode> start = loadStartTimecode(asset, fromFile);
        EXPECT_EQ(start ? start->stringValue() : "", c.start) << c.file;
        if (c.duration != nullptr) {
            EXPECT_EQ(loadDurationTimecode(asset, fromFile).stringValue(), c.duration) << c.file;
        }
    }
}

TEST(MediaReading, EveryTimecodeTrackInOrder) {
    const testing::TemporaryFolder folder;
    const MediaAsset movie(makeMovie(folder / "two.mov", videoSource("25") + " " + videoSource("25") +
                                                             " -map 0 -map 1 -c:v mpeg4 -timecode 10:00:00:00"));
    const std::vector<std::vector<Timecode>> lists = loadTimecodes(movie, {TimecodeFrameRate::fps25, base80, day});
    ASSERT_EQ(lists.size(), 2U);
    for (const std::vector<Timecode>& list : lists) {
        ASSERT_EQ(list.size(), 1U);
        EXPECT_EQ(list.front().stringValue(), "10:00:00:00");
    }
    EXPECT_EQ(nominalFrameRates(movie.load()), (std::vector<float>{25, 25}));
    // A given rate is used as it is, not read from the movie.
    EXPECT_EQ(loadStartTimecode(movie, {TimecodeFrameRate::fps30, base80, day})->stringValue(), "08:20:00:00");

    MediaTrack elsewhere = movie.load().tracksOfType(MediaType::timecode).front();
    elsewhere.streamIndex = 7;
    EXPECT_EQ(testing::parseErrorOf([&] { readTimecodeSamples(movie, elsewhere); }),
              TimecodeMediaParseError::Code::internalError);
}

// Leaves a track's sample tables without samples.
void emptySampleTables(MovBox& track) {
    MovBox& table = *track.child(fourCharCode('m', 'd', 'i', 'a'))
                         ->child(fourCharCode('m', 'i', 'n', 'f'))
                         ->child(fourCharCode('s', 't', 'b', 'l'));
    for (const auto& [type, payload] : {std::pair{"stts", std::vector<std::uint8_t>(8, 0)},
                                        std::pair{"stsc", std::vector<std::uint8_t>(8, 0)},
                                        std::pair{"stsz", std::vector<std::uint8_t>(12, 0)},
                                        std::pair{"stco", std::vector<std::uint8_t>(8, 0)}}) {
        MovBox* box = table.child(fourCharCode(type[0], type[1], type[2], type[3]));
        ASSERT_NE(box, nullptr) << type;
        box->payload = payload;
    }
}

TEST(MediaReading, StartComesFromTheFirstTrackWithSamples) {
    const testing::TemporaryFolder folder;
    const MediaAsset source(
        makeMovie(folder / "source.mov", videoSource("25") + " -c:v mpeg4 -timecode 05:00:00:00"));
    const TimecodeProperties at25{TimecodeFrameRate::fps25, base80, day};
    insertTimecodeTrack(source, folder / "two.mov",
                        Timecode(FormattedTimecodeSourceValue::string("01:00:00:00"), at25));
    {
        MovieFile movie(folder / "two.mov");
        emptySampleTables(*movie.tracks().at(1));
        movie.save();
    }
    const MediaAsset movie(folder / "two.mov");
    const std::vector<std::vector<Timecode>> lists = loadTimecodes(movie, fromFile);
    ASSERT_EQ(lists.size(), 2U);
    EXPECT_TRUE(lists[0].empty());
    const std::optional<Timecode> start = loadStartTimecode(movie, fromFile);
    ASSERT_TRUE(start);
    EXPECT_EQ(start->stringValue(), "01:00:00:00");
}

TEST(MediaReading, MoviesWithoutTimecode) {
    const testing::TemporaryFolder folder;
    const MediaAsset plain(makeMovie(folder / "plain.mov", videoSource("25") + " -c:v mpeg4"));
    EXPECT_TRUE(loadTimecodes(plain, fromFile).empty());
    EXPECT_FALSE(loadStartTimecode(plain, fromFile));
    EXPECT_FALSE(loadEndTimecode(plain, fromFile));
    EXPECT_EQ(loadDurationTimecode(plain, fromFile).stringValue(), "00:00:00:10");
    EXPECT_FALSE(loadIsDropFrame(plain));

    const MediaAsset sound(makeMovie(folder / "sound.mov", "-f lavfi -i sine=d=0.5 -c:a pcm_s16le"));
    EXPECT_FALSE(loadIsInterlaced(sound));
    EXPECT_TRUE(loadNominalFrameRate(sound).empty());
    EXPECT_THROW(loadTimecodeFrameRate(sound), TimecodeMediaParseError);
    EXPECT_THROW(loadVideoFrameRate(sound), TimecodeMediaParseError);
    EXPECT_THROW(videoFrameRate(sound), TimecodeMediaParseError);
    EXPECT_THROW(loadDurationTimecode(sound, fromFile), TimecodeMediaParseError);
    // With a rate given the duration needs no video.
    EXPECT_EQ(loadDurationTimecode(sound, {TimecodeFrameRate::fps25, base80, day}).stringValue(), "00:00:00:12");

    const MediaAsset odd(makeMovie(folder / "odd.mov", videoSource("12") + " -c:v mpeg4"));
    EXPECT_EQ(testing::parseErrorOf([&] { loadTimecodeFrameRate(odd); }),
              TimecodeMediaParseError::Code::missingOrNonStandardFrameRate);

    // A still declares no duration, and says so.
    const MediaAsset still(makeMovie(folder / "still.png", videoSource("25") + " -frames:v 1"));
    try {
        loadDurationTimecode(still, {TimecodeFrameRate::fps25, base80, day});
        ADD_FAILURE() << "a still has a duration";
    } catch (const MediaError& error) {
        EXPECT_NE(std::string(error.what()).find("declare"), std::string::npos) << error.what();
    }
}

TEST(MediaReading, FilesThatAreNoMediaFail) {
    const testing::TemporaryFolder folder;
    std::ofstream(folder / "text.mov") << "not a movie at all";
    const std::vector<MediaAsset> assets = {MediaAsset(folder / "text.mov"), MediaAsset(folder / "missing.mov"),
                                            MediaAsset(folder.path())};
    for (const MediaAsset& asset : assets) {
        EXPECT_THROW(loadTimecodeFrameRate(asset), MediaError) << asset.path();
        EXPECT_THROW(loadStartTimecode(asset, {TimecodeFrameRate::fps25, base80, day}), MediaError) << asset.path();
        EXPECT_FALSE(loadIsInterlaced(asset)) << asset.path();
        EXPECT_TRUE(loadNominalFrameRate(asset).empty()) << asset.path();
    }
}

TEST(MediaReading, TrackRangesAndDurations) {
    const testing::TemporaryFolder folder;
    const MediaAsset movie(makeMovie(folder / "movie.mov", videoSource("25") + " -c:v mpeg4 -timecode 01:00:00:00"));
    const MediaTrack track = movie.load().tracksOfType(MediaType::video).front();
    const TimecodeClosedRange range = loadTimecodeRange(track, fromFile);
    EXPECT_EQ(range.lowerBound.stringValue(), "00:00:00:00");
    EXPECT_EQ(range.upperBound.stringValue(), "00:00:00:10");
    EXPECT_EQ(loadDurationTimecode(track, {TimecodeFrameRate::fps50, base80, day}).stringValue(), "00:00:00:20");

    MediaTrack handMade = track;
    handMade.assetPath.reset();
    EXPECT_THROW(loadTimecodeRange(handMade, fromFile), TimecodeMediaParseError);
    EXPECT_EQ(loadDurationTimecode(handMade, {TimecodeFrameRate::fps25, base80, day}).stringValue(), "00:00:00:10");
}

TEST(MediaReading, RangesOfHandMadeTracks) {
    const struct {
        const char* name;
        MediaTimeRange range;
        const char* lower;  // empty: the range is refused
        const char* upper;
        const char* duration;
    } cases[] = {
        {"one timescale", {MediaTime::make(0, 25), MediaTime::make(10, 25)}, "00:00:00:00", "00:00:00:10",
         "00:00:00:10"},
        {"two timescales", {MediaTime::make(1, 25), MediaTime::make(4, 50)}, "00:00:00:01", "00:00:00:03",
         "00:00:00:02"},
        {"start in seconds", {MediaTime::make(3600, 1), MediaTime::make(5, 25)}, "01:00:00:00", "01:00:00:05",
         "00:00:00:05"},
        {"negative duration", {MediaTime::make(10, 25), MediaTime::make(-1, 25)}, "", "", ""},
        {"end beyond a day", {MediaTime::make(86399, 1), MediaTime::make(2, 1)}, "", "", ""},
        {"no range", {MediaTime::invalid(), MediaTime::invalid()}, "", "", ""},
    };
    const TimecodeQuery at25{TimecodeFrameRate::fps25, base80, day};
    for (const auto& c : cases) {
        MediaTrack track;
        track.timeRange = c.range;
        if (*c.lower == '\0') {
            EXPECT_THROW(loadTimecodeRange(track, at25), TimecodeValidationError) << c.name;
            EXPECT_THROW(loadDurationTimecode(track, at25), TimecodeValidationError) << c.name;
            continue;
        }
        const TimecodeClosedRange range = loadTimecodeRange(track, at25);
        EXPECT_EQ(range.lowerBound.stringValue(), c.lower) << c.name;
        EXPECT_EQ(range.upperBound.stringValue(), c.upper) << c.name;
        EXPECT_EQ(loadDurationTimecode(track, at25).stringValue(), c.duration) << c.name;
    }
}

TEST(MediaReading, EndTimecodeWrapsAtTheUpperLimit) {
    const testing::TemporaryFolder folder;
    const MediaAsset movie(makeMovie(folder / "late.mov", videoSource("25") + " -c:v mpeg4 -timecode 23:59:59:20"));
    const struct {
        TimecodeUpperLimit limit;
        const char* end;
    } cases[] = {{day, "00:00:00:05"}, {TimecodeUpperLimit::max100Days, "1 00:00:00:05"}};
    for (const auto& c : cases) {
        const std::optional<Timecode> end = loadEndTimecode(movie, {std::nullopt, base80, c.limit});
        ASSERT_TRUE(end);
        EXPECT_EQ(end->stringValue(), c.end);
        EXPECT_EQ(end->properties.upperLimit, c.limit);
    }
}

TEST(MediaReading, AssetsAsTimecodeSources) {
    const testing::TemporaryFolder folder;
    const MediaAsset timed(makeMovie(folder / "timed.mov", videoSource("25") + " -c:v mpeg4 -timecode 01:00:00:00"));
    const MediaAsset plain(makeMovie(folder / "plain.mov", videoSource("30") + " -c:v mpeg4"));
    const TimecodeProperties at25{TimecodeFrameRate::fps25, base80, day};
    const TimecodeProperties at24{TimecodeFrameRate::fps24, TimecodeSubFramesBase::quarterFrames, day};

    EXPECT_EQ(Timecode(assetTimecodeSource(timed, RangeAttribute::start), at25).stringValue(), "01:00:00:00");
    EXPECT_EQ(Timecode(assetTimecodeSource(timed, RangeAttribute::end), at25).stringValue(), "01:00:00:10");
    EXPECT_EQ(Timecode(assetTimecodeSource(timed, RangeAttribute::duration), at25).stringValue(), "00:00:00:10");
    // The timecode's own rate is used, not the file's: 90000 frames at 24 fps.
    EXPECT_EQ(Timecode(assetTimecodeSource(timed, RangeAttribute::start), at24).stringValue(), "01:02:30:00");

    EXPECT_THROW(Timecode(assetTimecodeSource(plain, RangeAttribute::start), at25), TimecodeMediaParseError);
    EXPECT_THROW(Timecode(assetTimecodeSource(plain, RangeAttribute::end), at25), TimecodeMediaParseError);
    for (const auto rule : {TimecodeValidationRule::clamping, TimecodeValidationRule::allowingInvalid}) {
        const Timecode zero(assetTimecodeSource(plain, RangeAttribute::start), at24, rule);
        EXPECT_EQ(zero.components, TimecodeComponents::zero());
        EXPECT_EQ(zero.properties, at24);
    }

    const Timecode rich(assetRichTimecodeSource(timed, RangeAttribute::start));
    EXPECT_EQ(rich.stringValue(), "01:00:00:00");
    EXPECT_EQ(rich.properties.frameRate, TimecodeFrameRate::fps25);
    Timecode duration(TimecodeSourceValue::frames(0), at24);
    duration.set(assetRichTimecodeSource(plain, RangeAttribute::duration));
    EXPECT_EQ(duration.properties,
              (TimecodeProperties{TimecodeFrameRate::fps30, TimecodeSubFramesBase::quarterFrames, day}));
    EXPECT_EQ(duration.stringValue(), "00:00:00:12");
    EXPECT_THROW(duration.set(assetRichTimecodeSource(plain, RangeAttribute::end)), TimecodeMediaParseError);
}

}  // namespace
}  // namespace tallyvane
