#include "shell/support_folder.h"

#include <string>
#include <string_view>
#include <system_error>

#include <stdlib.h>

#include "report/support_folder_lock.h"

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

RunWorkFolder::RunWorkFolder(const EnvironmentLookup& environment)
    : parent_(variable(environment, "TMPDIR").value_or("/tmp")) {}

RunWorkFolder::~RunWorkFolder() {
    if (path_.empty()) return;
    // No other program knows the folder, so its report lock can go with the run. Removing the
    // folder itself fails, as it should, while anything else is left in it.
    std::error_code ignored;
    fs::remove(path_ / kReportLockName, ignored);
    fs::remove(path_, ignored);
}

const fs::path& RunWorkFolder::path() {
    if (!path_.empty()) return path_;
    // The temporary folder is shared: another user could plant links at the fixed names
    // of the workbook and thumbnails there, or hold the report lock. A folder of our own,
    // under a name nobody can guess, rules both out.
    std::string pattern = (parent_ / "Tallyvane-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
    return path_;
}

}  // namespace tallyvane
