#include "media/video_frame_grabber.h"

#include <optional>
#include <string>

#include "media/frame_convert.h"
#include "media/media_error.h"
#include "media/media_input.h"
#include "media/video_decoder.h"

namespace tallyvane {
namespace {

// A seek that lands after the wanted time (a keyframe indexed by its decoding time whose
// picture shows later) or on an open GOP is retried this often from the keyframe before.
constexpr int kSeekRetries = 3;

// floor(time / timeBase) + start, exactly: a time on a frame boundary must select that frame,
// not the one before it through a rounding error.
std::int64_t toStreamTimestamp(RationalSeconds time, AVRational timeBase, std::int64_t start,
                               const std::filesystem::path& path) {
    __int128 numerator = static_cast<__int128>(time.numerator) * timeBase.den;
    __int128 denominator = static_cast<__int128>(time.denominator) * timeBase.num;
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    __int128 ticks = numerator / denominator;
    if (numerator % denominator != 0 && numerator < 0) --ticks;
    if (ticks < 0) throw MediaError("A negative time lies before the video of " + av::quoted(path));
    const __int128 timestamp = ticks + start;
    if (timestamp > INT64_MAX) {
        throw MediaError("The time lies beyond the end of the video of " + av::quoted(path));
    }
    return static_cast<std::int64_t>(timestamp);
}

}  // namespace

struct VideoFrameGrabber::State {
    std::filesystem::path path;
    av::FormatPtr format;
    int streamIndex = -1;
    std::optional<av::VideoDecoder> decoder;
    av::FramePtr held = av::makeFrame();
    av::FramePtr incoming = av::makeFrame();
    av::ScalePtr scaler;

    AVStream& stream() const { return *format->streams[streamIndex]; }

    std::int64_t startTimestamp() const {
        return stream().start_time != AV_NOPTS_VALUE ? stream().start_time : 0;
    }

    void seek(std::int64_t timestamp) {
        const int result =
            avformat_seek_file(format.get(), streamIndex, INT64_MIN, timestamp, timestamp, 0);
        if (result < 0) {
            throw MediaError("Cannot seek in " + av::quoted(path) + ": " + av::errorText(result));
        }
        decoder->restart();
    }

    std::string beyondTheEnd() const {
        return "The time lies beyond the end of the video of " + av::quoted(path);
    }

    // Where the stream's last picture stops being shown, when the container says.
    std::optional<std::int64_t> streamEnd() const {
        if (stream().duration == AV_NOPTS_VALUE || stream().duration <= 0) return std::nullopt;
        return startTimestamp() + stream().duration;
    }

    // Where the picture shown from `pts` on stops being shown, when known.
    std::optional<std::int64_t> frameEnd(const AVFrame& frame, std::int64_t pts) const {
        std::int64_t duration = frame.pkt_duration;
        const AVRational rate = stream().avg_frame_rate;
        if (duration <= 0 && rate.num > 0 && rate.den > 0) {
            duration = av_rescale_q(1, av_inv_q(rate), stream().time_base);
        }
        if (duration <= 0) return std::nullopt;
        return pts + duration;
    }

    enum class Landing {
        onFrame,    // `held` is the frame on screen at the time
        tooLate,    // the first picture decoded (in `incoming`) shows after the time
        gapBefore,  // `held` ends before the time and the next picture starts after it
        gapAtEnd,   // `held` ends before the time and the stream ends there
        nothing,    // no picture could be decoded
    };

    // Decodes forward from the current position to the picture on screen at `target`.
    // A decoder started on an open-GOP keyframe drops pictures that refer to the GOP before,
    // which shows here as a landing too late or a gap.
    Landing decodeTo(std::int64_t target) {
        bool haveHeld = false;
        std::int64_t heldPts = 0;
        av_frame_unref(held.get());
        const auto covers = [&] {
            const std::optional<std::int64_t> end = frameEnd(*held, heldPts);
            return !end || target < *end;
        };
        while (decoder->next(*incoming)) {
            const std::int64_t pts = incoming->best_effort_timestamp;
            if (pts == AV_NOPTS_VALUE) {
                av_frame_unref(incoming.get());
                continue;
            }
            if (pts > target) {
                if (!haveHeld) return Landing::tooLate;
                av_frame_unref(incoming.get());
                return covers() ? Landing::onFrame : Landing::gapBefore;
            }
            av_frame_unref(held.get());
            av_frame_move_ref(held.get(), incoming.get());
            haveHeld = true;
            heldPts = pts;
        }
        if (!haveHeld) return Landing::nothing;
        return covers() ? Landing::onFrame : Landing::gapAtEnd;
    }

