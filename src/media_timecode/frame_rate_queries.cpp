#include "media_timecode/frame_rate_queries.h"

#include <exception>

#include "timecode/async_timecode_sources.h"

namespace tallyvane {

namespace {

std::optional<MediaTime> firstValidMinFrameDuration(const std::vector<MediaTrack>& videoTracks) {
    for (const MediaTrack& track : videoTracks) {
        if (track.minFrameDuration.isValid()) return track.minFrameDuration;
    }
    return std::nullopt;
}

// The first description's frame duration, taken as it is.
std::optional<MediaTime> firstDescriptionFrameDuration(const std::vector<MediaTrack>& tracks) {
    const std::vector<FormatDescription> descriptions = loadFormatDescriptions(tracks);
    if (descriptions.empty()) return std::nullopt;
    return descriptions.front().frameDuration;
}

TimecodeMediaParseError missingRate() {
    return TimecodeMediaParseError(TimecodeMediaParseError::Code::missingOrNonStandardFrameRate);
}

}  // namespace

std::vector<FormatDescription> loadFormatDescriptions(const std::vector<MediaTrack>& tracks) {
    std::vector<FormatDescription> result;
    for (const MediaTrack& track : tracks) {
        result.insert(result.end(), track.formatDescriptions.begin(), track.formatDescriptions.end());
    }
    return result;
}

bool isDropFrame(const AssetDescription& asset) {
    // Drop-frame timecode text separates its frames with ";" (or ".").
    if (asset.containerTimecode.find_first_of(";.") != std::string::npos) return true;
    for (const FormatDescription& description : loadFormatDescriptions(asset.tracksOfType(MediaType::timecode))) {
        if ((description.timecodeFlags & timecodeFlagDropFrame) != 0) return true;
    }
    return false;
}

bool isInterlaced(const AssetDescription& asset) {
    const std::vector<MediaTrack> video = asset.tracksOfType(MediaType::video);
    if (video.empty()) return false;
    for (const FormatDescription& description : video.front().formatDescriptions) {
        if (description.fieldCount && *description.fieldCount >= 2) return true;
    }
    return false;
}

std::vector<float> nominalFrameRates(const AssetDescription& asset) {
    std::vector<float> rates;
    for (const MediaTrack& track : asset.tracksOfType(MediaType::video)) rates.push_back(track.nominalFrameRate);
    return rates;
}

VideoFrameRate videoFrameRate(const AssetDescription& asset, std::optional<bool> interlacedFlag) {
    const std::vector<MediaTrack> video = asset.tracksOfType(MediaType::video);
    const bool interlaced = interlacedFlag ? *interlacedFlag : isInterlaced(asset);
    if (const auto duration = firstValidMinFrameDuration(video)) {
        if (const auto rate = VideoFrameRate::fromFrameDuration(*duration, interlaced)) return *rate;
    }
    if (const auto duration = firstDescriptionFrameDuration(video)) {
        if (const auto rate = VideoFrameRate::fromFrameDuration(*duration, interlaced)) return *rate;
    }
    if (const auto duration = firstDescriptionFrameDuration(asset.tracksOfType(MediaType::timecode))) {
        if (const auto rate = VideoFrameRate::fromFrameDuration(*duration, interlaced)) return *rate;
    }
    for (const float nominal : nominalFrameRates(asset)) {
        if (const auto rate = VideoFrameRate::fromFps(static_cast<double>(nominal), interlaced, false)) return *rate;
    }
    throw missingRate();
}

TimecodeFrameRate timecodeFrameRate(const AssetDescription& asset, std::optional<bool> dropFlag) {
    const bool drop = dropFlag ? *dropFlag : isDropFrame(asset);
    if (const auto duration = firstValidMinFrameDuration(asset.tracksOfType(MediaType::video))) {
        if (const auto rate = TimecodeFrameRate::fromFrameDuration(*duration, drop)) return *rate;
    }
    if (const auto duration = firstDescriptionFrameDuration(asset.tracksOfType(MediaType::timecode))) {
        if (const auto rate = TimecodeFrameRate::fromFrameDuration(*duration, drop)) return *rate;
    }
    if (const auto rate = videoFrameRate(asset, std::nullopt).timecodeFrameRate(drop)) return *rate;
    throw missingRate();
}

TimecodeFrameRate loadTimecodeFrameRate(const MediaAsset& asset, std::optional<bool> drop) {
    return timecodeFrameRate(asset.load(), drop);
}

bool loadIsDropFrame(const MediaAsset& asset) { return isDropFrame(asset.load()); }

VideoFrameRate loadVideoFrameRate(const MediaAsset& asset, std::optional<bool> interlaced) {
    return videoFrameRate(asset.load(), interlaced);
}

VideoFrameRate videoFrameRate(const MediaAsset& asset, std::optional<bool> interlaced) {
    return loadVideoFrameRate(asset, interlaced);
}

bool loadIsInterlaced(const MediaAsset& asset) noexcept {
    try {
        return isInterlaced(asset.load());
    } catch (const std::exception&) {
        return false;
    }
}

std::vector<float> loadNominalFrameRate(const MediaAsset& asset) noexcept {
    try {
        return nominalFrameRates(asset.load());
    } catch (const std::exception&) {
        return {};
    }
}

std::future<TimecodeFrameRate> loadTimecodeFrameRateAsync(const MediaAsset& asset, std::optional<bool> drop) {
    return startAsynchronously([asset, drop] { return loadTimecodeFrameRate(asset, drop); });
}

std::future<bool> loadIsDropFrameAsync(const MediaAsset& asset) {
    return startAsynchronously([asset] { return loadIsDropFrame(asset); });
}

std::future<VideoFrameRate> loadVideoFrameRateAsync(const MediaAsset& asset, std::optional<bool> interlaced) {
    return startAsynchronously([asset, interlaced] { return loadVideoFrameRate(asset, interlaced); });
}

std::future<VideoFrameRate> videoFrameRateAsync(const MediaAsset& asset, std::optional<bool> interlaced) {
    return loadVideoFrameRateAsync(asset, interlaced);
}

std::future<bool> loadIsInterlacedAsync(const MediaAsset& asset) {
    return startAsynchronously([asset] { return loadIsInterlaced(asset); });
}

std::future<std::vector<float>> loadNominalFrameRateAsync(const MediaAsset& asset) {
    return startAsynchronously([asset] { return loadNominalFrameRate(asset); });
}

std::future<std::vector<FormatDescription>> loadFormatDescriptionsAsync(const std::vector<MediaTrack>& tracks) {
    return startAsynchronously([tracks] { return loadFormatDescriptions(tracks); });
}

}  // namespace tallyvane
