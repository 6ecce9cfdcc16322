#include "shell/support_folder.h"

#include <string>
#include <string_view>

#include <stdlib.h>

namespace tallyvane {

namespace fs = std::filesystem;

namespace {

std::optional<fs::path> variable(const EnvironmentLookup& environment, const char* name) {
    const char* value = environment(name);
    if (value == nullptr || std::string_view(value).empty()) return std::nullopt;
    return fs::path(value);
}

}  // namespace

std::optional<fs::path> locateSupportFolder(const EnvironmentLookup& environment) {
    if (auto overridden = variable(environment, "TALLYVANE_SUPPORT_DIR")) return overridden;
    // XDG base directories must be absolute; a relative one is ignored.
    if (auto data = variable(environment, "XDG_DATA_HOME"); data && data->is_absolute()) return *data / "Tallyvane";
    if (auto home = variable(environment, "HOME")) return *home / ".local" / "share" / "Tallyvane";
    return std::nullopt;
}

fs::path fallbackWorkFolder(const EnvironmentLookup& environment) {
    if (auto home = variable(environment, "HOME")) return *home / "Desktop";
    // The temporary folder is shared: another user could plant links at the fixed names
    // of the workbook and thumbnails there, or hold the report lock. A folder of our own,
    // under a name nobody can guess, rules both out.
    const fs::path shared = variable(environment, "TMPDIR").value_or("/tmp");
    std::string pattern = (shared / "Tallyvane-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) return {};
    return pattern;
}

}  // namespace tallyvane
