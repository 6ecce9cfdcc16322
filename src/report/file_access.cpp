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

std::error_code lastError() { return {errno, std::generic_category()}; }

mode_t permissionBits(acl_permset_t permissions) {
    return (acl_get_perm(permissions, ACL_READ) == 1 ? 4 : 0) | (acl_get_perm(permissions, ACL_WRITE) == 1 ? 2 : 0) |
           (acl_get_perm(permissions, ACL_EXECUTE) == 1 ? 1 : 0);
}

// `mode` for a file whose group is not the one its bits were given to: the new group's
// members may have been others or members of the old group, and the old group's members are
// others now, so each of the two gets no more than both had.
mode_t groupAndOthersLimited(mode_t mode) {
    const mode_t both = (mode >> 3) & mode & 07;
    return (mode & ~mode_t{077}) | (both << 3) | both;
}

void limitPermissions(acl_entry_t entry, mode_t allowed) {
    acl_permset_t permissions;
    if (acl_get_permset(entry, &permissions) != 0) return;
    for (const auto& [bit, permission] : {std::pair{4, ACL_READ}, std::pair{2, ACL_WRITE}, std::pair{1, ACL_EXECUTE}}) {
        if ((allowed & bit) == 0) acl_delete_perm(permissions, permission);
    }
    acl_set_permset(entry, permissions);
}

// `acl` for a file whose owning group is not the one the ACL was given to: the owning group's
// entry gets no more than others had nor than any named group entry gave (a member of the new
// group may also be in any of those groups, and the system grants what any matching group
// entry grants), and others no more than the old owning group had (its members are others
// now).
void limitForAnotherGroup(acl_t acl) {
    acl_entry_t entry;
    acl_entry_t owningGroup = nullptr;
    acl_entry_t others = nullptr;
    mode_t owningBits = 7;
    mode_t mask = 7;
    mode_t othersBits = 7;
    mode_t named = 7;  // what every named group entry gives, together
    for (int which = ACL_FIRST_ENTRY; acl_get_entry(acl, which, &entry) == 1; which = ACL_NEXT_ENTRY) {
        acl_tag_t tag;
        acl_permset_t permissions;
        if (acl_get_tag_type(entry, &tag) != 0 || acl_get_permset(entry, &permissions) != 0) continue;
        const mode_t bits = permissionBits(permissions);
        if (tag == ACL_GROUP_OBJ) owningGroup = entry, owningBits = bits;
        if (tag == ACL_MASK) mask = bits;
        if (tag == ACL_OTHER) others = entry, othersBits = bits;
        if (tag == ACL_GROUP) named &= bits;
    }
    if (owningGroup != nullptr) limitPermissions(owningGroup, othersBits & named);
    if (others != nullptr) limitPermissions(others, owningBits & mask);
}

// Gives the file `acl` without a moment that lets in anyone `acl` shuts out: some file systems
// (tmpfs) apply the permission bits an ACL implies a moment before its named entries, so the
// named entries come first, with the owning group, the mask and others closed.
int setAclNamedEntriesFirst(int descriptor, acl_t acl) {
    const Acl closed(acl_dup(acl));
    if (!closed) return -1;
    acl_entry_t entry;
    for (int which = ACL_FIRST_ENTRY; acl_get_entry(closed.get(), which, &entry) == 1; which = ACL_NEXT_ENTRY) {
        acl_tag_t tag;
        if (acl_get_tag_type(entry, &tag) == 0 && (tag == ACL_GROUP_OBJ || tag == ACL_MASK || tag == ACL_OTHER)) {
            limitPermissions(entry, 0);
        }
    }
    if (acl_set_fd(descriptor, closed.get()) != 0) return -1;
    return acl_set_fd(descriptor, acl);
}

// Adds the special bits of `mode` to the file's, leaving the permission bits as they are: a
// mode's group and other bits would undo what an ACL gave them.
std::error_code addSpecialBits(int descriptor, mode_t mode) {
    struct stat own {};
    if ((mode & 07000) == 0) return {};
    if (::fstat(descriptor, &own) != 0 || ::fchmod(descriptor, (own.st_mode & 0777) | (mode & 07000)) != 0) {
        return lastError();
    }
    return {};
}

// A file made in a folder with a default ACL carries its named entries, which a replaced file
// without them never gave: its access comes down to `mode` alone.
std::error_code dropNamedEntries(int descriptor, mode_t mode) {
    const Acl own(acl_get_fd(descriptor));
    mode_t equivalent = 0;
    if (!own || acl_equiv_mode(own.get(), &equivalent) == 0) return {};
    const Acl plain(acl_from_mode(mode & 0777));
    if (!plain || acl_set_fd(descriptor, plain.get()) != 0) return lastError();
    return {};
}

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
    // Owner and group first: a change of either clears the special bits the mode then sets.
    // The owner is kept where the process may give the file away (root saving over a user's
    // report). Where the user may not give the file the old group, the file's own group is
    // not to have the old group's access, nor to be the group the file runs as.
    struct stat own {};
    if (::fstat(descriptor, &own) != 0) return lastError();
    if (own.st_uid != status.st_uid && ::fchown(descriptor, status.st_uid, -1) != 0) {
        // Only root may give a file away: a user's copy stays the user's.
    }
    const bool groupKept = own.st_gid == status.st_gid || ::fchown(descriptor, -1, status.st_gid) == 0;
    const mode_t given = status.st_mode & (groupKept ? 07777 : 05777);
    const auto limited = [groupKept](mode_t mode) { return groupKept ? mode : groupAndOthersLimited(mode); };
    const Acl acl(acl_get_file(replaced.c_str(), ACL_TYPE_ACCESS));
    mode_t equivalent = 0;
    // No ACL to keep (a file system without them) or one the permission bits say whole.
    if (!acl || acl_equiv_mode(acl.get(), &equivalent) == 0) {
        if (const std::error_code error = dropNamedEntries(descriptor, limited(given))) return error;
        return ::fchmod(descriptor, limited(given)) == 0 ? std::error_code{} : lastError();
    }
    if (!groupKept) limitForAnotherGroup(acl.get());
    // The ACL sets the permission bits but not the special ones.
    if (setAclNamedEntriesFirst(descriptor, acl.get()) == 0) return addSpecialBits(descriptor, given);
    return ::fchmod(descriptor, limited(modeStandingForAcl(acl.get(), given))) == 0 ? std::error_code{} : lastError();
}

}  // namespace tallyvane
