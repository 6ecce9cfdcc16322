#pragma once
// Timecode read from media: the samples of a file's timecode tracks as timecodes, the
// start, end and duration of a file, and the range of one track. Where no frame rate is
// given it is read from the file (frame_rate_queries.h).

#include <future>
#include <optional>
#include <vector>

#include "media_timecode/media_asset.h"
#include "media_timecode/timecode_samples.h"
#include "timecode/timecode.h"

namespace tallyvane {

// The values of one timecode track's samples in order. Samples of another format add
// nothing. Throws MediaError when the file cannot be opened, and
// TimecodeMediaParseError::internalError when the track is not in it.
std::vector<CMTimeCode> readTimecodeSamples(const MediaAsset& asset, const MediaTrack& track);

struct TimecodeQuery {
    std::optional<TimecodeFrameRate> frameRate;
    TimecodeSubFramesBase subFramesBase = TimecodeSubFramesBase::max80SubFrames;
    TimecodeUpperLimit upperLimit = TimecodeUpperLimit::max24Hours;
};

// One list per timecode track, in track order.
std::vector<std::vector<Timecode>> loadTimecodes(const MediaAsset& asset, const TimecodeQuery& query);
// The first timecode of the first track that has one, else the container's timecode.
std::optional<Timecode> loadStartTimecode(const MediaAsset& asset, const TimecodeQuery& query);
// The start plus the file's duration, wrapping at the upper limit.
std::optional<Timecode> loadEndTimecode(const MediaAsset& asset, const TimecodeQuery& query);
// Throws MediaError when the file declares no duration.
Timecode loadDurationTimecode(const MediaAsset& asset, const TimecodeQuery& query);

// A track's time range as timecodes. Without a frame rate, a track that belongs to no
// file throws TimecodeMediaParseError::missingOrNonStandardFrameRate.
TimecodeClosedRange loadTimecodeRange(const MediaTrack& track, const TimecodeQuery& query);
// Upper bound minus lower bound, wrapping below zero.
Timecode loadDurationTimecode(const MediaTrack& track, const TimecodeQuery& query);

// The asset and track forms asynchronously: each reads on a thread of its own, and its
// future answers or throws what the synchronous form does.
std::future<std::vector<std::vector<Timecode>>> loadTimecodesAsync(const MediaAsset& asset, const TimecodeQuery& query);
std::future<std::optional<Timecode>> loadStartTimecodeAsync(const MediaAsset& asset, const TimecodeQuery& query);
std::future<std::optional<Timecode>> loadEndTimecodeAsync(const MediaAsset& asset, const TimecodeQuery& query);
std::future<Timecode> loadDurationTimecodeAsync(const MediaAsset& asset, const TimecodeQuery& query);
std::future<TimecodeClosedRange> loadTimecodeRangeAsync(const MediaTrack& track, const TimecodeQuery& query);
std::future<Timecode> loadDurationTimecodeAsync(const MediaTrack& track, const TimecodeQuery& query);

// A media time as a timecode at the given properties; throws TimecodeValidationError.
Timecode timecodeOf(const MediaTime& time, const TimecodeProperties& properties);

}  // namespace tallyvane
