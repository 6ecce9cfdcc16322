#pragma once
// Column widths of the sheet being written, in the spreadsheet's character units: started
// from the header texts, widened by every text written below them, applied when the sheet
// is done. Characters are counted as the user sees them (one per grapheme cluster).

#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/text_map.h"
#include "report/column_heading.h"
#include "xlsx/worksheet.h"

#include <unicode/uversion.h>

U_NAMESPACE_BEGIN
class BreakIterator;
U_NAMESPACE_END

namespace tallyvane {

// Counts grapheme clusters. It keeps one ICU iterator, so that counting every cell of a
// sheet does not build a new one each time. Ill-formed UTF-8 counts as U+FFFD.
class GraphemeCounter {
public:
    GraphemeCounter();
    ~GraphemeCounter();
    GraphemeCounter(GraphemeCounter&&) noexcept;
    GraphemeCounter& operator=(GraphemeCounter&&) noexcept;

    std::size_t count(std::string_view text);

private:
    std::unique_ptr<icu::BreakIterator> iterator_;
    // Counts of texts beyond ASCII: down a sheet they are mostly a few that repeat (frame
    // sizes, roles with their subroles), and each costs a pass of the iterator.
    TextMap<std::size_t> counted_;
};

std::size_t graphemeCount(std::string_view text);

// Per heading: the characters of its trimmed text, plus one.
std::vector<double> columnWidths(std::span<const ColumnHeading> headings);
// The same for metadata headings, which are plain texts, in the order given.
std::vector<double> columnWidthsForMetadataHeadings(std::span<const std::string> headings);

class ColumnWidths {
public:
    void reset(std::vector<double> widths) { widths_ = std::move(widths); }
    void reset(std::span<const ColumnHeading> headings) { widths_ = columnWidths(headings); }

    // The column becomes as wide as the text's character count when that is wider (line
    // feeds count and nothing is added). A column outside the sheet is a programming
    // error: std::out_of_range.
    void widen(std::size_t column, std::string_view text);

    const std::vector<double>& values() const noexcept { return widths_; }

    // One width per column, no format.
    void apply(xlsx::Worksheet& sheet) const;

private:
    std::vector<double> widths_;
    GraphemeCounter counter_;
};

}  // namespace tallyvane
