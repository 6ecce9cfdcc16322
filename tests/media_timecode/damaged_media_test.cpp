// Damaged and hostile movies: every query either answers or fails with a typed error.

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "media/media_error.h"
#include "media_timecode/frame_rate_queries.h"
#include "media_timecode/timecode_reading.h"
#include "media_timecode/timecode_track_writer.h"
#include "movie_fixtures.h"
#include "timecode/timecode_sources.h"

namespace tallyvane {
namespace {

using FileBytes = std::string;

void store(const std::filesystem::path& path, const FileBytes& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

void putBig(FileBytes& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + static_cast<std::size_t>(i)] = static_cast<char>(value >> (24 - 8 * i));
}

// Where the timecode sample description starts: after "stsd", its version and count.
// The timecode track is the last track the muxer writes.
std::size_t timecodeDescription(const FileBytes& bytes) {
    const std::size_t stsd = bytes.rfind("stsd");
    EXPECT_NE(stsd, FileBytes::npos);
    EXPECT_EQ(bytes.substr(stsd + 16, 4), "tmcd");
    return stsd + 12;
}

// The query's answer, or the kind of error it failed with.
std::string outcome(const std::function<std::string()>& query) {
    try {
        return query();
    } catch (const MediaError&) {
        return "media error";
    } catch (const TimecodeMediaParseError&) {
        return "parse error";
    } catch (const TimecodeValidationError&) {
        return "validation error";
    } catch (const TimecodeMediaWriteError&) {
        return "write error";
    } catch (const std::exception& error) {
        return std::string("untyped: ") + error.what();
    }
}

using testing::fromFile;

struct Damage {
    const char* name;
    std::function<void(FileBytes&)> apply;
    const char* rate;   // outcome or rate text of loadTimecodeFrameRate
    const char* start;  // outcome or text of loadStartTimecode
};

TEST(DamagedMedia, DamagedTimecodeDescriptionsAndSamples) {
    const testing::TemporaryFolder folder;
    const auto source =
        testing::makeMovie(folder / "good.mov", testing::videoSource("25") + " -c:v mpeg4 -timecode 01:00:00:00");
    const FileBytes good = testing::contents(source);
    const std::vector<Damage> cases = {
        {"no timecode timescale", [](FileBytes& b) { putBig(b, timecodeDescription(b) + 24, 0); }, "25", "01:00:00:00"},
        {"zero frame duration", [](FileBytes& b) { putBig(b, timecodeDescription(b) + 28, 0); }, "25", "01:00:00:00"},
        {"every flag set", [](FileBytes& b) { putBig(b, timecodeDescription(b) + 20, 0xFFFFFFFF); }, "parse error",
         "parse error"},
        {"frame number beyond a day",
         [](FileBytes& b) {
             const std::size_t at = b.find(FileBytes("\x00\x01\x5F\x90", 4));
             ASSERT_NE(at, FileBytes::npos);
             putBig(b, at, 0xFFFFFFFF);
         },
         "25", "validation error"},
        {"unknown sample format", [](FileBytes& b) { b.replace(timecodeDescription(b) + 4, 4, "cn32"); }, "25", "nothing"},
    };
    for (const Damage& c : cases) {
        FileBytes bytes = good;
        c.apply(bytes);
        store(folder / "damaged.mov", bytes);
        const MediaAsset movie(folder / "damaged.mov");
        EXPECT_EQ(outcome([&] { return std::string(loadTimecodeFrameRate(movie).stringValue()); }), c.rate) << c.name;
        EXPECT_EQ(outcome([&] {
                      const auto timecode = loadStartTimecode(movie, fromFile);
                      return timecode ? timecode->stringValue() : "nothing";
                  }),
                  c.start)
            << c.name;
    }
}

TEST(DamagedMedia, TruncatedAndScrambledMoviesFailWithTypedErrors) {
    const testing::TemporaryFolder folder;
    const auto source = testing::makeMovie(folder / "good.mov",
                                           testing::videoSource("30000/1001") + " -c:v mpeg4 -timecode '01:00:00;00'");
    const FileBytes good = testing::contents(source);
    std::vector<FileBytes> variants;
    for (const std::size_t size : {std::size_t{0}, std::size_t{7}, std::size_t{40}, good.size() / 2, good.size() - 9}) {
        variants.push_back(good.substr(0, size));
    }
    // Damage the movie box, where the index and the sample descriptions live.
    const std::size_t movie = good.rfind("moov") - 4;
    for (std::size_t at = movie; at < good.size(); at += 23) {
        FileBytes bytes = good;
        bytes[at] = static_cast<char>(~bytes[at]);
        variants.push_back(bytes);
    }
    const Timecode start(FormattedTimecodeSourceValue::string("00:00:01;00"),
                         TimecodeProperties{TimecodeFrameRate::fps29_97d, TimecodeSubFramesBase::max80SubFrames,
                                            TimecodeUpperLimit::max24Hours});
    for (std::size_t i = 0; i < variants.size(); ++i) {
        store(folder / "damaged.mov", variants[i]);
        const MediaAsset damaged(folder / "damaged.mov");
        const std::vector<std::function<std::string()>> queries = {
            [&] { return std::string(loadTimecodeFrameRate(damaged).stringValue()); },
            [&] { return std::string(loadVideoFrameRate(damaged).stringValue()); },
            [&] { return std::to_string(loadTimecodes(damaged, fromFile).size()); },
            [&] { return loadEndTimecode(damaged, fromFile).value_or(start).stringValue(); },
            [&] { return loadDurationTimecode(damaged, fromFile).stringValue(); },
            [&] { return std::to_string(replaceTimecodeTracks(damaged, folder / "written.mov", start).streamIndex); },
        };
        for (const auto& query : queries) {
            EXPECT_EQ(outcome(query).rfind("untyped", 0), std::string::npos)
                << "variant " << i << ": " << outcome(query);
        }
        std::error_code ignored;
        std::filesystem::remove(folder / "written.mov", ignored);
    }
}

}  // namespace
}  // namespace tallyvane
