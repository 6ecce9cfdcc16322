#pragma once
// Folders the program makes for the user's files (the support folder and the folders above it
// that are missing, the Thumbnails folder): never writable by group or others, whatever the
// umask, since whoever may write in them may take or replace the names the program uses
// there. The umask may still close them further.

#include <filesystem>
#include <system_error>

#include <sys/types.h>

namespace tallyvane {

inline constexpr mode_t kMadeFolderMode = 0755;

// Makes `folder` and every missing folder above it; the error of the first that cannot be
// made, or of a name on the way that is no folder.
std::error_code makeFolders(const std::filesystem::path& folder);

}  // namespace tallyvane
