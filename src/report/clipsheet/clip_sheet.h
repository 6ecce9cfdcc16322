#pragma once
// The main sheet of a report: one header row, then one row per story element with the
// columns its sheet kind starts from, less those the report options switch off.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/story_element.h"
#include "report/clipsheet/clip_columns.h"
#include "report/clipsheet/file_total.h"
#include "report/report_context.h"

namespace tallyvane {

// Adds the worksheet `sheetName` (already valid and unique) to the context's workbook and
// fills it. Reads the context's sheet kind, frame rate, time offsets, thumbnail width and
// folder; overwrites its column widths. Elements may come in any order; the sheet lists
// them in report order. Returns one total per source file, in the order the files were
// first met. Sheet kind 0 or no open workbook: no sheet and no totals. Thumbnails are made
// on worker threads before the first row; the sheet is the same as if each were made in
// its row. A refusal of the spreadsheet library is thrown as xlsx::XlsxError; media that
// cannot be read only shows as a cell text.
std::vector<FileTotal> writeClipSheet(ReportContext& context, const std::vector<std::shared_ptr<StoryElement>>& elements,
                                      std::string_view sheetName, const ReportOptions& options, bool useColorText);

}  // namespace tallyvane
