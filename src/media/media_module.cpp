#include "media/media_module.h"

#include "media/media_init.h"
#include "media/pro_video_decoders.h"
#include "media/still_image.h"

namespace tallyvane {
namespace {

void* openVideo(const std::filesystem::path& path) { return new VideoFrameGrabber(path); }

RgbImage frameAt(void* video, RationalSeconds time, int maxWidth) {
    return static_cast<VideoFrameGrabber*>(video)->frameAt(time, maxWidth);
}

void closeVideo(void* video) { delete static_cast<VideoFrameGrabber*>(video); }

constexpr MediaModuleFunctions kFunctions{&readMediaMetadata, &loadStillImage, &openVideo,
                                          &frameAt,           &closeVideo,     &proVideoDecodersPresent};

}  // namespace
}  // namespace tallyvane

extern "C" const tallyvane::MediaModuleFunctions* tallyvaneMediaModule() {
    tallyvane::initMedia();
    return &tallyvane::kFunctions;
}
