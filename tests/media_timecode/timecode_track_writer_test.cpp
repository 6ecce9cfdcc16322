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
#include "support/shell_command.h"
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

using testing::fromFile;

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
        const MediaTrack track = write(source, folder / "result.mov", c.start, std::nullopt, {});

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
            c.write(MediaAsset(folder / "result.mov"), folder / "again.mov", timecodeAt("01:00:00:00"), std::nullopt, {});
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

TEST(TimecodeTrackWriter, ReplacesAMovieInPlaceDirectlyOrThroughALink) {
    using std::filesystem::perms;
    const perms mode = perms::owner_read | perms::owner_write | perms::group_read;
    for (const bool throughLink : {false, true}) {
        const testing::TemporaryFolder folder;
        const auto movie = makeMovie(folder / "movie.mov", videoSource("25") + " -c:v mpeg4 -timecode 05:00:00:00");
        std::filesystem::permissions(movie, mode);
        const auto destination = throughLink ? folder / "link.mov" : movie;
        if (throughLink) std::filesystem::create_symlink("movie.mov", destination);
        replaceTimecodeTracks(MediaAsset(destination), destination, timecodeAt("02:00:00:00"));
        EXPECT_EQ(std::filesystem::is_symlink(destination), throughLink);
        EXPECT_EQ(std::filesystem::status(movie).permissions(), mode) << throughLink;
        EXPECT_EQ(namesIn(folder.path()).size(), throughLink ? 2U : 1U);
        const auto start = loadStartTimecode(MediaAsset(movie), fromFile);
        ASSERT_TRUE(start);
        EXPECT_EQ(start->stringValue(), "02:00:00:00");
    }
}

// Movies as other applications write them: a vendor code FFmpeg does not write back, and
// no track enabled, where FFmpeg enables the first of each kind.
void appleVendor(std::string& bytes) { bytes.replace(bytes.find("FFMP"), 4, "appl"); }
void noTrackEnabled(std::string& bytes) {
    for (std::size_t at = bytes.find("tkhd"); at != std::string::npos; at = bytes.find("tkhd", at + 4)) {
        bytes[at + 7] = static_cast<char>(bytes[at + 7] & ~1);
    }
}

TEST(TimecodeTrackWriter, KeepsTheKindAndWhatACopyCanCarry) {
    const testing::TemporaryFolder folder;
    std::ofstream(folder / "chapters.txt") << ";FFMETADATA1\n[CHAPTER]\nTIMEBASE=1/25\nSTART=0\nEND=2\ntitle=One\n"
                                              "[CHAPTER]\nTIMEBASE=1/25\nSTART=2\nEND=5\ntitle=Two\n";
    const std::string small = "-f lavfi -i testsrc=size=48x36:rate=25:duration=0.2 ";
    const std::string chapters = "-i " + test::shellQuoted((folder / "chapters.txt").string()) + " -map 0 -map_chapters 1";
    const struct {
        const char* name;
        const char* file;
        std::string arguments;
        std::string copyArguments;  // a second pass copying the first, for what only a copy sets
        std::vector<std::string> shows;
        void (*edit)(std::string&) = nullptr;
    } cases[] = {
        {"anamorphic ProRes", "movie.mov", small + "-f lavfi -i sine=d=0.2 -c:v prores_ks -aspect 16:9 -c:a pcm_s24le",
         "",
         {"sample_aspect_ratio=4:3", "display_aspect_ratio=16:9", "major_brand=qt  "}, appleVendor},
        {"interlaced ProRes", "movie.mov", small + "-c:v prores_ks -aspect 16:9 -field_order tt", "",
         {"field_order=tt", "sample_aspect_ratio=4:3"}},
        {"colour, rotation, language, tags", "movie.mov",
         small + "-c:v mpeg4 -color_primaries bt709 -color_trc bt709 -colorspace bt709 -metadata title=Take "
                 "-metadata:s:v language=fra",
         "-metadata:s:v:0 rotate=90", {"color_primaries=bt709", "rotation=90", "language=fra", "title=Take"}},
        {"MP4 with sound", "movie.mp4",
         small + "-f lavfi -i sine=d=0.2 -c:v libx264 -c:a aac -brand mp42 -metadata:s:a language=deu "
                 "-metadata comment=Note",
         "", {"major_brand=mp42", "language=deu", "codec_name=aac", "comment=Note"}, noTrackEnabled},
        {"MP4 with a timecode track and chapters", "movie.mp4", small + chapters + " -c:v mpeg4 -timecode 05:00:00:00",
         "", {"major_brand=isom", "title=Two"}},
        {"MP4 of a camera's brand", "movie.mp4", small + "-c:v mpeg4 -brand XAVC", "", {"major_brand=XAVC"}},
        {"chapter track", "movie.mov", small + chapters + " -c:v mpeg4", "", {"title=One", "title=Two"}},
    };
    for (const auto& c : cases) {
        const auto movie = folder / c.file;
        if (c.copyArguments.empty()) {
            makeMovie(movie, c.arguments);
        } else {
            const auto first = makeMovie(folder / ("first-" + std::string(c.file)), c.arguments);
            makeMovie(movie, "-i " + test::shellQuoted(first.string()) + " -c copy " + c.copyArguments);
        }
        if (c.edit != nullptr) {
            std::string bytes = testing::contents(movie);
            c.edit(bytes);
            std::ofstream(movie, std::ios::binary | std::ios::trunc) << bytes;
        }
        const std::string properties = testing::probeKeptProperties(movie);
        const std::string packets = testing::packetDigests(movie);
        const Timecode start = timecodeAt("01:00:00:00");
        insertTimecodeTrack(MediaAsset(movie), movie, start);

        EXPECT_EQ(testing::probeKeptProperties(movie), properties) << c.name;
        for (const std::string& shown : c.shows) EXPECT_NE(properties.find(shown), std::string::npos) << c.name;
        EXPECT_EQ(testing::packetDigests(movie), packets) << c.name;
        const std::vector<std::vector<Timecode>> read = loadTimecodes(MediaAsset(movie), fromFile);
        ASSERT_FALSE(read.empty()) << c.name;
        EXPECT_EQ(read.back().front().stringValue(), start.stringValue()) << c.name;
    }
}

