#pragma once
// One worksheet of a workbook. Operations return the same worksheet for chaining; a refusal
// of the library is thrown as an XlsxError carrying its text.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "xlsx/address.h"
#include "xlsx/enums.h"
#include "xlsx/format.h"
#include "xlsx/value.h"

struct lxw_worksheet;

namespace tallyvane::xlsx {

// The widest column a workbook shows, in character units.
inline constexpr double kMaxColumnWidth = 255.0;

class Chart;

struct TableColumn {
    std::string header;
    std::optional<Format> headerFormat;
};

class Worksheet {
public:
    std::string name() const;

    // Texts are written as strings (a leading "=" stays text), made valid UTF-8 and cut at a
    // character boundary to 32,767 characters with a diagnostic line. A number that is not
    // finite leaves a blank cell in the format and a diagnostic line. A comment ignores the
    // format.
    Worksheet& write(const Value& value, Cell at, const std::optional<Format>& format = std::nullopt);
    // A text as `write` writes a string value, without making a value of it first.
    Worksheet& writeString(const std::string& text, Cell at, const std::optional<Format>& format = std::nullopt);
    // Value i goes to (row + i, col).
    Worksheet& writeColumn(const std::vector<Value>& values, Cell at,
                           const std::optional<Format>& format = std::nullopt);
    // Value i goes to (row, col + i).
    Worksheet& writeRow(const std::vector<Value>& values, Cell at,
                        const std::optional<Format>& format = std::nullopt);
    Worksheet& writeNumbers(const std::vector<double>& numbers, Cell at,
                            const std::optional<Format>& format = std::nullopt);
    Worksheet& writeStrings(const std::vector<std::string>& texts, Cell at,
                            const std::optional<Format>& format = std::nullopt);

    // Anchors the image at the cell's top left corner and sets that row's height in pixels,
    // at most 545 (409 points, the tallest row the spreadsheet application opens); a taller
    // picture keeps its size and reaches into the next row. The height is set even when the
    // library refuses the image; the refusal is thrown after.
    Worksheet& insertImage(const std::string& path, Cell at, long long rowHeightPixels);
    // Width in character units; widths above 255 are capped at 255.
    Worksheet& column(Cols cols, double width, const std::optional<Format>& format = std::nullopt);
    // Hides every column from `from` to the last one, XFD.
    Worksheet& hideColumns(std::uint16_t from, double width);

    Worksheet& select();
    Worksheet& hide();
    Worksheet& activate();
    Worksheet& hideZero();
    Worksheet& paper(PaperType type);
    Worksheet& tabColor(Color color);
    Worksheet& defaultRow(double height, bool hideUnused);
    Worksheet& printArea(Range range);
    Worksheet& autoFilter(Range range);
    Worksheet& gridlines(bool screen, bool print);
    Worksheet& merge(std::string_view text, Range range, const std::optional<Format>& format = std::nullopt);

    // A table with header row, autofilter and banded rows, medium style 7, no total row.
    // Needs WriteOrder::anyOrder.
    Worksheet& table(Range range, std::optional<std::string_view> name, const std::vector<TableColumn>& columns);
    // The same with a total row below the range, each column's function from `totals`
    // (columns beyond the list total nothing).
    Worksheet& table(Range range, std::optional<std::string_view> name, const std::vector<TableColumn>& columns,
                     const std::vector<TotalFunction>& totals);

    Worksheet& insertChart(const Chart& chart, Cell at);
    // Scaled, moving with its cells but not sized with them.
    Worksheet& insertChart(const Chart& chart, Cell at, double xScale, double yScale);

private:
    friend class Workbook;
    Worksheet(std::shared_ptr<detail::WorkbookState> state, lxw_worksheet* sheet)
        : state_(std::move(state)), sheet_(sheet) {}

    lxw_worksheet* open() const;
    lxw_format* formatFor(const std::optional<Format>& format) const;
    // Valid UTF-8 within the cell limit: `text` itself when it is so already, else the
    // mended text kept in `changed`; a cut is reported on the diagnostics stream.
    const char* cellText(const std::string& text, Cell at, std::string& changed) const;
    Worksheet& addTable(Range range, std::optional<std::string_view> name, const std::vector<TableColumn>& columns,
                        const std::vector<TotalFunction>* totals);

    std::shared_ptr<detail::WorkbookState> state_;
    lxw_worksheet* sheet_;
};

}  // namespace tallyvane::xlsx
