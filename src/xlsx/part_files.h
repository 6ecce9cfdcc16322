#pragma once
// The files the spreadsheet library keeps a workbook's parts in: unnamed files of its parts
// folder, open as streams. A close that fails part way (a full disk) returns without closing
// them, and a workbook freed unclosed may leave them too: their space would stay taken, with
// nothing left in the folder to delete, until the program ends. They are closed here instead.

#include <cstdio>
#include <string>
#include <unordered_set>

#include <sys/types.h>

namespace tallyvane::xlsx::detail {

class PartFiles {
public:
    // Notes the streams open before the workbook's first part; nothing is ever closed when
    // `folder` is empty or cannot be read.
    explicit PartFiles(const std::string& folder);

    // Closes every stream opened since on an unnamed file of the folder's file system. errno
    // is kept as it was.
    void closeLeftOpen() const;

private:
    bool known_ = false;
    dev_t device_ = 0;
    std::unordered_set<FILE*> before_;
};

}  // namespace tallyvane::xlsx::detail
