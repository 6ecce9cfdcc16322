#pragma once
// Decodes one video stream of an open file, frame by frame in presentation order.

#include <cstdint>
#include <filesystem>

#include "media/av_handles.h"

namespace tallyvane::av {

// The first video stream that is a picture sequence (not cover art); throws MediaError.
int findVideoStream(const AVFormatContext& format, const std::filesystem::path& path);

class VideoDecoder {
public:
    // Opens a single-threaded decoder: parallel work comes from one decoder per worker.
    VideoDecoder(AVFormatContext& format, int streamIndex, const std::filesystem::path& path);

    // The next frame into `frame`; false once the stream is exhausted. Damaged packets are
    // skipped as players do; a read error ends the stream like its end would.
    bool next(AVFrame& frame);

    // Forgets buffered frames; call after every seek.
    void restart();

    // Pictures that no other picture refers to and whose display ends at or before this
    // timestamp are not decoded at all: nobody will look at them. INT64_MIN decodes all.
    void skipUnreferencedEndingBy(std::int64_t timestamp) { skipLimit_ = timestamp; }

    // Decoding timestamp of the first packet of this stream read since the last restart,
    // or AV_NOPTS_VALUE when none has been read.
    std::int64_t firstPacketDts() const { return firstPacketDts_; }

    // Timestamp (decoding, else presentation) of the last packet handed to the decoder,
    // or AV_NOPTS_VALUE when none has been since the last restart.
    std::int64_t lastPacketTimestamp() const { return lastPacketTimestamp_; }

    // True once the stream's end has been read.
    bool atEnd() const { return draining_; }

private:
    AVFormatContext& format_;
    int streamIndex_;
    std::filesystem::path path_;
    CodecPtr codec_;
    PacketPtr packet_;
    bool draining_ = false;
    std::int64_t firstPacketDts_ = AV_NOPTS_VALUE;
    std::int64_t lastPacketTimestamp_ = AV_NOPTS_VALUE;
    std::int64_t skipLimit_ = INT64_MIN;
};

}  // namespace tallyvane::av