    const AVFrame& frameShownAt(std::int64_t target) {
        if (const std::optional<std::int64_t> end = streamEnd(); end && target >= *end) {
            throw MediaError(beyondTheEnd());
        }
        std::int64_t seekPoint = target;
        Landing landing = Landing::nothing;
        for (int attempt = 0;; ++attempt) {
            seek(seekPoint);
            landing = decodeTo(target);
            if (landing == Landing::onFrame) return *held;
            const std::int64_t landedDts = decoder->firstPacketDts();
            if (attempt == kSeekRetries || landedDts == AV_NOPTS_VALUE ||
                landedDts - 1 >= seekPoint) {
                break;
            }
            seekPoint = landedDts - 1;
        }
        if (landing == Landing::tooLate || landing == Landing::nothing) {
            seek(startTimestamp());
            landing = decodeTo(target);
            // Even from the start the first picture shows after the time: the stream opens
            // with a gap, and its first picture is the nearest there is.
            if (landing == Landing::tooLate) return *incoming;
        }
        switch (landing) {
            case Landing::onFrame:
            case Landing::gapBefore:
                // Frame durations that do not tile the stream: the last picture that started
                // before the time is the one still on screen.
                return *held;
            case Landing::gapAtEnd:
                throw MediaError(beyondTheEnd());
            default:
                throw MediaError("No picture could be decoded from " + av::quoted(path));
        }
    }
};

VideoFrameGrabber::VideoFrameGrabber(const std::filesystem::path& path)
    : state_(std::make_unique<State>()) {
    state_->path = path;
    state_->format = av::openInput(path, av::InputKind::probe);
    av::readStreamInfo(*state_->format, path);
    state_->streamIndex = av::findVideoStream(*state_->format, path);
    state_->decoder.emplace(*state_->format, state_->streamIndex, path);
}

VideoFrameGrabber::~VideoFrameGrabber() = default;
VideoFrameGrabber::VideoFrameGrabber(VideoFrameGrabber&&) noexcept = default;
VideoFrameGrabber& VideoFrameGrabber::operator=(VideoFrameGrabber&&) noexcept = default;

RgbImage VideoFrameGrabber::frameAt(RationalSeconds time, int maxWidth) {
    if (time.denominator == 0) throw MediaError("A time with a zero denominator has no frame");
    State& state = *state_;
    const AVRational timeBase = state.stream().time_base;
    if (timeBase.num <= 0 || timeBase.den <= 0) {
        throw MediaError("The video of " + av::quoted(state.path) + " has no usable time base");
    }
    const std::int64_t target =
        toStreamTimestamp(time, timeBase, state.startTimestamp(), state.path);
    const AVFrame& frame = state.frameShownAt(target);

    // Display size: anamorphic pictures are widened by their sample aspect ratio, and the
    // reduced height comes from the exact display width, not a rounded one.
    AVRational aspect = av_guess_sample_aspect_ratio(state.format.get(), &state.stream(),
                                                     const_cast<AVFrame*>(&frame));
    if (aspect.num <= 0 || aspect.den <= 0) aspect = AVRational{1, 1};
    const std::int64_t widthTimesDen = std::int64_t{frame.width} * aspect.num;
    const std::int64_t heightTimesDen = std::int64_t{frame.height} * aspect.den;
    std::int64_t width = av_rescale(frame.width, aspect.num, aspect.den);
    std::int64_t height = frame.height;
    if (maxWidth > 0 && widthTimesDen > std::int64_t{maxWidth} * aspect.den) {
        width = maxWidth;
        height = scaledHeight(widthTimesDen, heightTimesDen, maxWidth);
    }
    checkImageSize(width, height);
    return av::toRgb(frame, static_cast<int>(width), static_cast<int>(height), state.scaler);
}

RgbImage grabVideoFrame(const std::filesystem::path& path, RationalSeconds time, int maxWidth) {
    return VideoFrameGrabber(path).frameAt(time, maxWidth);
}

}  // namespace tallyvane
