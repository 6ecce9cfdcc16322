#pragma once
// The in-memory store that owns every object of one project. Objects enter by insertion,
// together with every object reachable from them, and stay until their class is emptied.
// Single-threaded, like all model work.

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <tuple>
#include <utility>
#include <vector>

#include "model/asset.h"
#include "model/audio_fx.h"
#include "model/audio_track.h"
#include "model/composition.h"
#include "model/event_bin.h"
#include "model/fetch_descriptor.h"
#include "model/fx_key_value_time.h"
#include "model/marked_range.h"
#include "model/metadata.h"
#include "model/model_object.h"
#include "model/speed_fx.h"
#include "model/story_element.h"
#include "model/video_format.h"
#include "model/video_fx.h"
#include "model/video_track.h"

namespace tallyvane {

class Store {
public:
    Store() = default;
    ~Store();
    Store(const Store&) = delete;
    Store& operator=(const Store&) = delete;

    // Inserting an object that is already in this store does nothing. Meeting an object that
    // belongs to another store throws std::logic_error; what the walk met before it stays inserted.
    template <class T>
    void insert(const std::shared_ptr<T>& object) {
        insert(modelRef(object));
    }
    void insert(ModelRef object);

    // Without sort descriptors the result is in insertion order.
    template <class T>
    std::vector<std::shared_ptr<T>> fetch(const FetchDescriptor<T>& descriptor = {}) const;

    // Removes every object of one class. Removed objects let go of the objects they refer
    // to, so that reference cycles through them are broken.
    template <class T>
    void deleteAll();

    // Empties the store class by class: EventBin, VideoFormat, Asset, Composition, VideoTrack,
    // AudioTrack, StoryElement, MarkedRange, Metadata, FxKeyValueTime, VideoFX, AudioFX, SpeedFX.
    void deleteAll();

private:
    template <class T>
    using Objects = std::vector<std::shared_ptr<T>>;

    template <class T>
    Objects<T>& objectsOf() {
        return std::get<Objects<T>>(objects_);
    }
    template <class T>
    const Objects<T>& objectsOf() const {
        return std::get<Objects<T>>(objects_);
    }

    std::tuple<Objects<EventBin>, Objects<VideoFormat>, Objects<Asset>, Objects<Composition>, Objects<VideoTrack>,
               Objects<AudioTrack>, Objects<StoryElement>, Objects<MarkedRange>, Objects<Metadata>,
               Objects<FxKeyValueTime>, Objects<VideoFX>, Objects<AudioFX>, Objects<SpeedFX>>
        objects_;
};

template <class T>
std::vector<std::shared_ptr<T>> Store::fetch(const FetchDescriptor<T>& descriptor) const {
    const bool sorted = !descriptor.sortBy.empty();
    std::vector<std::shared_ptr<T>> result;
    for (const auto& object : objectsOf<T>()) {
        if (!sorted && descriptor.fetchLimit && result.size() >= *descriptor.fetchLimit) break;
        if (!descriptor.predicate || descriptor.predicate(*object)) result.push_back(object);
    }
    if (sorted) {
        std::stable_sort(result.begin(), result.end(), [&](const auto& a, const auto& b) {
            for (const auto& sort : descriptor.sortBy) {
                const T& first = sort.reverse ? *b : *a;
                const T& second = sort.reverse ? *a : *b;
                if (sort.less(first, second)) return true;
                if (sort.less(second, first)) return false;
            }
            return false;
        });
    }
    if (descriptor.fetchLimit && result.size() > *descriptor.fetchLimit) result.resize(*descriptor.fetchLimit);
    return result;
}

template <class T>
void Store::deleteAll() {
    Objects<T> removed = std::exchange(objectsOf<T>(), {});
    for (const auto& object : removed) {
        object->store_ = nullptr;
        object->releaseRelated();
    }
}

}  // namespace tallyvane
