#pragma once
// The two sheets about the effects of the report's clips: one row per video and audio
// effect, and one row per clip with a speed change.

#include <memory>
#include <string_view>
#include <vector>

#include "model/story_element.h"
#include "report/column_heading.h"
#include "report/report_context.h"

namespace tallyvane {

std::vector<ColumnHeading> effectsColumns(InputType inputType);
std::vector<ColumnHeading> speedChangeColumns(InputType inputType);

// "33.33%" for 33.333 percent, "50.0%" for 50; empty for no change (0 percent).
std::string speedSettingsText(double percent);

// Both add no sheet when no workbook is open or the document kind has no columns.
void writeEffectsSheet(ReportContext& context, const std::vector<std::shared_ptr<StoryElement>>& elements,
                       std::string_view sheetName, bool useColorText);
void writeSpeedChangesSheet(ReportContext& context, const std::vector<std::shared_ptr<StoryElement>>& elements,
                            std::string_view sheetName, bool useColorText);

}  // namespace tallyvane
