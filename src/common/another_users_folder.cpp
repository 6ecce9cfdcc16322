#include "common/another_users_folder.h"

#include <sys/acl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <acl/libacl.h>

namespace tallyvane {

namespace fs = std::filesystem;

namespace {

// As many links as the system follows in one path.
constexpr int kLinksFollowed = 40;

// Whether an entry of `folder`'s ACL gives write to a user or group other than root's that
// the mask leaves it: the mode's group bits then show the mask, not who has it.
bool aclLetsOthersWrite(const fs::path& folder) {
    const acl_t acl = ::acl_get_file(folder.c_str(), ACL_TYPE_ACCESS);
    if (acl == nullptr) return false;  // no ACL here: the mode says it all
    bool maskWrites = true;
    bool namedWrites = false;
    acl_entry_t entry = nullptr;
    for (int which = ACL_FIRST_ENTRY; ::acl_get_entry(acl, which, &entry) == 1; which = ACL_NEXT_ENTRY) {
        acl_tag_t tag = ACL_UNDEFINED_TAG;
        acl_permset_t permissions = nullptr;
        if (::acl_get_tag_type(entry, &tag) != 0 || ::acl_get_permset(entry, &permissions) != 0) continue;
        const bool writes = ::acl_get_perm(permissions, ACL_WRITE) == 1;
        if (tag == ACL_MASK) maskWrites = writes;
        if ((tag == ACL_USER || tag == ACL_GROUP) && writes) {
            void* qualifier = ::acl_get_qualifier(entry);
            if (qualifier == nullptr) continue;
            // uid_t and gid_t are the same size; 0 is root in both.
            if (*static_cast<uid_t*>(qualifier) != 0) namedWrites = true;
            ::acl_free(qualifier);
        }
    }
    ::acl_free(acl);
    return namedWrites && maskWrites;
}

// `folder` and every folder above it, each at its own level, and where a link stands on the
// way, the folders its target lies in too: whoever may change those may change where the
// link leads. `namesMadeHere` says whether the run chooses names in `folder` itself.
std::optional<std::string> controllerOf(const fs::path& folder, bool namesMadeHere, int links) {
    std::error_code error;
    for (fs::path at = fs::absolute(folder, error).lexically_normal();; at = at.parent_path()) {
        // Both the name and what it leads to: a link a user made, or a user's folder behind
        // root's link.
        struct stat name {};
        struct stat target {};
        const bool exists = ::lstat(at.c_str(), &name) == 0;
        if (exists && name.st_uid != 0) return "user " + std::to_string(name.st_uid);
        if (exists && S_ISLNK(name.st_mode) && links > 0) {
            const fs::path leadsTo = fs::read_symlink(at, error);
            if (!error) {
                if (auto who = controllerOf(leadsTo.is_absolute() ? leadsTo : at.parent_path() / leadsTo, namesMadeHere,
                                            links - 1)) {
                    return who;
                }
            }
        }
        if (exists && ::stat(at.c_str(), &target) == 0) {
            if (target.st_uid != 0) return "user " + std::to_string(target.st_uid);
            // Root's own group counts as root: a root with umask 002 makes its folders so.
            const bool othersWrite = (target.st_mode & S_IWOTH) != 0 ||
                                     ((target.st_mode & S_IWGRP) != 0 && target.st_gid != 0) ||
                                     aclLetsOthersWrite(at);
            if (othersWrite && (namesMadeHere || (target.st_mode & S_ISVTX) == 0)) return std::string("other users");
        }
        // A folder that does not exist yet is made under its name in the one above.
        namesMadeHere = !exists;
        if (!at.has_relative_path()) return std::nullopt;
    }
}

}  // namespace

std::optional<std::string> anotherUserControls(const fs::path& folder, NamesMade made) {
    if (::geteuid() != 0) return std::nullopt;
    const bool fixed = made == NamesMade::fixed;
    if (auto who = controllerOf(folder, fixed, kLinksFollowed)) return who;
    // The folders the whole path resolves to, as far as it exists, whatever ".." met after a
    // link made of it.
    std::error_code error;
    const fs::path resolved = fs::weakly_canonical(fs::absolute(folder, error), error);
    if (error) return std::nullopt;
    return controllerOf(resolved, fixed, kLinksFollowed);
}

std::string keptOutOfSentence(const fs::path& folder, const std::string& who) {
    return "The folder " + folder.string() + " is controlled by " + who + ": a run as root writes nothing there.";
}

}  // namespace tallyvane
