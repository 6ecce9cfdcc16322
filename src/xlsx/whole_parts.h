#pragma once
// Whether every part of a workbook was written whole. The library writes each part to a file
// of its own, then reads it back into the package, and it drops a failed write's error: the
// rewind before the read-back clears the stream's error, so a part whose disk ran out of room
// would go into the package cut short while the close says it succeeded.

#include <xlsxwriter.h>

namespace tallyvane::xlsx::detail {

// Before the close, for a workbook written row by row: writes each sheet's last pending row
// to its part file, as the close would, and flushes the file. The system's reason (errno)
// when a sheet's rows could not all be written, 0 otherwise.
int rowsWrittenWhole(lxw_workbook* workbook);

// Counts, for the calling thread, the part files the library reads back after a write to them
// failed, from its making to its end; the close runs on the caller's thread.
class CutPartCount {
public:
    CutPartCount() noexcept;
    // The number of such part files, and the system's reason for the last of them (errno as
    // the read-back found it: the failed flush just before it, as a rule).
    int count() const noexcept;
    int reason() const noexcept;

private:
    int before_;
};

}  // namespace tallyvane::xlsx::detail
