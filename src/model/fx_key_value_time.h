#pragma once
// One parameter value of an effect, optionally tied to a time (a frame count).

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/model_object.h"

namespace tallyvane {

class FxKeyValueTime : public ModelObject {
public:
    FxKeyValueTime(std::string key, std::string value, std::optional<double> time);

    PersistentIdentifier id() const noexcept { return persistentModelID(); }

    const std::string& key() const noexcept { return key_; }
    void setKey(std::string key) { key_ = std::move(key); }
    const std::string& value() const noexcept { return value_; }
    void setValue(std::string value) { value_ = std::move(value); }
    std::optional<double> time() const noexcept { return time_; }
    void setTime(std::optional<double> time) noexcept { time_ = time; }

private:
    friend class Store;
    void visitRelated(const RelatedVisitor&) const {}
    void releaseRelated() noexcept {}

    std::string key_;
    std::string value_;
    std::optional<double> time_;
};

// The parameter records of an effect; an effect may also have none at all, which differs
// from an empty list.
using FxParams = std::vector<std::shared_ptr<FxKeyValueTime>>;

inline void visitParams(const std::optional<FxParams>& params, const RelatedVisitor& visit) {
    if (!params) return;
    for (const auto& param : *params) visit(modelRef(param));
}

}  // namespace tallyvane

template <>
struct std::hash<tallyvane::FxKeyValueTime> : tallyvane::ModelObjectHash {};
