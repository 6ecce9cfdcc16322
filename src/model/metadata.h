#pragma once
// One metadata key of a story element or a composition, with its value or list of values.

#include <string>
#include <vector>

#include "model/model_object.h"

namespace tallyvane {

class Metadata : public ModelObject {
public:
    Metadata(std::string key, std::string value, std::vector<std::string> values);

    PersistentIdentifier id() const noexcept { return persistentModelID(); }

    const std::string& key() const noexcept { return key_; }
    void setKey(std::string key) { key_ = std::move(key); }
    const std::string& value() const noexcept { return value_; }
    void setValue(std::string value) { value_ = std::move(value); }
    const std::vector<std::string>& values() const noexcept { return values_; }
    void setValues(std::vector<std::string> values) { values_ = std::move(values); }

    std::string debugDescription() const;

private:
    friend class Store;
    void visitRelated(const RelatedVisitor&) const {}
    void releaseRelated() noexcept {}

    std::string key_;
    std::string value_;
    std::vector<std::string> values_;
};

}  // namespace tallyvane

template <>
struct std::hash<tallyvane::Metadata> : tallyvane::ModelObjectHash {};
