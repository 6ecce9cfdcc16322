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
#include "media/media_input.h"
#include "media/path_text.h"
#include "media_timecode/frame_rate_queries.h"
#include "media_timecode/media_timecode_errors.h"
#include "media_timecode/mov_boxes.h"
#include "media_timecode/movie_kind.h"
#include "media_timecode/stream_properties.h"
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
            const int failure = errno;
            throw TimecodeMediaWriteError("cannot create a temporary file in " + quotedPath(folder) + ": " +
                                          std::generic_category().message(failure));
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

// What the muxer rewrites in a timecode track it copies: it clears the description's
// flags (a drop-frame track then reads as another time) and cuts the sample durations
// to the other tracks' length. Kept as the source movie holds them.
struct KeptTimecodeTrack {
    int stream = -1;                        // written stream
    std::vector<std::uint8_t> description;  // the whole sample description entry
    std::vector<std::uint8_t> timeToSample;
};

// Which source stream becomes which written stream, and which written tracks each one
// refers to as its timecode. The new timecode track comes after the streams; the muxer
// adds a chapter track after it when the movie has chapters.
struct Layout {
    std::vector<int> outputOf;  // per source stream; -1 when dropped
    std::vector<std::vector<int>> references;
    std::vector<KeptTimecodeTrack> keptTimecodeTracks;
    // Per written stream: whether the source enables its track; the muxer enables the
    // first track of a kind when the source enables none.
    std::vector<bool> enabled;
    int timecodeStream = -1;
    int streamCount = 0;
    int trackCount = 0;
    MediaTime sampleDuration;  // as written, in the timecode track's time base
    // Per written stream: a digest of its packets' data and key flags, in order.
    std::vector<std::uint64_t> packetDigests;
};

// FNV-1a over the bytes, continuing from `digest`.
std::uint64_t digestOf(std::uint64_t digest, std::span<const std::uint8_t> bytes) {
    for (const std::uint8_t byte : bytes) digest = (digest ^ byte) * 0x100000001b3ULL;
    return digest;
}

// The muxer fills the gaps between subtitles with empty text samples; they carry nothing.
void addPacket(std::uint64_t& digest, const AVPacket& packet, const AVCodecParameters& parameters) {
    if (parameters.codec_id == AV_CODEC_ID_MOV_TEXT && packet.size == 2 && AV_RB16(packet.data) == 0) return;
    const std::uint8_t key = (packet.flags & AV_PKT_FLAG_KEY) != 0 ? 1 : 0;
    digest = digestOf(digest, {&key, 1});
    digest = digestOf(digest, {packet.data, static_cast<std::size_t>(packet.size)});
}

constexpr std::uint64_t emptyDigest = 0xcbf29ce484222325ULL;

// The chapter titles of a movie ride in a text track that the demuxer turns into the
// movie's chapters and hides; the muxer writes it anew from those chapters.
bool isChapterTrack(const AVStream& stream) {
    return stream.codecpar->codec_type == AVMEDIA_TYPE_DATA && stream.discard == AVDISCARD_ALL;
}

void putBig(std::vector<std::uint8_t>& bytes, std::uint64_t value, int size) {
    for (int shift = (size - 1) * 8; shift >= 0; shift -= 8) bytes.push_back(static_cast<std::uint8_t>(value >> shift));
}

// The timecode sample description: entry header, reserved word, flags, timescale, frame
// duration, frames per second, and the reel name as a "name" box.
std::vector<std::uint8_t> timecodeDescription(const TimecodeTrackFormat& format,
                                              const TimecodeFormatExtensions& extensions) {
    std::vector<std::uint8_t> entry;
    putBig(entry, 0, 4);
    putBig(entry, timeCode32Subtype, 4);
    putBig(entry, 0, 6);
    putBig(entry, 1, 2);  // data reference index
    putBig(entry, 0, 4);
    putBig(entry, format.flags, 4);
    putBig(entry, static_cast<std::uint64_t>(format.frameDuration.denominator()), 4);
    putBig(entry, static_cast<std::uint64_t>(format.frameDuration.numerator()), 4);
    putBig(entry, static_cast<std::uint64_t>(format.frameQuanta), 1);
    putBig(entry, 0, 1);
    if (!extensions.reelName.empty()) {
        putBig(entry, 12 + extensions.reelName.size(), 4);
        putBig(entry, fourCharCode('n', 'a', 'm', 'e'), 4);
        putBig(entry, extensions.reelName.size(), 2);
        putBig(entry, 0, 2);  // language
        entry.insert(entry.end(), extensions.reelName.begin(), extensions.reelName.end());
    }
    std::vector<std::uint8_t> size;
    putBig(size, entry.size(), 4);
    std::ranges::copy(size, entry.begin());
    return entry;
}

