#include "media/frame_convert.h"

#include "media/media_error.h"

extern "C" {
#include <libavutil/pixdesc.h>
}

namespace tallyvane::av {
namespace {

bool isFullRangeFormat(AVPixelFormat format) {
    switch (format) {
        case AV_PIX_FMT_YUVJ420P:
        case AV_PIX_FMT_YUVJ422P:
        case AV_PIX_FMT_YUVJ444P:
        case AV_PIX_FMT_YUVJ440P:
        case AV_PIX_FMT_YUVJ411P:
            return true;
        default:
            return false;
    }
}

// Without this, swscale reads every YUV picture as BT.601 limited range, which tints
// HD material and washes out full-range pictures.
void applyColourDetails(SwsContext& scaler, const AVFrame& frame) {
    const auto format = static_cast<AVPixelFormat>(frame.format);
    const AVPixFmtDescriptor* descriptor = av_pix_fmt_desc_get(format);
    if (descriptor == nullptr || (descriptor->flags & AV_PIX_FMT_FLAG_RGB) != 0 ||
        descriptor->nb_components < 3) {
        return;
    }
    const int sourceFullRange = frame.color_range == AVCOL_RANGE_JPEG || isFullRangeFormat(format);
    sws_setColorspaceDetails(&scaler, sws_getCoefficients(frame.colorspace), sourceFullRange,
                             sws_getCoefficients(SWS_CS_DEFAULT), 1, 0, 1 << 16, 1 << 16);
}

}  // namespace

RgbImage toRgb(const AVFrame& frame, int width, int height, ScalePtr& scaler) {
    RgbImage image = RgbImage::blank(width, height);
    if (frame.width <= 0 || frame.height <= 0 || frame.format < 0) {
        throw MediaError("The decoder returned an empty picture");
    }
    SwsContext* context = sws_getCachedContext(
        scaler.release(), frame.width, frame.height, static_cast<AVPixelFormat>(frame.format),
        width, height, AV_PIX_FMT_RGB24, SWS_BICUBIC | SWS_ACCURATE_RND, nullptr, nullptr, nullptr);
    scaler.reset(context);
    if (context == nullptr) {
        const char* name = av_get_pix_fmt_name(static_cast<AVPixelFormat>(frame.format));
        throw MediaError(std::string("Cannot convert pictures in the pixel format ") +
                         (name != nullptr ? name : "unknown"));
    }
    applyColourDetails(*context, frame);
    std::uint8_t* const destination[4] = {image.pixels.data(), nullptr, nullptr, nullptr};
    const int destinationStride[4] = {width * 3, 0, 0, 0};
    const int rows = sws_scale(context, frame.data, frame.linesize, 0, frame.height, destination,
                               destinationStride);
    if (rows != height) throw MediaError("Converting a picture to RGB failed");
    return image;
}

}  // namespace tallyvane::av
