#include "report/clipsheet/row_target.h"

namespace tallyvane {

ColumnIndex::ColumnIndex(std::span<const ColumnHeading> columns) {
    for (std::size_t i = columns.size(); i-- > 0;) index_[static_cast<std::size_t>(columns[i])] = static_cast<std::uint16_t>(i);
}

std::optional<std::uint16_t> ColumnIndex::operator[](ColumnHeading heading) const {
    return index_[static_cast<std::size_t>(heading)];
}

void RowTarget::text(ColumnHeading heading, const std::string& text, bool centred) {
    const auto column = columns[heading];
    if (!column) return;
    sheet.writeString(text, xlsx::Cell(row, *column), centred ? formats.centred : formats.number);
    widths.widen(*column, text);
}

void RowTarget::number(ColumnHeading heading, double value, const std::optional<std::string>& widenTo) {
    const auto column = columns[heading];
    if (!column) return;
    sheet.write(value, xlsx::Cell(row, *column), formats.number);
    if (widenTo) widths.widen(*column, *widenTo);
}

}  // namespace tallyvane
