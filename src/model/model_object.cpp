#include "model/model_object.h"

#include "model/store.h"

namespace tallyvane {

void ModelObject::enterStore(ModelRef related) const {
    store_->insert(std::move(related));
}

std::size_t ModelObjectHash::operator()(const ModelObject& object) const noexcept {
    return std::hash<PersistentIdentifier>{}(object.persistentModelID());
}

}  // namespace tallyvane
