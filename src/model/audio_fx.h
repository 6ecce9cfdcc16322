#pragma once
// An audio effect or built-in audio adjustment of a story element.

#include <memory>
#include <optional>
#include <string>

#include "model/fx_key_value_time.h"
#include "model/model_object.h"

namespace tallyvane {

class AudioFX : public ModelObject {
public:
    AudioFX(std::string name, std::string settings, std::optional<std::string> track, bool enabled,
            std::optional<FxParams> params);

    PersistentIdentifier id() const noexcept { return persistentModelID(); }

    const std::string& name() const noexcept { return name_; }
    void setName(std::string name) { name_ = std::move(name); }
    const std::string& settings() const noexcept { return settings_; }
    void setSettings(std::string settings) { settings_ = std::move(settings); }
    const std::optional<std::string>& track() const noexcept { return track_; }
    void setTrack(std::optional<std::string> track) { track_ = std::move(track); }
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
    std::optional<std::string> track_;
    bool enabled_;
    std::optional<FxParams> params_;
};

}  // namespace tallyvane

template <>
struct std::hash<tallyvane::AudioFX> : tallyvane::ModelObjectHash {};
