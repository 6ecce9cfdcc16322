#include "reader/markers.h"

#include <array>
#include <ostream>
#include <vector>

#include "model/marked_range.h"
#include "model/story_element.h"
#include "reader/child_elements.h"
#include "reader/time_values.h"
#include "timecode/text_utilities.h"
#include "xml/xml_element.h"

namespace tallyvane {

namespace {

// Transitions hold their markers as if they started one hour in.
constexpr std::string_view kTransitionMarkerStart = "3600s";

// Each replaces every match by "$1 $2", in this order.
constexpr std::array<std::string_view, 4> kWordBreaks{
    "([a-z])([A-Z](?=[A-Z])[a-z]*)",
    "([A-Z])([A-Z][a-z])",
    "([a-z])([A-Z][a-z])",
    "([a-z])([A-Z][a-z])",
};

TimecodeFrameRate clipRate(const StoryElement& clip, std::ostream& log) {
    if (auto rate = TimecodeFrameRate::fromRawValue(clip.timecodeFrameRate())) return *rate;
    log << "Unknown frame rate " << clip.timecodeFrameRate() << " of " << clip.name() << ", read at 60\n";
    return TimecodeFrameRate::fps60;
}

// The clip's place and the range's distance from the clip's start: none before the start,
// beyond a day, or beyond 64-bit terms.
Fraction timelinePlace(const Fraction& start, const ExactTimes::Placed& place, TimecodeFrameRate rate) {
    try {
        const Fraction intoClip = start - place.start;
        if (framesWithinDay(intoClip, rate)) return place.position + intoClip;
    } catch (const FractionError&) {
    }
    return place.position;
}

}  // namespace

std::string markedRangeKind(const XMLElement& element) {
    if (hasTag(element, "marker")) {
        const std::optional<AttributeText> completed = element.attrText("completed");
        if (completed == "0") return "Incomplete To-Do";
        if (completed == "1") return "Completed To-Do";
        return "Standard";
    }
    if (hasTag(element, "chapter-marker")) return "Chapter";
    if (hasTag(element, "keyword")) return "keyword";
    if (hasTag(element, "rating")) {
        const std::optional<AttributeText> value = element.attrText("value");
        if (value == "favorite") return "favorite";
        if (value == "reject") return "rejected";
        return "";
    }
    if (hasTag(element, "analysis-marker")) return "analysis";
    return "";
}

std::string analysisMarkerName(const XMLElement& element) {
    std::string name;
    for (const XMLElement& item : childElements(element, {"shot-type", "stabilization-type"})) {
        std::optional<std::string> value = item.attr("value");
        if (!value) continue;
        for (const std::string_view pattern : kWordBreaks) {
            if (auto spaced = regexReplacing(*value, pattern, "$1 $2")) value = std::move(spaced);
        }
        if (!name.empty()) name += ", ";
        name += *value;
    }
    return name;
}

std::vector<MarkerEntry> readMarkers(const std::vector<XMLElement>& elements) {
    std::vector<MarkerEntry> entries;
    entries.reserve(elements.size());
    for (const XMLElement& element : elements) {
        MarkerEntry& entry = entries.emplace_back();
        if (hasTag(element, "rating")) {
            entry.name = element.attr("name").value_or("");
        } else if (hasTag(element, "analysis-marker")) {
            entry.name = analysisMarkerName(element);
        } else {
            entry.name = element.attr("value").value_or("");
        }
        entry.note = element.attr("note").value_or("");
        entry.kind = markedRangeKind(element);
        entry.start = element.attr("start");
        entry.duration = element.attr("duration");
    }
    return entries;
}

void storeMarkers(const std::vector<MarkerEntry>& entries, const std::shared_ptr<StoryElement>& clip,
                  std::optional<TimecodeFrameRate> timelineRate, const ExactTimes::Placed& place,
                  FrameCounter& frames) {
    std::ostream& log = frames.log();
    const double position = clip->clipTimelinePosition();
    const double duration = clip->clipDuration();
    const TimecodeFrameRate rate = clipRate(*clip, log);

    for (const MarkerEntry& entry : entries) {
        auto range = std::make_shared<MarkedRange>(clip, entry.name, entry.note, std::vector<std::string>{}, 0.0, 0.0,
                                                   0.0, false, entry.kind);

        if (log) log << rawValue(clip->category()) << '\n';
        std::optional<std::string_view> start = kTransitionMarkerStart;
        if (clip->category() != StoryElement::Category::transition) {
            start = entry.start ? std::optional<std::string_view>(*entry.start) : std::nullopt;
        }
        const Fraction startSeconds = frames.seconds(start);
        range->setSrcInpoint(frames(startSeconds, rate));
        range->setTimelinePosition(frames(timelinePlace(startSeconds, place, rate), timelineRate.value_or(rate)));
        range->setVisible(position <= range->timelinePosition() && range->timelinePosition() <= position + duration);
        if (entry.duration) range->setDuration(frames(*entry.duration, rate));
        clip->appendMarkedRange(range);
        if (log) log << range->debugDescription();
    }
}

}  // namespace tallyvane
