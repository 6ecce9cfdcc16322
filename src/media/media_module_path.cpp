#include "media/media_module_path.h"

#include <system_error>

namespace tallyvane {

namespace {

bool isInside(const std::filesystem::path& file, const std::filesystem::path& folder) {
    std::error_code error;
    const std::filesystem::path canonicalFolder = std::filesystem::weakly_canonical(folder, error);
    if (error || canonicalFolder.empty()) return false;
    const std::filesystem::path relative = file.lexically_relative(canonicalFolder);
    return !relative.empty() && *relative.begin() != ".." && *relative.begin() != ".";
}

}  // namespace

MediaModulePlaces builtMediaModulePlaces() {
    return {TALLYVANE_MEDIA_MODULE_BESIDE_PROGRAM, TALLYVANE_BUILD_TREE, TALLYVANE_MEDIA_MODULE};
}

std::vector<std::filesystem::path> mediaModuleCandidates(const std::filesystem::path& program,
                                                         const MediaModulePlaces& places) {
    if (program.empty()) return {places.buildModule};
    std::vector<std::filesystem::path> candidates{(program.parent_path() / places.besideProgram).lexically_normal()};
    if (isInside(program, places.buildTree)) candidates.push_back(places.buildModule);
    return candidates;
}

std::filesystem::path runningProgram() {
    std::error_code error;
    std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return {};
    return program;
}

}  // namespace tallyvane
