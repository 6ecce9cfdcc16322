#pragma once
// One call of the story element builder: a list of document elements going onto the
// tracks of one composition, and what the builder worked out for each of them.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "model/composition.h"
#include "model/story_element.h"
#include "reader/storyline_context.h"
#include "timecode/fraction.h"
#include "timecode/timecode_frame_rate.h"
#include "xml/xml_element.h"

namespace tallyvane {

struct StoryList {
    StorylineContext context;
    std::shared_ptr<Composition> composition;
    // Added to every track index worked out from a lane: an angle's position in its multicam.
    std::int64_t trackOffset = 0;
    // The name of the tracks the call creates; "V" or "A" and the index when empty.
    std::string trackLabel;
    std::string angleID;
    // The sync clip whose own storyline the list is: its offset places it on the timeline
    // around it, so it is no part of the positions inside it.
    std::optional<XMLElement> syncClip;
};

// One document element made ready for placement.
struct BuiltElement {
    // The element whose attributes are read: the element itself, or an audition's first clip.
    XMLElement clipElement;
    // Never placed itself: the tracks receive copies of it.
    std::shared_ptr<StoryElement> storyElement;
    // Times in seconds, exact as the document writes them: they become frames once, at the
    // rate of the row that shows them.
    Fraction start{0, 1};
    Fraction offset{0, 1};
    Fraction duration{0, 1};
    // Added to `offset` for the position on the composition's timeline.
    Fraction cumulativeOffset{0, 1};
    std::int64_t sortOrder = 0;
    TimecodeFrameRate clipRate = TimecodeFrameRate::fps60;
    TimecodeFrameRate compositionRate = TimecodeFrameRate::fps60;

    Fraction timelinePosition() const { return offset + cumulativeOffset; }
};

}  // namespace tallyvane
