#pragma once
// Whether every part of a workbook was written whole. The library writes each part to a file
// of its own, then reads it back into the package, and it drops a failed write's error: the
// read-back's rewind clears the stream's error, and a part whose disk ran out of room goes
// into the package cut short, or with a piece missing, while the close says it succeeded.

#include <cstdio>
#include <optional>
#include <string>

#include <xlsxwriter.h>

namespace tallyvane::xlsx::detail {

// Before the close, for a workbook written row by row: writes each sheet's last pending row
// to its part file, as the close would, and flushes the file. The system's reason (errno)
// when a sheet's rows could not all be written, 0 otherwise.
int rowsWrittenWhole(lxw_workbook* workbook);

// After the close: the name of the first part of the package at `path` that is not a whole
// XML document (every part the library writes from a file of its own is one), or nothing. A
// package that is no zip archive: its path. Nothing for a file that cannot be read back.
std::optional<std::string> firstCutPart(const std::string& path);

}  // namespace tallyvane::xlsx::detail
