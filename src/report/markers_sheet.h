#pragma once
// The sheet that lists marked ranges (markers, to-dos, chapters, keywords, ratings,
// analysis ranges), one row per visible range in timeline order.

#include <memory>
#include <string_view>
#include <vector>

#include "model/marked_range.h"
#include "report/column_heading.h"
#include "report/report_context.h"
#include "report/sheet_title.h"
#include "xlsx/enums.h"

namespace tallyvane {

// The columns for a document kind and sheet title; empty for a pairing that has no sheet.
std::vector<ColumnHeading> markerColumns(InputType inputType, SheetTitle title);

// The text colour of a row by the range's kind (`MarkedRange::color`).
xlsx::Color markerKindColor(std::string_view kind);

// The rate a range's position and duration are counted in: the report's timeline's, or,
// for the clips of an event, which stand on no timeline, each clip's own.
enum class MarkerTimes { atReportRate, atClipRate };

// Adds the sheet named by the title, unless no workbook is open or the pairing of input
// type and title has no columns. The ranges may come in any order.
void writeMarkersSheet(ReportContext& context, const std::vector<std::shared_ptr<MarkedRange>>& ranges,
                       SheetTitle title, bool useColorText, MarkerTimes times = MarkerTimes::atReportRate);

}  // namespace tallyvane
