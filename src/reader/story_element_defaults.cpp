#include "reader/story_element_defaults.h"

#include <optional>
#include <string>
#include <vector>

namespace tallyvane {

std::shared_ptr<StoryElement> makeStoryElement(StoryElement::Category category, std::int64_t spreadsheetSortOrder) {
    return std::make_shared<StoryElement>(
        "", category, nullptr, nullptr, spreadsheetSortOrder, std::nullopt, "", "", true, 0.0, 0.0, 0.0, std::nullopt,
        std::nullopt, "", "", "", "", std::vector<std::string>{}, "", "", "", "", "", "", false, StoryElement::Params{},
        std::vector<std::shared_ptr<Metadata>>{}, std::vector<std::shared_ptr<MarkedRange>>{},
        std::vector<std::shared_ptr<VideoFX>>{}, std::vector<std::shared_ptr<AudioFX>>{}, nullptr);
}

}  // namespace tallyvane
