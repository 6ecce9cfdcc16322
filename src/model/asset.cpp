#include "model/asset.h"

#include "common/number_text.h"
#include "model/video_format.h"

namespace tallyvane {

Asset::Asset(std::string id, std::string name, double firstFrame, double duration, std::string timecodeFrameRate,
             std::shared_ptr<VideoFormat> videoFormat, std::optional<Url> url, bool securityscopedURL, bool readable,
             bool online, bool added, std::string frameSize, std::string audioRate, std::string cameraName,
             Category category)
    : ModelObject(ModelClass::Asset),
      id_(std::move(id)),
      name_(std::move(name)),
      firstFrame_(firstFrame),
      duration_(duration),
      timecodeFrameRate_(std::move(timecodeFrameRate)),
      videoFormat_(std::move(videoFormat)),
      url_(std::move(url)),
      securityscopedURL_(securityscopedURL),
      readable_(readable),
      online_(online),
      added_(added),
      frameSize_(std::move(frameSize)),
      audioRate_(std::move(audioRate)),
      cameraName_(std::move(cameraName)),
      category_(category) {}

void Asset::setVideoFormat(std::shared_ptr<VideoFormat> format) {
    adopt(format);
    videoFormat_ = std::move(format);
}

std::string Asset::debugDescription() const {
    return "Asset " + id_ + ": \"" + name_ + "\", " + (url_ ? url_->path() : std::string()) + "\n        start: " +
           formatDouble(firstFrame_) + "\u0192, duration: " + formatDouble(duration_) + "\u0192\n";
}

void Asset::visitRelated(const RelatedVisitor& visit) const {
    if (videoFormat_) visit(modelRef(videoFormat_));
}

}  // namespace tallyvane
