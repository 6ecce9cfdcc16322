#pragma once
// Who may do what with a file that takes another's place.

#include <filesystem>
#include <system_error>

#include <sys/acl.h>
#include <sys/stat.h>

namespace tallyvane {

// Gives the file open at `descriptor` the access of the regular file `replaced` (whose status
// is `status`): its owner where the process may give the file away, its owning group where
// the user may give it that group, and its access ACL, named users and groups with it, where
// both file systems keep ACLs; otherwise `modeStandingForAcl`. Where the group cannot be
// given, the file's own group and others each get no more than both had, and the group no
// more than any named group entry gave: no one gains, at no moment.
std::error_code giveAccessOf(const std::filesystem::path& replaced, const struct stat& status, int descriptor);

// The permission bits (and the special ones of `mode`) that stand for `acl` on a file that
// cannot keep it, giving no one more than the ACL gave: the owning group gets its own entry's
// bits limited by the mask, not the mask's, and the group and others get no more than every
// named user and group may, since any of them may be a member or one of the others.
mode_t modeStandingForAcl(acl_t acl, mode_t mode);

}  // namespace tallyvane
