#pragma once
// Putting a finished file in place of another without ever leaving the other half-written.

#include <filesystem>

namespace tallyvane {

// Moves `source` over `destination` in one rename, so that `destination` holds either its
// old bytes or the new ones. The new file takes the permission bits of the regular file it
// replaces, or keeps those of a new file (0666 less the umask), and is flushed to the disk
// before the rename. Across file systems the bytes are first copied to a new hidden file
// beside the destination, which is then renamed over it. Throws
// std::filesystem::filesystem_error with the system's error (ENOSPC for a full disk); on
// failure `destination` is untouched, `source` is still there and no partial copy is left
// behind.
void replaceFile(const std::filesystem::path& source, const std::filesystem::path& destination);

}  // namespace tallyvane
