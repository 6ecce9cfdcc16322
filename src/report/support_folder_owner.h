#pragma once
// A run of root's in another user's support folder (under sudo, with that user's home) must
// not leave what the user's own later reports need to open or empty as root's.

#include <filesystem>

namespace tallyvane {

// Gives `made`, root's folder or file in `supportFolder`, to the folder's owner and group
// when the process is root and the folder another user's; otherwise leaves it as it is. A
// link, or a file with another name, at `made` is left alone. Call it only once the run no
// longer writes into `made`: the user may plant links in a folder of their own.
void giveToSupportFolderOwner(const std::filesystem::path& made, const std::filesystem::path& supportFolder);

}  // namespace tallyvane
