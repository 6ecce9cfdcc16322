#pragma once
// One numbered audio lane of a composition, holding its story elements in the order they
// were appended.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/model_object.h"

namespace tallyvane {

class AudioTrack : public ModelObject {
public:
    AudioTrack(std::int64_t trackIdx, std::string name, bool enabled, std::string angleID,
               std::string premiereTrackType, std::vector<std::shared_ptr<StoryElement>> elements);

    PersistentIdentifier id() const noexcept { return persistentModelID(); }

    std::int64_t trackIdx() const noexcept { return trackIdx_; }
    void setTrackIdx(std::int64_t index) noexcept { trackIdx_ = index; }
    const std::string& name() const noexcept { return name_; }
    void setName(std::string name) { name_ = std::move(name); }
    bool enabled() const noexcept { return enabled_; }
    void setEnabled(bool enabled) noexcept { enabled_ = enabled; }
    const std::string& angleID() const noexcept { return angleID_; }
    void setAngleID(std::string angle) { angleID_ = std::move(angle); }
    // A track-type text such as "Mono".
    const std::string& premiereTrackType() const noexcept { return premiereTrackType_; }
    void setPremiereTrackType(std::string type) { premiereTrackType_ = std::move(type); }

    const std::vector<std::shared_ptr<StoryElement>>& elements() const noexcept { return elements_; }
    void setElements(std::vector<std::shared_ptr<StoryElement>> elements);
    void appendElement(std::shared_ptr<StoryElement> element);

    std::string debugDescription() const;

    // By lane number only.
    friend bool operator<(const AudioTrack& lhs, const AudioTrack& rhs) noexcept {
        return lhs.trackIdx_ < rhs.trackIdx_;
    }

private:
    friend class Store;
    void visitRelated(const RelatedVisitor& visit) const;
    void releaseRelated() noexcept { elements_.clear(); }

    std::int64_t trackIdx_;
    std::string name_;
    bool enabled_;
    std::string angleID_;
    std::string premiereTrackType_;
    std::vector<std::shared_ptr<StoryElement>> elements_;
};

}  // namespace tallyvane

template <>
struct std::hash<tallyvane::AudioTrack> : tallyvane::ModelObjectHash {};
