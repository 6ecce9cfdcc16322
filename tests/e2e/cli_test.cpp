// The whole road through the built tallyvane-cli, over every sample project: the program is
// run as a user runs it, and its workbooks are read back with openpyxl.

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <functional>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "support/default_termination_signals.h"
#include "support/temporary_folder.h"
#include "support/shell_command.h"
#include "support/named_case.h"

namespace tallyvane {
namespace {

using test::PrintTo;

namespace fs = std::filesystem;
using test::TemporaryFolder;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

const fs::path kSamples = TALLYVANE_SAMPLES_DIR;
const std::string kTooOld = "reuelk__pipeline__PCBang_FromGrace_20160202.fcpxml";
const std::string kArrow = " \u25B8 ";

std::string readText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        result.push_back(text.substr(start, end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return result;
}

struct Result {
    int status = -1;
    std::string out;
    std::string errors;
};

class CliTest : public ::testing::Test {
protected:
    // Runs tallyvane-cli with its own support folder, or with `environment` instead.
    Result cli(const std::vector<std::string>& arguments, const std::optional<std::string>& environment = std::nullopt,
               const char* program = TALLYVANE_CLI) {
        std::string command =
            environment.value_or("TALLYVANE_SUPPORT_DIR=" + test::shellQuoted((folder.path() / "support").string())) +
            " " + test::shellQuoted(program);
        for (const std::string& argument : arguments) command += " " + test::shellQuoted(argument);
        command += " 2>" + test::shellQuoted((folder.path() / "errors.txt").string());
        const test::CommandResult run = test::runCommand(command);
        Result result;
        result.status = WIFEXITED(run.status) ? WEXITSTATUS(run.status) : -1;
        result.out = run.output;
        result.errors = readText(folder.path() / "errors.txt");
        return result;
    }

    // The workbook as openpyxl sees it.
    nlohmann::json workbook(const fs::path& path) {
        const std::string command =
            "/usr/bin/python3 " + test::shellQuoted(TALLYVANE_WORKBOOK_READER) + " " + test::shellQuoted(path.string());
        const test::CommandResult read = test::runCommand(command);
        EXPECT_EQ(read.status, 0) << command;
        return nlohmann::json::parse(read.output);
    }

    static std::vector<std::string> sheetNames(const nlohmann::json& book) {
        return book["sheets"].get<std::vector<std::string>>();
    }

    static int rows(const nlohmann::json& book, const std::string& sheet) {
        return book["worksheets"][sheet]["maxRow"].get<int>();
    }

    // Row 1 of a sheet, left to right.
    static std::vector<std::string> headings(const nlohmann::json& book, const std::string& sheet) {
        std::vector<std::string> result;
        const auto& cells = book["worksheets"][sheet]["cells"];
        for (int column = 0;; ++column) {
            std::string name;
            for (int n = column + 1; n > 0; n = (n - 1) / 26) name.insert(name.begin(), char('A' + (n - 1) % 26));
            const auto found = cells.find(name + "1");
            if (found == cells.end() || !(*found)["value"].is_string()) return result;
            result.push_back((*found)["value"].get<std::string>());
        }
    }

    // "cut.fcpxml", a timeline of `clips` that refer to "movie.mp4" (r2), a 30-second
    // 160x120 movie made here, or to a movie that is gone (r3).
    fs::path moviesProject(const std::string& clips) {
        const fs::path movie = folder.path() / "movie.mp4";
        const std::string make = "ffmpeg -nostdin -loglevel error -f lavfi -i testsrc=size=160x120:rate=25:duration=30 "
                                 "-pix_fmt yuv420p " + test::shellQuoted(movie.string());
        EXPECT_EQ(test::runCommand(make).status, 0);
        const fs::path project = folder.path() / "cut.fcpxml";
        test::writeText(project, R"(<?xml version="1.0" encoding="UTF-8"?>
<fcpxml version="1.11"><resources>
  <format id="r1" frameDuration="1/25s" width="160" height="120"/>
  <asset id="r2" name="Movie" start="0s" duration="30s" hasVideo="1" format="r1"><media-rep src="file://)" +
                                     movie.string() + R"("/></asset>
  <asset id="r3" name="Gone" start="0s" duration="2s" hasVideo="1" format="r1"><media-rep src="file:///gone.mp4"/></asset>
</resources><library><event name="Shoot"><project name="Cut"><sequence format="r1" duration="3600s" tcStart="0s">
  <spine>)" + clips + R"(</spine>
</sequence></project></event></library></fcpxml>
)");
        return project;
    }

    TemporaryFolder folder;
};

std::vector<std::string> sampleNames() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(kSamples)) {
        const std::string extension = entry.path().extension().string();
        const std::string name = entry.path().filename().string();
        // The one sample of a refused version has its own test.
        if ((extension == ".fcpxml" || extension == ".fcpxmld") && name != kTooOld) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

class EverySample : public CliTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(EverySample, GivesAReportMenuAndAWorkbookWithTheSheetsInOrder) {
    const fs::path sample = kSamples / GetParam();
    const Result reports = cli({"reports", sample.string()});
    ASSERT_EQ(reports.status, 0) << reports.errors;
    EXPECT_THAT(reports.errors, IsEmpty());
    const std::vector<std::string> titles = lines(reports.out);
    ASSERT_FALSE(titles.empty());
    EXPECT_NE(titles.front(), "---");

    const fs::path output = folder.path() / "report.xlsx";
    const Result save = cli({"save", sample.string(), "-o", output.string()});
    ASSERT_EQ(save.status, 0) << save.errors;
    EXPECT_THAT(save.errors, IsEmpty());
    const nlohmann::json book = workbook(output);
    const std::vector<std::string> sheets = sheetNames(book);
    ASSERT_FALSE(sheets.empty());
    EXPECT_EQ(sheets.front(), "Selected Roles");
    std::vector<std::string> extra{"Markers",     "Keywords", "Titles & Generators", "Transitions",
                                   "Video & Audio Effects", "Speed Change Effects"};
    // The first report of the menu is written; event clips have no summary.
    if (titles.front() != "Event Clips") extra.push_back("Summary");
    ASSERT_GT(sheets.size(), extra.size());
    EXPECT_THAT(std::vector<std::string>(sheets.end() - static_cast<std::ptrdiff_t>(extra.size()), sheets.end()),
                ElementsAreArray(extra));
    EXPECT_EQ(headings(book, "Selected Roles").front(), "Role" + kArrow + "Subrole");
    EXPECT_GE(rows(book, "Selected Roles"), 2);
    // The report leaves nothing behind in the support folder but its layouts.
    EXPECT_FALSE(fs::exists(folder.path() / "support" / "spreadsheet.xlsx"));
}

INSTANTIATE_TEST_SUITE_P(Samples, EverySample, ::testing::ValuesIn(sampleNames()), [](const auto& info) {
    std::string name = info.param;
    for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
});

TEST_F(CliTest, TooOldSampleIsRefusedWithTheAlertOnStandardError) {
    const fs::path output = folder.path() / "report.xlsx";
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"reports", (kSamples / kTooOld).string()},
          std::vector<std::string>{"save", (kSamples / kTooOld).string(), "-o", output.string()}}) {
        const Result result = cli(arguments);
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.errors,
                  "There is a problem with this FCPXML\n"
                  "The minimum version of XML supported is 1.6 (exported from Final Cut Pro 10.3).\n");
        EXPECT_THAT(result.out, IsEmpty());
    }
    EXPECT_FALSE(fs::exists(output));
}

