#include "model/video_fx.h"

namespace tallyvane {

VideoFX::VideoFX(std::string name, std::string settings, bool enabled, std::optional<FxParams> params)
    : ModelObject(ModelClass::VideoFX),
      name_(std::move(name)),
      settings_(std::move(settings)),
      enabled_(enabled),
      params_(std::move(params)) {}

void VideoFX::setParams(std::optional<FxParams> params) {
    if (params) adoptAll(*params);
    params_ = std::move(params);
}

std::string VideoFX::debugDescription() const {
    return "VideoFx: \"" + name_ + "\": " + settings_ + ", enabled=" + (enabled_ ? "true" : "false") + " \n";
}

}  // namespace tallyvane
