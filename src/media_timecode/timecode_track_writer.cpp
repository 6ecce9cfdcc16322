#include "media_timecode/timecode_track_writer.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <limits>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "media/av_handles.h"
#include "media/media_init.h"
#include "media/media_input.h"
#include "media/path_text.h"
#include "media_timecode/frame_rate_queries.h"
#include "media_timecode/media_timecode_errors.h"
#include "media_timecode/mov_boxes.h"
#include "media_timecode/timecode_reading.h"

extern "C" {
#include <libavutil/bswap.h>
#include <libavutil/intreadwrite.h>
#include <libavutil/mathematics.h>
}

namespace tallyvane {

namespace {

constexpr std::uint32_t videoHandler = fourCharCode('v', 'i', 'd', 'e');

// A new file in the destination's folder, so the final rename stays on one file system;
// removed again unless the write succeeded.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::filesystem::path& folder) {
        std::string pattern = (folder / ".tallyvane-timecode-XXXXXX.mov").string();
        const int descriptor = mkstemps(pattern.data(), 4);
        if (descriptor < 0) {
            throw TimecodeMediaWriteError("cannot create a temporary file in " + quotedPath(folder) + ": " +
                                          std::generic_category().message(errno));
        }
        ::close(descriptor);
        path_ = pattern;
    }
    ~TemporaryFile() {
        if (!kept_) {
            std::error_code ignored;
            std::filesystem::remove(path_, ignored);
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const std::filesystem::path& path() const { return path_; }
    void keep() { kept_ = true; }

private:
    std::filesystem::path path_;
    bool kept_ = false;
};

struct OutputCloser {
    void operator()(AVFormatContext* context) const {
        if (context->pb != nullptr) avio_closep(&context->pb);
        avformat_free_context(context);
    }
};
using OutputPtr = std::unique_ptr<AVFormatContext, OutputCloser>;

void check(int result, const std::string& step) {
    if (result < 0) throw TimecodeMediaWriteError(step + ": " + av::errorText(result));
}

// A copy of a metadata dictionary without "timecode", which would make the muxer add
// a timecode track of its own.
AVDictionary* withoutTimecode(const AVDictionary* metadata) {
    AVDictionary* copy = nullptr;
    if (av_dict_copy(&copy, metadata, 0) < 0) {
        av_dict_free(&copy);
        throw TimecodeMediaWriteError("out of memory copying metadata");
    }
    av_dict_set(&copy, "timecode", nullptr, 0);
    return copy;
}

void copyStream(const AVFormatContext& output, const AVStream& in, AVStream& out, bool isTimecode) {
    check(avcodec_parameters_copy(out.codecpar, in.codecpar), "cannot copy a track's parameters");
    const std::uint32_t tag = in.codecpar->codec_tag;
    if (!isTimecode && av_codec_get_id(output.oformat->codec_tag, tag) != in.codecpar->codec_id) {
        out.codecpar->codec_tag = 0;
    }
    out.time_base = in.time_base;
    out.avg_frame_rate = in.avg_frame_rate;
    out.r_frame_rate = in.r_frame_rate;
    out.disposition = in.disposition;
    out.metadata = withoutTimecode(in.metadata);
    for (int i = 0; i < in.nb_side_data; ++i) {
        const AVPacketSideData& side = in.side_data[i];
        std::uint8_t* data = av_stream_new_side_data(&out, side.type, side.size);
        if (data == nullptr) throw TimecodeMediaWriteError("out of memory copying track side data");
        std::copy(side.data, side.data + side.size, data);
    }
}

// What the muxer rewrites in a timecode track it copies: it clears the description's
// flags (a drop-frame track then reads as another time) and cuts the sample durations
// to the other tracks' length. Kept as the source movie holds them.
struct KeptTimecodeTrack {
    int stream = -1;                              // written stream
    std::vector<std::uint8_t> descriptionFields;  // flags, timescale, frame duration, frames per second
    std::vector<std::uint8_t> timeToSample;
};

// Which source stream becomes which written stream, and which written streams each one
// refers to as its timecode. The new timecode track comes last.
struct Layout {
    std::vector<int> outputOf;  // per source stream; -1 when dropped
    std::vector<std::vector<int>> references;
    std::vector<KeptTimecodeTrack> keptTimecodeTracks;
    int timecodeStream = -1;
    int streamCount = 0;
    MediaTime sampleDuration;  // as written, in the timecode track's time base
};

// The bytes of a timecode sample description after its entry header and reserved word.
std::span<std::uint8_t> timecodeFields(MovBox& track) {
    const std::span<std::uint8_t> entry = MovieFile::firstSampleDescription(track);
    if (entry.size() < 33) throw TimecodeMediaWriteError("a timecode track has no timecode description");
    return entry.subspan(20, 13);
}

// Kept timecode tracks keep the references the source movie gives them, their
// description and their sample durations.
void keepFromSource(const MediaAsset& movie, const AssetDescription& description, Layout& layout) {
    MovieFile source(movie.path());
    const std::vector<MovBox*> tracks = source.tracks();
    if (tracks.size() != layout.outputOf.size()) {
        throw TimecodeMediaWriteError("the movie's tracks are not its streams");
    }
    std::vector<std::uint32_t> ids;
    for (const MovBox* track : tracks) ids.push_back(MovieFile::trackId(*track));
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        const int output = layout.outputOf[i];
        if (output < 0) continue;
        for (const std::uint32_t id : MovieFile::timecodeReferences(*tracks[i])) {
            const auto found = std::find(ids.begin(), ids.end(), id);
            const int target = found == ids.end() ? -1 : layout.outputOf[static_cast<std::size_t>(found - ids.begin())];
            if (target >= 0) layout.references[static_cast<std::size_t>(output)].push_back(target);
        }
        if (description.tracks[i].mediaType == MediaType::timecode) {
            const std::span<const std::uint8_t> fields = timecodeFields(*tracks[i]);
            layout.keptTimecodeTracks.push_back(KeptTimecodeTrack{
                output, {fields.begin(), fields.end()}, MovieFile::timeToSample(*tracks[i])});
        }
    }
}

Layout plan(const MediaAsset& movie, const AssetDescription& description, bool keepTimecodeTracks) {
    Layout layout;
    bool keptAny = false;
    for (const MediaTrack& track : description.tracks) {
        const bool dropped = track.mediaType == MediaType::timecode && !keepTimecodeTracks;
        keptAny = keptAny || (track.mediaType == MediaType::timecode && !dropped);
        layout.outputOf.push_back(dropped ? -1 : layout.streamCount++);
    }
    layout.timecodeStream = layout.streamCount++;
    layout.references.resize(static_cast<std::size_t>(layout.streamCount));
    if (keptAny) keepFromSource(movie, description, layout);
    for (std::size_t i = 0; i < description.tracks.size(); ++i) {
        if (description.tracks[i].mediaType == MediaType::video) {
            layout.references[static_cast<std::size_t>(layout.outputOf[i])].push_back(layout.timecodeStream);
        }
    }
    return layout;
}

// Copies the streams the layout keeps and adds the one-sample timecode track last.
void remux(const MediaAsset& movie, const AssetDescription& description, const std::filesystem::path& outputPath,
           Layout& layout, std::uint32_t frameNumber, const TimecodeTrackFormat& format,
           const MediaTime& sampleDuration) {
    const av::FormatPtr input = av::openInput(movie.path(), av::InputKind::probe);
    // Some codecs declare their picture size only in the first frames' headers.
    av::readStreamInfo(*input, movie.path());
    if (input->nb_streams != description.tracks.size()) throw TimecodeMediaWriteError("the movie changed while read");

    AVFormatContext* rawOutput = nullptr;
    const std::string url = "file:" + outputPath.string();
    check(avformat_alloc_output_context2(&rawOutput, nullptr, "mov", url.c_str()), "cannot make a movie");
    const OutputPtr output(rawOutput);
    output->metadata = withoutTimecode(input->metadata);

    for (unsigned i = 0; i < input->nb_streams; ++i) {
        if (layout.outputOf[i] < 0) continue;
        AVStream* out = avformat_new_stream(output.get(), nullptr);
        if (out == nullptr) throw TimecodeMediaWriteError("out of memory adding a track");
        copyStream(*output, *input->streams[i], *out, description.tracks[i].mediaType == MediaType::timecode);
    }
    AVStream* timecode = avformat_new_stream(output.get(), nullptr);
    if (timecode == nullptr) throw TimecodeMediaWriteError("out of memory adding the timecode track");
    timecode->codecpar->codec_type = AVMEDIA_TYPE_DATA;
    timecode->codecpar->codec_tag = av_bswap32(timeCode32Subtype);
    const auto numerator = static_cast<int>(format.frameDuration.numerator());
    const auto denominator = static_cast<int>(format.frameDuration.denominator());
    timecode->time_base = AVRational{1, denominator};
    timecode->avg_frame_rate = AVRational{denominator, numerator};
    if (timecode->index != layout.timecodeStream) throw TimecodeMediaWriteError("unexpected track order");

    AVDictionary* options = nullptr;
    av_dict_set(&options, "protocol_whitelist", "file", 0);
    const int opened = avio_open2(&output->pb, url.c_str(), AVIO_FLAG_WRITE, nullptr, &options);
    av_dict_free(&options);
    check(opened, "cannot open " + quotedPath(outputPath));
    check(avformat_write_header(output.get(), nullptr), "cannot start the movie");

    const av::PacketPtr packet = av::makePacket();
    check(av_new_packet(packet.get(), 4), "cannot make the timecode sample");
    AV_WB32(packet->data, frameNumber);
    packet->stream_index = timecode->index;
    packet->pts = packet->dts = 0;
    packet->duration = av_rescale_q_rnd(sampleDuration.value, AVRational{1, sampleDuration.timescale},
                                        timecode->time_base, AV_ROUND_NEAR_INF);
    packet->flags = AV_PKT_FLAG_KEY;
    layout.sampleDuration = MediaTime::make(packet->duration, timecode->time_base.den);
    if (timecode->time_base.num != 1) throw TimecodeMediaWriteError("unexpected timecode time base");
    check(av_interleaved_write_frame(output.get(), packet.get()), "cannot write the timecode sample");

    while (true) {
        const int read = av_read_frame(input.get(), packet.get());
        if (read == AVERROR_EOF) break;
        check(read, "cannot read " + quotedPath(movie.path()));
        const int target = layout.outputOf[static_cast<std::size_t>(packet->stream_index)];
        if (target < 0) {
            av_packet_unref(packet.get());
            continue;
        }
        av_packet_rescale_ts(packet.get(), input->streams[packet->stream_index]->time_base,
                             output->streams[target]->time_base);
        packet->stream_index = target;
        packet->pos = -1;
        check(av_interleaved_write_frame(output.get(), packet.get()), "cannot write a sample");
    }
    check(av_write_trailer(output.get()), "cannot finish the movie");
    check(avio_closep(&output->pb), "cannot close " + quotedPath(outputPath));
}

void putBig(std::span<std::uint8_t> bytes, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[offset + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
}

std::vector<MovBox*> checkedTracks(MovieFile& movie, const Layout& layout) {
    std::vector<MovBox*> tracks = movie.tracks();
    if (tracks.size() != static_cast<std::size_t>(layout.streamCount)) {
        throw TimecodeMediaWriteError("the movie does not hold the tracks written");
    }
    return tracks;
}

std::vector<std::uint32_t> referencedIds(const std::vector<MovBox*>& tracks, const std::vector<int>& streams) {
    std::vector<std::uint32_t> ids;
    for (const int stream : streams) ids.push_back(MovieFile::trackId(*tracks[static_cast<std::size_t>(stream)]));
    return ids;
}

// The muxer sets no 24-hour flag, derives the rate from the track's timescale, cuts
// the sample's duration to the other tracks' length, ties timecode tracks to the first
// track whatever its kind and drops the source's references. The description says
// exactly what the start timecode's rate is, the sample lasts the whole track, kept
// timecode tracks are as the source holds them, and the references are the layout's.
void repair(const std::filesystem::path& file, const Layout& layout, const TimecodeTrackFormat& format) {
    MovieFile movie(file);
    const std::vector<MovBox*> tracks = checkedTracks(movie, layout);
    MovBox& timecode = *tracks[static_cast<std::size_t>(layout.timecodeStream)];
    const std::span<std::uint8_t> entry = MovieFile::firstSampleDescription(timecode);
    if (entry.size() < 34 || AV_RB32(entry.data() + 4) != timeCode32Subtype) {
        throw TimecodeMediaWriteError("the timecode track has no timecode description");
    }
    putBig(entry, 20, format.flags);
    putBig(entry, 24, static_cast<std::uint32_t>(format.frameDuration.denominator()));
    putBig(entry, 28, static_cast<std::uint32_t>(format.frameDuration.numerator()));
    entry[32] = static_cast<std::uint8_t>(format.frameQuanta);
    const std::uint64_t length = MovieFile::mediaDuration(timecode);
    if (length > std::numeric_limits<std::uint32_t>::max()) throw TimecodeMediaWriteError("the duration is too long");
    MovieFile::setSingleSampleDuration(timecode, static_cast<std::uint32_t>(length));
    for (const KeptTimecodeTrack& kept : layout.keptTimecodeTracks) {
        MovBox& track = *tracks[static_cast<std::size_t>(kept.stream)];
        std::ranges::copy(kept.descriptionFields, timecodeFields(track).begin());
        MovieFile::setTimeToSample(track, kept.timeToSample);
    }
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        MovieFile::setTimecodeReferences(*tracks[i], referencedIds(tracks, layout.references[i]));
    }
    movie.save();
}

void verifyKeptTimecodeTracks(const AssetDescription& source, const AssetDescription& written, const Layout& layout) {
    for (std::size_t i = 0; i < source.tracks.size(); ++i) {
        const int output = layout.outputOf[i];
        if (output < 0 || source.tracks[i].mediaType != MediaType::timecode) continue;
        const MediaTrack& before = source.tracks[i];
        const MediaTrack& after = written.tracks[static_cast<std::size_t>(output)];
        if (after.formatDescriptions != before.formatDescriptions ||
            after.timeRange.duration != before.timeRange.duration) {
            throw TimecodeMediaWriteError("a kept timecode track reads back changed");
        }
    }
}

MediaTrack verify(const std::filesystem::path& file, const AssetDescription& source, const Layout& layout,
                  std::size_t timecodeTracks, std::uint32_t frameNumber, const TimecodeTrackFormat& format) {
    const MediaAsset written(file);
    const AssetDescription description = written.load();
    if (description.tracksOfType(MediaType::timecode).size() != timecodeTracks ||
        description.tracks.size() != static_cast<std::size_t>(layout.streamCount)) {
        throw TimecodeMediaWriteError("the written movie holds other tracks than expected");
    }
    verifyKeptTimecodeTracks(source, description, layout);
    const MediaTrack& track = description.tracks[static_cast<std::size_t>(layout.timecodeStream)];
    const bool described =
        track.mediaType == MediaType::timecode && track.formatDescriptions.size() == 1 &&
        track.formatDescriptions.front().mediaSubtype == timeCode32Subtype &&
        track.formatDescriptions.front().frameDuration.value == format.frameDuration.numerator() &&
        track.formatDescriptions.front().frameDuration.timescale == format.frameDuration.denominator() &&
        track.formatDescriptions.front().timecodeFlags == format.flags &&
        track.formatDescriptions.front().frameQuanta == format.frameQuanta;
    if (!described) throw TimecodeMediaWriteError("the written timecode description reads back wrong");
    const MediaTime& lasts = track.timeRange.duration;
    const MediaTime& asked = layout.sampleDuration;
    if (!lasts.isNumeric() ||
        static_cast<__int128>(lasts.value) * asked.timescale != static_cast<__int128>(asked.value) * lasts.timescale) {
        throw TimecodeMediaWriteError("the written timecode sample lasts another time");
    }
    if (readTimecodeSamples(written, track) != std::vector<CMTimeCode>{CMTimeCode32{frameNumber}}) {
        throw TimecodeMediaWriteError("the written timecode sample reads back wrong");
    }
    MovieFile movie(file);
    const std::vector<MovBox*> tracks = checkedTracks(movie, layout);
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        const bool video = description.tracks[i].mediaType == MediaType::video;
        if (video != (MovieFile::handlerType(*tracks[i]) == videoHandler) ||
            MovieFile::timecodeReferences(*tracks[i]) != referencedIds(tracks, layout.references[i])) {
            throw TimecodeMediaWriteError("the track references read back wrong");
        }
    }
    return track;
}