TEST_F(CliTest, CutOffExportIsRefusedAndWritesNoWorkbook) {
    // Cut inside the timeline, after its first clips: what stands before the cut is readable.
    const std::string whole = readText(kSamples / "TheAcharya__OpenFCPXMLKit__29.97d.fcpxml");
    const fs::path cutOff = folder.path() / "CutOff.fcpxml";
    std::ofstream(cutOff, std::ios::binary) << whole.substr(0, whole.find("<ref-clip ref=\"r3\" offset="));
    const fs::path output = folder.path() / "report.xlsx";
    const Result result = cli({"save", cutOff.string(), "-o", output.string()});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.errors, "This XML cannot be parsed\nPlease export a new XML.\n");
    EXPECT_FALSE(fs::exists(output));
}

TEST_F(CliTest, RolesListsBothTablesChecked) {
    const Result result = cli({"roles", (kSamples / "TheAcharya__OpenFCPXMLKit__DisabledClips.fcpxml").string()});
    ASSERT_EQ(result.status, 0) << result.errors;
    const std::vector<std::string> rows = lines(result.out);
    EXPECT_THAT(rows, ::testing::Contains("video\t[x]\tTitles"));
    for (const std::string& row : rows) {
        EXPECT_TRUE(row.starts_with("video\t[x]\t") || row.starts_with("audio\t[x]\t")) << row;
    }
}

// DisabledClips: a timeline of two titles and two clips, no connected clips.
TEST_F(CliTest, UncheckedRoleSwitchedSheetsAndOptionsShapeTheWorkbook) {
    const fs::path sample = kSamples / "TheAcharya__OpenFCPXMLKit__DisabledClips.fcpxml";
    const fs::path all = folder.path() / "all.xlsx";
    ASSERT_EQ(cli({"save", sample.string(), "-o", all.string()}).status, 0);
    const nlohmann::json full = workbook(all);
    // Both titles of the timeline are in the titles sheet, under its heading row.
    EXPECT_EQ(rows(full, "Titles & Generators"), 1 + 2);

    const fs::path narrowed = folder.path() / "narrowed.xlsx";
    const Result result = cli({"save", sample.string(), "-o", narrowed.string(), "--uncheck-video", "Titles",
                               "--sheets", "markers,summary", "--set", "reel=off", "--set", "scene=off",
                               "--set", "take=off"});
    ASSERT_EQ(result.status, 0) << result.errors;
    const nlohmann::json book = workbook(narrowed);
    const std::vector<std::string> sheets = sheetNames(book);
    EXPECT_EQ(std::count(sheets.begin(), sheets.end(), "Titles & Generators"), 0);
    ASSERT_GE(sheets.size(), 2u);
    EXPECT_THAT(std::vector<std::string>(sheets.end() - 2, sheets.end()), ElementsAre("Markers", "Summary"));
    // The two titles leave "Selected Roles".
    EXPECT_EQ(rows(book, "Selected Roles"), rows(full, "Selected Roles") - 2);
    const std::vector<std::string> heading = headings(book, "Selected Roles");
    for (const char* gone : {"Reel", "Scene", "Take"}) {
        EXPECT_EQ(std::count(heading.begin(), heading.end(), gone), 0) << gone;
    }
    EXPECT_EQ(std::count(heading.begin(), heading.end(), "Clip Name"), 1);
}

TEST_F(CliTest, SwitchedOnColumnsLeadTheClipSheet) {
    const fs::path output = folder.path() / "numbered.xlsx";
    const Result result = cli({"save", (kSamples / "TheAcharya__OpenFCPXMLKit__DisabledClips.fcpxml").string(), "-o",
                               output.string(), "--set", "rowNumbers=on", "--set", "thumbnails=on",
                               "--thumbnail-width", "64"});
    ASSERT_EQ(result.status, 0) << result.errors;
    EXPECT_EQ(result.out, output.string() + "\n");
    const nlohmann::json book = workbook(output);
    const std::vector<std::string> heading = headings(book, "Selected Roles");
    ASSERT_GE(heading.size(), 3u);
    EXPECT_THAT(std::vector<std::string>(heading.begin(), heading.begin() + 3),
                ElementsAre("Row", "Thumbnail", "Role" + kArrow + "Subrole"));
    // The sample's media are on someone else's computer.
    const auto& cells = book["worksheets"]["Selected Roles"]["cells"];
    int offline = 0;
    for (int row = 2; row <= rows(book, "Selected Roles"); ++row) {
        EXPECT_EQ(cells["A" + std::to_string(row)]["value"], row - 1);
        const auto thumbnail = cells.find("B" + std::to_string(row));
        if (thumbnail != cells.end() && (*thumbnail)["value"] == "Offline") ++offline;
    }
    EXPECT_GT(offline, 0);
}

