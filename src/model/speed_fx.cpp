#include "model/speed_fx.h"

#include "common/number_text.h"

namespace tallyvane {

SpeedFX::SpeedFX(std::string name, double percent, std::optional<FxParams> params)
    : ModelObject(ModelClass::SpeedFX), name_(std::move(name)), percent_(percent), params_(std::move(params)) {}

void SpeedFX::setParams(std::optional<FxParams> params) {
    if (params) adoptAll(*params);
    params_ = std::move(params);
}

std::string SpeedFX::debugDescription() const {
    return "SpeedFx: \"" + name_ + "\", " + formatDouble(percent_) + " % \n";
}

}  // namespace tallyvane
