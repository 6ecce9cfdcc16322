#include "media_timecode/media_asset.h"

#include <limits>

#include "media/av_handles.h"
#include "media/media_init.h"
#include "media/media_input.h"

extern "C" {
#include <libavutil/bswap.h>
#include <libavutil/intreadwrite.h>
}

namespace tallyvane {

namespace {

std::uint32_t containerCode(std::uint32_t ffmpegTag) { return av_bswap32(ffmpegTag); }

bool isTimecodeSubtype(std::uint32_t subtype) { return subtype == timeCode32Subtype || subtype == timeCode64Subtype; }

MediaType mediaTypeOf(const AVStream& stream) {
    const AVCodecParameters& parameters = *stream.codecpar;
    switch (parameters.codec_type) {
        case AVMEDIA_TYPE_VIDEO:
            // Cover art rides as a one-picture video stream; it is no video track.
            return (stream.disposition & AV_DISPOSITION_ATTACHED_PIC) != 0 ? MediaType::other : MediaType::video;
        case AVMEDIA_TYPE_AUDIO: return MediaType::audio;
        case AVMEDIA_TYPE_DATA:
            return isTimecodeSubtype(containerCode(parameters.codec_tag)) ? MediaType::timecode : MediaType::other;
        default: return MediaType::other;
    }
}

// value x (num / den) seconds as value' / timescale without rounding, when it fits.
MediaTime exactTime(std::int64_t value, AVRational timeBase) {
    if (timeBase.num <= 0 || timeBase.den <= 0) return MediaTime::invalid();
    std::int64_t scaled = 0;
    if (__builtin_mul_overflow(value, static_cast<std::int64_t>(timeBase.num), &scaled)) return MediaTime::invalid();
    return MediaTime::make(scaled, timeBase.den);
}

// The sample description's own fields after its 16-byte entry header: reserved, flags,
// timescale, frame duration, frames per second.
FormatDescription timecodeDescription(std::uint32_t subtype, const AVCodecParameters& parameters) {
    FormatDescription description;
    description.mediaSubtype = subtype;
    if (parameters.extradata == nullptr || parameters.extradata_size < 17) return description;
    const std::uint8_t* data = parameters.extradata;
    description.timecodeFlags = AV_RB32(data + 4);
    const std::uint32_t timescale = AV_RB32(data + 8);
    const std::uint32_t frameDuration = AV_RB32(data + 12);
    if (timescale > 0 && timescale <= static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max())) {
        description.frameDuration = MediaTime::make(frameDuration, static_cast<std::int32_t>(timescale));
    }
    description.frameQuanta = data[16];
    return description;
}

std::optional<int> fieldCountOf(AVFieldOrder order) {
    switch (order) {
        case AV_FIELD_PROGRESSIVE: return 1;
        case AV_FIELD_TT:
        case AV_FIELD_BB:
        case AV_FIELD_TB:
        case AV_FIELD_BT: return 2;
        default: return std::nullopt;
    }
}

MediaTrack trackOf(const AVStream& stream, int index, const std::filesystem::path& path) {
    const AVCodecParameters& parameters = *stream.codecpar;
    MediaTrack track;
    track.mediaType = mediaTypeOf(stream);
    track.streamIndex = index;
    track.assetPath = path;
    const std::uint32_t subtype = containerCode(parameters.codec_tag);
    if (track.mediaType == MediaType::timecode) {
        track.formatDescriptions.push_back(timecodeDescription(subtype, parameters));
        // The demuxer gives the description's source reference name as this tag.
        if (const AVDictionaryEntry* reel = av_dict_get(stream.metadata, "reel_name", nullptr, AV_DICT_MATCH_CASE)) {
            track.formatDescriptions.back().extensions.reelName = reel->value;
        }
    } else {
        FormatDescription description;
        description.mediaSubtype = subtype;
        if (track.mediaType == MediaType::video) description.fieldCount = fieldCountOf(parameters.field_order);
        track.formatDescriptions.push_back(description);
    }
    if (track.mediaType == MediaType::video) {
        // The demuxer declares a real frame rate only for a constant sample duration.
        const AVRational rate = stream.r_frame_rate;
        if (rate.num > 0 && rate.den > 0) track.minFrameDuration = MediaTime::make(rate.den, rate.num);
        const AVRational average = stream.avg_frame_rate;
        if (average.num > 0 && average.den > 0) track.nominalFrameRate = static_cast<float>(av_q2d(average));
    }
    if (stream.duration != AV_NOPTS_VALUE && stream.duration >= 0) {
        const std::int64_t start = stream.start_time == AV_NOPTS_VALUE ? 0 : stream.start_time;
        track.timeRange =
            MediaTimeRange{exactTime(start, stream.time_base), exactTime(stream.duration, stream.time_base)};
        if (!track.timeRange.start.isValid() || !track.timeRange.duration.isValid()) {
            track.timeRange = MediaTimeRange{MediaTime::invalid(), MediaTime::invalid()};
        }
    }
    return track;
}

// start + duration in the range's own timescale; absent on overflow.
std::optional<__int128> endValue(const MediaTimeRange& range) {
    if (!range.start.isNumeric() || !range.duration.isNumeric()) return std::nullopt;
    if (range.start.timescale != range.duration.timescale) return std::nullopt;
    return static_cast<__int128>(range.start.value) + range.duration.value;
}

MediaTime longestEnd(const std::vector<MediaTrack>& tracks) {
    MediaTime best = MediaTime::invalid();
    __int128 bestValue = 0;
    for (const MediaTrack& track : tracks) {
        const std::optional<__int128> end = endValue(track.timeRange);
        if (!end || *end > std::numeric_limits<std::int64_t>::max() || *end < 0) continue;
        const std::int32_t timescale = track.timeRange.start.timescale;
        // Compare end / timescale exactly by cross-multiplying.
        if (!best.isValid() || *end * best.timescale > bestValue * timescale) {
            best = MediaTime::make(static_cast<std::int64_t>(*end), timescale);
            bestValue = *end;
        }
    }
    return best;
}

}  // namespace

std::vector<MediaTrack> AssetDescription::tracksOfType(MediaType type) const {
    std::vector<MediaTrack> result;
    for (const MediaTrack& track : tracks) {
        if (track.mediaType == type) result.push_back(track);
    }
    return result;
}

AssetDescription AssetDescription::withoutTracksOfType(MediaType type) const {
    AssetDescription rest;
    for (const MediaTrack& track : tracks) {
        if (track.mediaType != type) rest.tracks.push_back(track);
    }
    rest.duration = longestEnd(rest.tracks);
    return rest;
}

AssetDescription MediaAsset::load() const {
    initMedia();
    const av::FormatPtr format = av::openInput(path_, av::InputKind::probe);
    // MXF, MPEG-TS and Matroska declare their frame rates only through what FFmpeg reads
    // of the streams.
    av::readStreamInfo(*format, path_);
    AssetDescription description;
    for (unsigned i = 0; i < format->nb_streams; ++i) {
        description.tracks.push_back(trackOf(*format->streams[i], static_cast<int>(i), path_));
    }
    description.duration = longestEnd(description.tracks);
    if (!description.duration.isValid() && format->duration != AV_NOPTS_VALUE && format->duration >= 0) {
        description.duration = MediaTime::make(format->duration, AV_TIME_BASE);
    }
    if (const AVDictionaryEntry* timecode = av_dict_get(format->metadata, "timecode", nullptr, 0)) {
        description.containerTimecode = timecode->value;
    }
    return description;
}

}  // namespace tallyvane
