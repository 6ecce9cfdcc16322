#include "model/video_track.h"

#include "model/story_element.h"
#include "model/track_description.h"

namespace tallyvane {

VideoTrack::VideoTrack(std::int64_t trackIdx, std::string name, bool enabled, std::string angleID,
                       std::vector<std::shared_ptr<StoryElement>> elements)
    : ModelObject(ModelClass::VideoTrack),
      trackIdx_(trackIdx),
      name_(std::move(name)),
      enabled_(enabled),
      angleID_(std::move(angleID)),
      elements_(std::move(elements)) {}

void VideoTrack::setElements(std::vector<std::shared_ptr<StoryElement>> elements) {
    adoptAll(elements);
    elements_ = std::move(elements);
}

void VideoTrack::appendElement(std::shared_ptr<StoryElement> element) {
    adopt(element);
    elements_.push_back(std::move(element));
}

std::string VideoTrack::debugDescription() const {
    return trackDebugDescription({"VideoTrack", "angleID", trackIdx_, name_, angleID_}, elements_);
}

void VideoTrack::visitRelated(const RelatedVisitor& visit) const {
    for (const auto& element : elements_) visit(modelRef(element));
}

}  // namespace tallyvane
