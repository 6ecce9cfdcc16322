#pragma once
// The sheet of transitions, one row per transition in timeline order.

#include <memory>
#include <string_view>
#include <vector>

#include "model/story_element.h"
#include "report/column_heading.h"
#include "report/report_context.h"

namespace tallyvane {

std::vector<ColumnHeading> transitionsColumns(InputType inputType);

// Adds no sheet when no workbook is open; a document kind without columns gets a sheet
// with no cells.
void writeTransitionsSheet(ReportContext& context, const std::vector<std::shared_ptr<StoryElement>>& elements,
                           std::string_view sheetName, bool useColorText);

}  // namespace tallyvane