// Kept tracks stay enabled or not; kept timecode tracks keep the references the source
// movie gives them, their description and their sample durations.
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
        layout.enabled[static_cast<std::size_t>(output)] = MovieFile::isEnabled(*tracks[i]);
        for (const std::uint32_t id : MovieFile::timecodeReferences(*tracks[i])) {
            const auto found = std::find(ids.begin(), ids.end(), id);
            const int target = found == ids.end() ? -1 : layout.outputOf[static_cast<std::size_t>(found - ids.begin())];
            if (target >= 0) layout.references[static_cast<std::size_t>(output)].push_back(target);
        }
        if (description.tracks[i].mediaType == MediaType::timecode) {
            const std::span<const std::uint8_t> entry = MovieFile::firstSampleDescription(*tracks[i]);
            layout.keptTimecodeTracks.push_back(
                KeptTimecodeTrack{output, {entry.begin(), entry.end()}, MovieFile::timeToSample(*tracks[i])});
        }
    }
}

Layout plan(const MediaAsset& movie, const AVFormatContext& input, const AssetDescription& description,
            bool keepTimecodeTracks) {
    Layout layout;
    for (unsigned i = 0; i < input.nb_streams; ++i) {
        const MediaTrack& track = description.tracks[i];
        const bool dropped = (track.mediaType == MediaType::timecode && !keepTimecodeTracks) ||
                             isChapterTrack(*input.streams[i]);
        layout.outputOf.push_back(dropped ? -1 : layout.streamCount++);
    }
    layout.timecodeStream = layout.streamCount++;
    layout.trackCount = layout.streamCount + (input.nb_chapters > 0 ? 1 : 0);
    layout.references.resize(static_cast<std::size_t>(layout.trackCount));
    layout.packetDigests.assign(static_cast<std::size_t>(layout.streamCount), emptyDigest);
    layout.enabled.assign(static_cast<std::size_t>(layout.streamCount), true);
    keepFromSource(movie, description, layout);
    for (std::size_t i = 0; i < description.tracks.size(); ++i) {
        if (description.tracks[i].mediaType == MediaType::video) {
            layout.references[static_cast<std::size_t>(layout.outputOf[i])].push_back(layout.timecodeStream);
        }
    }
    return layout;
}

