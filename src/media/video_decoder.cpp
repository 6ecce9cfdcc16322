#include "media/video_decoder.h"

#include "media/media_error.h"
#include "media/media_input.h"
#include "media/path_text.h"

namespace tallyvane::av {
namespace {

// Sources up to this size decode (the largest camera sensors stay below it); a damaged or
// hostile header that claims more is refused before the decoder allocates for it.
constexpr std::int64_t kMaxSourcePixels = 200'000'000;

}  // namespace

int findVideoStream(const AVFormatContext& format, const std::filesystem::path& path) {
    for (unsigned i = 0; i < format.nb_streams; ++i) {
        const AVStream* stream = format.streams[i];
        if (stream->codecpar->codec_type == AVMEDIA_TYPE_VIDEO &&
            (stream->disposition & AV_DISPOSITION_ATTACHED_PIC) == 0) {
            return static_cast<int>(i);
        }
    }
    throw MediaError(quotedPath(path) + " holds no video");
}

VideoDecoder::VideoDecoder(AVFormatContext& format, int streamIndex,
                           const std::filesystem::path& path)
    : format_(format), streamIndex_(streamIndex), path_(path), packet_(makePacket()) {
    const AVCodecParameters* parameters = format.streams[streamIndex]->codecpar;
    const AVCodec* decoder = avcodec_find_decoder(parameters->codec_id);
    if (decoder == nullptr) {
        throw MediaError("No decoder for the video of " + quotedPath(path) + " (" +
                         avcodec_get_name(parameters->codec_id) + ")");
    }
    codec_.reset(avcodec_alloc_context3(decoder));
    if (!codec_) throw MediaError("Out of memory opening a decoder for " + quotedPath(path));
    int result = avcodec_parameters_to_context(codec_.get(), parameters);
    if (result >= 0) {
        codec_->thread_count = 1;
        codec_->max_pixels = kMaxSourcePixels;
        codec_->pkt_timebase = format.streams[streamIndex]->time_base;
        result = avcodec_open2(codec_.get(), decoder, nullptr);
    }
    if (result < 0) {
        throw MediaError("Cannot open the video decoder for " + quotedPath(path) + ": " +
                         errorText(result));
    }
}

void VideoDecoder::restart() {
    avcodec_flush_buffers(codec_.get());
    draining_ = false;
    firstPacketDts_ = AV_NOPTS_VALUE;
    lastPacketTimestamp_ = AV_NOPTS_VALUE;
}

bool VideoDecoder::next(AVFrame& frame) {
    for (;;) {
        const int received = avcodec_receive_frame(codec_.get(), &frame);
        if (received == 0) return true;
        if (received == AVERROR_EOF) return false;
        // A damaged picture is dropped, as players do; what follows may decode again.
        if (received == AVERROR_INVALIDDATA) continue;
        if (received != AVERROR(EAGAIN)) {
            throw MediaError("Cannot decode the video of " + quotedPath(path_) + ": " +
                             errorText(received));
        }
        if (draining_) return false;

        if (av_read_frame(&format_, packet_.get()) < 0) {
            draining_ = true;
            avcodec_send_packet(codec_.get(), nullptr);
            continue;
        }
        if (packet_->stream_index == streamIndex_) {
            if (firstPacketDts_ == AV_NOPTS_VALUE) firstPacketDts_ = packet_->dts;
            if (packet_->dts != AV_NOPTS_VALUE || packet_->pts != AV_NOPTS_VALUE) {
                lastPacketTimestamp_ = packet_->dts != AV_NOPTS_VALUE ? packet_->dts : packet_->pts;
            }
            // The previous packet has been decoded in full (receive said EAGAIN), so the
            // setting applies to this packet alone.
            const bool endsInTime = packet_->pts != AV_NOPTS_VALUE && packet_->duration > 0 &&
                                    static_cast<__int128>(packet_->pts) + packet_->duration <=
                                        skipLimit_;
            codec_->skip_frame = endsInTime ? AVDISCARD_NONREF : AVDISCARD_DEFAULT;
            const int sent = avcodec_send_packet(codec_.get(), packet_.get());
            if (sent == AVERROR(ENOMEM)) {
                av_packet_unref(packet_.get());
                throw MediaError("Out of memory decoding " + quotedPath(path_));
            }
        }
        av_packet_unref(packet_.get());
    }
}

}  // namespace tallyvane::av
