#pragma once
// A run as root (under sudo keeping the user's home, or given a user's folder) never makes,
// writes or removes anything in a folder another user controls: the user may change any name
// there at any moment (a link where root's workbook is written, root's own file where root's
// lock is taken), so no check of the names inside closes it. Such a run keeps its files in a
// private folder of its own, as when there is no home, and reads the user's layouts without
// writing them.

#include <filesystem>
#include <optional>
#include <string>

#include <sys/types.h>

namespace tallyvane {

// For a run whose effective user is root: the user other than root who owns `folder` or a
// folder above it (or a link on the way), as far as they exist. Nothing for any other run, or
// where root owns them all.
std::optional<uid_t> anotherUserControls(const std::filesystem::path& folder);

// The sentence a run as root says where it keeps out of `folder`, which `user` controls.
std::string keptOutOfSentence(const std::filesystem::path& folder, uid_t user);

}  // namespace tallyvane
