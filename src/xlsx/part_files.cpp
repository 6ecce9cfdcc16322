#include "xlsx/part_files.h"

#include <cerrno>
#include <functional>
#include <vector>

#include <sys/stat.h>

// The C library's own list of open streams: the only way to reach a stream the spreadsheet
// library no longer holds, and to free it with its buffer rather than only its descriptor,
// whose number a later file would take and receive the buffer's bytes at exit.
#if defined(__GLIBC__)
extern "C" {
FILE* _IO_iter_begin(void);
FILE* _IO_iter_end(void);
FILE* _IO_iter_next(FILE* stream);
FILE* _IO_iter_file(FILE* stream);
void _IO_list_lock(void);
void _IO_list_unlock(void);
}
#endif

namespace tallyvane::xlsx::detail {

namespace {

void forEachStream(const std::function<void(FILE*)>& visit) {
#if defined(__GLIBC__)
    _IO_list_lock();
    for (FILE* at = _IO_iter_begin(); at != _IO_iter_end(); at = _IO_iter_next(at)) visit(_IO_iter_file(at));
    _IO_list_unlock();
#else
    static_cast<void>(visit);
#endif
}

}  // namespace

PartFiles::PartFiles(const std::string& folder) {
    struct stat status {};
    if (folder.empty() || ::stat(folder.c_str(), &status) != 0) return;
    known_ = true;
    device_ = status.st_dev;
    forEachStream([this](FILE* stream) { before_.insert(stream); });
}

void PartFiles::closeLeftOpen() const {
    if (!known_) return;
    const int kept = errno;
    std::vector<FILE*> leftOpen;
    forEachStream([&](FILE* stream) {
        struct stat status {};
        const int descriptor = ::fileno(stream);
        if (!before_.contains(stream) && descriptor >= 0 && ::fstat(descriptor, &status) == 0 &&
            S_ISREG(status.st_mode) && status.st_nlink == 0 && status.st_dev == device_) {
            leftOpen.push_back(stream);
        }
    });
    // Closed once the list is free again: closing takes its lock.
    for (FILE* stream : leftOpen) std::fclose(stream);
    errno = kept;
}

}  // namespace tallyvane::xlsx::detail
