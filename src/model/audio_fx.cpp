#include "model/audio_fx.h"

namespace tallyvane {

AudioFX::AudioFX(std::string name, std::string settings, std::optional<std::string> track, bool enabled,
                 std::optional<FxParams> params)
    : ModelObject(ModelClass::AudioFX),
      name_(std::move(name)),
      settings_(std::move(settings)),
      track_(std::move(track)),
      enabled_(enabled),
      params_(std::move(params)) {}

void AudioFX::setParams(std::optional<FxParams> params) {
    if (params) adoptAll(*params);
    params_ = std::move(params);
}

// Neither the track nor the enabled flag is shown.
std::string AudioFX::debugDescription() const {
    return "AudioFx: \"" + name_ + "\", " + settings_ + " \n";
}

}  // namespace tallyvane
