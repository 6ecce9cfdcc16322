#include "report/column_widths.h"

#include <stdexcept>

#include <unicode/brkiter.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

#include "common/utf8.h"

namespace tallyvane {

namespace {

// In ASCII only CR LF joins two characters into one cluster.
std::size_t asciiGraphemeCount(std::string_view text) {
    std::size_t count = text.size();
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (text[i - 1] == '\r' && text[i] == '\n') --count;
    }
    return count;
}

}  // namespace

GraphemeCounter::GraphemeCounter() = default;
GraphemeCounter::~GraphemeCounter() = default;
GraphemeCounter::GraphemeCounter(GraphemeCounter&&) noexcept = default;
GraphemeCounter& GraphemeCounter::operator=(GraphemeCounter&&) noexcept = default;

std::size_t GraphemeCounter::count(std::string_view text) {
    if (isAscii(text)) return asciiGraphemeCount(text);
    if (const auto found = counted_.find(text); found != counted_.end()) return found->second;
    if (!iterator_) {
        UErrorCode status = U_ZERO_ERROR;
        iterator_.reset(icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
        if (U_FAILURE(status) || !iterator_) {
            iterator_.reset();
            throw std::runtime_error(std::string("Cannot count characters: ") + u_errorName(status));
        }
    }
    const icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(sanitizeUtf8(text));
    iterator_->setText(unicode);
    std::size_t clusters = 0;
    for (int32_t boundary = iterator_->next(); boundary != icu::BreakIterator::DONE; boundary = iterator_->next()) {
        ++clusters;
    }
    // Kept small: a sheet of distinct texts would otherwise hold them all.
    constexpr std::size_t kMostCounted = 1024;
    if (counted_.size() >= kMostCounted) counted_.clear();
    counted_.emplace(text, clusters);
    return clusters;
}

std::size_t graphemeCount(std::string_view text) { return GraphemeCounter().count(text); }

std::vector<double> columnWidths(std::span<const ColumnHeading> headings) {
    GraphemeCounter counter;
    std::vector<double> widths;
    widths.reserve(headings.size());
    for (const ColumnHeading heading : headings) {
        widths.push_back(static_cast<double>(counter.count(headingText(heading))) + 1.0);
    }
    return widths;
}

std::vector<double> columnWidthsForMetadataHeadings(std::span<const std::string> headings) {
    GraphemeCounter counter;
    std::vector<double> widths;
    widths.reserve(headings.size());
    for (const std::string& heading : headings) {
        widths.push_back(static_cast<double>(counter.count(trimmingLineFeeds(heading))) + 1.0);
    }
    return widths;
}

void ColumnWidths::widen(std::size_t column, std::string_view text) {
    double& width = widths_.at(column);
    // A text has no more characters than bytes: most cannot widen their column at all.
    if (static_cast<double>(text.size()) <= width) return;
    const auto characters = static_cast<double>(counter_.count(text));
    if (characters > width) width = characters;
}

void ColumnWidths::apply(xlsx::Worksheet& sheet) const {
    for (std::size_t column = 0; column < widths_.size(); ++column) {
        sheet.column(xlsx::Cols(column, column), widths_[column]);
    }
}

}  // namespace tallyvane
