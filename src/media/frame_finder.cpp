#include "media/frame_finder.h"

#include "media/media_error.h"
#include "media/media_input.h"
#include "media/path_text.h"

namespace tallyvane::av {
namespace {

// A seek that lands after the wanted time (a keyframe indexed by its decoding time whose
// picture shows later) or on an open GOP is retried this often from the keyframe before.
constexpr int kSeekRetries = 3;

}  // namespace

FrameFinder::FrameFinder(AVFormatContext& format, int streamIndex,
                         const std::filesystem::path& path)
    : format_(format), streamIndex_(streamIndex), path_(path), decoder_(format, streamIndex, path) {}

std::int64_t FrameFinder::startTimestamp() const {
    return stream().start_time != AV_NOPTS_VALUE ? stream().start_time : 0;
}

std::optional<std::int64_t> FrameFinder::streamEnd() const {
    if (stream().duration == AV_NOPTS_VALUE || stream().duration <= 0) return std::nullopt;
    return startTimestamp() + stream().duration;
}

std::optional<std::int64_t> FrameFinder::frameEnd(const AVFrame& frame, std::int64_t pts) const {
    std::int64_t duration = frame.pkt_duration;
    const AVRational rate = stream().avg_frame_rate;
    if (duration <= 0 && rate.num > 0 && rate.den > 0) {
        duration = av_rescale_q(1, av_inv_q(rate), stream().time_base);
    }
    if (duration <= 0) return std::nullopt;
    return pts + duration;
}

std::string FrameFinder::beyondTheEnd() const {
    return "The time lies beyond the end of the video of " + quotedPath(path_);
}

bool FrameFinder::canContinueTo(std::int64_t target) {
    if (!continuable_ || (haveHeld_ && heldPts_ > target)) return false;
    if (havePending_ && pending_->best_effort_timestamp > target) return true;
    if (decoder_.atEnd()) return true;
    // Going on costs no more than a seek once the keyframe before the time has been decoded.
    const AVIndexEntry* keyframe =
        avformat_index_get_entry_from_timestamp(&stream(), target, AVSEEK_FLAG_BACKWARD);
    const std::int64_t decodedUpTo = decoder_.lastPacketTimestamp();
    return keyframe != nullptr && decodedUpTo != AV_NOPTS_VALUE && keyframe->timestamp <= decodedUpTo;
}

void FrameFinder::seek(std::int64_t timestamp) {
    const int result =
        avformat_seek_file(&format_, streamIndex_, INT64_MIN, timestamp, timestamp, 0);
    if (result < 0) throw MediaError("Cannot seek in " + quotedPath(path_) + ": " + errorText(result));
    decoder_.restart();
    av_frame_unref(held_.get());
    av_frame_unref(pending_.get());
    haveHeld_ = false;
    havePending_ = false;
}

// A decoder started on an open-GOP keyframe drops the pictures that refer to the GOP before;
// that shows here as a landing too late or a gap.
FrameFinder::Landing FrameFinder::decodeTo(std::int64_t target) {
    const auto heldCovers = [&] {
        const std::optional<std::int64_t> end = frameEnd(*held_, heldPts_);
        return !end || target < *end;
    };
    decoder_.skipUnreferencedEndingBy(target);
    for (;;) {
        if (!havePending_) {
            if (!decoder_.next(*pending_)) break;
            if (pending_->best_effort_timestamp == AV_NOPTS_VALUE) {
                av_frame_unref(pending_.get());
                continue;
            }
            havePending_ = true;
        }
        const std::int64_t pts = pending_->best_effort_timestamp;
        if (pts > target) {
            if (!haveHeld_) return Landing::tooLate;
            return heldCovers() ? Landing::onFrame : Landing::gapBefore;
        }
        av_frame_unref(held_.get());
        av_frame_move_ref(held_.get(), pending_.get());
        havePending_ = false;
        haveHeld_ = true;
        heldPts_ = pts;
    }
    if (!haveHeld_) return Landing::nothing;
    return heldCovers() ? Landing::onFrame : Landing::gapAtEnd;
}

const AVFrame& FrameFinder::frameShownAt(std::int64_t target) {
    if (const std::optional<std::int64_t> end = streamEnd(); end && target >= *end) {
        throw MediaError(beyondTheEnd());
    }
    const bool continuing = canContinueTo(target);
    continuable_ = false;  // until this call has answered
    if (continuing && decodeTo(target) == Landing::onFrame) {
        continuable_ = true;
        return *held_;
    }
    return seekAndDecodeTo(target);
}

const AVFrame& FrameFinder::seekAndDecodeTo(std::int64_t target) {
    std::int64_t seekPoint = target;
    Landing landing = Landing::nothing;
    for (int attempt = 0;; ++attempt) {
        seek(seekPoint);
        landing = decodeTo(target);
        if (landing == Landing::onFrame) {
            continuable_ = true;
            return *held_;
        }
        const std::int64_t landedDts = decoder_.firstPacketDts();
        if (attempt == kSeekRetries || landedDts == AV_NOPTS_VALUE || landedDts - 1 >= seekPoint) {
            break;
        }
        seekPoint = landedDts - 1;
    }
    if (landing == Landing::tooLate || landing == Landing::nothing) {
        seek(startTimestamp());
        landing = decodeTo(target);
        // Even from the start the first picture shows after the time: the stream opens with
        // a gap, and its first picture is the nearest there is.
        if (landing == Landing::tooLate) return *pending_;
    }
    switch (landing) {
        case Landing::onFrame:
        case Landing::gapBefore:
            // Frame durations that do not tile the stream: the last picture that started
            // before the time is the one still on screen.
            continuable_ = true;
            return *held_;
        case Landing::gapAtEnd:
            throw MediaError(beyondTheEnd());
        default:
            throw MediaError("No picture could be decoded from " + quotedPath(path_));
    }
}

}  // namespace tallyvane::av
