#include "media/media_module_path.h"

#include <gtest/gtest.h>

#include <string>

#include "support/temporary_folder.h"

namespace tallyvane {
namespace {

namespace fs = std::filesystem;

TEST(MediaModulePath, EveryProgramLooksBesideItselfOnly) {
    const struct {
        const char* name;
        fs::path program;
        fs::path module;
    } cases[]{
        {"installed", "/opt/tv/bin/tallyvane-cli", "/opt/tv/lib/tallyvane/module.so"},
        {"movedInstall", "/home/u/moved/bin/tallyvane", "/home/u/moved/lib/tallyvane/module.so"},
        {"inBuild", "/b/build/bin/tallyvane-cli", "/b/build/lib/tallyvane/module.so"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(mediaModuleOf(c.program, "../lib/tallyvane/module.so"), c.module) << c.name;
    }
}

// Where /proc is missing the program is found from the name it was started by.
TEST(MediaModulePath, AProgramIsFoundFromTheNameItWasStartedBy) {
    const test::TemporaryFolder folder;
    const fs::path bin = folder.path() / "prefix" / "bin";
    test::writeText(bin / "tool", "#!/bin/sh\n");
    fs::permissions(bin / "tool", fs::perms(0755));
    test::writeText(folder.path() / "other" / "tool", "not executable");
    fs::create_directories(folder.path() / "links");
    fs::create_symlink(bin / "tool", folder.path() / "links" / "tool");
    const fs::path tool = fs::canonical(bin / "tool");
    const std::string path = (folder.path() / "other").string() + ":" + (folder.path() / "links").string();
    const struct {
        const char* invokedAs;
        std::string searchPath;
        fs::path found;
    } cases[]{
        {"prefix/bin/tool", "", tool},
        {"./prefix/bin/../bin/tool", "", tool},
        // A bare name is looked up along PATH, past a file that cannot run, through a link.
        {"tool", path, tool},
        // An empty entry of PATH is the working folder.
        {"tool", ":/nonexistent", fs::path()},
        {"tool", "/nonexistent:", fs::path()},
        {"missing", path, fs::path()},
        {"", path, fs::path()},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(programFromInvocation(c.invokedAs, c.searchPath, folder.path()), c.found)
            << c.invokedAs << " along " << c.searchPath;
    }
    EXPECT_EQ(programFromInvocation("tool", ":", bin), tool);
}

// Without /proc the file the kernel ran is believed before argv[0], which a caller may set to
// another tree's program (exec -a); argv[0] counts only when that file tells nothing.
TEST(MediaModulePath, WithoutProcTheFileTheKernelRanComesBeforeItsName) {
    const test::TemporaryFolder folder;
    for (const char* tree : {"mine", "other"}) {
        test::writeText(folder.path() / tree / "bin" / "tool", "#!/bin/sh\n");
        fs::permissions(folder.path() / tree / "bin" / "tool", fs::perms(0755));
    }
    const fs::path mine = fs::canonical(folder.path() / "mine" / "bin" / "tool");
    const fs::path other = fs::canonical(folder.path() / "other" / "bin" / "tool");
    const std::string otherFirst = (folder.path() / "other" / "bin").string();
    const struct {
        const char* name;
        std::string executed;
        std::string invokedAs;
        fs::path found;
    } cases[]{
        {"argv[0] another tree's path", mine.string(), other.string(), mine},
        {"a bare argv[0] found first in another tree", mine.string(), "tool", mine},
        {"run by a relative path", "mine/bin/tool", "tool", mine},
        {"nothing ran, by what the system says", "", "tool", other},
        {"what ran is gone", (folder.path() / "gone").string(), "tool", other},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(programWithoutProc(c.executed, c.invokedAs, otherFirst, folder.path()), c.found) << c.name;
    }
}

TEST(MediaModulePath, TestProgramsOfThisBuildFindTheBuildsModuleBesideThem) {
    const fs::path program = runningProgram();
    ASSERT_TRUE(program.is_absolute()) << program;
    EXPECT_TRUE(fs::is_regular_file(mediaModuleOf(program, mediaModuleBesideProgram())));
}

}  // namespace
}  // namespace tallyvane
