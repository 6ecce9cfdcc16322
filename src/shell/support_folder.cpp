#include "shell/support_folder.h"

#include <cerrno>
#include <stdexcept>
#include <string>
#include <string_view>

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include "common/another_users_folder.h"
#include "common/error_sentence.h"
#include "report/run_scratch.h"

namespace tallyvane {

namespace fs = std::filesystem;

namespace {

std::optional<fs::path> variable(const EnvironmentLookup& environment, const char* name) {
    const char* value = environment(name);
    if (value == nullptr || std::string_view(value).empty()) return std::nullopt;
    return fs::path(value);
}

// Whether the toolkit takes `folder` as its runtime folder: an absolute folder of the user's
// own that no one else may enter, itself and not a link to one. Given any other, it warns and
// falls back on a "runtime-USER" folder in the temporary folder, which it leaves there.
bool usableRuntimeFolder(const std::optional<fs::path>& folder) {
    struct stat info {};
    return folder && folder->is_absolute() && ::lstat(folder->c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == ::geteuid() && (info.st_mode & 07777) == 0700;
}

// Whether a run as root is to keep the toolkit's settings (the file dialogs' state) and caches
// out of where the environment puts them: a folder another user controls (sudo keeping the
// user's home).
bool toolkitFilesKeptOut(const EnvironmentLookup& environment) {
    const std::optional<fs::path> home = variable(environment, "HOME");
    for (const auto& [name, within] : {std::pair{"XDG_CONFIG_HOME", ".config"}, std::pair{"XDG_CACHE_HOME", ".cache"}}) {
        std::optional<fs::path> folder = variable(environment, name);
        if (!folder || !folder->is_absolute()) folder = home ? std::optional<fs::path>(*home / within) : std::nullopt;
        if (folder && anotherUserControls(*folder)) return true;
    }
    return false;
}

// Where the run's own folders are made, under names nobody can guess: TMPDIR, or /tmp where it
// is unset or, for a run as root, controlled by another user.
fs::path temporaryParent(const EnvironmentLookup& environment) {
    const std::optional<fs::path> given = variable(environment, "TMPDIR");
    return given && !anotherUserControls(*given, NamesMade::unguessable) ? *given : fs::path("/tmp");
}

}  // namespace

std::optional<fs::path> locateSupportFolder(const EnvironmentLookup& environment) {
    if (auto overridden = variable(environment, "TALLYVANE_SUPPORT_DIR")) return overridden;
    // XDG base directories must be absolute; a relative one is ignored. A relative home is
    // no home either: it would name a folder under whatever folder the program started in.
    if (auto data = variable(environment, "XDG_DATA_HOME"); data && data->is_absolute()) return *data / "Tallyvane";
    if (auto home = variable(environment, "HOME"); home && home->is_absolute()) return *home / ".local" / "share" / "Tallyvane";
    return std::nullopt;
}

RunWorkFolder::RunWorkFolder(const EnvironmentLookup& environment) : parent_(temporaryParent(environment)) {}

RunWorkFolder::~RunWorkFolder() {
    if (path_.empty()) return;
    // No other program knows the folder, so its report lock can go with the run.
    setRunWorkFolder({});
    removeEmptyWorkFolder(path_);
}

const fs::path& RunWorkFolder::path() {
    if (!path_.empty()) return path_;
    // The temporary folder is shared: another user could plant links at the fixed names
    // of the workbook and thumbnails there, or hold the report lock. A folder of our own,
    // under a name nobody can guess, rules both out.
    std::string pattern = (parent_ / "Tallyvane-XXXXXX").string();
    // Made and registered in one step, so that a signal never leaves it behind unregistered.
    const CommitSection making;
    if (!making.permitted() || ::mkdtemp(pattern.data()) == nullptr) {
        const int failure = making.permitted() ? errno : ECANCELED;
        throw std::runtime_error("A work folder cannot be created in the folder " + parent_.string() + ": " +
                                 systemErrorSentence(failure));
    }
    path_ = pattern;
    setRunWorkFolder(path_);
    return path_;
}

RunRuntimeFolder::RunRuntimeFolder(const EnvironmentLookup& environment) {
    const bool runtimeUsable = usableRuntimeFolder(variable(environment, "XDG_RUNTIME_DIR"));
    const bool keptOut = toolkitFilesKeptOut(environment);
    if (runtimeUsable && !keptOut) return;
    std::string pattern = (temporaryParent(environment) / "Tallyvane-runtime-XXXXXX").string();
    const CommitSection making;
    if (!making.permitted() || ::mkdtemp(pattern.data()) == nullptr) return;
    path_ = pattern;
    scratch_.emplace(path_);
    if (!runtimeUsable) named_.emplace_back("XDG_RUNTIME_DIR", path_);
    if (keptOut) {
        named_.emplace_back("XDG_CONFIG_HOME", path_ / "config");
        named_.emplace_back("XDG_CACHE_HOME", path_ / "cache");
    }
    for (const auto& [name, folder] : named_) ::setenv(name, folder.c_str(), 1);
}

RunRuntimeFolder::~RunRuntimeFolder() {
    if (path_.empty()) return;
    for (const auto& [name, folder] : named_) ::unsetenv(name);
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

}  // namespace tallyvane
