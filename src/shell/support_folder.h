#pragma once
// Where the program keeps its files between runs: "Layouts.json", and the temporary workbook
// and thumbnails of a report being written.

#include <filesystem>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "report/run_scratch.h"

namespace tallyvane {

// Looks a variable up in the environment; null when it is not set.
using EnvironmentLookup = std::function<const char*(const char*)>;

// TALLYVANE_SUPPORT_DIR when set and not empty; else "Tallyvane" in XDG_DATA_HOME when that
// is an absolute path; else "$HOME/.local/share/Tallyvane". Nothing without any of them.
// The folder is not created here.
std::optional<std::filesystem::path> locateSupportFolder(const EnvironmentLookup& environment);

// Where a report's temporary files go when the environment names no support folder: a
// folder of this run's own (mode 0700, a name nobody can guess) in $TMPDIR or /tmp (for a run
// as root, /tmp where another user controls $TMPDIR), never the shared temporary folder
// itself. A run as root also writes here where another user controls the support folder. It
// is made when a report first needs it, and removed when the run ends unless it holds what
// the user was told is kept there: thumbnails a report kept, or a finished workbook that
// could not be put in place.
class RunWorkFolder {
public:
    explicit RunWorkFolder(const EnvironmentLookup& environment);
    ~RunWorkFolder();
    RunWorkFolder(const RunWorkFolder&) = delete;
    RunWorkFolder& operator=(const RunWorkFolder&) = delete;

    // The folder the run's folder is made in.
    const std::filesystem::path& parent() const noexcept { return parent_; }
    // The run's folder, made on the first call. Throws std::runtime_error naming the folder
    // and the system's reason when it cannot be made.
    const std::filesystem::path& path();

private:
    std::filesystem::path parent_;
    std::filesystem::path path_;
};

// Where the toolkit keeps its runtime files when XDG_RUNTIME_DIR is not set: instead of the
// "runtime-USER" folder it would make in the temporary folder and leave there, a folder of
// this run's own (mode 0700, as the toolkit asks), named in XDG_RUNTIME_DIR for the run and
// removed with everything in it when the run ends, also by a signal. It stands beside the
// work folder rather than in it: the toolkit needs it from the start, and the work folder
// is made only by a save. Nothing is done when XDG_RUNTIME_DIR names a folder the toolkit
// takes (absolute, the user's own, mode 0700); one it would refuse counts as unset. A run as
// root whose toolkit settings and caches would go into a folder another user controls (sudo
// keeping the user's home) keeps them in this folder too, named in XDG_CONFIG_HOME and
// XDG_CACHE_HOME for the run.
class RunRuntimeFolder {
public:
    explicit RunRuntimeFolder(const EnvironmentLookup& environment);
    ~RunRuntimeFolder();
    RunRuntimeFolder(const RunRuntimeFolder&) = delete;
    RunRuntimeFolder& operator=(const RunRuntimeFolder&) = delete;

private:
    // Empty when none was needed or none could be made.
    std::filesystem::path path_;
    // The variables named for the run, and the folders they name.
    std::vector<std::pair<const char*, std::filesystem::path>> named_;
    std::optional<ScratchRegistration> scratch_;
};

}  // namespace tallyvane
