#include "model/video_format.h"

namespace tallyvane {

VideoFormat::VideoFormat(std::string id, std::string name, std::string videoFrameRate, std::string frameDuration,
                         std::int64_t width, std::int64_t height, bool anamorphic, std::string fieldOrder,
                         std::string pixelAspectRatio)
    : ModelObject(ModelClass::VideoFormat),
      id_(std::move(id)),
      name_(std::move(name)),
      videoFrameRate_(std::move(videoFrameRate)),
      frameDuration_(std::move(frameDuration)),
      width_(width),
      height_(height),
      anamorphic_(anamorphic),
      fieldOrder_(std::move(fieldOrder)),
      pixelAspectRatio_(std::move(pixelAspectRatio)) {}

std::string VideoFormat::debugDescription() const {
    return "VideoFormat " + id_ + ": \"" + name_ + "\", " + videoFrameRate_ + ", " + std::to_string(width_) + "x" +
           std::to_string(height_) + "\n";
}

}  // namespace tallyvane
