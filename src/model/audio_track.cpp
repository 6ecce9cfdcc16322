#include "model/audio_track.h"

#include "model/story_element.h"
#include "model/track_description.h"

namespace tallyvane {

AudioTrack::AudioTrack(std::int64_t trackIdx, std::string name, bool enabled, std::string angleID,
                       std::string premiereTrackType, std::vector<std::shared_ptr<StoryElement>> elements)
    : ModelObject(ModelClass::AudioTrack),
      trackIdx_(trackIdx),
      name_(std::move(name)),
      enabled_(enabled),
      angleID_(std::move(angleID)),
      premiereTrackType_(std::move(premiereTrackType)),
      elements_(std::move(elements)) {}

void AudioTrack::setElements(std::vector<std::shared_ptr<StoryElement>> elements) {
    adoptAll(elements);
    elements_ = std::move(elements);
}

void AudioTrack::appendElement(std::shared_ptr<StoryElement> element) {
    adopt(element);
    elements_.push_back(std::move(element));
}

std::string AudioTrack::debugDescription() const {
    return trackDebugDescription({"AudioTrack", "angleId", trackIdx_, name_, angleID_}, elements_);
}

void AudioTrack::visitRelated(const RelatedVisitor& visit) const {
    for (const auto& element : elements_) visit(modelRef(element));
}

}  // namespace tallyvane
