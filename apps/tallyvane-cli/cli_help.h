#pragma once
// The text of tallyvane-cli --help: the commands and their options, the extra sheets, every
// report option key with its default and meaning, the exit statuses, the environment and
// where kept thumbnails go.

#include <filesystem>
#include <map>
#include <optional>
#include <string>

namespace tallyvane::cli {

// `defaults`: the report options of the built-in layout; `supportFolder`: the folder the
// environment names (nothing when it names none); `temporaryFolder`: where a run's own work
// folder is then made.
std::string helpText(const std::map<std::string, bool>& defaults,
                     const std::optional<std::filesystem::path>& supportFolder,
                     const std::filesystem::path& temporaryFolder);

}  // namespace tallyvane::cli
