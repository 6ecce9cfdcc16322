#include <limits>

#include <xlsxwriter.h>

#include "xlsx/error.h"
#include "xlsx/text.h"
#include "xlsx/workbook_state.h"
#include "xlsx/worksheet.h"

namespace tallyvane::xlsx {

namespace {

constexpr std::uint8_t kTableStyleNumber = 7;

}  // namespace

Worksheet& Worksheet::table(Range range, std::optional<std::string_view> name, const std::vector<TableColumn>& columns) {
    return addTable(range, name, columns, nullptr);
}

Worksheet& Worksheet::table(Range range, std::optional<std::string_view> name, const std::vector<TableColumn>& columns,
                            const std::vector<TotalFunction>& totals) {
    return addTable(range, name, columns, &totals);
}

Worksheet& Worksheet::addTable(Range range, std::optional<std::string_view> name,
                               const std::vector<TableColumn>& columns, const std::vector<TotalFunction>* totals) {
    lxw_worksheet* sheet = open();
    // The library copies every text during the call; these hold them until it returns.
    std::string tableName = name ? libraryText(*name) : std::string();
    std::vector<std::string> headers;
    headers.reserve(columns.size());
    std::vector<lxw_table_column> records(columns.size());
    std::vector<lxw_table_column*> recordList;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        headers.push_back(libraryText(columns[i].header));
        records[i].header = headers.back().data();
        records[i].header_format = formatFor(columns[i].headerFormat);
        if (totals != nullptr && i < totals->size()) records[i].total_function = rawValue((*totals)[i]);
        recordList.push_back(&records[i]);
    }
    recordList.push_back(nullptr);

    lxw_table_options options{};
    options.name = name ? tableName.data() : nullptr;
    options.style_type = LXW_TABLE_STYLE_TYPE_MEDIUM;
    options.style_type_number = kTableStyleNumber;
    options.columns = recordList.data();
    lxw_row_t lastRow = range.row2;
    if (totals != nullptr) {
        if (lastRow == std::numeric_limits<lxw_row_t>::max()) {
            throw XlsxError(XlsxErrorKind::invalidArgument, "A table's total row would run past the last row.");
        }
        options.total_row = LXW_TRUE;
        ++lastRow;
    }
    throwIfFailed(worksheet_add_table(sheet, range.row, range.col, lastRow, range.col2, &options));
    return *this;
}

}  // namespace tallyvane::xlsx