TEST_F(CliTest, StoredLayoutIsChosenByName) {
    const fs::path support = folder.path() / "support";
    fs::create_directories(support);
    nlohmann::json layout = {{"id", "0F1E2D3C-4B5A-4978-8877-665544332211"}, {"name", "Names Only"},
                             {"thumbnailWidthPopup", "40"}};
    for (const char* field :
         {"rowNumbersColumnCheckbox", "thumbnailsColumnCheckbox", "keepThumbnailsCheckbox", "roleColumnCheckbox",
          "categoryColumnCheckbox", "enabledColumnCheckbox", "inColumnCheckbox", "outColumnCheckbox",
          "durationColumnCheckbox", "srcInColumnCheckbox", "srcOutColumnCheckbox", "srcDurationColumnCheckbox",
          "duplicateFramesColumnCheckbox", "markersColumnCheckbox", "keywordsColumnCheckbox", "effectsColumnCheckbox",
          "notesColumnCheckbox", "reelColumnCheckbox", "sceneColumnCheckbox", "takeColumnCheckbox",
          "cameraAngleColumnCheckbox", "cameraNameColumnCheckbox", "frameRateColumnCheckbox", "frameSizeColumnCheckbox",
          "srcFileNameColumnCheckbox", "srcFilePathColumnCheckbox", "metadataColumnCheckbox"}) {
        layout[field] = false;
    }
    layout["metadataColumnCheckbox"] = true;
    const std::string stored = nlohmann::json::array({layout}).dump();
    std::ofstream(support / "Layouts.json") << stored;
    const fs::path output = folder.path() / "layout.xlsx";
    const Result result = cli({"save", (kSamples / "TheAcharya__OpenFCPXMLKit__DisabledClips.fcpxml").string(), "-o",
                               output.string(), "--layout", "Names Only"});
    ASSERT_EQ(result.status, 0) << result.errors;
    const std::vector<std::string> heading = headings(workbook(output), "Selected Roles");
    ASSERT_FALSE(heading.empty());
    EXPECT_EQ(std::count(heading.begin(), heading.end(), "Timeline In"), 0);
    EXPECT_EQ(std::count(heading.begin(), heading.end(), "Clip Name"), 1);
    // Choosing a layout does not rewrite the user's file.
    EXPECT_EQ(readText(support / "Layouts.json"), stored);
}

TEST_F(CliTest, HelpNamesEveryOptionKeyWithItsDefaultTheSheetsStatusesAndEnvironment) {
    const Result help = cli({"--help"});
    ASSERT_EQ(help.status, 0) << help.errors;
    EXPECT_EQ(cli({"-h"}).out, help.out);
    std::map<std::string, std::string> defaults;
    for (const std::string& line : lines(help.out)) {
        std::istringstream words(line);
        std::string key;
        std::string state;
        words >> key >> state;
        if (state == "on" || state == "off") defaults[key] = state;
    }
    EXPECT_EQ(defaults.size(), 38u);
    for (const auto& [key, state] : std::map<std::string, std::string>{{"rowNumbers", "off"},
                                                                      {"role", "on"},
                                                                      {"reportSeqTimecode", "on"},
                                                                      {"reportSrcFrames", "off"},
                                                                      {"useColorText", "on"}}) {
        EXPECT_EQ(defaults[key], state) << key;
    }
    for (const std::string& part : {std::string("save FILE"), std::string("\"Titles & Generators\""),
                                    std::string("  2  "), std::string("TALLYVANE_SUPPORT_DIR"),
                                    std::string("XDG_DATA_HOME"), (folder.path() / "support" / "Thumbnails").string()}) {
        EXPECT_THAT(help.out, ::testing::HasSubstr(part));
    }
    // Every shape of it reads in a terminal of the usual width, but for the folders it names:
    // with a support folder, without a home, and as root with another user's folder.
    const fs::path users = folder.path() / "users";
    fs::create_directories(users);
    const bool asRoot = geteuid() == 0 && chown(users.c_str(), 65534, 65534) == 0;
    const std::string usersFolder = "env TALLYVANE_SUPPORT_DIR=" + test::shellQuoted(users.string());
    const std::string noHome =
        "env -u HOME -u XDG_DATA_HOME -u TALLYVANE_SUPPORT_DIR TMPDIR=" + test::shellQuoted(folder.path().string());
    std::vector<std::string> shapes{help.out, cli({"--help"}, noHome).out};
    if (asRoot) shapes.push_back(cli({"--help"}, usersFolder).out);
    for (const std::string& shape : shapes) {
        EXPECT_THAT(shape, HasSubstr("\nThumbnails:\n"));
        for (const std::string& line : lines(shape)) {
            if (line.find(folder.path().string()) == std::string::npos) {
                EXPECT_LE(line.size(), 80u) << line;
            }
        }
    }
    // A run as root says what it does with a support folder another user controls, naming
    // the user as they log in.
    if (asRoot) {
        std::string out = shapes.back();
        for (std::size_t at; (at = out.find("\n  ")) != std::string::npos;) out.replace(at, 3, " ");
        EXPECT_THAT(out, HasSubstr("controlled by " + test::userSaid(65534) +
                                   ": a run as root reads its layouts there, keeps its changes to them for the run "
                                   "and writes nothing there, and a save works in a private folder of its own"));
        EXPECT_THAT(out, HasSubstr("the folder \"Thumbnails\" of the run's private folder;"));
    }
}

// A layouts file that cannot be read is said once on standard error, as the window logs it,
// before what it explains; a missing one is no news.
TEST_F(CliTest, ALayoutsFileThatCannotBeReadIsSaidOnce) {
    const fs::path support = folder.path() / "support";
    const fs::path file = support / "Layouts.json";
    const struct {
        const char* name;
        std::function<void()> make;
        std::string says;  // nothing for no line
    } rows[] = {{"none", [] {}, ""},
                {"not JSON", [&] { std::ofstream(file) << "not json"; }, "parse error"},
                {"a socket",
                 [&] { ASSERT_TRUE(test::makeSocketFile(file)); },
                 "The file " + file.string() + " cannot be opened: It is a socket, not a layouts file.\n"}};
    for (const auto& row : rows) {
        fs::remove_all(support);
        fs::create_directories(support);
        row.make();
        const Result result = cli({"save", (kSamples / "TheAcharya__OpenFCPXMLKit__DisabledClips.fcpxml").string(), "-o",
                                   (folder.path() / "out.xlsx").string(), "--layout", "Mine"});
        EXPECT_EQ(result.status, 2) << row.name;
        const std::string missing = "tallyvane-cli: there is no layout \u201CMine\u201D\n";
        if (row.says.empty()) {
            EXPECT_EQ(result.errors, missing) << row.name;
        } else {
            EXPECT_THAT(result.errors, HasSubstr(row.says)) << row.name;
            EXPECT_THAT(result.errors, ::testing::EndsWith("\n" + missing)) << row.name;
            EXPECT_EQ(std::count(result.errors.begin(), result.errors.end(), '\n'), 2) << row.name;
        }
    }
}

