// The whole road through the built tallyvane-cli, over every sample project: the program is
// run as a user runs it, and its workbooks are read back with openpyxl.

#include <sys/wait.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "support/temporary_folder.h"
#include "support/shell_command.h"

namespace tallyvane {
namespace {

namespace fs = std::filesystem;
using test::TemporaryFolder;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

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
    // Runs tallyvane-cli with its own support folder.
    Result cli(const std::vector<std::string>& arguments) {
        std::string command = "TALLYVANE_SUPPORT_DIR=" + test::shellQuoted((folder.path() / "support").string()) + " " +
                              test::shellQuoted(TALLYVANE_CLI);
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
}

struct UsageCase {
    const char* name;
    std::vector<std::string> arguments;
    // Part of the reason given.
    const char* says = "";
};

class UsageErrors : public CliTest, public ::testing::WithParamInterface<UsageCase> {};

TEST_P(UsageErrors, ExitWithStatusTwo) {
    std::vector<std::string> arguments = GetParam().arguments;
    for (std::string& argument : arguments) {
        if (argument == "SAMPLE") argument = (kSamples / "TheAcharya__OpenFCPXMLKit__DisabledClips.fcpxml").string();
        if (argument == "OUT") argument = (folder.path() / "out.xlsx").string();
        // Inside the test's folder, so that a refused name that were written anyway is seen, and
        // lands nowhere else.
        if (argument == "OUT_CSV") argument = (folder.path() / "out.csv").string();
    }
    const Result result = cli(arguments);
    EXPECT_EQ(result.status, 2);
    EXPECT_THAT(result.errors, ::testing::StartsWith("tallyvane-cli: "));
    EXPECT_THAT(result.errors, ::testing::HasSubstr(GetParam().says));
    EXPECT_FALSE(fs::exists(folder.path() / "out.xlsx"));
    EXPECT_FALSE(fs::exists(folder.path() / "out.csv"));
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, UsageErrors,
    ::testing::Values(UsageCase{"noCommand", {}}, UsageCase{"unknownCommand", {"print", "SAMPLE"}},
                      UsageCase{"noFile", {"reports"}}, UsageCase{"saveWithoutOutput", {"save", "SAMPLE"}},
                      UsageCase{"outputNotXlsx", {"save", "SAMPLE", "-o", "OUT_CSV"}},
                      UsageCase{"optionOfSaveOnly", {"reports", "SAMPLE", "--layout", "Default"}},
                      UsageCase{"unknownReport", {"save", "SAMPLE", "-o", "OUT", "--report", "Nothing"}},
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
                      UsageCase{"missingValue", {"save", "SAMPLE", "-o"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tallyvane
