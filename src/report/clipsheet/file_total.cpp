#include "report/clipsheet/file_total.h"

namespace tallyvane {

FileTotal* FileTotals::find(const std::string& path) {
    const auto found = byPath_.find(path);
    return found == byPath_.end() ? nullptr : &totals_[found->second];
}

void FileTotals::add(FileTotal total) {
    byPath_.emplace(total.path, totals_.size());
    totals_.push_back(std::move(total));
}

}  // namespace tallyvane
