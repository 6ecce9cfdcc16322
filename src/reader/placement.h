#pragma once
// Placement of one built element on the numbered tracks of its composition: multicam
// clips show the clips of their chosen angles, sync clips those of their own storyline;
// the element's lane chooses the tracks; a video and an audio copy go onto them with
// their markers, metadata, effects and retiming, and the adjacent transitions with them.

#include "reader/story_list.h"

namespace tallyvane {

class ReaderContext;

void placeStoryElement(const BuiltElement& built, const StoryList& list, ReaderContext& reader);

// The track index a lane text gives: "lane" of the element unless missing or "0", else its
// parent's, else "0". Absent when the text is not a whole number.
std::optional<std::int64_t> laneOf(const XMLElement& clipElement);

}  // namespace tallyvane
