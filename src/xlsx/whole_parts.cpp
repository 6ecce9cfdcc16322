#include "xlsx/whole_parts.h"

#include <cerrno>
#include <cstdio>

namespace tallyvane::xlsx::detail {

namespace {

thread_local int cutParts = 0;
thread_local int lastReason = 0;

}  // namespace

int rowsWrittenWhole(lxw_workbook* workbook) {
    int failure = 0;
    lxw_sheet* sheet = nullptr;
    STAILQ_FOREACH(sheet, workbook->sheets, list_pointers) {
        if (sheet->is_chartsheet || !sheet->u.worksheet->optimize) continue;
        lxw_worksheet* worksheet = sheet->u.worksheet;
        // The close writes this row first itself, and writes nothing for it once written.
        if (worksheet->optimize_row != nullptr) lxw_worksheet_write_single_row(worksheet);
        FILE* rows = worksheet->optimize_tmpfile;
        errno = 0;
        const bool flushed = std::fflush(rows) == 0;
        const int reason = errno;
        if ((!flushed || std::ferror(rows) != 0) && failure == 0) {
            // A failed write's reason is gone once a later one succeeded; lack of room is
            // what cuts a part file short.
            failure = !flushed && reason != 0 ? reason : ENOSPC;
        }
    }
    return failure;
}

CutPartCount::CutPartCount() noexcept : before_(cutParts) {}

int CutPartCount::count() const noexcept { return cutParts - before_; }

int CutPartCount::reason() const noexcept { return lastReason != 0 ? lastReason : ENOSPC; }

}  // namespace tallyvane::xlsx::detail

// The library flushes each part file and rewinds it before it reads the part back into the
// package, ignoring the flush's result; the rewind clears the error a failed write left. It
// is the program's own rewind here, the one the C standard gives (a seek to the start that
// also clears the error), which first notes a stream whose error is set: that part is cut
// short. Every caller in the process gets the same rewind.
extern "C" void rewind(FILE* stream) {
    const int reason = errno;  // as the failed flush before the rewind left it
    flockfile(stream);
    if (ferror_unlocked(stream) != 0) {
        ++tallyvane::xlsx::detail::cutParts;
        tallyvane::xlsx::detail::lastReason = reason;
    }
    std::fseek(stream, 0L, SEEK_SET);
    clearerr_unlocked(stream);
    funlockfile(stream);
}
