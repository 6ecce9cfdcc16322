#include "report/file_access.h"

#include <cerrno>
#include <memory>

#include <acl/libacl.h>
#include <sys/acl.h>

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

// The mode of a file whose access is `acl`, without the named entries it cannot keep: the
// owning group's bits are its own entry's as the mask limits them.
mode_t modeWithoutNamedEntries(acl_t acl, mode_t mode) {
    mode_t group = 7;
    mode_t mask = 7;
    acl_entry_t entry;
    for (int which = ACL_FIRST_ENTRY; acl_get_entry(acl, which, &entry) == 1; which = ACL_NEXT_ENTRY) {
        acl_tag_t tag;
        acl_permset_t permissions;
        if (acl_get_tag_type(entry, &tag) != 0 || acl_get_permset(entry, &permissions) != 0) continue;
        if (tag == ACL_GROUP_OBJ) group = permissionBits(permissions);
        if (tag == ACL_MASK) mask = permissionBits(permissions);
    }
    return (mode & ~mode_t{070}) | ((group & mask) << 3);
}

std::error_code lastError() { return {errno, std::generic_category()}; }

}  // namespace

std::error_code giveAccessOf(const std::filesystem::path& replaced, const struct stat& status, int descriptor) {
    const mode_t mode = status.st_mode & 07777;
    const Acl acl(acl_get_file(replaced.c_str(), ACL_TYPE_ACCESS));
    mode_t equivalent = 0;
    // No ACL to keep (a file system without them) or one the permission bits say whole.
    if (!acl || acl_equiv_mode(acl.get(), &equivalent) == 0) {
        return ::fchmod(descriptor, mode) == 0 ? std::error_code{} : lastError();
    }
    if (acl_set_fd(descriptor, acl.get()) == 0) {
        // The ACL sets the permission bits but not the special ones; with an extended ACL the
        // group bits of a mode are the mask, which is what they are already.
        if ((mode & 07000) != 0 && ::fchmod(descriptor, mode) != 0) return lastError();
        return {};
    }
    return ::fchmod(descriptor, modeWithoutNamedEntries(acl.get(), mode)) == 0 ? std::error_code{} : lastError();
}

}  // namespace tallyvane
