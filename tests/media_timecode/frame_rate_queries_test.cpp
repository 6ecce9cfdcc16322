#include "media_timecode/frame_rate_queries.h"

#include <gtest/gtest.h>

#include "movie_fixtures.h"

namespace tallyvane {
namespace {

constexpr MediaTime none = MediaTime::invalid();

MediaTrack video(MediaTime minFrameDuration, std::optional<int> fieldCount = std::nullopt, float nominal = 0) {
    MediaTrack track;
    track.mediaType = MediaType::video;
    track.minFrameDuration = minFrameDuration;
    track.nominalFrameRate = nominal;
    FormatDescription description;
    description.fieldCount = fieldCount;
    track.formatDescriptions.push_back(description);
    return track;
}

MediaTrack timecode(MediaTime frameDuration, std::uint32_t flags = 0) {
    MediaTrack track;
    track.mediaType = MediaType::timecode;
    FormatDescription description;
    description.mediaSubtype = timeCode32Subtype;
    description.frameDuration = frameDuration;
    description.timecodeFlags = flags;
    track.formatDescriptions.push_back(description);
    return track;
}

MediaTrack audio() {
    MediaTrack track;
    track.mediaType = MediaType::audio;
    track.formatDescriptions.emplace_back();
    return track;
}

AssetDescription asset(std::vector<MediaTrack> tracks) { return AssetDescription{std::move(tracks), none, {}}; }

struct TimecodeRateCase {
    const char* name;
    AssetDescription asset;
    std::optional<bool> drop;
    std::optional<TimecodeFrameRate> expected;  // none: missingOrNonStandardFrameRate
};

TEST(FrameRateQueries, TimecodeRateTriesItsSourcesInOrder) {
    const MediaTime ntsc = MediaTime::make(1001, 30000);
    const std::vector<TimecodeRateCase> cases = {
        {"drop flag read from the timecode track", asset({video(ntsc), timecode(ntsc, timecodeFlagDropFrame)}),
         std::nullopt, TimecodeFrameRate::fps29_97d},
        {"drop flag given as no", asset({video(ntsc), timecode(ntsc, timecodeFlagDropFrame)}), false,
         TimecodeFrameRate::fps29_97},
        {"video duration before the timecode track's",
         asset({video(MediaTime::make(1, 24)), timecode(MediaTime::make(1, 25))}), std::nullopt,
         TimecodeFrameRate::fps24},
        {"invalid minimum durations are skipped", asset({video(none), video(MediaTime::make(512, 12800))}),
         std::nullopt, TimecodeFrameRate::fps25},
        {"timecode track decides without a valid video duration",
         asset({video(none), timecode(MediaTime::make(100, 2500))}), std::nullopt, TimecodeFrameRate::fps25},
        {"an unknown video rate falls through to the timecode track",
         asset({video(MediaTime::make(1, 12)), timecode(MediaTime::make(1001, 24000))}), std::nullopt,
         TimecodeFrameRate::fps23_976},
        {"the video rate is the last source", asset({video(none, std::nullopt, 23.976F)}), std::nullopt,
         TimecodeFrameRate::fps23_976},
        {"drop flag against a whole rate", asset({video(MediaTime::make(1, 25))}), true, std::nullopt},
        {"no video and no timecode track", asset({audio()}), std::nullopt, std::nullopt},
        {"no tracks at all", asset({}), false, std::nullopt},
    };
    for (const TimecodeRateCase& c : cases) {
        if (c.expected) {
            EXPECT_EQ(timecodeFrameRate(c.asset, c.drop), *c.expected) << c.name;
            continue;
        }
        EXPECT_EQ(testing::parseErrorOf([&] { timecodeFrameRate(c.asset, c.drop); }),
                  TimecodeMediaParseError::Code::missingOrNonStandardFrameRate)
            << c.name;
    }
}

struct VideoRateCase {
    const char* name;
    AssetDescription asset;
    std::optional<bool> interlaced;
    std::optional<VideoFrameRate> expected;
};

TEST(FrameRateQueries, VideoRateTriesItsSourcesInOrder) {
    const std::vector<VideoRateCase> cases = {
        {"two fields read as interlaced", asset({video(MediaTime::make(1, 25), 2)}), std::nullopt,
         VideoFrameRate::fps25i},
        {"interlaced flag given as no", asset({video(MediaTime::make(1, 25), 2)}), false, VideoFrameRate::fps25p},
        {"one field is progressive", asset({video(MediaTime::make(1001, 30000), 1)}), std::nullopt,
         VideoFrameRate::fps29_97p},
        {"timecode track's duration", asset({video(none), timecode(MediaTime::make(1001, 24000))}), std::nullopt,
         VideoFrameRate::fps23_98p},
        {"nominal rates compared to one decimal", asset({video(none, std::nullopt, 29.97F)}), std::nullopt,
         VideoFrameRate::fps29_97p},
        {"first nominal rate that is known", asset({video(none, std::nullopt, 12), video(none, std::nullopt, 50)}),
         std::nullopt, VideoFrameRate::fps50p},
        {"interlaced lookup of a progressive-only rate", asset({video(MediaTime::make(1, 24), 2)}), std::nullopt,
         std::nullopt},
        {"nothing declared", asset({audio()}), std::nullopt, std::nullopt},
    };
    for (const VideoRateCase& c : cases) {
        if (c.expected) {
            EXPECT_EQ(videoFrameRate(c.asset, c.interlaced), *c.expected) << c.name;
            continue;
        }
        EXPECT_THROW(videoFrameRate(c.asset, c.interlaced), TimecodeMediaParseError) << c.name;
    }
}

}  // namespace
}  // namespace tallyvane
