#include "media_timecode/timecode_reading.h"

#include "media/av_handles.h"
#include "media/media_error.h"
#include "media/media_init.h"
#include "media/media_input.h"
#include "media/path_text.h"
#include "media_timecode/frame_rate_queries.h"
#include "media_timecode/media_timecode_errors.h"
#include "timecode/async_timecode_sources.h"
#include "timecode/timecode_sources.h"

extern "C" {
#include <libavutil/bswap.h>
}

namespace tallyvane {

namespace {

TimecodeProperties propertiesOf(const AssetDescription& asset, const TimecodeQuery& query) {
    const TimecodeFrameRate rate = query.frameRate ? *query.frameRate : timecodeFrameRate(asset, std::nullopt);
    return TimecodeProperties{rate, query.subFramesBase, query.upperLimit};
}

std::vector<std::vector<Timecode>> timecodesOfTracks(const MediaAsset& asset, const AssetDescription& description,
                                                     const TimecodeProperties& properties) {
    std::vector<std::vector<CMTimeCode>> samples;
    for (const MediaTrack& track : description.tracksOfType(MediaType::timecode)) {
        samples.push_back(readTimecodeSamples(asset, track));
    }
    std::vector<std::vector<Timecode>> timecodes;
    for (const std::vector<CMTimeCode>& values : samples) timecodes.push_back(timecodesOf(values, properties));
    return timecodes;
}

// The first timecode of the first track that has one; else the container's own timecode.
std::optional<Timecode> startOf(const std::vector<std::vector<Timecode>>& lists, const AssetDescription& description,
                                const TimecodeProperties& properties) {
    for (const std::vector<Timecode>& list : lists) {
        if (!list.empty()) return list.front();
    }
    if (description.containerTimecode.empty()) return std::nullopt;
    return Timecode(FormattedTimecodeSourceValue::string(description.containerTimecode), properties);
}

Timecode durationOf(const MediaAsset& asset, const AssetDescription& description,
                    const TimecodeProperties& properties) {
    if (!description.duration.isValid()) {
        throw MediaError("Cannot read the duration of " + quotedPath(asset.path()) +
                         ": neither its tracks nor its container declare one");
    }
    return timecodeOf(description.duration, properties);
}

TimecodeProperties trackProperties(const MediaTrack& track, const TimecodeQuery& query) {
    if (query.frameRate) return TimecodeProperties{*query.frameRate, query.subFramesBase, query.upperLimit};
    if (!track.assetPath) throw TimecodeMediaParseError(TimecodeMediaParseError::Code::missingOrNonStandardFrameRate);
    return propertiesOf(MediaAsset(*track.assetPath).load(), query);
}

}  // namespace

std::vector<CMTimeCode> readTimecodeSamples(const MediaAsset& asset, const MediaTrack& track) {
    initMedia();
    const av::FormatPtr format = av::openInput(asset.path(), av::InputKind::probe);
    if (track.streamIndex < 0 || static_cast<unsigned>(track.streamIndex) >= format->nb_streams) {
        throw TimecodeMediaParseError(TimecodeMediaParseError::Code::internalError);
    }
    for (unsigned i = 0; i < format->nb_streams; ++i) {
        format->streams[i]->discard = static_cast<int>(i) == track.streamIndex ? AVDISCARD_DEFAULT : AVDISCARD_ALL;
    }
    const std::uint32_t subtype = av_bswap32(format->streams[track.streamIndex]->codecpar->codec_tag);
    const av::PacketPtr packet = av::makePacket();
    std::vector<CMTimeCode> values;
    // A read error ends the samples like the end of the file does.
    while (av_read_frame(format.get(), packet.get()) >= 0) {
        if (packet->stream_index == track.streamIndex && packet->data != nullptr && packet->size > 0) {
            try {
                const std::vector<CMTimeCode> decoded =
                    decodeTimecodeSamples(subtype, {packet->data, static_cast<std::size_t>(packet->size)});
                values.insert(values.end(), decoded.begin(), decoded.end());
            } catch (const TimecodeMediaParseError&) {
                // A sample of a format we cannot read adds nothing.
            }
        }
        av_packet_unref(packet.get());
    }
    return values;
}

std::vector<std::vector<Timecode>> loadTimecodes(const MediaAsset& asset, const TimecodeQuery& query) {
    const AssetDescription description = asset.load();
    return timecodesOfTracks(asset, description, propertiesOf(description, query));
}

std::optional<Timecode> loadStartTimecode(const MediaAsset& asset, const TimecodeQuery& query) {
    const AssetDescription description = asset.load();
    const TimecodeProperties properties = propertiesOf(description, query);
    return startOf(timecodesOfTracks(asset, description, properties), description, properties);
}

std::optional<Timecode> loadEndTimecode(const MediaAsset& asset, const TimecodeQuery& query) {
    const AssetDescription description = asset.load();
    const TimecodeProperties properties = propertiesOf(description, query);
    const std::optional<Timecode> start = startOf(timecodesOfTracks(asset, description, properties), description,
                                                  properties);
    if (!start) return std::nullopt;
    return *start + durationOf(asset, description, properties);
}

Timecode loadDurationTimecode(const MediaAsset& asset, const TimecodeQuery& query) {
    const AssetDescription description = asset.load();
    return durationOf(asset, description, propertiesOf(description, query));
}

TimecodeClosedRange loadTimecodeRange(const MediaTrack& track, const TimecodeQuery& query) {
    return Timecode::closedRange(track.timeRange, trackProperties(track, query));
}

Timecode loadDurationTimecode(const MediaTrack& track, const TimecodeQuery& query) {
    const TimecodeClosedRange range = loadTimecodeRange(track, query);
    return range.upperBound - range.lowerBound;
}

std::future<std::vector<std::vector<Timecode>>> loadTimecodesAsync(const MediaAsset& asset, const TimecodeQuery& query) {
    return startAsynchronously([asset, query] { return loadTimecodes(asset, query); });
}

std::future<std::optional<Timecode>> loadStartTimecodeAsync(const MediaAsset& asset, const TimecodeQuery& query) {
    return startAsynchronously([asset, query] { return loadStartTimecode(asset, query); });
}

std::future<std::optional<Timecode>> loadEndTimecodeAsync(const MediaAsset& asset, const TimecodeQuery& query) {
    return startAsynchronously([asset, query] { return loadEndTimecode(asset, query); });
}

std::future<Timecode> loadDurationTimecodeAsync(const MediaAsset& asset, const TimecodeQuery& query) {
    return startAsynchronously([asset, query] { return loadDurationTimecode(asset, query); });
}

std::future<TimecodeClosedRange> loadTimecodeRangeAsync(const MediaTrack& track, const TimecodeQuery& query) {
    return startAsynchronously([track, query] { return loadTimecodeRange(track, query); });
}

std::future<Timecode> loadDurationTimecodeAsync(const MediaTrack& track, const TimecodeQuery& query) {
    return startAsynchronously([track, query] { return loadDurationTimecode(track, query); });
}

Timecode timecodeOf(const MediaTime& time, const TimecodeProperties& properties) {
    return Timecode(TimecodeSourceValue::mediaTime(time), properties);
}

}  // namespace tallyvane