// Without a home folder a run works in a folder of its own in TMPDIR, made only by a save and
// gone with the run, unless it keeps the thumbnails it was asked to keep.
TEST_F(CliTest, RunsWithoutAHomeLeaveTheTemporaryFolderAsTheyFoundIt) {
    const fs::path temporary = folder.path() / "tmp";
    fs::create_directories(temporary);
    const std::string noHome =
        "env -u HOME -u XDG_DATA_HOME -u TALLYVANE_SUPPORT_DIR TMPDIR=" + test::shellQuoted(temporary.string());
    const std::string sample = (kSamples / "TheAcharya__OpenFCPXMLKit__DisabledClips.fcpxml").string();
    const std::string output = (folder.path() / "report.xlsx").string();
    const std::string nowhere = (folder.path() / "missing" / "report.xlsx").string();
    for (const auto& [arguments, status] : std::vector<std::pair<std::vector<std::string>, int>>{
             {{"--help"}, 0},
             {{"--version"}, 0},
             {{"reports", sample}, 0},
             {{"roles", sample}, 0},
             {{"save", sample, "-o", output}, 0},
             {{"save", sample, "-o", output, "--set", "thumbnails=on"}, 0},
             // Every cell "Offline", or no width: no picture to keep, nothing said kept or left.
             {{"save", sample, "-o", output, "--set", "thumbnails=on", "--set", "keepThumbnails=on"}, 0},
             {{"save", sample, "-o", output, "--set", "thumbnails=on", "--set", "keepThumbnails=on",
               "--thumbnail-width", "0"}, 0},
             {{"save", sample, "-o", nowhere}, 1}}) {
        const Result result = cli(arguments, noHome);
        EXPECT_EQ(result.status, status) << arguments.front() << ": " << result.errors;
        EXPECT_TRUE(fs::is_empty(temporary)) << arguments.front() << " " << arguments.back();
        EXPECT_THAT(result.errors, Not(HasSubstr("The thumbnails are kept in"))) << arguments.back();
        EXPECT_THAT(result.errors, Not(HasSubstr("The finished workbook is kept at"))) << arguments.back();
    }
    EXPECT_THAT(cli({"--help"}, noHome).out, ::testing::HasSubstr(temporary.string() + " (TMPDIR)"));

    const std::string movies = moviesProject("<asset-clip ref=\"r2\" offset=\"0s\" duration=\"1s\"/>").string();
    const Result kept = cli({"save", movies, "-o", output, "--set", "thumbnails=on", "--set", "keepThumbnails=on"}, noHome);
    ASSERT_EQ(kept.status, 0) << kept.errors;
    std::vector<fs::path> left;
    for (const auto& entry : fs::directory_iterator(temporary)) left.push_back(entry.path());
    ASSERT_EQ(left.size(), 1u);
    EXPECT_TRUE(fs::is_directory(left[0] / "Thumbnails"));
    EXPECT_THAT(kept.errors, ::testing::HasSubstr("The thumbnails are kept in \u201C" +
                                                  (left[0] / "Thumbnails").string() + "\u201D.\n"));

    // A run as root given another user's support folder works as one without a home and says
    // so once, before what it explains, as the rest of the save is said; a destination refused
    // before any work made nothing anywhere, and says nothing of it.
    const fs::path users = folder.path() / "users";
    const fs::path rootsTemporary = folder.path() / "roots tmp";
    fs::create_directories(users);
    fs::create_directories(rootsTemporary);
    if (geteuid() != 0 || chown(users.c_str(), 65534, 65534) != 0) return;
    const std::string inUsers = "env TALLYVANE_SUPPORT_DIR=" + test::shellQuoted(users.string()) +
                                " TMPDIR=" + test::shellQuoted(rootsTemporary.string());
    const Result keptOut =
        cli({"save", movies, "-o", output, "--set", "thumbnails=on", "--set", "keepThumbnails=on"}, inUsers);
    ASSERT_EQ(keptOut.status, 0) << keptOut.errors;
    const std::vector<std::string> said = lines(keptOut.errors);
    ASSERT_EQ(said.size(), 2u) << keptOut.errors;
    EXPECT_THAT(said[0], ::testing::StartsWith("The support folder \u201C" + users.string() + "\u201D is controlled by " +
                                               test::userSaid(65534) +
                                               ": a run as root writes nothing there, and works in \u201C" +
                                               rootsTemporary.string() + "/"));
    EXPECT_THAT(said[1], ::testing::StartsWith("The thumbnails are kept in \u201C" + rootsTemporary.string() + "/"));
    EXPECT_TRUE(fs::is_empty(users));
    const Result refused = cli({"save", sample, "-o", nowhere}, inUsers);
    EXPECT_EQ(refused.status, 1);
    EXPECT_THAT(refused.errors, Not(HasSubstr("is controlled by")));
}

// Starts tallyvane-cli with `environment` (NAME=value each, added to the test's own) and
// `arguments`, its standard error in `errors`; sends the signals as soon as `ready` says so
// (looked at every 0.1 ms), each that many milliseconds after the one before, and returns
// the wait status.
int signalledRun(const std::vector<std::string>& environment, const std::vector<std::string>& arguments,
                 const fs::path& errors, const std::function<bool()>& ready,
                 const std::vector<std::pair<int, int>>& signals) {
    const pid_t child = test::forkTakingDefaultTerminationSignals();
    if (child == 0) {
        const int errorFile = ::open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(errorFile, STDERR_FILENO);
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, STDOUT_FILENO);
        for (const std::string& variable : environment) {
            const std::size_t equals = variable.find('=');
            if (equals == std::string::npos) {
                ::unsetenv(variable.c_str());
            } else {
                ::setenv(variable.substr(0, equals).c_str(), variable.substr(equals + 1).c_str(), 1);
            }
        }
        std::vector<char*> argv{const_cast<char*>(TALLYVANE_CLI)};
        for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        ::execv(TALLYVANE_CLI, argv.data());
        ::_exit(127);
    }
    int status = 0;
    for (int look = 0; look < 600000 && ::waitpid(child, &status, WNOHANG) == 0; ++look) {
        if (ready()) {
            for (const auto& [signal, gap] : signals) {
                ::usleep(gap * 1000);
                ::kill(child, signal);
            }
            break;
        }
        ::usleep(100);
    }
    ::waitpid(child, &status, 0);
    return status;
}

