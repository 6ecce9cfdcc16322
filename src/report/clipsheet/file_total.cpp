#include "report/clipsheet/file_total.h"

#include <algorithm>

namespace tallyvane {

FileTotal* firstFileTotal(std::span<FileTotal> totals, std::string_view path) {
    const auto found = std::find_if(totals.begin(), totals.end(), [&](const FileTotal& t) { return t.path == path; });
    return found == totals.end() ? nullptr : &*found;
}

}  // namespace tallyvane