std::uint32_t frameNumberOf(const Timecode& start) {
    const std::int64_t frames = start.frameCount().value.wholeFrames();
    if (frames < 0 || frames > std::numeric_limits<std::uint32_t>::max()) {
        throw TimecodeMediaWriteError("the start timecode's frame number does not fit a timecode sample");
    }
    return static_cast<std::uint32_t>(frames);
}

MediaTrack write(const MediaAsset& movie, const AssetDescription& description, const std::filesystem::path& destination,
                 const Timecode& start, const Timecode& duration, bool keepTimecodeTracks) {
    const std::uint32_t frameNumber = frameNumberOf(start);
    const TimecodeTrackFormat format = TimecodeTrackFormat::of(start);
    const MediaTime sampleDuration = duration.mediaTimeValue();
    if (!sampleDuration.isNumeric() || sampleDuration.value < 0) {
        throw TimecodeMediaWriteError("the duration is no media time");
    }
    const std::filesystem::path folder = destination.has_parent_path() ? destination.parent_path() : ".";
    TemporaryFile temporary(folder);
    Layout layout = plan(movie, description, keepTimecodeTracks);
    remux(movie, description, temporary.path(), layout, frameNumber, format, sampleDuration);
    repair(temporary.path(), layout, format);
    const std::size_t kept = keepTimecodeTracks ? description.tracksOfType(MediaType::timecode).size() : 0;
    MediaTrack track = verify(temporary.path(), description, layout, kept + 1, frameNumber, format);
    // The temporary file is private to its owner; the movie is as open as the file it
    // replaces, or as the source movie.
    std::error_code error;
    const std::filesystem::path& model = std::filesystem::exists(destination, error) ? destination : movie.path();
    const std::filesystem::file_status modelStatus = std::filesystem::status(model, error);
    if (!error) std::filesystem::permissions(temporary.path(), modelStatus.permissions(), error);
    if (error) throw TimecodeMediaWriteError("cannot set the movie's permissions: " + error.message());
    std::filesystem::rename(temporary.path(), destination, error);
    if (error) {
        throw TimecodeMediaWriteError("cannot move the movie to " + quotedPath(destination) + ": " + error.message());
    }
    temporary.keep();
    track.assetPath = destination;
    return track;
}

