#pragma once
// What every copy of a workbook and of the objects it made share: the library object, whether
// it is still open, the diagnostics stream and the sheet names in use.

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include <unicode/unistr.h>
#include <xlsxwriter.h>

namespace tallyvane::xlsx::detail {

class WorkbookState {
public:
    WorkbookState(lxw_workbook* workbook, std::ostream& diagnostics);
    ~WorkbookState();
    WorkbookState(const WorkbookState&) = delete;
    WorkbookState& operator=(const WorkbookState&) = delete;

    // The library object while the workbook is open; a closed-workbook error afterwards,
    // since the library has freed everything it made.
    lxw_workbook* open() const;
    // Hands the library object to its close call, which frees it whatever the outcome.
    lxw_workbook* release();

    std::ostream& diagnostics() const { return *diagnostics_; }

    // The library compares names ignoring ASCII case only; the spreadsheet application
    // compares them ignoring Unicode case and refuses the file otherwise.
    bool nameInUse(const std::string& name) const;
    void addName(const std::string& name);

private:
    lxw_workbook* workbook_;
    std::ostream* diagnostics_;
    std::vector<icu::UnicodeString> foldedNames_;
};

using SharedState = std::shared_ptr<WorkbookState>;

}  // namespace tallyvane::xlsx::detail
