#include "model/marked_range.h"

#include "common/number_text.h"
#include "model/nan_last.h"
#include "model/story_element.h"

namespace tallyvane {

MarkedRange::MarkedRange(std::shared_ptr<StoryElement> clip, std::string name, std::string notes,
                         std::vector<std::string> keywords, double srcInpoint, double timelinePosition,
                         double duration, bool visible, std::string color)
    : ModelObject(ModelClass::MarkedRange),
      clip_(std::move(clip)),
      name_(std::move(name)),
      notes_(std::move(notes)),
      keywords_(std::move(keywords)),
      srcInpoint_(srcInpoint),
      timelinePosition_(timelinePosition),
      duration_(duration),
      visible_(visible),
      color_(std::move(color)) {}

void MarkedRange::setClip(std::shared_ptr<StoryElement> clip) {
    adopt(clip);
    clip_ = std::move(clip);
}

std::string MarkedRange::debugDescription() const {
    return color_ + ": \"" + name_ + "\", srcIn: " + formatDouble(srcInpoint_) +
           ", timelinePosition: " + formatDouble(timelinePosition_) + ", duration: " + formatDouble(duration_) +
           ", visible: " + (visible_ ? "true" : "false") + "\n";
}

bool operator<(const MarkedRange& lhs, const MarkedRange& rhs) noexcept {
    return lessNanLast(lhs.timelinePosition_, rhs.timelinePosition_);
}

void MarkedRange::visitRelated(const RelatedVisitor& visit) const {
    if (clip_) visit(modelRef(clip_));
}

}  // namespace tallyvane
