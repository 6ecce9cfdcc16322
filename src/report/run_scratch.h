#pragma once
// What the running program has made that a termination signal must not leave behind: the
// temporary workbook, its copy beside the destination and the thumbnails of the report
// being written, and the run's private work folder. The program's normal end tidies them
// through their owners; a signal ends it without running them, so they are registered here
// and removed by `stopRun`, which runs inside the signal handler: no thread is needed, and
// nothing here allocates or locks once registered.

#include <cstdint>
#include <filesystem>

namespace tallyvane {

// While it lives, its path is removed, whole, when a termination signal ends the program.
// Paths longer than PATH_MAX are not registered (no such scratch is made).
class ScratchRegistration {
public:
    explicit ScratchRegistration(const std::filesystem::path& path);
    ~ScratchRegistration();
    ScratchRegistration(const ScratchRegistration&) = delete;
    ScratchRegistration& operator=(const ScratchRegistration&) = delete;

private:
    int slot_;
};

// The run's private work folder, or an empty path for none. A signal removes it with its
// report lock once the scratch is gone, unless something the user was told is kept there
// (thumbnails, a kept workbook) is left in it.
void setRunWorkFolder(const std::filesystem::path& folder);

// A path being removed is first renamed with this suffix, so that nothing goes on writing
// into it; one left by a run that could not finish (SIGKILL, a power loss) is removed later.
inline constexpr char kAsideSuffix[] = ".removed";

// Removes every registered path, then the run's work folder where it holds nothing more.
// Safe in a signal handler; what cannot be removed is left.
void removeRunScratch() noexcept;

// Removes `folder` with its report lock when nothing else is in it.
void removeEmptyWorkFolder(const std::filesystem::path& folder);

// What a termination signal does, from its handler: standard error is silenced (a stopped run
// says nothing more, not even the libraries' complaints about the files it removes), the
// scratch is removed and the program ends as the first signal ends it, with its status.
// While a `CommitSection` lives the end waits for it, so that a commit is never cut in two.
// One thread only removes and ends: a later signal, on any thread, waits for that end.
void stopRun(int signal) noexcept;

// Whether a termination signal has come.
bool runStopped() noexcept;

// A step a signal must not cut in two: the one that makes a report's result the user's (the
// rename over the destination), or the making of a file together with its registration.
// Once a signal has come no such step may start: `permitted()` is false, and the step must
// be left undone. A signal during the step ends the program as soon as the section ends, and
// a section refused because of a signal ends it as a finished one does (unless another
// section is still under way, which then ends it).
class CommitSection {
public:
    CommitSection() noexcept;
    ~CommitSection();
    CommitSection(const CommitSection&) = delete;
    CommitSection& operator=(const CommitSection&) = delete;
    bool permitted() const noexcept { return permitted_; }

private:
    bool permitted_;
};

// The program's exit status, unless a signal is ending it on another thread: then this
// waits for that end, so a stopped run never ends with a status of its own.
int statusUnlessStopped(int status) noexcept;

}  // namespace tallyvane
