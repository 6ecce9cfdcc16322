#include "model/event_bin.h"

#include "common/text_order.h"
#include "model/composition.h"
#include "model/story_element.h"

namespace tallyvane {

EventBin::EventBin(std::string name, std::vector<std::shared_ptr<StoryElement>> clips,
                   std::vector<std::shared_ptr<Composition>> storyCompositions)
    : ModelObject(ModelClass::EventBin),
      name_(std::move(name)),
      clips_(std::move(clips)),
      storyCompositions_(std::move(storyCompositions)) {}

void EventBin::setClips(std::vector<std::shared_ptr<StoryElement>> clips) {
    adoptAll(clips);
    clips_ = std::move(clips);
}

void EventBin::appendClip(std::shared_ptr<StoryElement> clip) {
    adopt(clip);
    clips_.push_back(std::move(clip));
}

void EventBin::setStoryCompositions(std::vector<std::shared_ptr<Composition>> compositions) {
    adoptAll(compositions);
    storyCompositions_ = std::move(compositions);
}

void EventBin::appendStoryComposition(std::shared_ptr<Composition> composition) {
    adopt(composition);
    storyCompositions_.push_back(std::move(composition));
}

std::string EventBin::debugDescription() const {
    return "EventBin: \"" + name_ + "\", " + std::to_string(clips_.size()) + " clips, " +
           std::to_string(storyCompositions_.size()) + " storyCompositions\n";
}

bool operator<(const EventBin& lhs, const EventBin& rhs) {
    return textPrecedes(lhs.name_, rhs.name_);
}

void EventBin::visitRelated(const RelatedVisitor& visit) const {
    for (const auto& clip : clips_) visit(modelRef(clip));
    for (const auto& composition : storyCompositions_) visit(modelRef(composition));
}

void EventBin::releaseRelated() noexcept {
    clips_.clear();
    storyCompositions_.clear();
}

}  // namespace tallyvane