bool anyEntry(const fs::path& folder, const std::function<bool(const fs::path&)>& matches) {
    std::error_code error;
    for (fs::recursive_directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
        if (matches(entry->path())) return true;
    }
    return false;
}

// Whether `file` is a whole workbook: a zip archive whose every member reads back intact.
bool wholeWorkbook(const fs::path& file) {
    return test::runCommand("/usr/bin/python3 -c 'import sys, zipfile; sys.exit(zipfile.ZipFile(sys.argv[1]).testzip() "
                            "is not None)' " + test::shellQuoted(file.string()) + " 2>/dev/null")
               .status == 0;
}

// A save ended by a signal leaves nothing it made behind and says nothing more: while its
// thumbnails are made in a private folder (no home), and while its workbook is copied beside
// a destination on another file system, whose old bytes stay. It ends with a signal's status:
// the first one handled where more follow (Ctrl-C pressed twice, a logout's TERM then HUP),
// and signals pending together are handled lowest number first. A busy machine may deliver
// the signal only after the workbook has replaced the old one whole, or not before the run
// has ended; every row is tried again until its signal has once come before the commit.
TEST_F(CliTest, ASignalMidSaveLeavesNothingBehindAndSaysNothing) {
    std::string clips;
    for (int clip = 0; clip < 10000; ++clip) {
        clips += "<asset-clip ref=\"r2\" offset=\"" + std::to_string(clip) + "/25s\" start=\"" +
                 std::to_string(clip * 37 % 750) + "/25s\" duration=\"1/25s\"/>";
    }
    const fs::path project = moviesProject(clips);
    const fs::path temporary = folder.path() / "tmp";
    const fs::path destination = folder.path() / "out";
    const fs::path output = destination / "report.xlsx";
    // The copy rows need the support folder on another file system than the destination.
    const std::optional<fs::path> otherFileSystem = test::parentOnAnotherFileSystem(destination.parent_path());
    const test::TemporaryFolder elsewhere(otherFileSystem.value_or(fs::path()));
    const fs::path support = elsewhere.path() / "support";
    const std::vector<std::string> noHome{"HOME", "XDG_DATA_HOME", "TALLYVANE_SUPPORT_DIR", "TMPDIR=" + temporary.string()};
    const auto pictures = [&] {
        return anyEntry(temporary, [](const fs::path& file) { return file.extension() == ".jpg"; });
    };
    const auto copy = [&] {
        return anyEntry(destination, [](const fs::path& file) { return file.filename().string().starts_with(".report"); });
    };
    const struct {
        const char* name;
        std::vector<std::pair<int, int>> signals;  // each with the milliseconds since the one before
        std::vector<std::string> environment;
        std::vector<std::string> options;
        std::function<bool()> ready;
        bool copying = false;
    } cases[] = {
        {"TERM at the thumbnails", {{SIGTERM, 0}}, noHome, {"--set", "thumbnails=on"}, pictures},
        {"HUP at the thumbnails", {{SIGHUP, 0}}, noHome, {"--set", "thumbnails=on"}, pictures},
        {"INT at the thumbnails", {{SIGINT, 0}}, noHome, {"--set", "thumbnails=on"}, pictures},
        {"INT, INT, TERM and HUP at the thumbnails", {{SIGINT, 0}, {SIGINT, 3}, {SIGTERM, 30}, {SIGHUP, 300}},
         {"TALLYVANE_SUPPORT_DIR=" + support.string(), "TMPDIR=" + temporary.string()}, {"--set", "thumbnails=on"},
         [&] { return anyEntry(support, [](const fs::path& file) { return file.extension() == ".jpg"; }); }},
        {"TERM during the copy to another file system", {{SIGTERM, 0}}, {"TALLYVANE_SUPPORT_DIR=" + support.string()}, {},
         copy, true},
        {"INT during the copy to another file system", {{SIGINT, 0}}, {"TALLYVANE_SUPPORT_DIR=" + support.string()}, {},
         copy, true},
    };
    constexpr int kTries = 10;
    std::string notArranged;
    for (const auto& c : cases) {
        if (c.copying && !otherFileSystem) {
            notArranged += std::string(" \"") + c.name + "\"";
            continue;
        }
        std::vector<std::string> missed;  // what each try that missed the commit saw
        bool stoppedBeforeTheCommit = false;
        for (int attempt = 1; attempt <= kTries && !stoppedBeforeTheCommit; ++attempt) {
            fs::create_directories(temporary);
            fs::create_directories(destination);
            test::writeText(output, "old bytes");
            std::vector<std::string> arguments{"save", project.string(), "-o", output.string()};
            arguments.insert(arguments.end(), c.options.begin(), c.options.end());
            const int status = signalledRun(c.environment, arguments, folder.path() / "errors.txt", c.ready, c.signals);
            const bool signalled = WIFSIGNALED(status) && std::ranges::any_of(c.signals, [&](const auto& sent) {
                                       return sent.first == WTERMSIG(status);
                                   });
            const bool old = readText(output) == "old bytes";
            const std::string saw = (WIFSIGNALED(status) ? std::string("ended by ") + strsignal(WTERMSIG(status))
                                                         : "status " + std::to_string(WEXITSTATUS(status))) +
                                    (old ? ", the old bytes" : ", new bytes");
            // What no correct run gives, whenever its signal came.
            std::string wrong;
            if (!signalled && !(WIFEXITED(status) && WEXITSTATUS(status) == 0)) wrong += "; not a signal of the row";
            if (old && !signalled) wrong += "; the old bytes without a signal";
            if (const std::string said = readText(folder.path() / "errors.txt"); !said.empty()) {
                wrong += "; " + std::to_string(said.size()) + " bytes on standard error";
            }
            if (!fs::is_empty(temporary)) wrong += "; files left in TMPDIR";
            if (anyEntry(destination, [&](const fs::path& file) { return file != output; })) {
                wrong += "; a file left beside the destination";
            }
            if (anyEntry(support, [](const fs::path& file) { return file.filename() != ".report.lock"; })) {
                wrong += "; files left in the support folder";
            }
            std::error_code missing;
            if (!old && !wholeWorkbook(output)) {
                wrong += "; " + std::to_string(fs::file_size(output, missing)) + " bytes, neither the old ones nor a workbook";
            }
            fs::remove_all(support);
            fs::remove_all(temporary);
            fs::remove_all(destination);
            if (!wrong.empty()) {
                ADD_FAILURE() << c.name << ", try " << attempt << ": " << saw << wrong;
                break;
            }
            stoppedBeforeTheCommit = old;
            if (!old) missed.push_back(saw);
        }
        if (missed.size() == kTries) {
            std::string tries;
            for (const std::string& saw : missed) tries += "\n  " + saw;
            ADD_FAILURE() << c.name << ": no signal came before the commit in " << kTries << " tries:" << tries;
        }
    }
    if (!notArranged.empty()) GTEST_SKIP() << "cannot be set up here (no second file system):" << notArranged;
}

