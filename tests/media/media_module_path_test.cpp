#include "media/media_module_path.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tallyvane {
namespace {

namespace fs = std::filesystem;

TEST(MediaModulePath, InstalledProgramsLookBesideThemselvesAndOnlyBuiltOnesInTheBuild) {
    const MediaModulePlaces places{"../lib/tallyvane/module.so", "/b/build", "/b/build/src/media/module.so"};
    const struct {
        const char* name;
        fs::path program;
        std::vector<fs::path> candidates;
    } cases[]{
        {"installed", "/opt/tv/bin/tallyvane-cli", {"/opt/tv/lib/tallyvane/module.so"}},
        {"movedInstall", "/home/u/moved/bin/tallyvane", {"/home/u/moved/lib/tallyvane/module.so"}},
        {"inBuild", "/b/build/apps/tallyvane-cli/tallyvane-cli",
         {"/b/build/apps/lib/tallyvane/module.so", "/b/build/src/media/module.so"}},
        // A folder whose name only begins like the build's is not inside it.
        {"besideBuild", "/b/build-old/bin/tallyvane", {"/b/build-old/lib/tallyvane/module.so"}},
        {"unknownProgram", "", {"/b/build/src/media/module.so"}},
    };
    for (const auto& c : cases) EXPECT_EQ(mediaModuleCandidates(c.program, places), c.candidates) << c.name;
}

TEST(MediaModulePath, TestProgramsOfThisBuildEndWithTheBuildsModule) {
    const fs::path program = runningProgram();
    ASSERT_TRUE(program.is_absolute()) << program;
    const MediaModulePlaces places = builtMediaModulePlaces();
    const std::vector<fs::path> candidates = mediaModuleCandidates(program, places);
    ASSERT_EQ(candidates.size(), 2u);
    EXPECT_EQ(candidates.front(), (program.parent_path() / places.besideProgram).lexically_normal());
    EXPECT_EQ(candidates.back(), places.buildModule);
    EXPECT_TRUE(fs::is_regular_file(places.buildModule));
}

}  // namespace
}  // namespace tallyvane
