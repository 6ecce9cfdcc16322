#pragma once
// What every object of the project model shares: membership of one store, identity by
// object, and the typed references through which the store walks the object graph.

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <variant>
#include <vector>

namespace tallyvane {

class Store;
class EventBin;
class VideoFormat;
class Asset;
class Composition;
class VideoTrack;
class AudioTrack;
class StoryElement;
class MarkedRange;
class Metadata;
class FxKeyValueTime;
class VideoFX;
class AudioFX;
class SpeedFX;

// The thirteen model classes, in the order in which the store empties them.
enum class ModelClass {
    EventBin,
    VideoFormat,
    Asset,
    Composition,
    VideoTrack,
    AudioTrack,
    StoryElement,
    MarkedRange,
    Metadata,
    FxKeyValueTime,
    VideoFX,
    AudioFX,
    SpeedFX,
};

// A reference to an object of any model class.
using ModelRef = std::variant<std::shared_ptr<EventBin>, std::shared_ptr<VideoFormat>, std::shared_ptr<Asset>,
                              std::shared_ptr<Composition>, std::shared_ptr<VideoTrack>, std::shared_ptr<AudioTrack>,
                              std::shared_ptr<StoryElement>, std::shared_ptr<MarkedRange>, std::shared_ptr<Metadata>,
                              std::shared_ptr<FxKeyValueTime>, std::shared_ptr<VideoFX>, std::shared_ptr<AudioFX>,
                              std::shared_ptr<SpeedFX>>;

// Picks the alternative by type, so that the classes may still be incomplete where it is used.
template <class T>
ModelRef modelRef(const std::shared_ptr<T>& object) {
    return ModelRef(std::in_place_type<std::shared_ptr<T>>, object);
}

using RelatedVisitor = std::function<void(ModelRef)>;

// The identity of one model object. It names the object for as long as the object lives;
// the store keeps every object it holds alive until it is emptied.
struct PersistentIdentifier {
    ModelClass modelClass;
    std::uintptr_t address;

    friend bool operator==(const PersistentIdentifier&, const PersistentIdentifier&) = default;
};

class ModelObject {
public:
    ModelObject(const ModelObject&) = delete;
    ModelObject& operator=(const ModelObject&) = delete;

    PersistentIdentifier persistentModelID() const noexcept {
        return {modelClass_, reinterpret_cast<std::uintptr_t>(this)};
    }

    // Model objects are equal only to themselves, whatever their property values.
    friend bool operator==(const ModelObject& a, const ModelObject& b) noexcept { return &a == &b; }

protected:
    explicit ModelObject(ModelClass modelClass) noexcept : modelClass_(modelClass) {}
    ~ModelObject() = default;

    // An object that becomes reachable from an object of a store joins that store.
    template <class T>
    void adopt(const std::shared_ptr<T>& related) const {
        if (store_ != nullptr && related) enterStore(modelRef(related));
    }
    template <class T>
    void adoptAll(const std::vector<std::shared_ptr<T>>& related) const {
        if (store_ == nullptr) return;
        for (const auto& object : related) adopt(object);
    }

private:
    friend class Store;
    void enterStore(ModelRef related) const;

    ModelClass modelClass_;
    Store* store_ = nullptr;
};

// The model classes with an ordering of their own get the remaining comparisons from `<`;
// `==` stays identity, so two objects may be neither smaller nor equal.
template <class T>
concept OrderedModel = std::derived_from<T, ModelObject> && requires(const T& a, const T& b) {
    { a < b } -> std::convertible_to<bool>;
};
template <OrderedModel T>
bool operator>(const T& a, const T& b) {
    return b < a;
}
template <OrderedModel T>
bool operator<=(const T& a, const T& b) {
    return !(b < a);
}
template <OrderedModel T>
bool operator>=(const T& a, const T& b) {
    return !(a < b);
}

struct ModelObjectHash {
    std::size_t operator()(const ModelObject& object) const noexcept;
};

}  // namespace tallyvane

template <>
struct std::hash<tallyvane::PersistentIdentifier> {
    std::size_t operator()(const tallyvane::PersistentIdentifier& id) const noexcept {
        return std::hash<std::uintptr_t>{}(id.address) ^ (static_cast<std::size_t>(id.modelClass) << 1);
    }
};