// A clip name longer than a file name may be still gets its picture, under a name cut short.
TEST_F(CliTest, AClipNameLongerThanAFileNameGetsItsPicture) {
    std::string accents;
    for (int letter = 0; letter < 200; ++letter) accents += "\u00E9";
    const fs::path project = moviesProject("<asset-clip ref=\"r2\" offset=\"0s\" duration=\"1s\" name=\"" +
                                           std::string(300, 'a') + "\"/><asset-clip ref=\"r2\" offset=\"1s\" start=\"2s\" "
                                           "duration=\"1s\" name=\"" + accents + "\"/>");
    const fs::path output = folder.path() / "long.xlsx";
    const Result result = cli({"save", project.string(), "-o", output.string(), "--set", "thumbnails=on"});
    EXPECT_EQ(result.status, 0) << result.errors;
    EXPECT_EQ(result.errors, "");
    EXPECT_EQ(workbook(output)["pictures"].get<int>(), 2);
}

TEST_F(CliTest, MissingDestinationFolderIsRefusedBeforeTheReportIsWritten) {
    const fs::path nowhere = folder.path() / "missing";
    const fs::path tooLong = folder.path() / (std::string(251, 'n') + ".xlsx");
    for (const auto& [destination, said] : std::vector<std::pair<fs::path, std::string>>{
             {nowhere / "report.xlsx", "The workbook cannot be saved in the folder " + nowhere.string() +
                                           ": No such file or directory.\n"},
             // A name longer than the folder takes.
             {tooLong, "The workbook cannot be saved as " + tooLong.string() + ": File name too long.\n"}}) {
        const Result result =
            cli({"save", (kSamples / "TheAcharya__OpenFCPXMLKit__DisabledClips.fcpxml").string(), "-o", destination.string()});
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.errors, "The report could not be saved\n" + said);
        EXPECT_FALSE(fs::exists(nowhere));
        // Nothing was written, nor was the support folder made.
        EXPECT_FALSE(fs::exists(folder.path() / "support"));
    }
}

TEST_F(CliTest, DesktopProgramAnswersHelpAndVersionOnTheTerminal) {
    // No display is named: an answer that opened a window would fail instead.
    const std::string noDisplay = "env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb";
    const Result version = cli({"--version"}, noDisplay, TALLYVANE_APP);
    EXPECT_EQ(version.status, 0) << version.errors;
    EXPECT_EQ(version.out, "tallyvane " TALLYVANE_VERSION "\n");
    const Result help = cli({"--help"}, noDisplay, TALLYVANE_APP);
    EXPECT_EQ(help.status, 0) << help.errors;
    EXPECT_THAT(help.out, ::testing::StartsWith("usage: tallyvane [FILE]\n"));
    EXPECT_THAT(help.errors, IsEmpty());
    for (const std::string& line : lines(help.out)) EXPECT_LE(line.size(), 80u) << line;
    // Read wherever they stand among the toolkit's options.
    const Result afterOptions = cli({"-platform", "offscreen", "--version"}, noDisplay, TALLYVANE_APP);
    EXPECT_EQ(afterOptions.status, 0) << afterOptions.errors;
    EXPECT_EQ(afterOptions.out, "tallyvane " TALLYVANE_VERSION "\n");

    // A toolkit that cannot start leaves no runtime folder of the run behind.
    const fs::path temporary = folder.path() / "tmp";
    fs::create_directories(temporary);
    const std::string noRuntime = "env -u DISPLAY -u WAYLAND_DISPLAY -u XDG_RUNTIME_DIR QT_QPA_PLATFORM=xcb TMPDIR=" +
                                  test::shellQuoted(temporary.string());
    for (const std::vector<std::string>& arguments : {std::vector<std::string>{}, {"-platform", "nonexistent"}}) {
        EXPECT_NE(cli(arguments, noRuntime, TALLYVANE_APP).status, 0);
        EXPECT_TRUE(fs::is_empty(temporary)) << arguments.size();
    }
}

// What cannot be written to standard output is a failure said on standard error, whichever
// program and command wrote it.
TEST_F(CliTest, OutputThatCannotBeWrittenIsAFailure) {
    const std::string sample = (kSamples / "TheAcharya__OpenFCPXMLKit__DisabledClips.fcpxml").string();
    const std::string support = "TALLYVANE_SUPPORT_DIR=" + test::shellQuoted((folder.path() / "support").string());
    for (const auto& [program, arguments] : std::vector<std::pair<std::string, std::string>>{
             {TALLYVANE_CLI, "reports " + test::shellQuoted(sample)},
             {TALLYVANE_CLI, "roles " + test::shellQuoted(sample)},
             {TALLYVANE_CLI, "save " + test::shellQuoted(sample) + " -o " + test::shellQuoted((folder.path() / "o.xlsx").string())},
             {TALLYVANE_CLI, "--help"},
             {TALLYVANE_CLI, "--version"},
             {TALLYVANE_APP, "--version"},
             {TALLYVANE_APP, "--help"}}) {
        const test::CommandResult run = test::runCommand(support + " " + test::shellQuoted(program) + " " + arguments +
                                                         " 2>&1 >/dev/full; echo status $?");
        // The reason is the first failed write's, however much was written after it.
        EXPECT_THAT(run.output, ::testing::MatchesRegex("tallyvane(-cli)?: The output cannot be written: "
                                                        "The disk is full\\.\nstatus 1\n"))
            << arguments;
    }
}

