#include "model/store.h"

namespace tallyvane {

Store::~Store() {
    deleteAll();
}

// Depth-first and in relationship order, so that objects reached through an inserted owner
// follow it in insertion order the way a reader walking the graph would meet them. The walk
// keeps its own stack: deep nesting must not exhaust the call stack. Related objects that
// are here already are passed over when they are met: most objects relate only to such
// ones (an owner, a format), and then the walk needs no stack at all.
void Store::insert(ModelRef object) {
    const auto isNew = [this](const ModelRef& related) {
        return std::visit([this](const auto& candidate) { return candidate && candidate->store_ != this; }, related);
    };
    std::vector<ModelRef> pending;
    const auto enter = [&](const ModelRef& next) {
        std::visit(
            [&](const auto& candidate) {
                if (!candidate || candidate->store_ == this) return;
                if (candidate->store_ != nullptr) {
                    throw std::logic_error("a model object cannot belong to two stores");
                }
                using Class = typename std::decay_t<decltype(candidate)>::element_type;
                candidate->store_ = this;
                objectsOf<Class>().push_back(candidate);
                const std::size_t firstRelated = pending.size();
                candidate->visitRelated([&](ModelRef related) {
                    if (isNew(related)) pending.push_back(std::move(related));
                });
                std::reverse(pending.begin() + static_cast<std::ptrdiff_t>(firstRelated), pending.end());
            },
            next);
    };
    enter(object);
    while (!pending.empty()) {
        const ModelRef next = std::move(pending.back());
        pending.pop_back();
        enter(next);
    }
}

void Store::deleteAll() {
    deleteAll<EventBin>();
    deleteAll<VideoFormat>();
    deleteAll<Asset>();
    deleteAll<Composition>();
    deleteAll<VideoTrack>();
    deleteAll<AudioTrack>();
    deleteAll<StoryElement>();
    deleteAll<MarkedRange>();
    deleteAll<Metadata>();
    deleteAll<FxKeyValueTime>();
    deleteAll<VideoFX>();
    deleteAll<AudioFX>();
    deleteAll<SpeedFX>();
}

}  // namespace tallyvane
