#include "model/fx_key_value_time.h"

namespace tallyvane {

FxKeyValueTime::FxKeyValueTime(std::string key, std::string value, std::optional<double> time)
    : ModelObject(ModelClass::FxKeyValueTime), key_(std::move(key)), value_(std::move(value)), time_(time) {}

}  // namespace tallyvane
