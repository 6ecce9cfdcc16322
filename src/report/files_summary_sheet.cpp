#include "report/files_summary_sheet.h"

#include <algorithm>
#include <cmath>

#include "common/text_order.h"
#include "report/element_sheet.h"
#include "report/list_sheet.h"
#include "report/timecode_text.h"
#include "xlsx/workbook.h"

namespace tallyvane {

namespace {

using H = ColumnHeading;

xlsx::Format bodyFormat(xlsx::Workbook& workbook) {
    xlsx::Format format = workbook.addFormat();
    format.fontName("Helvetica").fontSize(11).fontColor(xlsx::Color::black).align(xlsx::HorizontalAlignment::left);
    format.numberFormat("#,##0");
    return format;
}

}  // namespace

std::vector<ColumnHeading> filesSummaryColumns(InputType inputType) {
    if (inputType == InputType::FCPXML) return {H::RoleSubrole, H::EstimatedTotal, H::PercentOfTotal, H::FilePath};
    if (isInterchange(inputType)) return {H::FileName, H::EstimatedTotal, H::PercentOfTotal, H::FilePath};
    return {};
}

void writeFilesSummarySheet(ReportContext& context, const std::vector<FileTotal>& totals, std::string_view sheetName) {
    if (context.currentInputType == InputType::null) reportUnsupportedInputType(context);
    const std::vector<ColumnHeading> columns = filesSummaryColumns(context.currentInputType);
    if (columns.empty() || !context.workbook) return;

    xlsx::Workbook& workbook = *context.workbook;
    const xlsx::Format heading = listHeaderFormat(workbook);
    const xlsx::Format body = bodyFormat(workbook);
    xlsx::Worksheet sheet = workbook.addWorksheet(sheetName);
    for (std::size_t column = 0; column < columns.size(); ++column) {
        sheet.write(std::string(headingText(columns[column])), xlsx::Cell(0, column), heading);
    }
    ColumnWidths& widths = context.sheetColumnWidths;
    widths.reset(columns);

    double grandTotal = 0.0;
    for (const FileTotal& total : totals) grandTotal += total.estimatedTotal;
    const bool hasShares = std::isfinite(grandTotal) && grandTotal != 0.0;

    std::vector<FileTotal> sorted = totals;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const FileTotal& a, const FileTotal& b) { return textPrecedes(a.name, b.name); });

    std::uint32_t row = 0;
    for (const FileTotal& total : sorted) {
        ++row;
        sheet.write(total.name, xlsx::Cell(row, 0), body);
        widths.widen(0, total.name);
        sheet.write(timecodeText(total.estimatedTotal, context.reportFrameRate).value_or(""), xlsx::Cell(row, 1), body);
        const double share = total.estimatedTotal / grandTotal * 100.0;
        if (hasShares && std::isfinite(share)) {
            sheet.write(share, xlsx::Cell(row, 2), body);
        } else {
            sheet.write(xlsx::Value::blank(), xlsx::Cell(row, 2), body);
        }
        sheet.write(total.path, xlsx::Cell(row, 3), body);
    }
    widths.apply(sheet);
}

}  // namespace tallyvane
