#pragma once
// An event of the imported project: the root of the model, with its own clips and the
// compositions (timelines) it holds.

#include <memory>
#include <string>
#include <vector>

#include "model/model_object.h"

namespace tallyvane {

class EventBin : public ModelObject {
public:
    EventBin(std::string name, std::vector<std::shared_ptr<StoryElement>> clips,
             std::vector<std::shared_ptr<Composition>> storyCompositions);

    PersistentIdentifier id() const noexcept { return persistentModelID(); }

    const std::string& name() const noexcept { return name_; }
    void setName(std::string name) { name_ = std::move(name); }

    const std::vector<std::shared_ptr<StoryElement>>& clips() const noexcept { return clips_; }
    void setClips(std::vector<std::shared_ptr<StoryElement>> clips);
    void appendClip(std::shared_ptr<StoryElement> clip);

    const std::vector<std::shared_ptr<Composition>>& storyCompositions() const noexcept { return storyCompositions_; }
    void setStoryCompositions(std::vector<std::shared_ptr<Composition>> compositions);
    void appendStoryComposition(std::shared_ptr<Composition> composition);

    std::string debugDescription() const;

    // By name: Unicode scalar values after canonical (NFC) normalisation, case-sensitive
    // and not localised, so canonically equivalent names are equivalent.
    friend bool operator<(const EventBin& lhs, const EventBin& rhs);

private:
    friend class Store;
    void visitRelated(const RelatedVisitor& visit) const;
    void releaseRelated() noexcept;

    std::string name_;
    std::vector<std::shared_ptr<StoryElement>> clips_;
    std::vector<std::shared_ptr<Composition>> storyCompositions_;
};

}  // namespace tallyvane

template <>
struct std::hash<tallyvane::EventBin> : tallyvane::ModelObjectHash {};
