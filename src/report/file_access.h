#pragma once
// Who may do what with a file that takes another's place.

#include <filesystem>
#include <system_error>

#include <sys/stat.h>

namespace tallyvane {

// Gives the file open at `descriptor` the access of the regular file `replaced` (whose status
// is `status`): its access ACL, named users and groups with it, where both file systems keep
// ACLs. Where the new file's cannot take it, permission bits that give no one more than the
// ACL gave: the owning group gets its own entry's bits limited by the mask, not the mask's.
std::error_code giveAccessOf(const std::filesystem::path& replaced, const struct stat& status, int descriptor);

}  // namespace tallyvane
