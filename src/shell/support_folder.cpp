#include "shell/support_folder.h"

#include <string_view>
#include <system_error>

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
    std::error_code error;
    fs::path temporary = fs::temp_directory_path(error);
    return error ? fs::path("/tmp") : temporary;
}

}  // namespace tallyvane
