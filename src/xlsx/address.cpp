#include "xlsx/address.h"

#include <string>

#include <xlsxwriter.h>

namespace tallyvane::xlsx {

namespace {

// The library's name functions scan for letters and digits without bounds of their own and
// read past the end of text that lacks them, so only well-formed addresses within the sheet
// reach them: an optional "$", one to three capitals up to XFD, and for cells an optional
// "$" and a row number from 1 to 1,048,576.
constexpr std::size_t kLastColumn = 16383;
constexpr std::size_t kLastRowNumber = 1048576;

bool scanColumn(std::string_view text, std::size_t& at) {
    if (at < text.size() && text[at] == '$') ++at;
    std::size_t column = 0;
    std::size_t letters = 0;
    while (at < text.size() && text[at] >= 'A' && text[at] <= 'Z' && letters < 4) {
        column = column * 26 + static_cast<std::size_t>(text[at] - 'A' + 1);
        ++at;
        ++letters;
    }
    return letters >= 1 && letters <= 3 && column - 1 <= kLastColumn;
}

bool scanRow(std::string_view text, std::size_t& at) {
    if (at < text.size() && text[at] == '$') ++at;
    if (at >= text.size() || text[at] < '1' || text[at] > '9') return false;
    std::size_t number = 0;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
        number = number * 10 + static_cast<std::size_t>(text[at] - '0');
        if (number > kLastRowNumber) return false;
        ++at;
    }
    return true;
}

bool scanCell(std::string_view text, std::size_t& at) { return scanColumn(text, at) && scanRow(text, at); }

bool scanColon(std::string_view text, std::size_t& at) {
    if (at >= text.size() || text[at] != ':') return false;
    ++at;
    return true;
}

[[noreturn]] void throwMalformed(std::string_view text, std::string_view example) {
    throw XlsxError(XlsxErrorKind::invalidArgument,
                    "\"" + std::string(text) + "\" is not an address such as " + std::string(example) + ".");
}

}  // namespace

Cell::Cell(std::string_view a1) {
    std::size_t at = 0;
    if (!scanCell(a1, at) || at != a1.size()) throwMalformed(a1, "B3");
    const std::string text(a1);
    row = lxw_name_to_row(text.c_str());
    col = lxw_name_to_col(text.c_str());
}

Cols::Cols(std::string_view span) {
    std::size_t at = 0;
    if (!scanColumn(span, at) || !scanColon(span, at) || !scanColumn(span, at) || at != span.size()) {
        throwMalformed(span, "A:C");
    }
    const std::string text(span);
    col = lxw_name_to_col(text.c_str());
    col2 = lxw_name_to_col_2(text.c_str());
}

Range::Range(std::string_view a1a1) {
    std::size_t at = 0;
    if (!scanCell(a1a1, at) || !scanColon(a1a1, at) || !scanCell(a1a1, at) || at != a1a1.size()) {
        throwMalformed(a1a1, "A1:B2");
    }
    const std::string text(a1a1);
    row = lxw_name_to_row(text.c_str());
    col = lxw_name_to_col(text.c_str());
    row2 = lxw_name_to_row_2(text.c_str());
    col2 = lxw_name_to_col_2(text.c_str());
}

}  // namespace tallyvane::xlsx