TEST(TimecodeTrackWriter, RefusesBeforeWritingAnything) {
    Timecode lateStart = timecodeAt("00:00:00:00");
    lateStart.components.hours = 25;
    const struct {
        const char* name;
        const char* file;
        std::string arguments;
        Timecode start;
        const char* mentions;
    } cases[] = {
        {"MXF", "movie.mxf", videoSource("25") + " -c:v mpeg2video -timecode 01:02:03:04", timecodeAt("01:00:00:00"),
         "MXF"},
        {"WAV", "sound.wav", "-f lavfi -i sine=d=0.2", timecodeAt("01:00:00:00"), "WAV"},
        {"Matroska", "movie.mkv", videoSource("25") + " -c:v mpeg4", timecodeAt("01:00:00:00"), "Matroska"},
        {"still image", "still.png", videoSource("25") + " -frames:v 1", timecodeAt("01:00:00:00"), "png"},
        {"3GPP", "movie.3gp", videoSource("25") + " -c:v mpeg4", timecodeAt("01:00:00:00"), "3gp4"},
        {"start beyond 24 hours", "movie.mov", videoSource("25") + " -c:v mpeg4", lateStart, "25:00:00:00"},
    };
    for (const auto& c : cases) {
        const testing::TemporaryFolder folder;
        const auto file = makeMovie(folder / c.file, c.arguments);
        const std::string before = testing::contents(file);
        for (const auto write : {insertTimecodeTrack, replaceTimecodeTracks}) {
            try {
                write(MediaAsset(file), file, c.start, timecodeAt("00:00:01:00"), {});
                ADD_FAILURE() << c.name << " was written";
            } catch (const TimecodeMediaWriteError& error) {
                EXPECT_NE(std::string(error.what()).find(c.mentions), std::string::npos) << error.what();
            }
        }
        EXPECT_EQ(testing::contents(file), before) << c.name;
        EXPECT_EQ(namesIn(folder.path()), std::vector<std::string>{c.file}) << c.name;
    }
}

TEST(TimecodeTrackWriter, ReelNameIsWrittenAndReadBack) {
    const struct {
        const char* file;
        std::string arguments;
        decltype(&insertTimecodeTrack) write;
    } cases[] = {
        {"movie.mov", videoSource("25") + " -c:v mpeg4", insertTimecodeTrack},
        {"movie.mp4", videoSource("25") + " -c:v mpeg4 -timecode 05:00:00:00", replaceTimecodeTracks},
    };
    const testing::TemporaryFolder folder;
    for (const auto& c : cases) {
        const MediaAsset movie(makeMovie(folder / c.file, c.arguments));
        const MediaTrack track = c.write(movie, movie.path(), timecodeAt("01:00:00:00"), std::nullopt, {"A001C003"});
        EXPECT_EQ(track.formatDescriptions.front().extensions.reelName, "A001C003") << c.file;
        EXPECT_EQ(test::runCommand("ffprobe -v error -select_streams d -show_entries stream_tags=reel_name -of csv=p=0 " +
                                   test::shellQuoted(movie.path().string()))
                      .output,
                  "A001C003\n")
            << c.file;
    }
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
    EXPECT_THROW(insertTimecodeTrack(MediaAsset(folder / "file"), folder / "result.mov", start), MediaError);
    EXPECT_EQ(testing::contents(movie.path()), before);
    EXPECT_EQ(namesIn(folder.path()), (std::vector<std::string>{"file", "movie.mov"}));
}

}  // namespace
}  // namespace tallyvane