// The tree `cmake --install` makes, moved as a whole, writes thumbnails with its own media
// module, and says once why when that module is gone: it never reaches back into a build.
TEST_F(CliTest, MovedInstallTreeWritesThumbnailsWithItsOwnModuleAndSaysWhyWithoutIt) {
    const fs::path installed = folder.path() / "installed";
    const fs::path moved = folder.path() / "moved";
    ASSERT_EQ(test::runCommand(test::shellQuoted(TALLYVANE_CMAKE) + " --install " + test::shellQuoted(TALLYVANE_BUILD_DIR) +
                               " --prefix " + test::shellQuoted(installed.string()) + " >/dev/null")
                  .status,
              0);
    EXPECT_TRUE(fs::is_regular_file(installed / "share/icons/hicolor/scalable/apps/tallyvane.svg"));
    EXPECT_THAT(readText(installed / "share/applications/tallyvane.desktop"),
                HasSubstr("\nExec=tallyvane %f\n"
                          "Icon=tallyvane\nTerminal=false\nCategories=AudioVideo;Video;\n"
                          "MimeType=application/x-fcpxml;application/x-fcpxmld;\n"));
    const std::string types = readText(installed / "share/mime/packages/tallyvane.xml");
    for (const char* part : {"<mime-type type=\"application/x-fcpxml\">", "<sub-class-of type=\"application/xml\"/>",
                             "<glob pattern=\"*.fcpxml\" case-sensitive=\"true\"/>", "localName=\"fcpxml\"",
                             "<sub-class-of type=\"application/x-tar\"/>",
                             "<glob pattern=\"*.fcpxmld\" case-sensitive=\"true\"/>"}) {
        EXPECT_THAT(types, HasSubstr(part));
    }
    fs::rename(installed, moved);
    // The program names its module by its real path, whatever links lead to the test's folder.
    const fs::path module = fs::canonical(moved) / TALLYVANE_INSTALL_MODULEDIR / "libtallyvane_media_module.so";
    ASSERT_TRUE(fs::is_regular_file(module));

    const fs::path project =
        moviesProject(R"(<asset-clip ref="r2" offset="0s" duration="1s"/><asset-clip ref="r3" offset="1s" duration="1s"/>)");
    const auto save = [&](const std::string& name) {
        const Result result = cli({"save", project.string(), "-o", (folder.path() / name).string(), "--set",
                                   "thumbnails=on"}, std::nullopt, (moved / "bin/tallyvane-cli").c_str());
        EXPECT_EQ(result.status, 0) << result.errors;
        return std::pair{workbook(folder.path() / name)["pictures"].get<int>(), result.errors};
    };
    // The movie's row shows its picture and the missing one reads "Offline", on "Selected Roles"
    // and on the role's own sheet: one picture, two cells.
    const auto [found, foundSays] = save("found.xlsx");
    EXPECT_EQ(found, 1);
    EXPECT_EQ(foundSays, "tallyvane-cli: 2 thumbnail cells read \"Offline\" (media not found)\n");

    // A module cut short (a partial copy) is said as one that cannot load, never mapped past its end.
    for (const std::uintmax_t size : {fs::file_size(module) / 2, std::uintmax_t{100}}) {
        fs::resize_file(module, size);
        const auto [cut, cutSays] = save("cut.xlsx");
        EXPECT_EQ(cut, 0);
        EXPECT_EQ(cutSays, "tallyvane-cli: 2 thumbnail cells read \"Offline\" (media not found) and 2 read \"Problem\" "
                           "(The media libraries cannot be loaded: " + module.string() + ": file too short)\n");
    }

    // Nor does a FIFO in its place hold the save: no file but a regular one is opened as a module.
    fs::remove(module);
    ASSERT_EQ(::mkfifo(module.c_str(), 0644), 0);
    const auto [fifo, fifoSays] = save("fifo.xlsx");
    EXPECT_EQ(fifo, 0);
    EXPECT_EQ(fifoSays, "tallyvane-cli: 2 thumbnail cells read \"Offline\" (media not found) and 2 read \"Problem\" "
                        "(The media libraries cannot be loaded: " + module.string() + ": not a regular file)\n");

    fs::remove(module);
    const auto [missing, missingSays] = save("missing.xlsx");
    EXPECT_EQ(missing, 0);
    EXPECT_EQ(missingSays, "tallyvane-cli: 2 thumbnail cells read \"Offline\" (media not found) and 2 read \"Problem\" "
                           "(The media libraries cannot be loaded: " + module.string() +
                               ": cannot open shared object file: No such file or directory)\n");
}

struct UsageCase {
    const char* name;
    std::vector<std::string> arguments;
    // Part of what is said: the reason on standard error for a usage error, else the answer
    // on standard output.
    const char* says = "";
    int status = 2;
};

class UsageErrors : public CliTest, public ::testing::WithParamInterface<UsageCase> {};