// Copies the streams the layout keeps and adds the one-sample timecode track after them.
// In an MP4 file, which has no timecode tracks in FFmpeg's eyes, timecode tracks are
// written as generic data and made timecode tracks afterwards.
void remux(AVFormatContext& input, const MovieKind& kind, const AssetDescription& description,
           const std::filesystem::path& outputPath, Layout& layout, std::uint32_t frameNumber,
           const TimecodeTrackFormat& format, const MediaTime& sampleDuration) {
    AVFormatContext* rawOutput = nullptr;
    const std::string url = "file:" + outputPath.string();
    check(avformat_alloc_output_context2(&rawOutput, nullptr, kind.muxer, url.c_str()), "cannot make a movie");
    const OutputPtr output(rawOutput);
    copyContainerProperties(input, *output);

    const auto asTimecode = [&](AVStream& stream) {
        stream.codecpar->codec_type = AVMEDIA_TYPE_DATA;
        stream.codecpar->codec_id = kind.isMp4() ? AV_CODEC_ID_BIN_DATA : AV_CODEC_ID_NONE;
        stream.codecpar->codec_tag = av_bswap32(kind.isMp4() ? fourCharCode('g', 'p', 'm', 'd') : timeCode32Subtype);
    };
    for (unsigned i = 0; i < input.nb_streams; ++i) {
        if (layout.outputOf[i] < 0) continue;
        AVStream* out = avformat_new_stream(output.get(), nullptr);
        if (out == nullptr) throw TimecodeMediaWriteError("out of memory adding a track");
        copyStreamProperties(input, *input.streams[i], *out);
        if (description.tracks[i].mediaType == MediaType::timecode) {
            asTimecode(*out);
        } else if (av_codec_get_id(output->oformat->codec_tag, out->codecpar->codec_tag) != out->codecpar->codec_id) {
            out->codecpar->codec_tag = 0;
        }
    }
    AVStream* timecode = avformat_new_stream(output.get(), nullptr);
    if (timecode == nullptr) throw TimecodeMediaWriteError("out of memory adding the timecode track");
    asTimecode(*timecode);
    av_dict_set(&timecode->metadata, "handler_name", "TimeCodeHandler", 0);
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
    if (kind.isMp4()) {
        // MP4 readers look for the iTunes tags, which the muxer writes unless asked otherwise.
        av_dict_set(&options, "brand", kind.brand.c_str(), 0);
    } else {
        // Every container tag, in QuickTime's own metadata, not only those it names.
        av_dict_set(&options, "movflags", "use_metadata_tags", 0);
    }
    const int started = avformat_write_header(output.get(), &options);
    av_dict_free(&options);
    check(started, "cannot start the movie");

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
    addPacket(layout.packetDigests[static_cast<std::size_t>(timecode->index)], *packet, *timecode->codecpar);
    check(av_interleaved_write_frame(output.get(), packet.get()), "cannot write the timecode sample");

    while (true) {
        const int read = av_read_frame(&input, packet.get());
        if (read == AVERROR_EOF) break;
        check(read, "cannot read the movie");
        const int target = layout.outputOf[static_cast<std::size_t>(packet->stream_index)];
        if (target < 0) {
            av_packet_unref(packet.get());
            continue;
        }
        addPacket(layout.packetDigests[static_cast<std::size_t>(target)], *packet,
                  *input.streams[packet->stream_index]->codecpar);
        av_packet_rescale_ts(packet.get(), input.streams[packet->stream_index]->time_base,
                             output->streams[target]->time_base);
        packet->stream_index = target;
        packet->pos = -1;
        check(av_interleaved_write_frame(output.get(), packet.get()), "cannot write a sample");
    }
    check(av_write_trailer(output.get()), "cannot finish the movie");
    check(avio_closep(&output->pb), "cannot close " + quotedPath(outputPath));
}

