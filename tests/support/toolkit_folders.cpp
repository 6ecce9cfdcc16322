#include "support/toolkit_folders.h"

#include <cerrno>
#include <string>
#include <system_error>

#include <sys/stat.h>
#include <unistd.h>

#include "common/another_users_folder.h"
#include "support/temporary_folder.h"

namespace tallyvane::test {

namespace {

// Makes `folder` where it is missing; whether it is then a folder of the user's own, never a
// link, with `mode`.
bool ownFolder(const std::filesystem::path& folder, mode_t mode) {
    if (::mkdir(folder.c_str(), mode) != 0 && errno != EEXIST) return false;
    struct stat info {};
    if (::lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::geteuid()) return false;
    return (info.st_mode & 07777) == mode || ::chmod(folder.c_str(), mode) == 0;
}

}  // namespace

ToolkitFolders toolkitFolders(const std::filesystem::path& base) {
    // Root keeps out of a tree another user controls: they could rename its folder there.
    const bool usable = !anotherUserControls(base);
    std::error_code ignored;
    if (usable) std::filesystem::create_directories(base, ignored);
    std::filesystem::path own = base / ("user-" + std::to_string(::geteuid()));
    if (!usable || !ownFolder(own, 0700)) {
        static const TemporaryFolder ofTheRun;
        own = ofTheRun.path();
    }
    ToolkitFolders folders{own / "runtime", own / "config", own / "cache"};
    for (const auto* folder : {&folders.runtime, &folders.config, &folders.cache}) ownFolder(*folder, 0700);
    return folders;
}

}  // namespace tallyvane::test
