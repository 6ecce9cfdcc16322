#include "xlsx/workbook_state.h"

#include <algorithm>

#include "xlsx/error.h"

namespace tallyvane::xlsx::detail {

namespace {

icu::UnicodeString folded(const std::string& name) {
    auto text = icu::UnicodeString::fromUTF8(name);
    text.foldCase();
    return text;
}

}  // namespace

WorkbookState::WorkbookState(lxw_workbook* workbook, std::ostream& diagnostics)
    : workbook_(workbook), diagnostics_(&diagnostics) {}

WorkbookState::~WorkbookState() {
    if (workbook_ != nullptr) lxw_workbook_free(workbook_);
}

lxw_workbook* WorkbookState::open() const {
    if (workbook_ == nullptr) {
        throw XlsxError(XlsxErrorKind::closedWorkbook, "The workbook is already closed.");
    }
    return workbook_;
}

lxw_workbook* WorkbookState::release() {
    lxw_workbook* workbook = open();
    workbook_ = nullptr;
    return workbook;
}

bool WorkbookState::nameInUse(const std::string& name) const {
    return std::find(foldedNames_.begin(), foldedNames_.end(), folded(name)) != foldedNames_.end();
}

void WorkbookState::addName(const std::string& name) { foldedNames_.push_back(folded(name)); }

}  // namespace tallyvane::xlsx::detail