Timecode movieDuration(const AssetDescription& description, TimecodeFrameRate rate) {
    return timecodeOf(description.duration,
                      TimecodeProperties{rate, TimecodeSubFramesBase::max100SubFrames, TimecodeUpperLimit::max24Hours});
}

}  // namespace

TimecodeTrackFormat TimecodeTrackFormat::of(const Timecode& startTimecode) {
    const TimecodeFrameRate rate = startTimecode.properties.frameRate;
    std::uint32_t flags = 0;
    if (startTimecode.properties.upperLimit == TimecodeUpperLimit::max24Hours) flags |= timecodeFlagTwentyFourHourMax;
    if (rate.isDrop()) flags |= timecodeFlagDropFrame;
    return TimecodeTrackFormat{rate.frameDuration(), rate.maxFrames(), flags};
}

MediaTrack insertTimecodeTrack(const MediaAsset& movie, const std::filesystem::path& destination,
                               const Timecode& startTimecode, const std::optional<Timecode>& duration) {
    initMedia();
    const AssetDescription description = movie.load();
    const Timecode length =
        duration ? *duration : movieDuration(description, timecodeFrameRate(description, std::nullopt));
    return write(movie, description, destination, startTimecode, length, true);
}

MediaTrack replaceTimecodeTracks(const MediaAsset& movie, const std::filesystem::path& destination,
                                 const Timecode& startTimecode, const std::optional<Timecode>& duration) {
    initMedia();
    const AssetDescription description = movie.load();
    // The old timecode tracks are gone before the movie's length is taken.
    const AssetDescription remaining = description.withoutTracksOfType(MediaType::timecode);
    const Timecode length = duration ? *duration : movieDuration(remaining, startTimecode.properties.frameRate);
    return write(movie, description, destination, startTimecode, length, false);
}

}  // namespace tallyvane
