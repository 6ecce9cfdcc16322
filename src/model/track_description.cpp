#include "model/track_description.h"

#include "model/story_element.h"

namespace tallyvane {

std::string trackDebugDescription(const TrackDescriptionParts& parts,
                                  const std::vector<std::shared_ptr<StoryElement>>& elements) {
    std::string text;
    text.append(parts.kind).append(" ").append(std::to_string(parts.trackIdx)).append(": name=").append(parts.name);
    text.append(", ").append(parts.angleLabel).append("=").append(parts.angleID).append(", ");
    text.append(std::to_string(elements.size())).append(" elements \n [");
    for (std::size_t i = 0; i < elements.size(); ++i) {
        if (i > 0) text.append(", ");
        text.append(elements[i] ? elements[i]->debugDescription() : std::string("nil"));
    }
    return text.append("]");
}

}  // namespace tallyvane
