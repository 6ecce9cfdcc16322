#pragma once
// Writing one row of a clip sheet: cells go to the column of their heading, when the sheet
// has that column, in the row's colour; texts widen their columns.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "report/column_heading.h"
#include "report/column_widths.h"
#include "xlsx/format.h"
#include "xlsx/worksheet.h"

namespace tallyvane {

// Heading to column index, for the headings a sheet has.
class ColumnIndex {
public:
    explicit ColumnIndex(std::span<const ColumnHeading> columns);
    std::optional<std::uint16_t> operator[](ColumnHeading heading) const;

private:
    std::array<std::optional<std::uint16_t>, RawValues<ColumnHeading>::texts.size()> index_{};
};

// The colour pair of a row: most cells use `number`, marks and film lengths `centred`.
struct RowFormatPair {
    xlsx::Format number;
    xlsx::Format centred;
};

struct RowTarget {
    xlsx::Worksheet& sheet;
    ColumnWidths& widths;
    const ColumnIndex& columns;
    std::uint32_t row;
    const RowFormatPair& formats;

    bool has(ColumnHeading heading) const { return columns[heading].has_value(); }
    // A text cell that widens its column.
    void text(ColumnHeading heading, const std::string& text, bool centred = false);
    // A number cell; `widenTo` widens the column to that text.
    void number(ColumnHeading heading, double value, const std::optional<std::string>& widenTo = std::nullopt);
};

}  // namespace tallyvane
