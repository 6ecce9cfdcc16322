#include "xlsx/quiet_library.h"

#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

namespace tallyvane::xlsx {

QuietLibrary::QuietLibrary() noexcept : saved_(-1) {
    std::fflush(stderr);
    const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (null < 0) return;
    saved_ = ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0);
    if (saved_ >= 0) ::dup2(null, STDERR_FILENO);
    ::close(null);
}

QuietLibrary::~QuietLibrary() {
    if (saved_ < 0) return;
    const int libraryError = errno;
    std::fflush(stderr);
    ::dup2(saved_, STDERR_FILENO);
    ::close(saved_);
    errno = libraryError;
}

}  // namespace tallyvane::xlsx
