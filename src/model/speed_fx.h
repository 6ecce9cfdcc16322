#pragma once
// A speed change of a story element.

#include <memory>
#include <optional>
#include <string>

#include "model/fx_key_value_time.h"
#include "model/model_object.h"

namespace tallyvane {

class SpeedFX : public ModelObject {
public:
    SpeedFX(std::string name, double percent, std::optional<FxParams> params);

    PersistentIdentifier id() const noexcept { return persistentModelID(); }

    const std::string& name() const noexcept { return name_; }
    void setName(std::string name) { name_ = std::move(name); }
    double percent() const noexcept { return percent_; }
    void setPercent(double percent) noexcept { percent_ = percent; }
    const std::optional<FxParams>& params() const noexcept { return params_; }
    void setParams(std::optional<FxParams> params);

    std::string debugDescription() const;

private:
    friend class Store;
    void visitRelated(const RelatedVisitor& visit) const { visitParams(params_, visit); }
    // Parameter records refer to nothing, so they close no reference cycle.
    void releaseRelated() noexcept {}

    std::string name_;
    double percent_;
    std::optional<FxParams> params_;
};

}  // namespace tallyvane

template <>
struct std::hash<tallyvane::SpeedFX> : tallyvane::ModelObjectHash {};
