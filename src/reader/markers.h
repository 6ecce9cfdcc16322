#pragma once
// Markers, to-dos, chapter markers, keyword ranges, ratings and analysis markers of one
// clip, as MarkedRange records with their source and timeline positions in frames.

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "timecode/timecode_frame_rate.h"

namespace tallyvane {

class FrameCounter;
class StoryElement;
class XMLElement;

// The kind of a marked range as the model's `color` holds it: "Standard",
// "Incomplete To-Do", "Completed To-Do", "Chapter", "keyword", "favorite", "rejected",
// "analysis", or "" for anything else.
std::string markedRangeKind(const XMLElement& element);

// An analysis marker's shot and stabilisation values with their words apart:
// "oneShot, closeUp" reads "one Shot, close Up".
std::string analysisMarkerName(const XMLElement& element);

// One record per element, appended to the clip's marked ranges in the set's order. The
// clip's rate, in point, position and duration must be set. Timeline positions count at
// `timelineRate`, the clip's own rate when it is absent.
void storeMarkers(const std::vector<XMLElement>& elements, const std::shared_ptr<StoryElement>& clip,
                  std::optional<TimecodeFrameRate> timelineRate, FrameCounter& frames);

}  // namespace tallyvane
