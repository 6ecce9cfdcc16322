#pragma once
// The transitions that stand directly before and after an element of a storyline; each
// is built with the element, so that it lands on the element's tracks.

#include <memory>
#include <optional>

#include "reader/story_list.h"

namespace tallyvane {

class ReaderContext;

struct AdjacentTransitions {
    std::shared_ptr<StoryElement> previous;
    std::shared_ptr<StoryElement> next;
};

// A neighbour that is not a "transition" element gives none.
AdjacentTransitions adjacentTransitions(const BuiltElement& built, StorylineContext context, ReaderContext& reader);

}  // namespace tallyvane
