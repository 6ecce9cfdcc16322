#include "reader/transitions.h"

#include <string>

#include "reader/child_elements.h"
#include "reader/node_extensions.h"
#include "reader/reader_context.h"
#include "reader/roles.h"
#include "reader/story_element_defaults.h"
#include "reader/time_values.h"

namespace tallyvane {

namespace {

std::string filterName(const XMLElement& transition, std::string_view filterTag, std::string_view fallback) {
    const std::optional<XMLElement> filter = firstChildElement(transition, {filterTag});
    return filter ? filter->attr("name").value_or(std::string(fallback)) : std::string(fallback);
}

std::shared_ptr<StoryElement> transitionElement(const std::optional<XMLElement>& neighbour, const BuiltElement& built,
                                                StorylineContext context, ReaderContext& reader) {
    if (!neighbour || neighbour->tag() != "transition") return nullptr;
    std::ostream& log = reader.log();
    auto transition = makeStoryElement(StoryElement::Category::transition, built.sortOrder);
    transition->setTimelineClipCategory(std::string(rawValue(context)) + " transition");
    transition->setName(filterName(*neighbour, "filter-video", "Video Transition"));
    // The audio transition's name rides in the notes until the audio copy takes it.
    transition->setNotes(filterName(*neighbour, "filter-audio", "Audio Transition"));
    FrameCounter& frames = reader.frames();
    const ExactTimes::Placed placed{frames.seconds(neighbour, "offset") + built.cumulativeOffset,
                                    frames.seconds(neighbour, "duration"), Fraction(0, 1)};
    transition->setClipTimelinePosition(frames(placed.position, built.compositionRate));
    transition->setClipDuration(frames(placed.duration, built.compositionRate));
    transition->setTimelineEnd(endFrames(placed.position, placed.duration, built.compositionRate));
    reader.exactTimes().notePlaced(*transition, placed);
    transition->setTimecodeFrameRate(std::string(built.compositionRate.stringValue()));
    ResolvedRoles roles = resolveRoles(*neighbour, nullptr, reader.capitalizer(), log);
    transition->setVideoRole(std::move(roles.videoRole));
    transition->setAudioRole(std::move(roles.audioRole));
    transition->setAppleEffect(true);
    return transition;
}

}  // namespace

AdjacentTransitions adjacentTransitions(const BuiltElement& built, StorylineContext context, ReaderContext& reader) {
    AdjacentTransitions transitions;
    transitions.previous = transitionElement(previousElementSibling(built.clipElement), built, context, reader);
    transitions.next = transitionElement(nextElementSibling(built.clipElement), built, context, reader);
    return transitions;
}

}  // namespace tallyvane
