#include "report/list_sheet.h"

#include <stdexcept>

namespace tallyvane {

namespace {

xlsx::Format helvetica(xlsx::Workbook& workbook) {
    xlsx::Format format = workbook.addFormat();
    format.fontName("Helvetica").fontSize(11);
    return format;
}

xlsx::Worksheet addSheet(ReportContext& context, std::string_view name) {
    if (!context.workbook) throw std::logic_error("A list sheet needs an open workbook");
    return context.workbook->addWorksheet(name);
}

}  // namespace

xlsx::Format listHeaderFormat(xlsx::Workbook& workbook) {
    xlsx::Format format = helvetica(workbook);
    format.bold().fontColor(xlsx::Color::black).align(xlsx::HorizontalAlignment::left);
    return format;
}

xlsx::Format listTextFormat(xlsx::Workbook& workbook, xlsx::Color color) {
    xlsx::Format format = helvetica(workbook);
    format.numberFormat("#,##0").fontColor(color);
    return format;
}

xlsx::Format listMarkFormat(xlsx::Workbook& workbook, xlsx::Color color, bool withNumberFormat) {
    xlsx::Format format = helvetica(workbook);
    if (withNumberFormat) format.numberFormat("#,##0");
    format.fontColor(color).align(xlsx::HorizontalAlignment::center);
    return format;
}

ListSheet::ListSheet(ReportContext& context, std::string_view name, std::vector<ColumnHeading> columns,
                     const xlsx::Format& headerFormat)
    : context_(context), sheet_(addSheet(context, name)), columns_(std::move(columns)) {
    for (std::size_t column = 0; column < columns_.size(); ++column) {
        sheet_.write(std::string(headingText(columns_[column])), xlsx::Cell(0, column), headerFormat);
    }
    context_.sheetColumnWidths.reset(columns_);
}

void ListSheet::write(std::uint32_t row, ColumnHeading heading, const std::string& text, const xlsx::Format& format) {
    const auto column = firstIndex(heading, columns_);
    if (!column) return;
    sheet_.writeString(text, xlsx::Cell(row, *column), format);
    context_.sheetColumnWidths.widen(*column, text);
}

void ListSheet::finish() { context_.sheetColumnWidths.apply(sheet_); }

}  // namespace tallyvane