std::vector<MovBox*> checkedTracks(MovieFile& movie, const Layout& layout) {
    std::vector<MovBox*> tracks = movie.tracks();
    if (tracks.size() != static_cast<std::size_t>(layout.trackCount)) {
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
// exactly what the start timecode's rate and the extensions are, the sample lasts the
// whole track, kept timecode tracks are as the source holds them, and the references are
// the layout's.
void repair(const std::filesystem::path& file, const MovieKind& kind, const Layout& layout,
            const TimecodeTrackFormat& format, const TimecodeFormatExtensions& extensions) {
    MovieFile movie(file);
    const std::vector<MovBox*> tracks = checkedTracks(movie, layout);
    MovBox& timecode = *tracks[static_cast<std::size_t>(layout.timecodeStream)];
    MovieFile::setFirstSampleDescription(timecode, timecodeDescription(format, extensions));
    const std::uint64_t length = MovieFile::mediaDuration(timecode);
    if (length > std::numeric_limits<std::uint32_t>::max()) throw TimecodeMediaWriteError("the duration is too long");
    MovieFile::setSingleSampleDuration(timecode, static_cast<std::uint32_t>(length));
    if (kind.isMp4()) MovieFile::makeTimecodeHandler(timecode);
    for (const KeptTimecodeTrack& kept : layout.keptTimecodeTracks) {
        MovBox& track = *tracks[static_cast<std::size_t>(kept.stream)];
        MovieFile::setFirstSampleDescription(track, kept.description);
        MovieFile::setTimeToSample(track, kept.timeToSample);
        if (kind.isMp4()) MovieFile::makeTimecodeHandler(track);
    }
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        MovieFile::setTimecodeReferences(*tracks[i], referencedIds(tracks, layout.references[i]));
    }
    for (const int output : layout.outputOf) {
        const auto stream = static_cast<std::size_t>(output);
        if (output >= 0) MovieFile::setEnabled(*tracks[stream], layout.enabled[stream]);
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

// Every kept stream reads back with its properties and packets, the container with its
// tags and chapters.
void verifyCopy(const AVFormatContext& input, const std::filesystem::path& file, const Layout& layout) {
    const av::FormatPtr written = av::openInput(file, av::InputKind::probe);
    av::readStreamInfo(*written, file);
    for (unsigned i = 0; i < input.nb_streams; ++i) {
        const int output = layout.outputOf[i];
        if (output < 0) continue;
        const std::string changed =
            changedStreamProperty(input, *input.streams[i], *written, *written->streams[output]);
        if (!changed.empty()) throw TimecodeMediaWriteError(changed + " of a track reads back changed");
    }
    const std::string changed = changedContainerProperty(input, *written);
    if (!changed.empty()) throw TimecodeMediaWriteError(changed + " of the movie read back changed");
    std::vector<std::uint64_t> digests(layout.packetDigests.size(), emptyDigest);
    const av::PacketPtr packet = av::makePacket();
    while (true) {
        const int read = av_read_frame(written.get(), packet.get());
        if (read == AVERROR_EOF) break;
        check(read, "cannot read the written movie");
        if (static_cast<std::size_t>(packet->stream_index) < digests.size()) {
            addPacket(digests[static_cast<std::size_t>(packet->stream_index)], *packet,
                      *written->streams[packet->stream_index]->codecpar);
        }
        av_packet_unref(packet.get());
    }
    if (digests != layout.packetDigests) throw TimecodeMediaWriteError("the written samples read back changed");
}

MediaTrack verify(const std::filesystem::path& file, const AVFormatContext& input, const AssetDescription& source,
                  const Layout& layout, std::size_t timecodeTracks, std::uint32_t frameNumber,
                  const TimecodeTrackFormat& format, const TimecodeFormatExtensions& extensions) {
    const MediaAsset written(file);
    const AssetDescription description = written.load();
    if (description.tracksOfType(MediaType::timecode).size() != timecodeTracks ||
        description.tracks.size() != static_cast<std::size_t>(layout.trackCount)) {
        throw TimecodeMediaWriteError("the written movie holds other tracks than expected");
    }
    verifyKeptTimecodeTracks(source, description, layout);
    const MediaTrack& track = description.tracks[static_cast<std::size_t>(layout.timecodeStream)];
    FormatDescription expected;
    expected.mediaSubtype = timeCode32Subtype;
    expected.frameDuration = MediaTime::make(format.frameDuration.numerator(),
                                             static_cast<std::int32_t>(format.frameDuration.denominator()));
    expected.timecodeFlags = format.flags;
    expected.frameQuanta = format.frameQuanta;
    expected.extensions = extensions;
    if (track.mediaType != MediaType::timecode || track.formatDescriptions != std::vector{expected}) {
        throw TimecodeMediaWriteError("the written timecode description reads back wrong");
    }
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
    verifyCopy(input, file, layout);
    return track;
}

// Every valid timecode fits: 100 days at 120 fps are 1,036,800,000 frames.
std::uint32_t frameNumberOf(const Timecode& start) {
    return static_cast<std::uint32_t>(start.frameCount().value.wholeFrames());
}

// Where the movie goes: the file a symbolic link names, so that the link stays.
std::filesystem::path finalPath(const std::filesystem::path& destination) {
    std::error_code error;
    if (!std::filesystem::is_symlink(destination, error)) return destination;
    const std::filesystem::path target = std::filesystem::canonical(destination, error);
    if (error) {
        throw TimecodeMediaWriteError("cannot follow the link " + quotedPath(destination) + ": " + error.message());
    }
    return target;
}

MediaTrack write(const MediaAsset& movie, const MovieKind& kind, const AssetDescription& description,
                 const std::filesystem::path& destination, const Timecode& start, const Timecode& duration,
                 const TimecodeFormatExtensions& extensions, bool keepTimecodeTracks) {
    const std::uint32_t frameNumber = frameNumberOf(start);
    const TimecodeTrackFormat format = TimecodeTrackFormat::of(start);
    const MediaTime sampleDuration = duration.mediaTimeValue();
    if (!sampleDuration.isNumeric() || sampleDuration.value < 0) {
        throw TimecodeMediaWriteError("the duration is no media time");
    }
    const av::FormatPtr input = av::openInput(movie.path(), av::InputKind::probe);
    // Some codecs declare their picture size only in the first frames' headers.
    av::readStreamInfo(*input, movie.path());
    if (input->nb_streams != description.tracks.size()) throw TimecodeMediaWriteError("the movie changed while read");
    const std::filesystem::path target = finalPath(destination);
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    TemporaryFile temporary(folder);
    Layout layout = plan(movie, *input, description, keepTimecodeTracks);
    remux(*input, kind, description, temporary.path(), layout, frameNumber, format, sampleDuration);
    repair(temporary.path(), kind, layout, format, extensions);
    const std::size_t kept = keepTimecodeTracks ? description.tracksOfType(MediaType::timecode).size() : 0;
    MediaTrack track =
        verify(temporary.path(), *input, description, layout, kept + 1, frameNumber, format, extensions);
    // The temporary file is private to its owner; the movie is as open as the file it
    // replaces, or as the source movie.
    std::error_code error;
    const std::filesystem::path& model = std::filesystem::exists(target, error) ? target : movie.path();
    const std::filesystem::file_status modelStatus = std::filesystem::status(model, error);
    if (!error) std::filesystem::permissions(temporary.path(), modelStatus.permissions(), error);
    if (error) throw TimecodeMediaWriteError("cannot set the movie's permissions: " + error.message());
    std::filesystem::rename(temporary.path(), target, error);
    if (error) {
        throw TimecodeMediaWriteError("cannot move the movie to " + quotedPath(target) + ": " + error.message());
    }
    temporary.keep();
    track.assetPath = destination;
    return track;
}

Timecode movieDuration(const AssetDescription& description, TimecodeFrameRate rate) {
    return timecodeOf(description.duration,
                      TimecodeProperties{rate, TimecodeSubFramesBase::max100SubFrames, TimecodeUpperLimit::max24Hours});
}

// What can be told before reading the movie: the start timecode and the reel name.
void refuseInvalidInput(const Timecode& start, const TimecodeFormatExtensions& extensions) {
    if (!start.isValid()) {
        throw TimecodeMediaWriteError("the start timecode " + start.stringValue() + " is invalid at " +
                                      std::string(start.properties.frameRate.stringValueVerbose()));
    }
    // The name box counts its text in 16 bits.
    if (extensions.reelName.size() > std::numeric_limits<std::uint16_t>::max()) {
        throw TimecodeMediaWriteError("the reel name is too long");
    }
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
                               const Timecode& startTimecode, const std::optional<Timecode>& duration,
                               const TimecodeFormatExtensions& extensions) {
    refuseInvalidInput(startTimecode, extensions);
    const MovieKind kind = movieKind(movie);
    const AssetDescription description = movie.load();
    const Timecode length =
        duration ? *duration : movieDuration(description, timecodeFrameRate(description, std::nullopt));
    return write(movie, kind, description, destination, startTimecode, length, extensions, true);
}

MediaTrack replaceTimecodeTracks(const MediaAsset& movie, const std::filesystem::path& destination,
                                 const Timecode& startTimecode, const std::optional<Timecode>& duration,
                                 const TimecodeFormatExtensions& extensions) {
    refuseInvalidInput(startTimecode, extensions);
    const MovieKind kind = movieKind(movie);
    const AssetDescription description = movie.load();
    // The old timecode tracks are gone before the movie's length is taken.
    const AssetDescription remaining = description.withoutTracksOfType(MediaType::timecode);
    const Timecode length = duration ? *duration : movieDuration(remaining, startTimecode.properties.frameRate);
    return write(movie, kind, description, destination, startTimecode, length, extensions, false);
}

}  // namespace tallyvane
