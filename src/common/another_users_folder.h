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

namespace tallyvane {

// What the run makes in a folder: names of its own choosing (a support folder's fixed names,
// which another user may take or replace first where they may write there), or only names
// made exclusively and unguessable (mkdtemp), which a sticky folder keeps to their maker.
enum class NamesMade { fixed, unguessable };

// For a run whose effective user is root: who else may change the names it uses in `folder`
// ("user NAME", by login name or by number where the system has none, or "other users"),
// nothing where no one else may or for any other run. Another user may where they own
// `folder`, a folder above it or a link on the way; other users may where `folder` (or, while
// it does not exist, the folder above it that does, where it is to be made) is writable by
// them (others, a group other than root's, or a user or group an ACL entry names), sticky or
// not for fixed names, or where a folder above is writable by them without the sticky bit
// that keeps them from renaming root's folders. The path is followed name by name as the
// system resolves it, links and ".." as they are met, so every name the system would look at
// is judged.
std::optional<std::string> anotherUserControls(const std::filesystem::path& folder,
                                               NamesMade made = NamesMade::fixed);

// The sentence a run as root says where it keeps out of `folder`, which `who` controls.
std::string keptOutOfSentence(const std::filesystem::path& folder, const std::string& who);

}  // namespace tallyvane
