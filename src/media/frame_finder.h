#pragma once
// Finding the picture on screen at a timestamp of one video stream.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "media/av_handles.h"
#include "media/video_decoder.h"

namespace tallyvane::av {

// Decodes as little as it can: a later time whose keyframe has already been decoded goes on
// from where the last request stopped; any other time seeks to the keyframe before it.
class FrameFinder {
public:
    FrameFinder(AVFormatContext& format, int streamIndex, const std::filesystem::path& path);

    // The frame on screen at `target`, a timestamp in the stream's time base (its start time
    // included): the last picture shown at or before it, provided it is still shown then.
    // The frame stays valid until the next call. Throws MediaError.
    const AVFrame& frameShownAt(std::int64_t target);

    // The stream's first timestamp, which time zero of the media maps to.
    std::int64_t startTimestamp() const;

private:
    enum class Landing {
        onFrame,    // `held_` is the picture on screen at the time
        tooLate,    // the first picture decoded (`pending_`) shows after the time
        gapBefore,  // `held_` ends before the time and the next picture starts after it
        gapAtEnd,   // `held_` ends before the time and the stream ends there
        nothing,    // no picture could be decoded
    };

    AVStream& stream() const { return *format_.streams[streamIndex_]; }
    std::optional<std::int64_t> streamEnd() const;
    std::optional<std::int64_t> frameEnd(const AVFrame& frame, std::int64_t pts) const;
    std::string beyondTheEnd() const;
    bool canContinueTo(std::int64_t target);
    void seek(std::int64_t timestamp);
    Landing decodeTo(std::int64_t target);
    const AVFrame& seekAndDecodeTo(std::int64_t target);

    AVFormatContext& format_;
    int streamIndex_;
    std::filesystem::path path_;
    VideoDecoder decoder_;
    FramePtr held_ = makeFrame();     // last picture shown at or before the last time asked
    FramePtr pending_ = makeFrame();  // decoded picture that shows after the last time asked
    bool haveHeld_ = false;
    bool havePending_ = false;
    std::int64_t heldPts_ = 0;
    bool continuable_ = false;  // the decoder's state follows on from the last answer
};

}  // namespace tallyvane::av
