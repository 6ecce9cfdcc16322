#include "media_timecode/timecode_track_writer.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "media/media_error.h"
#include "media_timecode/frame_rate_queries.h"
#include "media_timecode/media_timecode_errors.h"
#include "media_timecode/mov_boxes.h"
#include "media_timecode/timecode_reading.h"
#include "movie_fixtures.h"
#include "timecode/timecode_sources.h"

namespace tallyvane {
namespace {

using testing::makeMovie;
using testing::videoSource;

Timecode timecodeAt(const std::string& text, TimecodeFrameRate rate = TimecodeFrameRate::fps25,
                    TimecodeUpperLimit limit = TimecodeUpperLimit::max24Hours) {
    return Timecode(FormattedTimecodeSourceValue::string(text),
                    TimecodeProperties{rate, TimecodeSubFramesBase::max80SubFrames, limit});
}

constexpr TimecodeQuery fromFile{std::nullopt, TimecodeSubFramesBase::max80SubFrames, TimecodeUpperLimit::max24Hours};

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) result.push_back(line);
    return result;
}

std::vector<std::string> namesIn(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(TimecodeTrackWriter, DescriptionFollowsTheStartTimecode) {
    const struct {
        Timecode start;
        Fraction frameDuration;
        int quanta;
        std::uint32_t flags;
    } cases[] = {
        {timecodeAt("01:00:00;00", TimecodeFrameRate::fps29_97d), Fraction(1001, 30000), 30,
         timecodeFlagDropFrame | timecodeFlagTwentyFourHourMax},
        {timecodeAt("01:00:00:00", TimecodeFrameRate::fps25, TimecodeUpperLimit::max100Days), Fraction(100, 2500), 25,
         0},
        {timecodeAt("00:00:00:000", TimecodeFrameRate::fps119_88d, TimecodeUpperLimit::max100Days),
         Fraction(1001, 120000), 120, timecodeFlagDropFrame},
        {timecodeAt("00:00:00:00", TimecodeFrameRate::fps23_976), Fraction(1001, 24000), 24,
         timecodeFlagTwentyFourHourMax},
    };
    for (const auto& c : cases) {
        const TimecodeTrackFormat format = TimecodeTrackFormat::of(c.start);
        EXPECT_TRUE(format.frameDuration.isIdentical(c.frameDuration)) << c.start.stringValue();
        EXPECT_EQ(format.frameQuanta, c.quanta) << c.start.stringValue();
        EXPECT_EQ(format.flags, c.flags) << c.start.stringValue();
    }
}

struct WriteCase {
    const char* name;
    std::string source;  // ffmpeg arguments
    bool replace;
    Timecode start;
    std::uint32_t frameNumber;
    std::vector<std::string> probe;                      // ffprobe's lines of the result, one a track
    std::vector<std::vector<std::uint32_t>> references;  // timecode track ids each track refers to
};

TEST(TimecodeTrackWriter, InsertedAndReplacedTracksReadBack) {
    const std::vector<WriteCase> cases = {
        {"insert at 25",
         videoSource("25") + " -c:v mpeg4",
         false,
         timecodeAt("01:00:00:00"),
         90000,
         {"0,video,mp4v,01:00:00:00", "1,data,tmcd,01:00:00:00"},
         {{2}, {}}},
        {"insert at 29.97 drop",
         videoSource("30000/1001") + " -c:v mpeg4",
         false,
         timecodeAt("01:00:00;00", TimecodeFrameRate::fps29_97d),
         30 * 3600 - 108,
         {"0,video,mp4v,01:00:00;00", "1,data,tmcd,01:00:00;00"},
         {{2}, {}}},
        {"insert keeps the old track",
         videoSource("25") + " -c:v mpeg4 -timecode 05:00:00:00",
         false,
         timecodeAt("01:00:00:00"),
         90000,
         // The old association comes first, and ffprobe shows the first.
         {"0,video,mp4v,05:00:00:00", "1,data,tmcd,05:00:00:00", "2,data,tmcd,01:00:00:00"},
         {{2, 3}, {}, {}}},
        {"replace",
         videoSource("25") + " -c:v mpeg4 -timecode 05:00:00:00",
         true,
         timecodeAt("00:00:10:00"),
         250,
         {"0,video,mp4v,00:00:10:00", "1,data,tmcd,00:00:10:00"},
         {{2}, {}}},
        {"replace both tracks of two videos",
         videoSource("25") + " " + videoSource("25") + " -map 0 -map 1 -c:v mpeg4 -timecode 05:00:00:00",
         true,
         timecodeAt("23:59:59:24"),
         25 * 86400 - 1,
         {"0,video,mp4v,23:59:59:24", "1,video,mp4v,23:59:59:24", "2,data,tmcd,23:59:59:24"},
         {{3}, {3}, {}}},
        {"audio only",
         "-f lavfi -i sine=d=0.5 -c:a pcm_s16le",
         true,
         timecodeAt("00:00:01:00", TimecodeFrameRate::fps24),
         24,
         {"0,audio,sowt", "1,data,tmcd,00:00:01:00"},
         {{}, {}}},
    };
    const testing::TemporaryFolder folder;
    for (const WriteCase& c : cases) {
        const MediaAsset source(makeMovie(folder / "source.mov", c.source));
        const std::string before = testing::contents(source.path());
        const auto write = c.replace ? replaceTimecodeTracks : insertTimecodeTrack;
        const MediaTrack track = write(source, folder / "result.mov", c.start, std::nullopt);

        EXPECT_EQ(testing::contents(source.path()), before) << c.name;
        EXPECT_EQ(namesIn(folder.path()), (std::vector<std::string>{"result.mov", "source.mov"})) << c.name;
        const MediaAsset result(folder / "result.mov");
        EXPECT_EQ(readTimecodeSamples(result, track), std::vector<CMTimeCode>{CMTimeCode32{c.frameNumber}}) << c.name;
        const AssetDescription description = result.load();
        const auto isTimecode = [](const std::string& line) { return line.find(",tmcd") != line.npos; };
        const std::size_t probed = std::ranges::count_if(c.probe, isTimecode);
        EXPECT_EQ(description.tracksOfType(MediaType::timecode).size(), probed) << c.name;
        EXPECT_EQ(timecodeFrameRate(description, std::nullopt), c.start.properties.frameRate) << c.name;
        const std::vector<std::vector<Timecode>> read = loadTimecodes(result, fromFile);
        ASSERT_FALSE(read.empty()) << c.name;
        EXPECT_EQ(read.back().front().stringValue(), c.start.stringValue()) << c.name;
        EXPECT_EQ(lines(testing::probeStreams(result.path())), c.probe) << c.name;
        MovieFile boxes(result.path());
        std::vector<std::vector<std::uint32_t>> references;
        for (const MovBox* track : boxes.tracks()) references.push_back(MovieFile::timecodeReferences(*track));
        EXPECT_EQ(references, c.references) << c.name;
        std::filesystem::remove(folder / "result.mov");
    }
}

TEST(TimecodeTrackWriter, SampleLastsTheGivenDuration) {
    const testing::TemporaryFolder folder;
    const MediaAsset source(makeMovie(folder / "source.mov", videoSource("25") + " -c:v mpeg4"));
    const Timecode duration = timecodeAt("00:00:02:05");
    const MediaTrack track = insertTimecodeTrack(source, folder / "result.mov", timecodeAt("01:00:00:00"), duration);
    const TimecodeQuery query{TimecodeFrameRate::fps25, TimecodeSubFramesBase::max80SubFrames,
                              TimecodeUpperLimit::max24Hours};
    EXPECT_EQ(loadDurationTimecode(track, query).stringValue(), "00:00:02:05");
    // Without a duration the track lasts as long as the movie: with the long timecode
    // track when it is kept, without it when it is replaced.
    const struct {
        decltype(&insertTimecodeTrack) write;
        const char* duration;
    } cases[] = {{insertTimecodeTrack, "00:00:02:05"}, {replaceTimecodeTracks, "00:00:00:10"}};
    for (const auto& c : cases) {
        const MediaTrack whole =
            c.write(MediaAsset(folder / "result.mov"), folder / "again.mov", timecodeAt("01:00:00:00"), std::nullopt);
        EXPECT_EQ(loadDurationTimecode(whole, query).stringValue(), c.duration);
    }
}

TEST(TimecodeTrackWriter, KeptTimecodeTracksStayAsTheyWere) {
    const testing::TemporaryFolder folder;
    const Timecode second = timecodeAt("00:00:01:00");
    // A timecode track that outlasts the video it belongs to.
    insertTimecodeTrack(MediaAsset(makeMovie(folder / "short.mov", videoSource("25") + " -c:v mpeg4")),
                        folder / "long.mov", timecodeAt("01:00:00:00"), timecodeAt("00:00:02:05"));
    const struct {
        MediaAsset source;
        const char* start;
    } cases[] = {
        {MediaAsset(makeMovie(folder / "drop.mov",
                              videoSource("30000/1001") + " -c:v mpeg4 -timecode '01:00:00;00'")),
         "01:00:00;00"},
        {MediaAsset(folder / "long.mov"), "01:00:00:00"},
    };
    for (const auto& c : cases) {
        const MediaTrack before = c.source.load().tracksOfType(MediaType::timecode).front();
        insertTimecodeTrack(c.source, folder / "result.mov", timecodeAt("02:00:00:00"), second);
        const MediaAsset result(folder / "result.mov");
        const MediaTrack after = result.load().tracksOfType(MediaType::timecode).front();
        EXPECT_EQ(after.formatDescriptions, before.formatDescriptions) << c.start;
        EXPECT_EQ(after.timeRange.duration, before.timeRange.duration) << c.start;
        const auto start = loadStartTimecode(result, fromFile);
        ASSERT_TRUE(start) << c.start;
        EXPECT_EQ(start->stringValue(), c.start);
    }
}

TEST(TimecodeTrackWriter, ReplacesAMovieInPlace) {
    const testing::TemporaryFolder folder;
    const MediaAsset movie(makeMovie(folder / "movie.mov", videoSource("25") + " -c:v mpeg4 -timecode 05:00:00:00"));
    using std::filesystem::perms;
    std::filesystem::permissions(movie.path(), perms::owner_read | perms::owner_write | perms::group_read);
    replaceTimecodeTracks(movie, movie.path(), timecodeAt("02:00:00:00"));
    EXPECT_EQ(std::filesystem::status(movie.path()).permissions(),
              perms::owner_read | perms::owner_write | perms::group_read);
    EXPECT_EQ(namesIn(folder.path()), std::vector<std::string>{"movie.mov"});
    const auto start = loadStartTimecode(movie, fromFile);
    ASSERT_TRUE(start);
    EXPECT_EQ(start->stringValue(), "02:00:00:00");
}

TEST(TimecodeTrackWriter, UnknownFrameRateNeedsADuration) {
    const testing::TemporaryFolder folder;
    const MediaAsset odd(makeMovie(folder / "odd.mov", videoSource("12") + " -c:v mpeg4"));
    const Timecode start = timecodeAt("01:00:00:00");
    // A 12 fps movie gets no default duration.
    EXPECT_EQ(testing::parseErrorOf([&] { insertTimecodeTrack(odd, folder / "result.mov", start); }),
              TimecodeMediaParseError::Code::missingOrNonStandardFrameRate);
    EXPECT_EQ(namesIn(folder.path()), std::vector<std::string>{"odd.mov"});
    // Replacing takes the start's own rate and never asks the movie for one.
    replaceTimecodeTracks(odd, folder / "result.mov", start);
    EXPECT_EQ(lines(testing::probeStreams(folder / "result.mov")),
              (std::vector<std::string>{"0,video,mp4v,01:00:00:00", "1,data,tmcd,01:00:00:00"}));
}

TEST(TimecodeTrackWriter, FailuresLeaveNothingBehind) {
    const testing::TemporaryFolder folder;
    const MediaAsset movie(makeMovie(folder / "movie.mov", videoSource("25") + " -c:v mpeg4"));
    std::ofstream(folder / "file") << "a file, not a folder";
    const std::string before = testing::contents(movie.path());
    const Timecode start = timecodeAt("01:00:00:00");
    // /proc refuses new files even to the superuser, who writes into any other folder.
    std::vector<std::filesystem::path> destinations = {folder / "missing" / "result.mov",
                                                       folder / "file" / "result.mov", "/proc/result.mov"};
    if (geteuid() != 0) {
        std::filesystem::create_directory(folder / "locked");
        std::filesystem::permissions(folder / "locked",
                                     std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
        destinations.push_back(folder / "locked" / "result.mov");
    }
    for (const std::filesystem::path& destination : destinations) {
        EXPECT_THROW(insertTimecodeTrack(movie, destination, start), TimecodeMediaWriteError) << destination;
    }
    std::filesystem::remove(folder / "locked");
    Timecode invalid = start;
    invalid.components.hours = -1;
    EXPECT_THROW(insertTimecodeTrack(movie, movie.path(), invalid), TimecodeMediaWriteError);
    EXPECT_THROW(insertTimecodeTrack(MediaAsset(folder / "file"), folder / "result.mov", start), MediaError);
    EXPECT_EQ(testing::contents(movie.path()), before);
    EXPECT_EQ(namesIn(folder.path()), (std::vector<std::string>{"file", "movie.mov"}));
}

}  // namespace
}  // namespace tallyvane
