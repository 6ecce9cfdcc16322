#pragma once
// Exact video frames at rational times, the way a thumbnail needs them.

#include <cstdint>
#include <filesystem>
#include <memory>

#include "media/rgb_image.h"

namespace tallyvane {

// A time in seconds as numerator / denominator, measured from the start of the media.
struct RationalSeconds {
    std::int64_t numerator = 0;
    std::int64_t denominator = 1;
};

// One open video file with its decoder. Not thread-safe: give each worker its own grabber.
class VideoFrameGrabber {
public:
    // Opens the file and its first video stream; throws MediaError.
    explicit VideoFrameGrabber(const std::filesystem::path& path);
    ~VideoFrameGrabber();
    VideoFrameGrabber(VideoFrameGrabber&&) noexcept;
    VideoFrameGrabber& operator=(VideoFrameGrabber&&) noexcept;

    // The frame on screen at `time`: the last frame whose presentation time is not after it,
    // provided the time lies before that frame ends. Times count from the video stream's own
    // start. The picture keeps the display aspect ratio and is reduced to at most `maxWidth`
    // pixels wide, never enlarged; a `maxWidth` of zero or less leaves it at display size.
    // Throws MediaError for a time outside the video, a zero denominator or undecodable media.
    RgbImage frameAt(RationalSeconds time, int maxWidth);

private:
    struct State;
    std::unique_ptr<State> state_;
};

// A one-off grab: opens the file, takes the frame, closes the file.
RgbImage grabVideoFrame(const std::filesystem::path& path, RationalSeconds time, int maxWidth);

}  // namespace tallyvane
