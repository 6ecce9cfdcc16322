#include "model/metadata.h"

namespace tallyvane {

Metadata::Metadata(std::string key, std::string value, std::vector<std::string> values)
    : ModelObject(ModelClass::Metadata), key_(std::move(key)), value_(std::move(value)), values_(std::move(values)) {}

std::string Metadata::debugDescription() const {
    return "Metadata: " + key_ + " = \"" + value_ + "\"\n";
}

}  // namespace tallyvane
