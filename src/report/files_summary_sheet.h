#pragma once
// The summary of an interchange report: every source file of its clip sheet in name order,
// with the time the sheet's clips take from it, its share of all files' time and its path.

#include <string_view>
#include <vector>

#include "report/clipsheet/file_total.h"
#include "report/column_heading.h"
#include "report/report_context.h"

namespace tallyvane {

// The columns for a document kind; none for a project of no kind.
std::vector<ColumnHeading> filesSummaryColumns(InputType inputType);

// Adds the sheet unless no workbook is open or the document kind has no columns. Files of
// the same name keep their given order. A share of a total of no time is left blank.
void writeFilesSummarySheet(ReportContext& context, const std::vector<FileTotal>& totals, std::string_view sheetName);

}  // namespace tallyvane
