#pragma once
// Where the program keeps its files between runs: "Layouts.json", and the temporary workbook
// and thumbnails of a report being written.

#include <filesystem>
#include <functional>
#include <optional>

namespace tallyvane {

// Looks a variable up in the environment; null when it is not set.
using EnvironmentLookup = std::function<const char*(const char*)>;

// TALLYVANE_SUPPORT_DIR when set and not empty; else "Tallyvane" in XDG_DATA_HOME when that
// is an absolute path; else "$HOME/.local/share/Tallyvane". Nothing without any of them.
// The folder is not created here.
std::optional<std::filesystem::path> locateSupportFolder(const EnvironmentLookup& environment);

// Where a report's temporary files go when there is no support folder: the Desktop of $HOME,
// else a new private folder (mode 0700, a unique name) made in $TMPDIR or /tmp for this
// run; empty when it cannot be made.
std::filesystem::path fallbackWorkFolder(const EnvironmentLookup& environment);

}  // namespace tallyvane
