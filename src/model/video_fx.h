#pragma once
// A video effect or built-in video adjustment of a story element.

#include <memory>
#include <optional>
#include <string>

#include "model/fx_key_value_time.h"
#include "model/model_object.h"

namespace tallyvane {

class VideoFX : public ModelObject {
public:
    VideoFX(std::string name, std::string settings, bool enabled, std::optional<FxParams> params);

    PersistentIdentifier id() const noexcept { return persistentModelID(); }

    const std::string& name() const noexcept { return name_; }
    void setName(std::string name) { name_ = std::move(name); }
    const std::string& settings() const noexcept { return settings_; }
    void setSettings(std::string settings) { settings_ = std::move(settings); }
    bool enabled() const noexcept { return enabled_; }
    void setEnabled(bool enabled) noexcept { enabled_ = enabled; }
    const std::optional<FxParams>& params() const noexcept { return params_; }
    void setParams(std::optional<FxParams> params);

    std::string debugDescription() const;

private:
    friend class Store;
    void visitRelated(const RelatedVisitor& visit) const { visitParams(params_, visit); }
    // Parameter records refer to nothing, so they close no reference cycle.
    void releaseRelated() noexcept {}

    std::string name_;
    std::string settings_;
    bool enabled_;
    std::optional<FxParams> params_;
};

}  // namespace tallyvane

template <>
struct std::hash<tallyvane::VideoFX> : tallyvane::ModelObjectHash {};
