#pragma once
// The story element builder: one list of document story elements (a storyline, its
// connected items, or a multicam angle) made into story elements on the numbered tracks
// of one composition.

#include <cstdint>
#include <vector>

#include "reader/story_list.h"

namespace tallyvane {

class FrameCounter;
class ReaderContext;

struct ElementPosition {
    // Seconds.
    Fraction cumulativeOffset;
    std::int64_t sortOrder = 0;
};

// Where an element of the list stands: what its container's offsets add to its own
// "offset", and its order among elements at one timeline position.
ElementPosition elementPosition(const XMLElement& element, const StoryList& list, FrameCounter& frames);

// The composition's rate must name a timecode rate; a list without one is left out with
// a diagnostic line. Elements without a duration are skipped.
void storeStoryElements(const std::vector<XMLElement>& elements, const StoryList& list, ReaderContext& reader);

}  // namespace tallyvane
