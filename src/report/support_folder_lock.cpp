#include "report/support_folder_lock.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace tallyvane {

SupportFolderLock::SupportFolderLock(const std::filesystem::path& supportFolder)
    : descriptor_(::open((supportFolder / kReportLockName).c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600)) {
    // The lock belongs to the open file, so it also keeps apart two reports of one process,
    // and it ends with the process however the process ends.
    if (descriptor_ < 0 || ::flock(descriptor_, LOCK_EX | LOCK_NB) != 0) failure_ = errno;
}

SupportFolderLock::~SupportFolderLock() {
    if (descriptor_ >= 0) ::close(descriptor_);
}

}  // namespace tallyvane
