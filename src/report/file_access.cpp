#include "report/file_access.h"

#include <cerrno>
#include <memory>

#include <acl/libacl.h>

namespace tallyvane {

namespace {

struct AclFree {
    void operator()(void* acl) const { acl_free(acl); }
};
using Acl = std::unique_ptr<std::remove_pointer_t<acl_t>, AclFree>;

mode_t permissionBits(acl_permset_t permissions) {
    return (acl_get_perm(permissions, ACL_READ) == 1 ? 4 : 0) | (acl_get_perm(permissions, ACL_WRITE) == 1 ? 2 : 0) |
           (acl_get_perm(permissions, ACL_EXECUTE) == 1 ? 1 : 0);
}

// The group bits of `mode` limited to what others may: the file's group is not the one those
// bits were given to, and its members are others to the replaced file.
mode_t groupLimitedToOthers(mode_t mode) { return (mode & ~mode_t{070}) | (mode & 070 & ((mode & 07) << 3)); }

// Gives the owning group's entry of `acl` no more than the entry for others gives.
void limitOwningGroupToOthers(acl_t acl) {
    acl_entry_t entry;
    acl_entry_t group = nullptr;
    mode_t others = 7;
    for (int which = ACL_FIRST_ENTRY; acl_get_entry(acl, which, &entry) == 1; which = ACL_NEXT_ENTRY) {
        acl_tag_t tag;
        acl_permset_t permissions;
        if (acl_get_tag_type(entry, &tag) != 0 || acl_get_permset(entry, &permissions) != 0) continue;
        if (tag == ACL_GROUP_OBJ) group = entry;
        if (tag == ACL_OTHER) others = permissionBits(permissions);
    }
    acl_permset_t permissions;
    if (group == nullptr || acl_get_permset(group, &permissions) != 0) return;
    for (const auto& [bit, permission] : {std::pair{4, ACL_READ}, std::pair{2, ACL_WRITE}, std::pair{1, ACL_EXECUTE}}) {
        if ((others & bit) == 0) acl_delete_perm(permissions, permission);
    }
    acl_set_permset(group, permissions);
}

std::error_code lastError() { return {errno, std::generic_category()}; }

}  // namespace

mode_t modeStandingForAcl(acl_t acl, mode_t mode) {
    mode_t group = 7;
    mode_t mask = 7;
    mode_t others = 7;
    mode_t named = 7;  // what every named user and group may, together
    acl_entry_t entry;
    for (int which = ACL_FIRST_ENTRY; acl_get_entry(acl, which, &entry) == 1; which = ACL_NEXT_ENTRY) {
        acl_tag_t tag;
        acl_permset_t permissions;
        if (acl_get_tag_type(entry, &tag) != 0 || acl_get_permset(entry, &permissions) != 0) continue;
        const mode_t bits = permissionBits(permissions);
        if (tag == ACL_GROUP_OBJ) group = bits;
        if (tag == ACL_MASK) mask = bits;
        if (tag == ACL_OTHER) others = bits;
        if (tag == ACL_USER || tag == ACL_GROUP) named &= bits;
    }
    // A named user or group may also be a member of the owning group, or one of the others.
    named &= mask;
    return (mode & ~mode_t{077}) | ((group & mask & named) << 3) | (others & named);
}

std::error_code giveAccessOf(const std::filesystem::path& replaced, const struct stat& status, int descriptor) {
    // The group first: a change of group clears the special bits the mode then sets. Where the
    // user may not give the file that group, its own group is not to have the old group's
    // access, nor to be the group the file runs as.
    struct stat own {};
    const bool groupKept =
        ::fstat(descriptor, &own) == 0 && (own.st_gid == status.st_gid || ::fchown(descriptor, -1, status.st_gid) == 0);
    const mode_t given = status.st_mode & (groupKept ? 07777 : 05777);
    const auto limited = [groupKept](mode_t mode) { return groupKept ? mode : groupLimitedToOthers(mode); };
    const Acl acl(acl_get_file(replaced.c_str(), ACL_TYPE_ACCESS));
    mode_t equivalent = 0;
    // No ACL to keep (a file system without them) or one the permission bits say whole.
    if (!acl || acl_equiv_mode(acl.get(), &equivalent) == 0) {
        return ::fchmod(descriptor, limited(given)) == 0 ? std::error_code{} : lastError();
    }
    if (!groupKept) limitOwningGroupToOthers(acl.get());
    if (acl_set_fd(descriptor, acl.get()) == 0) {
        // The ACL sets the permission bits but not the special ones; with an extended ACL the
        // group bits of a mode are the mask, which is what they are already.
        if ((given & 07000) != 0 && ::fchmod(descriptor, given) != 0) return lastError();
        return {};
    }
    return ::fchmod(descriptor, limited(modeStandingForAcl(acl.get(), given))) == 0 ? std::error_code{} : lastError();
}

}  // namespace tallyvane
