// The install step: the tree `cmake --install` makes, moved as a whole, still writes
// thumbnails with its own media module, and says once why when that module is gone.

#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "support/shell_command.h"
#include "support/temporary_folder.h"

namespace tallyvane {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

struct InstalledRun {
    int status = -1;
    std::string errors;
};

class InstallTest : public ::testing::Test {
protected:
    static void run(const std::string& command) {
        const test::CommandResult result = test::runCommand(command + " >/dev/null 2>&1");
        ASSERT_EQ(result.status, 0) << command;
    }

    InstalledRun save(const fs::path& program, const fs::path& project, const fs::path& output) {
        const fs::path errors = folder / "errors.txt";
        const test::CommandResult result = test::runCommand(
            "TALLYVANE_SUPPORT_DIR=" + test::shellQuoted((folder / "support").string()) + " " +
            test::shellQuoted(program.string()) + " save " + test::shellQuoted(project.string()) + " -o " +
            test::shellQuoted(output.string()) + " --set thumbnails=on 2>" + test::shellQuoted(errors.string()));
        std::ifstream in(errors);
        return {WIFEXITED(result.status) ? WEXITSTATUS(result.status) : -1,
                {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()}};
    }

    // The pictures the workbook holds, as its own parts, and its cells reading `text` on
    // every sheet, both read by independent tools.
    static int pictures(const fs::path& workbook) {
        const test::CommandResult listed = test::runCommand(
            "/usr/bin/python3 -c \"import sys, zipfile; print(sum(n.startswith('xl/media/') for n in "
            "zipfile.ZipFile(sys.argv[1]).namelist()))\" " +
            test::shellQuoted(workbook.string()));
        EXPECT_EQ(listed.status, 0);
        return std::stoi(listed.output);
    }

    static int cellsReading(const fs::path& workbook, const std::string& text) {
        const test::CommandResult read = test::runCommand("/usr/bin/python3 " +
                                                          test::shellQuoted(TALLYVANE_WORKBOOK_READER) + " " +
                                                          test::shellQuoted(workbook.string()));
        EXPECT_EQ(read.status, 0);
        const nlohmann::json book = nlohmann::json::parse(read.output);
        int count = 0;
        for (const auto& sheet : book["worksheets"]) {
            for (const auto& cell : sheet["cells"]) count += cell["value"] == text ? 1 : 0;
        }
        return count;
    }

    test::TemporaryFolder folder;
};

// One clip of a movie at two in points and one of a movie that is not there.
std::string projectWith(const fs::path& movie, const fs::path& missing) {
    return R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE fcpxml>
<fcpxml version="1.11">
    <resources>
        <format id="r1" name="FFVideoFormat1080p25" frameDuration="100/2500s" width="1920" height="1080"/>
        <asset id="r2" name="Movie" start="0s" duration="2s" hasVideo="1" format="r1">
            <media-rep kind="original-media" src="file://)" + movie.string() + R"("/>
        </asset>
        <asset id="r3" name="Gone" start="0s" duration="2s" hasVideo="1" format="r1">
            <media-rep kind="original-media" src="file://)" + missing.string() + R"("/>
        </asset>
    </resources>
    <library>
        <event name="Shoot">
            <project name="Cut">
                <sequence format="r1" duration="3s" tcStart="0s" tcFormat="NDF">
                    <spine>
                        <asset-clip ref="r2" offset="0s" name="Early" duration="1s"/>
                        <asset-clip ref="r3" offset="1s" name="Gone" duration="1s"/>
                        <asset-clip ref="r2" offset="2s" name="Late" start="1s" duration="1s"/>
                    </spine>
                </sequence>
            </project>
        </event>
    </library>
</fcpxml>
)";
}

TEST_F(InstallTest, MovedTreeWritesThumbnailsWithItsOwnModuleAndSaysWhyWithoutIt) {
    const fs::path installed = folder / "installed";
    run(test::shellQuoted(TALLYVANE_CMAKE) + " --install " + test::shellQuoted(TALLYVANE_BUILD_DIR) + " --prefix " +
        test::shellQuoted(installed.string()));
    for (const fs::path part : {"bin/tallyvane", "bin/tallyvane-cli", "share/icons/hicolor/scalable/apps/tallyvane.svg"}) {
        EXPECT_TRUE(fs::is_regular_file(installed / part)) << part;
    }
    std::ifstream entryFile(installed / "share/applications/tallyvane.desktop");
    const std::string entry{std::istreambuf_iterator<char>(entryFile), std::istreambuf_iterator<char>()};
    EXPECT_THAT(entry, HasSubstr("\nExec=tallyvane %f\n"));
    EXPECT_THAT(entry, HasSubstr("\nIcon=tallyvane\n"));

    const fs::path moved = folder / "moved";
    fs::rename(installed, moved);
    const fs::path module = moved / TALLYVANE_INSTALL_MODULEDIR / "libtallyvane_media_module.so";
    ASSERT_TRUE(fs::is_regular_file(module));
    const fs::path movie = folder / "movie.mp4";
    run("ffmpeg -nostdin -loglevel error -y -f lavfi -i testsrc=size=160x120:rate=25:duration=2 -pix_fmt yuv420p " +
        test::shellQuoted(movie.string()));
    const fs::path project = folder / "cut.fcpxml";
    test::writeText(project, projectWith(movie, folder / "gone.mp4"));

    const fs::path withModule = folder / "with-module.xlsx";
    const InstalledRun found = save(moved / "bin/tallyvane-cli", project, withModule);
    ASSERT_EQ(found.status, 0) << found.errors;
    EXPECT_EQ(pictures(withModule), 2);
    const int offline = cellsReading(withModule, "Offline");
    EXPECT_GT(offline, 0);
    EXPECT_EQ(cellsReading(withModule, "Problem"), 0);
    EXPECT_EQ(found.errors, "tallyvane-cli: " + std::to_string(offline) +
                                " thumbnail cells read \"Offline\" (media not found)\n");

    // Not the build's module in its place: a moved program must not reach back into a build.
    fs::remove(module);
    const fs::path withoutModule = folder / "without-module.xlsx";
    const InstalledRun missing = save(moved / "bin/tallyvane-cli", project, withoutModule);
    ASSERT_EQ(missing.status, 0) << missing.errors;
    EXPECT_EQ(pictures(withoutModule), 0);
    const int problems = cellsReading(withoutModule, "Problem");
    EXPECT_EQ(problems, 2 * offline);
    EXPECT_EQ(missing.errors, "tallyvane-cli: " + std::to_string(offline) +
                                  " thumbnail cells read \"Offline\" (media not found) and " +
                                  std::to_string(problems) + " read \"Problem\" (The media libraries cannot be loaded: " +
                                  module.string() + ": cannot open shared object file: No such file or directory)\n");
}

}  // namespace
}  // namespace tallyvane
