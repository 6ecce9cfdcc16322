#include "media/video_frame_grabber.h"

#include <optional>

#include "media/frame_convert.h"
#include "media/frame_finder.h"
#include "media/media_error.h"
#include "media/media_input.h"
#include "media/path_text.h"

namespace tallyvane {
namespace {

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
    if (ticks < 0) throw MediaError("A negative time lies before the video of " + quotedPath(path));
    const __int128 timestamp = ticks + start;
    if (timestamp > INT64_MAX) {
        throw MediaError("The time lies beyond the end of the video of " + quotedPath(path));
    }
    return static_cast<std::int64_t>(timestamp);
}

}  // namespace

struct VideoFrameGrabber::State {
    std::filesystem::path path;
    av::FormatPtr format;
    int streamIndex = -1;
    std::optional<av::FrameFinder> finder;
    av::ScalePtr scaler;

    AVStream& stream() const { return *format->streams[streamIndex]; }
};

VideoFrameGrabber::VideoFrameGrabber(const std::filesystem::path& path)
    : state_(std::make_unique<State>()) {
    state_->path = path;
    state_->format = av::openInput(path, av::InputKind::probe);
    av::readStreamInfo(*state_->format, path);
    state_->streamIndex = av::findVideoStream(*state_->format, path);
    // Sound and other streams are not even read from the file.
    for (unsigned i = 0; i < state_->format->nb_streams; ++i) {
        if (static_cast<int>(i) != state_->streamIndex) {
            state_->format->streams[i]->discard = AVDISCARD_ALL;
        }
    }
    state_->finder.emplace(*state_->format, state_->streamIndex, path);
}

VideoFrameGrabber::~VideoFrameGrabber() = default;
VideoFrameGrabber::VideoFrameGrabber(VideoFrameGrabber&&) noexcept = default;
VideoFrameGrabber& VideoFrameGrabber::operator=(VideoFrameGrabber&&) noexcept = default;

RgbImage VideoFrameGrabber::frameAt(RationalSeconds time, int maxWidth) {
    if (time.denominator == 0) throw MediaError("A time with a zero denominator has no frame");
    State& state = *state_;
    const AVRational timeBase = state.stream().time_base;
    if (timeBase.num <= 0 || timeBase.den <= 0) {
        throw MediaError("The video of " + quotedPath(state.path) + " has no usable time base");
    }
    const std::int64_t target =
        toStreamTimestamp(time, timeBase, state.finder->startTimestamp(), state.path);
    const AVFrame& frame = state.finder->frameShownAt(target);

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
