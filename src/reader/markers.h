#pragma once
// Markers, to-dos, chapter markers, keyword ranges, ratings and analysis markers of one
// clip, as MarkedRange records with their source and timeline positions in frames.

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "reader/exact_times.h"
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

// A marked range as the document writes it, read once for every copy of its clip.
struct MarkerEntry {
    // A rating's name, an analysis marker's shot and stabilisation, any other's value.
    std::string name;
    std::string note;
    std::string kind;
    std::optional<std::string> start;
    std::optional<std::string> duration;
};

std::vector<MarkerEntry> readMarkers(const std::vector<XMLElement>& elements);

// One record per entry, appended to the clip's marked ranges in the entries' order. The
// clip's rate, position and duration must be set; `place` holds its position and start in
// seconds. A range's timeline position is its exact distance from the clip's start (none
// before the start or beyond a day) after the clip's position, counted at `timelineRate`,
// the clip's own rate when it is absent.
void storeMarkers(const std::vector<MarkerEntry>& entries, const std::shared_ptr<StoryElement>& clip,
                  std::optional<TimecodeFrameRate> timelineRate, const ExactTimes::Placed& place,
                  FrameCounter& frames);

}  // namespace tallyvane
