#pragma once
// What the running program has made that a termination signal must not leave behind: the
// temporary workbook and thumbnails of the report being written, and the run's private
// work folder. The program's normal end tidies them through their owners; a signal ends it
// without running them, so they are registered here for the signal's watcher.

#include <cstdint>
#include <filesystem>

namespace tallyvane {

// While it lives, its path is removed, whole, when a termination signal ends the program.
class ScratchRegistration {
public:
    explicit ScratchRegistration(const std::filesystem::path& path);
    ~ScratchRegistration();
    ScratchRegistration(const ScratchRegistration&) = delete;
    ScratchRegistration& operator=(const ScratchRegistration&) = delete;

private:
    std::uint64_t id_;
};

// The run's private work folder, or an empty path for none. A signal removes it with its
// report lock once the scratch is gone, unless something the user was told is kept there
// (thumbnails, a kept workbook) is left in it.
void setRunWorkFolder(const std::filesystem::path& folder);

// Removes every registered path, then the run's work folder where it holds nothing more.
// Callable from any thread; what cannot be removed is left.
void removeRunScratch();

// Removes `folder` with its report lock when nothing else is in it.
void removeEmptyWorkFolder(const std::filesystem::path& folder);

}  // namespace tallyvane
