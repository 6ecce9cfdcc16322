#include "report/column_heading.h"

#include <algorithm>

namespace tallyvane {

std::string_view trimmingLineFeeds(std::string_view text) {
    const auto first = text.find_first_not_of('\n');
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of('\n');
    return text.substr(first, last - first + 1);
}

std::string_view headingText(ColumnHeading heading) { return trimmingLineFeeds(rawValue(heading)); }

std::optional<std::size_t> firstIndex(ColumnHeading heading, std::span<const ColumnHeading> columns) {
    const auto found = std::find(columns.begin(), columns.end(), heading);
    if (found == columns.end()) return std::nullopt;
    return static_cast<std::size_t>(found - columns.begin());
}

}  // namespace tallyvane