TEST_P(UsageErrors, ExitWithTheirStatusAndSayWhy) {
    std::vector<std::string> arguments = GetParam().arguments;
    // Inside the test's folder, so that a refused name that were written anyway is seen, and
    // lands nowhere else. A name stands alone or after an option's "=".
    const std::map<std::string, std::string> names{
        {"SAMPLE", (kSamples / "TheAcharya__OpenFCPXMLKit__DisabledClips.fcpxml").string()},
        {"EVENT_SAMPLE", (kSamples / "reuelk__pipeline__sync_clip_test.fcpxml").string()},
        {"OUT", (folder.path() / "out.xlsx").string()},
        {"OUT_CSV", (folder.path() / "out.csv").string()},
        {"OUT_UPPER", (folder.path() / "OUT.XLSX").string()}};
    for (std::string& argument : arguments) {
        const std::size_t equals = argument.find('=');
        const std::size_t start = argument.starts_with("--") && equals != std::string::npos ? equals + 1 : 0;
        if (const auto found = names.find(argument.substr(start)); found != names.end()) {
            argument.replace(start, std::string::npos, found->second);
        }
    }
    const Result result = cli(arguments);
    EXPECT_EQ(result.status, GetParam().status) << result.errors;
    if (GetParam().status == 2) {
        EXPECT_THAT(result.errors, ::testing::StartsWith("tallyvane-cli: "));
        EXPECT_THAT(result.errors, ::testing::HasSubstr(GetParam().says));
        EXPECT_FALSE(fs::exists(folder.path() / "out.xlsx"));
    } else {
        EXPECT_THAT(result.out, ::testing::HasSubstr(GetParam().says));
    }
    EXPECT_FALSE(fs::exists(folder.path() / "out.csv"));
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, UsageErrors,
    ::testing::Values(UsageCase{"noCommand", {}}, UsageCase{"unknownCommand", {"print", "SAMPLE"}},
                      UsageCase{"noFile", {"reports"}}, UsageCase{"saveWithoutOutput", {"save", "SAMPLE"}},
                      UsageCase{"outputNotXlsx", {"save", "SAMPLE", "-o", "OUT_CSV"}},
                      UsageCase{"optionOfSaveOnly", {"reports", "SAMPLE", "--layout", "Default"}},
                      UsageCase{"unknownReport", {"save", "SAMPLE", "-o", "OUT", "--report", "Nothing"},
                                "no report \u201CNothing\u201D; its reports are \u201CDisabledClips\u201D\n"},
                      // The menu's separator is no report.
                      UsageCase{"separatorReport", {"save", "EVENT_SAMPLE", "-o", "OUT", "--report", "---"},
                                "no report \u201C---\u201D; its reports are \u201CEvent Clips\u201D, "
                                "\u201CJFK_Moon_Project\u201D\n"},
                      UsageCase{"separatorRoles", {"roles", "EVENT_SAMPLE", "--report=---"}, "no report \u201C---\u201D"},
                      UsageCase{"unknownReportAfterEquals", {"save", "SAMPLE", "--output=OUT", "--report=Nothing"},
                                "no report \u201CNothing\u201D"},
                      UsageCase{"unknownLayout", {"save", "SAMPLE", "-o", "OUT", "--layout", "Nothing"}},
                      UsageCase{"unknownSheet", {"save", "SAMPLE", "-o", "OUT", "--sheets", "markers,notes"},
                                "the sheets are markers, keywords, titles, effects, transitions, summary, or none"},
                      UsageCase{"unknownRole", {"save", "SAMPLE", "-o", "OUT", "--uncheck-audio", "Nothing"}},
                      UsageCase{"unknownOption", {"save", "SAMPLE", "-o", "OUT", "--set", "colour=on"},
                                "the keys are rowNumbers, thumbnails, keepThumbnails, role,"},
                      UsageCase{"noTimelineFormat", {"save", "SAMPLE", "-o", "OUT", "--set", "reportSeqTimecode=off"},
                                "no time format on for Timeline In, Timeline Out and Clip Duration"},
                      UsageCase{"keepWithoutThumbnails", {"save", "SAMPLE", "-o", "OUT", "--set", "keepThumbnails=on"},
                                "add --set thumbnails=on"},
                      UsageCase{"secondsOn", {"save", "SAMPLE", "-o", "OUT", "--set", "reportSeqSeconds=on"}},
                      UsageCase{"badSwitch", {"save", "SAMPLE", "-o", "OUT", "--set", "reel=yes"}},
                      UsageCase{"badWidth", {"save", "SAMPLE", "-o", "OUT", "--thumbnail-width", "wide"}},
                      // Beyond what a column of a workbook can show.
                      UsageCase{"widthTooLarge", {"save", "SAMPLE", "-o", "OUT", "--thumbnail-width", "20000"},
                                "from 1 to 1790 (0 for no thumbnails), not \u201C20000\u201D"},
                      UsageCase{"widthTooLargeAfterEquals", {"save", "SAMPLE", "-o", "OUT", "--thumbnail-width=1791"},
                                "from 1 to 1790"},
                      // A negative width counts as its size, as in the settings window.
                      UsageCase{"negativeWidth", {"save", "SAMPLE", "-o", "OUT", "--thumbnail-width", "-50"}, "out.xlsx\n", 0},
                      UsageCase{"negativeWidthTooLarge", {"save", "SAMPLE", "-o", "OUT", "--thumbnail-width=-1791"},
                                "from 1 to 1790"},
                      UsageCase{"missingValue", {"save", "SAMPLE", "-o"}},
                      UsageCase{"unknownShortOptionWithEquals", {"save", "SAMPLE", "-q=3"}, "unknown option -q\n"},
                      UsageCase{"unknownOptionLast", {"save", "SAMPLE", "-o", "OUT", "--bogus"}, "unknown option --bogus\n"},
                      UsageCase{"emptyShortOptionWithEquals", {"save", "SAMPLE", "-o="}, "-o needs a value\n"},
                      UsageCase{"emptyLongOutputWithEquals", {"save", "SAMPLE", "--output="}, "--output needs a value\n"},
                      UsageCase{"unknownOptionBeforeTheCommand", {"--bogus", "reports", "SAMPLE"}, "unknown option --bogus\n"},
                      UsageCase{"unknownShortOptionAlone", {"-q"}, "unknown option -q\n"},
                      UsageCase{"optionBeforeTheCommand", {"--report=A", "roles", "SAMPLE"}, "--report goes after the command\n"},
                      UsageCase{"repeatedOutput", {"save", "SAMPLE", "-o", "OUT", "--output=OUT"},
                                "--output is given more than once"},
                      UsageCase{"repeatedReport", {"roles", "SAMPLE", "--report", "A", "--report", "A"},
                                "--report is given more than once"},
                      UsageCase{"doubleDashEndsTheOptions", {"reports", "--", "SAMPLE"}, "DisabledClips\n", 0},
                      UsageCase{"optionAfterDoubleDashIsAFile", {"reports", "SAMPLE", "--", "-o"}, "more than one FILE"},
                      UsageCase{"doubleDashBeforeTheCommand", {"--", "reports", "SAMPLE"}, "DisabledClips\n", 0},
                      UsageCase{"helpAfterDoubleDashIsACommand", {"--", "--help"}, "unknown command \u201C--help\u201D\n"},
                      UsageCase{"nothingAfterDoubleDash", {"--"}, "no command given\n"},
                      UsageCase{"shortOptionWithEquals", {"save", "SAMPLE", "-o=out.xlsx"},
                                "-o takes its value as the next argument (-o out.xlsx)"},
                      UsageCase{"upperCaseExtension", {"save", "SAMPLE", "-o", "OUT_UPPER"}, "OUT.XLSX\n", 0},
                      UsageCase{"emptyValueAfterEquals", {"save", "SAMPLE", "-o", "OUT", "--layout="}, "no layout"},
                      UsageCase{"version", {"--version"}, "tallyvane-cli " TALLYVANE_VERSION "\n", 0},
                      UsageCase{"helpOfACommand", {"save", "--help"}, "usage: tallyvane-cli reports FILE\n", 0},
                      UsageCase{"helpAfterAFile", {"reports", "SAMPLE", "-h"}, "Report options of --set", 0},
                      UsageCase{"valuesAfterEquals",
                                {"save", "SAMPLE", "--output=OUT", "--set=rowNumbers=on", "--thumbnail-width=1790"},
                                "out.xlsx\n", 0}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tallyvane
