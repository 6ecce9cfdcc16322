#pragma once
// What a media file's container declares about its tracks, read without decoding:
// the inputs of the frame-rate queries and the timecode reader.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "timecode/media_time.h"

namespace tallyvane {

enum class MediaType : std::uint8_t { video, audio, timecode, other };

// Four-character codes as the container stores them.
constexpr std::uint32_t fourCharCode(char a, char b, char c, char d) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(a)) << 24 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b)) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(c)) << 8 | static_cast<unsigned char>(d);
}
inline constexpr std::uint32_t timeCode32Subtype = fourCharCode('t', 'm', 'c', 'd');
inline constexpr std::uint32_t timeCode64Subtype = fourCharCode('t', 'c', '6', '4');

// Timecode flags of a timecode sample description.
inline constexpr std::uint32_t timecodeFlagDropFrame = 0x1;
inline constexpr std::uint32_t timecodeFlagTwentyFourHourMax = 0x2;

// What a timecode description may carry besides its timing: the reel (source) name.
struct TimecodeFormatExtensions {
    std::string reelName;  // empty when none

    friend bool operator==(const TimecodeFormatExtensions&, const TimecodeFormatExtensions&) = default;
};

struct FormatDescription {
    std::uint32_t mediaSubtype = 0;
    // Timecode descriptions only: the timecode's frame duration, flags and frames per second.
    MediaTime frameDuration = MediaTime::invalid();
    std::uint32_t timecodeFlags = 0;
    int frameQuanta = 0;
    TimecodeFormatExtensions extensions;
    // Video descriptions only: 1 progressive, 2 interlaced; absent when not declared.
    std::optional<int> fieldCount;

    friend bool operator==(const FormatDescription&, const FormatDescription&) = default;
};

class MediaAsset;

struct MediaTrack {
    MediaType mediaType = MediaType::other;
    int streamIndex = -1;  // position among the file's streams
    MediaTime minFrameDuration = MediaTime::invalid();
    float nominalFrameRate = 0;
    std::vector<FormatDescription> formatDescriptions;
    MediaTimeRange timeRange{MediaTime::invalid(), MediaTime::invalid()};
    // The file the track was read from; a track made by hand has none.
    std::optional<std::filesystem::path> assetPath;
};

struct AssetDescription {
    std::vector<MediaTrack> tracks;
    // The end of the longest track, exact in that track's time base; the container's
    // duration when no track declares one.
    MediaTime duration = MediaTime::invalid();
    // A timecode the container declares outside any timecode track, as text.
    std::string containerTimecode;

    std::vector<MediaTrack> tracksOfType(MediaType type) const;
    // The asset as it would be with the tracks of a type removed, its duration included.
    AssetDescription withoutTracksOfType(MediaType type) const;
};

class MediaAsset {
public:
    explicit MediaAsset(std::filesystem::path path) : path_(std::move(path)) {}
    const std::filesystem::path& path() const { return path_; }

    // Opens the file and reads its container's declarations afresh on every call, asking
    // FFmpeg to read a little of each stream where the container declares too little;
    // throws MediaError when the file cannot be opened as media.
    AssetDescription load() const;

private:
    std::filesystem::path path_;
};

}  // namespace tallyvane
