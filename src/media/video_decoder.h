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

    // Decoding timestamp of the first packet of this stream read since the last restart,
    // or AV_NOPTS_VALUE when none has been read.
    std::int64_t firstPacketDts() const { return firstPacketDts_; }

private:
    AVFormatContext& format_;
    int streamIndex_;
    std::filesystem::path path_;
    CodecPtr codec_;
    PacketPtr packet_;
    bool draining_ = false;
    std::int64_t firstPacketDts_ = AV_NOPTS_VALUE;
};

}  // namespace tallyvane::av
