#include "common/another_users_folder.h"

#include <sys/stat.h>
#include <unistd.h>

namespace tallyvane {

namespace fs = std::filesystem;

std::optional<std::string> anotherUserControls(const fs::path& folder, NamesMade made) {
    if (::geteuid() != 0) return std::nullopt;
    std::error_code error;
    bool namesMadeHere = made == NamesMade::fixed;  // whether the run chooses names in `at`
    for (fs::path at = fs::absolute(folder, error).lexically_normal();; at = at.parent_path()) {
        // Both the name and what it leads to: a link a user made, or a user's folder behind
        // root's link.
        struct stat name {};
        struct stat target {};
        const bool exists = ::lstat(at.c_str(), &name) == 0;
        if (exists && name.st_uid != 0) return "user " + std::to_string(name.st_uid);
        if (exists && ::stat(at.c_str(), &target) == 0) {
            if (target.st_uid != 0) return "user " + std::to_string(target.st_uid);
            // Root's own group counts as root: a root with umask 002 makes its folders so.
            const bool othersWrite =
                (target.st_mode & S_IWOTH) != 0 || ((target.st_mode & S_IWGRP) != 0 && target.st_gid != 0);
            if (othersWrite && (namesMadeHere || (target.st_mode & S_ISVTX) == 0)) return std::string("other users");
        }
        // A folder that does not exist yet is made under its name in the one above.
        namesMadeHere = !exists;
        if (!at.has_relative_path()) return std::nullopt;
    }
}

std::string keptOutOfSentence(const fs::path& folder, const std::string& who) {
    return "The folder " + folder.string() + " is controlled by " + who + ": a run as root writes nothing there.";
}

}  // namespace tallyvane
