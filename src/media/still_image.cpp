#include "media/still_image.h"

#include "media/frame_convert.h"
#include "media/media_error.h"
#include "media/media_input.h"
#include "media/path_text.h"
#include "media/video_decoder.h"

namespace tallyvane {

RgbImage loadStillImage(const std::filesystem::path& path, int width) {
    if (width <= 0) {
        throw MediaError("A picture cannot be scaled to a width of " + std::to_string(width));
    }
    av::FormatPtr format = av::openInput(path, av::InputKind::stillImage);
    const int streamIndex = av::findVideoStream(*format, path);
    av::VideoDecoder decoder(*format, streamIndex, path);
    av::FramePtr frame = av::makeFrame();
    if (!decoder.next(*frame)) {
        throw MediaError("No picture could be decoded from " + quotedPath(path));
    }
    if (frame->width <= 0 || frame->height <= 0) {
        throw MediaError("The picture in " + quotedPath(path) + " has no size");
    }
    const std::int64_t height = scaledHeight(frame->width, frame->height, width);
    checkImageSize(width, height);
    av::ScalePtr scaler;
    return av::toRgb(*frame, width, static_cast<int>(height), scaler);
}

}  // namespace tallyvane
