#pragma once
// The sheet of titles and generators, one row per element in timeline order.

#include <memory>
#include <string_view>
#include <vector>

#include "model/story_element.h"
#include "report/column_heading.h"
#include "report/report_context.h"

namespace tallyvane {

std::vector<ColumnHeading> titlesColumns(InputType inputType);

// Adds no sheet when no workbook is open; a document kind without columns gets a sheet
// with no cells.
void writeTitlesSheet(ReportContext& context, const std::vector<std::shared_ptr<StoryElement>>& elements,
                      std::string_view sheetName, bool useColorText);

}  // namespace tallyvane
