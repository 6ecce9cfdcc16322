#pragma once
// What every copy of a workbook and of the objects it made share: the library object, whether
// it is still open, the diagnostics stream and the sheet names in use.

#include <memory>
#include <ostream>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include <unicode/unistr.h>
#include <xlsxwriter.h>

#include "xlsx/part_files.h"

namespace tallyvane::xlsx::detail {

class WorkbookState {
public:
    // `parts` was taken before the library made the workbook.
    WorkbookState(lxw_workbook* workbook, std::ostream& diagnostics, PartFiles parts);
    ~WorkbookState();
    WorkbookState(const WorkbookState&) = delete;
    WorkbookState& operator=(const WorkbookState&) = delete;

    // The library object while the workbook is open; a closed-workbook error afterwards,
    // since the library has freed everything it made.
    lxw_workbook* open() const;
    // Hands the library object to its close call, which frees it whatever the outcome.
    lxw_workbook* release();
    // Once the library is done with the workbook: closes the part files it left open.
    void closeLeftOpenParts() const { parts_.closeLeftOpen(); }

    std::ostream& diagnostics() const { return *diagnostics_; }

    // The library compares names ignoring ASCII case only; the spreadsheet application
    // compares them ignoring Unicode case and refuses the file otherwise.
    bool nameInUse(const std::string& name) const;
    void addName(const std::string& name);

    // The library numbers a format by hashing all its properties at its first cell, and keeps
    // the number; a second format with the same properties is given the first one's number
    // but never keeps it, so it is hashed again for each of its cells. Such a twin is handed
    // the number here once the library has numbered the first: the number its lookup gives.
    lxw_format* resolve(lxw_format* format);
    // Before a property of `format` changes: it is a new format from then on.
    void changing(lxw_format* format);

private:
    struct FormatKey {
        std::string properties;
        lxw_format* first;  // the first format met with these properties
    };

    lxw_workbook* workbook_;
    std::ostream* diagnostics_;
    PartFiles parts_;
    std::vector<icu::UnicodeString> foldedNames_;
    std::unordered_map<std::string, lxw_format*> firstWithProperties_;
    std::unordered_map<lxw_format*, FormatKey> keys_;
    std::unordered_set<lxw_format*> numberedHere_;
};

using SharedState = std::shared_ptr<WorkbookState>;

}  // namespace tallyvane::xlsx::detail
