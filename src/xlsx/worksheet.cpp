#include "xlsx/worksheet.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include <xlsxwriter.h>

#include "common/number_text.h"
#include "common/utf8.h"
#include "xlsx/chart.h"
#include "xlsx/error.h"
#include "xlsx/quiet_library.h"
#include "xlsx/text.h"
#include "xlsx/workbook_state.h"

namespace tallyvane::xlsx {

namespace {

// The spreadsheet application opens no row taller than 409 points and calls a file with one
// damaged; 545 pixels (408.75 points) is the tallest whole-pixel row within that.
constexpr std::uint32_t kMaxRowPixels = 545;
constexpr lxw_col_t kLastColumn = LXW_COL_MAX - 1;

std::string cellName(Cell at) {
    char name[LXW_MAX_CELL_NAME_LENGTH];
    lxw_rowcol_to_cell(name, at.row, at.col);
    return name;
}

// The checked width in character units.
double columnWidth(double width) {
    if (std::isnan(width) || width < 0.0) {
        throw XlsxError(XlsxErrorKind::invalidArgument,
                        "A column width must be a number from 0 on, not " + formatDouble(width) + ".");
    }
    return std::min(width, kMaxColumnWidth);
}

// A line of `count` cells from `start` that would run past the last row or column is refused
// as a whole, before anything is written.
template <typename Index>
void checkLine(Index start, std::size_t count, std::string_view what) {
    if (count > 0 && count - 1 > static_cast<std::size_t>(std::numeric_limits<Index>::max() - start)) {
        throw XlsxError(XlsxErrorKind::invalidArgument,
                        std::string("Values written along a ") + std::string(what) + " would run past its last cell.");
    }
}

}  // namespace

lxw_worksheet* Worksheet::open() const {
    state_->open();
    return sheet_;
}

lxw_format* Worksheet::formatFor(const std::optional<Format>& format) const {
    return format ? format->libraryFormat(*state_) : nullptr;
}

std::string Worksheet::name() const { return open()->name; }

const char* Worksheet::cellText(const std::string& text, Cell at, std::string& changed) const {
    // Nearly every cell is short ASCII without NUL or "_": valid as it is, one UTF-16 unit a
    // byte, no literal code, and handed to the library as it is.
    const bool plain = std::all_of(text.begin(), text.end(), [](char c) {
        return c != '\0' && static_cast<unsigned char>(c) < 0x80;
    });
    const bool fits = plain ? text.size() <= kMaxCellTextLength
                            : isValidUtf8(text) && text.find('\0') == std::string::npos &&
                                  utf16Length(text) <= kMaxCellTextLength;
    if (fits && !containsLiteralCode(text)) return text.c_str();
    std::string valid = fits ? text : libraryText(text);
    const std::size_t length = utf16Length(valid);
    if (length > kMaxCellTextLength) {
        valid = cutToLength(valid, kMaxCellTextLength);
        state_->diagnostics() << "Text of " << length << " characters cut to " << utf16Length(valid)
                              << " in cell " << cellName(at) << " of sheet \"" << name() << "\"\n";
    }
    changed = escapedLiteralCodes(std::move(valid));
    return changed.c_str();
}

Worksheet& Worksheet::write(const Value& value, Cell at, const std::optional<Format>& format) {
    if (value.kind() == Value::Kind::string) return writeString(value.text(), at, format);
    lxw_worksheet* sheet = open();
    lxw_format* libraryFormat = value.kind() == Value::Kind::comment ? nullptr : formatFor(format);
    switch (value.kind()) {
        case Value::Kind::url:
            throwIfFailed(worksheet_write_url(sheet, at.row, at.col, libraryText(value.text()).c_str(), libraryFormat));
            break;
        case Value::Kind::comment: {
            std::string changed;
            throwIfFailed(worksheet_write_comment(sheet, at.row, at.col, cellText(value.text(), at, changed)));
            break;
        }
        case Value::Kind::string:  // written above
            break;
        case Value::Kind::number:
        case Value::Kind::datetime:
            if (!std::isfinite(value.numberValue())) {
                state_->diagnostics() << "Number " << formatDouble(value.numberValue()) << " left out of cell "
                                      << cellName(at) << " of sheet \"" << name() << "\"\n";
                throwIfFailed(worksheet_write_blank(sheet, at.row, at.col, libraryFormat));
            } else {
                throwIfFailed(worksheet_write_number(sheet, at.row, at.col, value.numberValue(), libraryFormat));
            }
            break;
        case Value::Kind::boolean:
            throwIfFailed(worksheet_write_boolean(sheet, at.row, at.col, value.booleanValue(), libraryFormat));
            break;
        case Value::Kind::formula:
            throwIfFailed(worksheet_write_formula(sheet, at.row, at.col, libraryText(value.text()).c_str(), libraryFormat));
            break;
        case Value::Kind::blank:
            throwIfFailed(worksheet_write_blank(sheet, at.row, at.col, libraryFormat));
            break;
    }
    return *this;
}

Worksheet& Worksheet::writeString(const std::string& text, Cell at, const std::optional<Format>& format) {
    lxw_worksheet* sheet = open();
    lxw_format* libraryFormat = formatFor(format);
    std::string changed;
    throwIfFailed(worksheet_write_string(sheet, at.row, at.col, cellText(text, at, changed), libraryFormat));
    return *this;
}

Worksheet& Worksheet::writeColumn(const std::vector<Value>& values, Cell at, const std::optional<Format>& format) {
    checkLine(at.row, values.size(), "column");
    for (std::size_t i = 0; i < values.size(); ++i) {
        write(values[i], Cell(at.row + i, at.col), format);
    }
    return *this;
}

Worksheet& Worksheet::writeRow(const std::vector<Value>& values, Cell at, const std::optional<Format>& format) {
    checkLine(at.col, values.size(), "row");
    for (std::size_t i = 0; i < values.size(); ++i) {
        write(values[i], Cell(at.row, at.col + i), format);
    }
    return *this;
}

Worksheet& Worksheet::writeNumbers(const std::vector<double>& numbers, Cell at, const std::optional<Format>& format) {
    return writeRow(std::vector<Value>(numbers.begin(), numbers.end()), at, format);
}

Worksheet& Worksheet::writeStrings(const std::vector<std::string>& texts, Cell at,
                                   const std::optional<Format>& format) {
    return writeRow(std::vector<Value>(texts.begin(), texts.end()), at, format);
}

Worksheet& Worksheet::insertImage(const std::string& path, Cell at, long long rowHeightPixels) {
    const auto height =
        std::min(checkedInteger<std::uint32_t>(rowHeightPixels, "A row height in pixels"), kMaxRowPixels);
    lxw_worksheet* sheet = open();
    const std::string& file = checkedPath(path);
    lxw_error inserted = LXW_NO_ERROR;
    {
        const QuietLibrary quiet;
        inserted = worksheet_insert_image(sheet, at.row, at.col, file.c_str());
    }
    throwIfFailed(worksheet_set_row_pixels(sheet, at.row, height, nullptr));
    throwIfFailed(inserted);
    return *this;
}

Worksheet& Worksheet::column(Cols cols, double width, const std::optional<Format>& format) {
    const double checked = columnWidth(width);
    throwIfFailed(worksheet_set_column(open(), cols.col, cols.col2, checked, formatFor(format)));
    return *this;
}

Worksheet& Worksheet::hideColumns(std::uint16_t from, double width) {
    const double checked = columnWidth(width);
    lxw_row_col_options hidden{};
    hidden.hidden = LXW_TRUE;
    throwIfFailed(worksheet_set_column_opt(open(), from, kLastColumn, checked, nullptr, &hidden));
    return *this;
}

Worksheet& Worksheet::select() {
    worksheet_select(open());
    return *this;
}

Worksheet& Worksheet::hide() {
    worksheet_hide(open());
    return *this;
}

Worksheet& Worksheet::activate() {
    worksheet_activate(open());
    return *this;
}

Worksheet& Worksheet::hideZero() {
    worksheet_hide_zero(open());
    return *this;
}

Worksheet& Worksheet::paper(PaperType type) {
    worksheet_set_paper(open(), rawValue(type));
    return *this;
}

Worksheet& Worksheet::tabColor(Color color) {
    worksheet_set_tab_color(open(), rgb(color));
    return *this;
}

Worksheet& Worksheet::defaultRow(double height, bool hideUnused) {
    worksheet_set_default_row(open(), requireFinite(height, "A default row height"), hideUnused ? LXW_TRUE : LXW_FALSE);
    return *this;
}

Worksheet& Worksheet::printArea(Range range) {
    throwIfFailed(worksheet_print_area(open(), range.row, range.col, range.row2, range.col2));
    return *this;
}

Worksheet& Worksheet::autoFilter(Range range) {
    throwIfFailed(worksheet_autofilter(open(), range.row, range.col, range.row2, range.col2));
    return *this;
}

Worksheet& Worksheet::gridlines(bool screen, bool print) {
    const std::uint8_t option = (screen ? LXW_SHOW_SCREEN_GRIDLINES : 0) | (print ? LXW_SHOW_PRINT_GRIDLINES : 0);
    worksheet_gridlines(open(), option);
    return *this;
}

Worksheet& Worksheet::merge(std::string_view text, Range range, const std::optional<Format>& format) {
    const std::string whole(text);
    std::string changed;
    throwIfFailed(worksheet_merge_range(open(), range.row, range.col, range.row2, range.col2,
                                        cellText(whole, Cell(range.row, range.col), changed),
                                        formatFor(format)));
    return *this;
}

Worksheet& Worksheet::insertChart(const Chart& chart, Cell at) {
    throwIfFailed(worksheet_insert_chart(open(), at.row, at.col, chart.libraryChart(*state_)));
    return *this;
}

Worksheet& Worksheet::insertChart(const Chart& chart, Cell at, double xScale, double yScale) {
    lxw_chart_options options{};
    options.x_scale = requireFinite(xScale, "A chart scale");
    options.y_scale = requireFinite(yScale, "A chart scale");
    options.object_position = LXW_OBJECT_MOVE_DONT_SIZE;
    throwIfFailed(worksheet_insert_chart_opt(open(), at.row, at.col, chart.libraryChart(*state_), &options));
    return *this;
}

}  // namespace tallyvane::xlsx
