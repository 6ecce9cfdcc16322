#include "common/make_folders.h"

#include <cerrno>

#include <sys/stat.h>

namespace tallyvane {

namespace {

bool isFolder(const std::filesystem::path& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

}  // namespace

std::error_code makeFolders(const std::filesystem::path& folder) {
    if (isFolder(folder)) return {};
    std::filesystem::path at;
    for (const std::filesystem::path& part : folder) {
        at /= part;
        if (::mkdir(at.c_str(), kMadeFolderMode) == 0) continue;
        // Kept before the look below, whose own failure would replace it.
        const int failure = errno;
        // A folder that stands already may refuse the making with another reason than that.
        if (!isFolder(at)) return std::error_code(failure == EEXIST ? ENOTDIR : failure, std::generic_category());
    }
    return {};
}

}  // namespace tallyvane
