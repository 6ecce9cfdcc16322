#pragma once
// Where the programs find the media module. A program looks first beside itself, where the
// install puts the module, so that an install tree moved as a whole keeps working; a program
// that runs inside the build tree then takes the module the build made. A program outside
// the build tree never takes the build's module: a later build may have changed its table.

#include <filesystem>
#include <vector>

namespace tallyvane {

struct MediaModulePlaces {
    // The module relative to the program's folder, as the install lays them out.
    std::filesystem::path besideProgram;
    std::filesystem::path buildTree;
    std::filesystem::path buildModule;
};

// The places this build gives.
MediaModulePlaces builtMediaModulePlaces();

// The files to try in order for `program`, the running program's absolute path (empty when
// it is unknown: then only the build's module).
std::vector<std::filesystem::path> mediaModuleCandidates(const std::filesystem::path& program,
                                                         const MediaModulePlaces& places);

// The running program's path from /proc/self/exe; empty when it cannot be read.
std::filesystem::path runningProgram();

}  // namespace tallyvane
