#include "common/another_users_folder.h"

#include <string>

#include <sys/stat.h>
#include <unistd.h>

namespace tallyvane {

namespace fs = std::filesystem;

std::optional<uid_t> anotherUserControls(const fs::path& folder) {
    if (::geteuid() != 0) return std::nullopt;
    std::error_code error;
    for (fs::path at = fs::absolute(folder, error).lexically_normal();; at = at.parent_path()) {
        // Both the name and what it leads to: a link a user made, or a user's folder behind
        // root's link.
        struct stat name {};
        struct stat target {};
        if (::lstat(at.c_str(), &name) == 0 && name.st_uid != 0) return name.st_uid;
        if (::stat(at.c_str(), &target) == 0 && target.st_uid != 0) return target.st_uid;
        if (!at.has_relative_path()) return std::nullopt;
    }
}

std::string keptOutOfSentence(const fs::path& folder, uid_t user) {
    return "The folder " + folder.string() + " is controlled by user " + std::to_string(user) +
           ": a run as root writes nothing there.";
}

}  // namespace tallyvane
