#pragma once
// A workbook being written: the only road by which anything reaches the .xlsx file.
// Copies share the one library object; after close() every object of the workbook refuses
// further use with a closed-workbook error.

#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "xlsx/chart.h"
#include "xlsx/chartsheet.h"
#include "xlsx/enums.h"
#include "xlsx/error.h"
#include "xlsx/format.h"
#include "xlsx/worksheet.h"

namespace tallyvane::xlsx {

enum class WriteOrder {
    // Rows of each sheet are written top to bottom and each row is handed to the file once a
    // later row is begun, so memory stays flat however long the sheet; writing into a row
    // above the current one is then a library error. Tables are not available. Pictures are
    // placed at close, when the row heights are gone: a picture is stretched over rows as if
    // every row had the default height, so a sheet with pictures in taller rows needs anyOrder.
    rowByRow,
    // Every cell is held in memory until close(); any order, and tables.
    anyOrder,
};

class Workbook {
public:
    // Nothing is written until close(). `diagnostics` receives the plain lines about texts that
    // were cut and numbers that could not be written. The library keeps the workbook's parts
    // in files of a folder of this workbook's own inside `partsFolder` until then (in the
    // system's temporary folder when empty); several workbooks may share one `partsFolder`.
    explicit Workbook(const std::string& path, WriteOrder order = WriteOrder::rowByRow,
                      std::ostream& diagnostics = std::cout, const std::string& partsFolder = {});

    // Without a name the sheet is called "Sheet" and its number among the worksheets. A name is
    // checked before the library sees it and refused with the library's own message.
    Worksheet addWorksheet(std::optional<std::string_view> name = std::nullopt);
    // Without a name the sheet is called "Chart" and its number among the chartsheets.
    Chartsheet addChartsheet(std::optional<std::string_view> name = std::nullopt);
    Format addFormat();
    Chart addChart(Chart_type type);

    std::optional<Worksheet> worksheet(std::string_view name) const;
    std::optional<Chartsheet> chartsheet(std::string_view name) const;

    // Writes the whole file. The library frees the workbook whatever the outcome, and the
    // part files it leaves open are closed, so the workbook is closed afterwards even when this
    // throws; only a chartsheet still without a
    // chart is refused before anything is written, and the workbook stays open. A part that
    // could not be written whole (its folder ran out of room) fails the close as the library's
    // own failures do, errno saying why: rows cut short before anything is written, a part cut
    // short while the package is put together once the package is written.
    void close();

private:
    std::string partsFolder_;
    std::shared_ptr<detail::WorkbookState> state_;
};

}  // namespace tallyvane::xlsx
