#pragma once
// The time columns of a clip sheet row, each in its five formats: timecode, frames, feet
// and frames, clock and seconds.

#include <ostream>

#include "model/story_element.h"
#include "report/clipsheet/row_target.h"
#include "report/report_context.h"

namespace tallyvane {

// Timeline In and Out (each format with its own offset, Out also with the report's time
// offset) and Clip Duration, at the report's rate within 24 hours.
void writeTimelineCells(RowTarget& target, const StoryElement& element, const ReportContext& context);

// Source In, Out (with the report's time offset) and Duration at the element's rate ("60"
// when its rate text names none): in and out within 100 days, the duration within 24
// hours. Nothing for a still image or an element without source in point and duration.
void writeSourceCells(RowTarget& target, const StoryElement& element, const ReportContext& context);

// The element's timecode rate, "60" when its text names none.
TimecodeFrameRate elementFrameRate(const StoryElement& element);

}  // namespace tallyvane
