#pragma once
// A new story element before the reader fills it: no asset, composition, track type or
// source times, empty texts and lists, enabled, at frame 0 with no duration.

#include <cstdint>
#include <memory>

#include "model/story_element.h"

namespace tallyvane {

std::shared_ptr<StoryElement> makeStoryElement(StoryElement::Category category, std::int64_t spreadsheetSortOrder);

}  // namespace tallyvane
