#pragma once
// At what rate a media file's timecode and video run, from what its tracks declare.
// Each query tries its sources in a fixed order and takes the first that names a rate.
// The description forms answer from one reading of the file; the asset forms read it
// afresh and let MediaError through where the query may fail.

#include <future>
#include <optional>
#include <vector>

#include "media_timecode/media_asset.h"
#include "media_timecode/media_timecode_errors.h"
#include "timecode/timecode_frame_rate.h"
#include "timecode/video_frame_rate.h"

namespace tallyvane {

// Drop flag (read from the timecode tracks when absent), then the first valid minimum
// frame duration of the video tracks, the first timecode description's frame duration,
// and the video rate. Throws TimecodeMediaParseError::missingOrNonStandardFrameRate.
TimecodeFrameRate timecodeFrameRate(const AssetDescription& asset, std::optional<bool> drop);
// True when any timecode description carries the drop-frame flag, or the container's
// timecode is written as drop-frame.
bool isDropFrame(const AssetDescription& asset);
// Interlaced flag (read when absent), then minimum frame durations, video and timecode
// description frame durations, and nominal rates compared to one decimal place.
VideoFrameRate videoFrameRate(const AssetDescription& asset, std::optional<bool> interlaced);
// True when a description of the first video track declares two fields or more.
bool isInterlaced(const AssetDescription& asset);
std::vector<float> nominalFrameRates(const AssetDescription& asset);
// The descriptions of all the tracks, track by track, each track's in its order.
std::vector<FormatDescription> loadFormatDescriptions(const std::vector<MediaTrack>& tracks);

TimecodeFrameRate loadTimecodeFrameRate(const MediaAsset& asset, std::optional<bool> drop = std::nullopt);
bool loadIsDropFrame(const MediaAsset& asset);
VideoFrameRate loadVideoFrameRate(const MediaAsset& asset, std::optional<bool> interlaced = std::nullopt);
// Never throw: a file that cannot be read is not interlaced and has no rates.
bool loadIsInterlaced(const MediaAsset& asset) noexcept;
std::vector<float> loadNominalFrameRate(const MediaAsset& asset) noexcept;
// The video frame rate made from an asset: what loadVideoFrameRate gives, errors included.
// A maker here rather than a VideoFrameRate constructor, so the timecode core reads no media.
VideoFrameRate videoFrameRate(const MediaAsset& asset, std::optional<bool> interlaced = std::nullopt);

// The asset forms asynchronously: each reads the file on a thread of its own, and its
// future answers or throws what the synchronous form does.
std::future<TimecodeFrameRate> loadTimecodeFrameRateAsync(const MediaAsset& asset,
                                                          std::optional<bool> drop = std::nullopt);
std::future<bool> loadIsDropFrameAsync(const MediaAsset& asset);
std::future<VideoFrameRate> loadVideoFrameRateAsync(const MediaAsset& asset,
                                                    std::optional<bool> interlaced = std::nullopt);
std::future<bool> loadIsInterlacedAsync(const MediaAsset& asset);
std::future<VideoFrameRate> videoFrameRateAsync(const MediaAsset& asset, std::optional<bool> interlaced = std::nullopt);
std::future<std::vector<float>> loadNominalFrameRateAsync(const MediaAsset& asset);
std::future<std::vector<FormatDescription>> loadFormatDescriptionsAsync(const std::vector<MediaTrack>& tracks);

}  // namespace tallyvane
