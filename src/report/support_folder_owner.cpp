#include "report/support_folder_owner.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tallyvane {

void giveToSupportFolderOwner(const std::filesystem::path& made, const std::filesystem::path& supportFolder) {
    struct stat folder {};
    if (::geteuid() != 0 || ::stat(supportFolder.c_str(), &folder) != 0 || folder.st_uid == 0) return;
    // Opened without following a link, and given only when it is root's own folder or its one
    // link to a file: the user may have put a link to any of root's files at the name.
    const int descriptor = ::open(made.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) return;
    struct stat own {};
    if (::fstat(descriptor, &own) == 0 && own.st_uid == 0 &&
        (S_ISDIR(own.st_mode) || (S_ISREG(own.st_mode) && own.st_nlink == 1))) {
        static_cast<void>(::fchown(descriptor, folder.st_uid, folder.st_gid));
    }
    ::close(descriptor);
}

}  // namespace tallyvane
