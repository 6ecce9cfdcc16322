#pragma once
// Where the programs find the media module: beside themselves, where the install puts it, and
// nowhere else. The build lays its programs and the module out as the install does, so a
// program in the build tree, an installed one and an install tree moved as a whole all find
// their own module, and none ever loads another tree's, whose table may differ.

#include <filesystem>
#include <string_view>

namespace tallyvane {

// The module relative to the program's folder, as the install lays them out.
std::filesystem::path mediaModuleBesideProgram();

// The module for `program`, the running program's absolute path.
std::filesystem::path mediaModuleOf(const std::filesystem::path& program, const std::filesystem::path& besideProgram);

// The running program's path: /proc/self/exe, else, where there is no /proc (a sandbox or a
// chroot), `programWithoutProc` of the file the kernel ran (AT_EXECFN) and the name it was
// started by. Empty when none tells.
std::filesystem::path runningProgram();

// The program from what the system tells without /proc: the file the kernel ran
// (`executedFile`, the path execve was given: absolute, or relative to `workingFolder`), which
// no caller can set apart from the file itself; only when that is not an executable file, the
// name it was started by (`invokedAs`, argv[0], which a caller may set to anything), as
// `programFromInvocation` finds it. Links are resolved.
std::filesystem::path programWithoutProc(std::string_view executedFile, std::string_view invokedAs,
                                         std::string_view searchPath, const std::filesystem::path& workingFolder);

// The program a name it was started by (argv[0]) stands for: a name with a slash is taken
// from `workingFolder`; a bare name is the first executable file of that name in the
// folders of `searchPath` (PATH; an empty entry is the working folder). Links are resolved.
// Empty when no such file is found.
std::filesystem::path programFromInvocation(std::string_view invokedAs, std::string_view searchPath,
                                            const std::filesystem::path& workingFolder);

}  // namespace tallyvane
