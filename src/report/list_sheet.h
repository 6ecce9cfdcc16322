#pragma once
// The frame the list sheets share (markers, keywords, titles, transitions, effects, speed
// changes): Helvetica 11 formats, the trimmed headings in row 0, every cell a text in the
// column of its heading, each text widening its column, the widths applied at the end.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "report/column_heading.h"
#include "report/report_context.h"
#include "xlsx/enums.h"
#include "xlsx/format.h"
#include "xlsx/workbook.h"
#include "xlsx/worksheet.h"

namespace tallyvane {

// Bold, black, left aligned.
xlsx::Format listHeaderFormat(xlsx::Workbook& workbook);
// Number format "#,##0" in the colour.
xlsx::Format listTextFormat(xlsx::Workbook& workbook, xlsx::Color color);
// Centred, for the marks "✓" and "✗"; some sheets also give it the number format.
xlsx::Format listMarkFormat(xlsx::Workbook& workbook, xlsx::Color color, bool withNumberFormat);

inline constexpr std::string_view kCheckMark = "\u2713";
inline constexpr std::string_view kCrossMark = "\u2717";
inline std::string mark(bool on) { return std::string(on ? kCheckMark : kCrossMark); }

class ListSheet {
public:
    // Adds the worksheet to the open workbook, writes the headings and starts the widths
    // from them. The context must hold an open workbook.
    ListSheet(ReportContext& context, std::string_view name, std::vector<ColumnHeading> columns,
              const xlsx::Format& headerFormat);

    // A text under its heading; a heading that is not one of the sheet's columns writes nothing.
    void write(std::uint32_t row, ColumnHeading heading, const std::string& text, const xlsx::Format& format);

    // Applies the widths.
    void finish();

private:
    ReportContext& context_;
    xlsx::Worksheet sheet_;
    std::vector<ColumnHeading> columns_;
};

}  // namespace tallyvane
