#pragma once
// Putting a finished file in place of another without ever leaving the other half-written.

#include <filesystem>

namespace tallyvane {

// Puts `source` in place of `destination` with one rename, so that `destination` holds either
// its old bytes or the new ones. Over a regular file, `source` itself is renamed and takes
// the replaced file's access (`giveAccessOf`: its ACL, or its permission bits). A new file,
// or one across file systems, is first copied into a new hidden file beside the destination
// (so a new file gets what any file made in that folder gets: the umask's mode, the folder's
// default ACL), which is then renamed; a copy that replaces a file is private (0600) until it
// takes the replaced file's access likewise, just before the rename. The
// file is flushed to the disk before the rename, and no rename starts once a termination
// signal has come (operation_canceled). Throws std::filesystem::filesystem_error with the
// system's error (ENOSPC for a full disk); on failure `destination` is untouched, `source` is
// still there and no partial copy is left behind, also when a signal ends the program during
// the copy.
void replaceFile(const std::filesystem::path& source, const std::filesystem::path& destination);

}  // namespace tallyvane
