#include "media/media_module_path.h"

#include <cerrno>
#include <cstdlib>
#include <system_error>

#include <sys/auxv.h>
#include <unistd.h>

namespace tallyvane {

namespace fs = std::filesystem;

namespace {

// A link is followed to the program itself: a link to it in ~/bin must find the module
// beside the program, not beside the link.
fs::path resolved(const fs::path& file) {
    std::error_code error;
    fs::path real = fs::canonical(file, error);
    return error ? file.lexically_normal() : real;
}

bool isExecutableFile(const fs::path& file) {
    std::error_code error;
    return fs::is_regular_file(file, error) && ::access(file.c_str(), X_OK) == 0;
}

}  // namespace

fs::path mediaModuleBesideProgram() { return TALLYVANE_MEDIA_MODULE_BESIDE_PROGRAM; }

fs::path mediaModuleOf(const fs::path& program, const fs::path& besideProgram) {
    return (program.parent_path() / besideProgram).lexically_normal();
}

fs::path programFromInvocation(std::string_view invokedAs, std::string_view searchPath, const fs::path& workingFolder) {
    if (invokedAs.empty()) return {};
    if (invokedAs.find('/') != std::string_view::npos) {
        const fs::path program = workingFolder / fs::path(invokedAs);
        return isExecutableFile(program) ? resolved(program) : fs::path();
    }
    while (true) {
        const std::size_t colon = searchPath.find(':');
        const std::string_view folder = searchPath.substr(0, colon);
        const fs::path candidate = (folder.empty() ? workingFolder : workingFolder / fs::path(folder)) / invokedAs;
        if (isExecutableFile(candidate)) return resolved(candidate);
        if (colon == std::string_view::npos) return {};
        searchPath.remove_prefix(colon + 1);
    }
}

fs::path programWithoutProc(std::string_view executedFile, std::string_view invokedAs, std::string_view searchPath,
                            const fs::path& workingFolder) {
    if (!executedFile.empty()) {
        const fs::path program = workingFolder / fs::path(executedFile);
        if (isExecutableFile(program)) return resolved(program);
    }
    return programFromInvocation(invokedAs, searchPath, workingFolder);
}

fs::path runningProgram() {
    std::error_code error;
    fs::path program = fs::read_symlink("/proc/self/exe", error);
    if (!error) return program;
    const char* path = std::getenv("PATH");
    const fs::path workingFolder = fs::current_path(error);
    if (error) return {};
    const auto* executed = reinterpret_cast<const char*>(::getauxval(AT_EXECFN));
    // The name the program was started by (argv[0]) is the one the C library keeps.
    return programWithoutProc(executed ? executed : "", program_invocation_name,
                              path ? path : "/usr/local/bin:/usr/bin:/bin", workingFolder);
}

}  // namespace tallyvane
