#pragma once
// What the sheets that list story elements share: their columns by document kind, the
// text and mark formats per colour, the three times of an element and the timeline order.

#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "model/story_element.h"
#include "report/report_context.h"
#include "xlsx/enums.h"
#include "xlsx/format.h"

namespace tallyvane {

// XMEML and the three OTIO kinds share their columns.
bool isInterchange(InputType inputType);

// Prints the diagnostic for the one document kind without columns.
void reportUnsupportedInputType(const ReportContext& context);

struct RowFormats {
    xlsx::Format text;
    xlsx::Format mark;
};
std::map<xlsx::Color, RowFormats> rowFormats(xlsx::Workbook& workbook, std::initializer_list<xlsx::Color> colors,
                                              bool markWithNumberFormat);

// Where the element ends on its timeline, in frames: the reader's exact end when it has one,
// else its position plus its duration.
double timelineOutFrames(const StoryElement& element);

// Timeline In, Timeline Out (with the report's time offset) and Duration as timecode text
// at the report's rate, "??" for a time that is no timecode.
struct ElementTimes {
    std::string in;
    std::string out;
    std::string duration;
};
ElementTimes elementTimes(const StoryElement& element, const ReportContext& context);

// A copy in report order; elements the order does not tell apart keep their given order.
std::vector<std::shared_ptr<StoryElement>> inReportOrder(const std::vector<std::shared_ptr<StoryElement>>& elements);

}  // namespace tallyvane
