#include "shell/media_shortfall.h"
#include "shell/shell_controller.h"

#include <fstream>
#include <sstream>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "fake_platform.h"
#include "media/media_error.h"
#include "report/support_folder_lock.h"
#include "role_table_rows.h"
#include "shell/shell_addresses.h"
#include "support/shell_command.h"
#include "support/temporary_folder.h"
#include "support/named_case.h"

namespace tallyvane {

void PrintTo(const RoleRecord& row, std::ostream* out) {
    *out << '{' << row.roleName << ", " << (row.isChecked ? "checked" : "unchecked") << '}';
}

namespace {

using test::PrintTo;

namespace fs = std::filesystem;
using test::Alert;
using test::FakePlatform;
using test::TemporaryFolder;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

const fs::path kData = fs::path(TALLYVANE_TEST_DATA_DIR) / "shell";
using test::kArrow;
using test::names;

class ShellControllerTest : public ::testing::Test {
protected:
    ShellSetup setup() {
        return ShellSetup{folder.path() / "support",
                          [this] {
                              ++workFolderAsked;
                              return folder.path() / "work";
                          },
                          [this](const Store&) -> ReportWriter {
                              return [this](ReportContext& context, const ReportRequest& request) {
                                  written.push_back(request);
                                  if (duringWrite) duringWrite(context);
                              };
                          },
                          log, [this] {
                              if (moduleFailure) throw MediaModuleError(*moduleFailure);
                              return proVideo;
                          }};
    }

    TemporaryFolder folder;
    FakePlatform platform;
    std::ostringstream log;
    std::vector<ReportRequest> written;
    std::function<void(ReportContext&)> duringWrite;
    bool proVideo = true;
    std::optional<std::string> moduleFailure;
    int workFolderAsked = 0;
};

TEST_F(ShellControllerTest, WithoutASupportFolderReportsUseTheWorkFolderAndLayoutsStayInMemory) {
    ShellSetup noFolder = setup();
    noFolder.supportFolder.reset();
    ShellController shell(platform, std::move(noFolder));
    shell.layouts().addLayout();
    shell.layouts().confirmLayoutName("Edit");
    EXPECT_THAT(shell.layouts().appMenu().titles(), ElementsAre("Default", "Edit"));
    EXPECT_FALSE(shell.layouts().filePath().has_value());
    // The work folder is asked for by the save alone: a run without reports makes none.
    shell.openFiles({kData / "one_timeline.fcpxml"});
    EXPECT_EQ(workFolderAsked, 0);
    platform.savePath = folder.path() / "report.xlsx";
    duringWrite = [](ReportContext& context) { context.workbook->addWorksheet("Selected Roles"); };
    EXPECT_EQ(shell.save(), SaveOutcome::saved);
    EXPECT_EQ(workFolderAsked, 1);
    EXPECT_EQ(shell.reportContext().supportFolder, folder.path() / "work");
}

TEST_F(ShellControllerTest, ProjectWithSeveralReportsWaitsForAnalysisAndSavesTheAnalysedOne) {
    ShellController shell(platform, setup());
    EXPECT_EQ(shell.openFiles({kData / "event_with_timelines.fcpxml"}), OpenOutcome::opened);
    EXPECT_TRUE(shell.inputFileIconVisible());
    EXPECT_EQ(shell.inputFileName(), "event_with_timelines.fcpxml");
    // "Day 2" comes before "Day 10"; only the first event offers reports.
    EXPECT_THAT(shell.reportMenu().titles(), ElementsAre("Event Clips", "---", "Timeline A", "Timeline B"));
    EXPECT_EQ(shell.reportMenu().selectedTitle(), "Event Clips");
    EXPECT_FALSE(shell.saveEnabled());
    EXPECT_THAT(shell.videoRoles().rows(), IsEmpty());
    EXPECT_FALSE(platform.busy);
    EXPECT_THAT(platform.alerts, IsEmpty());
    EXPECT_EQ(shell.reportContext().sheetKind, 6);
    EXPECT_EQ(shell.reportContext().currentInputType, InputType::FCPXML);

    shell.analyze();
    EXPECT_THAT(names(shell.videoRoles()), ElementsAre("B-Roll"));
    EXPECT_THAT(names(shell.audioRoles()), ElementsAre("Dialogue", "Dialogue" + kArrow + "Boom"));

    shell.layouts().addLayout();
    shell.layouts().confirmLayoutName("Edit");
    shell.layouts().chooseInApp(1);
    shell.chooseReport(2);
    shell.analyze();
    EXPECT_TRUE(shell.saveEnabled());
    EXPECT_TRUE(shell.roleButtonsEnabled());
    EXPECT_EQ(shell.selectedReport(), "Timeline A");
    EXPECT_THAT(names(shell.videoRoles()), ElementsAre("Titles", "Video", "Video" + kArrow + "Wide"));
    // The reader gives a role without subrole its first subrole, "Music-1".
    EXPECT_THAT(names(shell.audioRoles()),
                ElementsAre("Dialogue", "Dialogue" + kArrow + "Lav", "Music", "Music" + kArrow + "Music-1"));

    // The save request carries the analysed report and the chosen layout. Choosing another
    // report without analysing it changes neither the report nor its title.
    shell.chooseReport(3);
    shell.toggleVideoRole(1);
    shell.setAllAudioRoles(false);
    shell.setSheetSwitch(ExtraSheet::keywords, false);
    shell.setSheetSwitch(ExtraSheet::summary, false);
    const ReportRequest request = shell.saveRequest();
    EXPECT_EQ(request.reportName, "Timeline A");
    EXPECT_EQ(request.title, "Timeline A - Edit Report");
    EXPECT_THAT(request.sheets, ElementsAre("markers", "titles", "effects", "transitions"));
    EXPECT_THAT(request.videoRoles, ElementsAre(RoleRecord{"Titles", true}, RoleRecord{"Video", false},
                                                RoleRecord{"Video" + kArrow + "Wide", false}));
    EXPECT_THAT(request.audioRoles,
                ElementsAre(RoleRecord{"Dialogue", false}, RoleRecord{"Dialogue" + kArrow + "Lav", false},
                            RoleRecord{"Music", false}, RoleRecord{"Music" + kArrow + "Music-1", false}));
    EXPECT_EQ(request.options.size(), 38u);
    EXPECT_FALSE(request.options.at("rowNumbers"));  // a new layout has every column off
}

TEST_F(ShellControllerTest, FirstOfSeveralFilesWithOneReportIsAnalysedAtOnceAndANewOpenClearsIt) {
    ShellController shell(platform, setup());
    EXPECT_EQ(shell.clickOpenFile(), OpenOutcome::cancelled);
    EXPECT_THAT(platform.openExtensions, ElementsAre("fcpxml", "fcpxmld"));
    EXPECT_EQ(shell.openFiles({kData / "one_timeline.fcpxml", kData / "event_with_timelines.fcpxml",
                               kData / "too_old.fcpxml"}),
              OpenOutcome::opened);
    EXPECT_EQ(shell.inputFileName(), "one_timeline.fcpxml");
    EXPECT_THAT(shell.reportMenu().titles(), ElementsAre("Timeline A"));
    EXPECT_THAT(platform.alerts, IsEmpty());
    EXPECT_TRUE(shell.saveEnabled());
    EXPECT_EQ(shell.selectedReport(), "Timeline A");
    EXPECT_THAT(names(shell.videoRoles()), ElementsAre("Titles", "Video", "Video" + kArrow + "Wide"));
    EXPECT_EQ(shell.openFiles({}), OpenOutcome::cancelled);
    EXPECT_THAT(shell.reportMenu().titles(), ElementsAre("Timeline A"));

    platform.openPath = kData / "event_with_timelines.fcpxml";
    EXPECT_EQ(shell.clickOpenFile(), OpenOutcome::opened);
    EXPECT_FALSE(shell.saveEnabled());
    EXPECT_FALSE(shell.save().has_value());
    EXPECT_THAT(shell.videoRoles().rows(), IsEmpty());
    // Nothing disables All and None again; on the emptied tables they change nothing.
    EXPECT_TRUE(shell.roleButtonsEnabled());
    EXPECT_EQ(shell.store().fetch<EventBin>().size(), 2u);
}

TEST_F(ShellControllerTest, TooOldDocumentIsRefusedWithTheReadersAlertAndCommandsWaitMeanwhile) {
    ShellController shell(platform, setup());
    shell.openFiles({kData / "one_timeline.fcpxml"});
    std::optional<OpenOutcome> nestedOpen;
    bool nestedSaveRefused = false;
    bool nestedBusy = false;
    // The reader's alert comes while the document is still being read.
    platform.onAlert = [&] {
        nestedBusy = shell.isBusy();
        nestedOpen = shell.openFiles({kData / "event_with_timelines.fcpxml"});
        nestedSaveRefused = !shell.save().has_value();
        shell.analyze();
    };
    EXPECT_EQ(shell.openFiles({kData / "too_old.fcpxml"}), OpenOutcome::rejected);
    EXPECT_THAT(platform.alerts,
                ElementsAre(Alert{"There is a problem with this FCPXML",
                                  "The minimum version of XML supported is 1.6 (exported from Final Cut Pro 10.3)."}));
    EXPECT_TRUE(shell.reportMenu().empty());
    EXPECT_FALSE(platform.busy);
    EXPECT_TRUE(nestedBusy);
    EXPECT_EQ(nestedOpen, OpenOutcome::busy);
    EXPECT_TRUE(nestedSaveRefused);
    EXPECT_FALSE(shell.saveEnabled());
    EXPECT_TRUE(written.empty());
    EXPECT_EQ(shell.inputFileName(), "too_old.fcpxml");
    EXPECT_FALSE(shell.isBusy());
}

struct OpenErrorCase {
    const char* name;
    const char* file;
    // What the file is: an empty folder, a tar archive of a text file, or a text file.
    enum class Made { folder, archive, text } made;
    OpenOutcome outcome;
    Alert alert;
    const char* text = "<fcpxml/>";
};

class OpenErrors : public ShellControllerTest, public ::testing::WithParamInterface<OpenErrorCase> {};

TEST_P(OpenErrors, EndInAnAlertAndAnEmptyMenu) {
    ShellController shell(platform, setup());
    shell.openFiles({kData / "one_timeline.fcpxml"});
    const fs::path path = folder.path() / GetParam().file;
    if (GetParam().made == OpenErrorCase::Made::folder) fs::create_directories(path);
    if (GetParam().made == OpenErrorCase::Made::text) std::ofstream(path) << GetParam().text;
    if (GetParam().made == OpenErrorCase::Made::archive) {
        std::ofstream(folder.path() / "notes.txt") << "text";
        const std::string command = "tar -cf " + test::shellQuoted(path.string()) + " -C " +
                                    test::shellQuoted(folder.path().string()) + " notes.txt";
        ASSERT_EQ(std::system(command.c_str()), 0);
    }
    EXPECT_EQ(shell.openFiles({path}), GetParam().outcome);
    EXPECT_THAT(platform.alerts, ElementsAre(GetParam().alert));
    EXPECT_TRUE(shell.reportMenu().empty());
    EXPECT_TRUE(shell.store().fetch<EventBin>().empty());
    EXPECT_FALSE(shell.saveEnabled());
    EXPECT_TRUE(shell.inputFileIconVisible());
    EXPECT_EQ(shell.inputFileName(), path.filename().string());
    EXPECT_FALSE(platform.busy);
    if (GetParam().outcome != OpenOutcome::nothingToReport) {
        EXPECT_THAT(log.str(), HasSubstr("\"failed parsing the file\""));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, OpenErrors,
    ::testing::Values(
        OpenErrorCase{"bundleFolderWithoutDocument", "p.fcpxmld", OpenErrorCase::Made::folder, OpenOutcome::unreadable,
                      {"The file \u201CInfo.fcpxml\u201D couldn\u2019t be opened.", "No such file or directory."}},
        OpenErrorCase{"archiveWithoutDocument", "p.fcpxmld", OpenErrorCase::Made::archive, OpenOutcome::unreadable,
                      {"This is not a valid .fcpxml file", "Please export a new XML from Final Cut Pro."}},
        OpenErrorCase{"unknownExtension", "p.FCPXML", OpenErrorCase::Made::text, OpenOutcome::notADocument,
                      {"\u201Cp.FCPXML\u201D is not a project document",
                       "Open a .fcpxml file or a .fcpxmld bundle exported from Final Cut Pro."}},
        OpenErrorCase{"nothingToReport", "p.fcpxml", OpenErrorCase::Made::text, OpenOutcome::nothingToReport,
                      {"There is nothing to report", "The project holds no event with clips or timelines."},
                      R"(<fcpxml version="1.11"><library><event name="Empty"/></library></fcpxml>)"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ShellControllerTest, SaveWritesThroughTheSaveFlowAndRefusesAnOpenMeanwhile) {
    ShellController shell(platform, setup());
    EXPECT_FALSE(shell.save().has_value());
    // Reading and writing tick the platform, and only while busy.
    bool busyAtEveryTick = true;
    platform.onTick = [&] { busyAtEveryTick = busyAtEveryTick && shell.isBusy(); };
    shell.openFiles({kData / "one_timeline.fcpxml"});
    const std::size_t readingTicks = platform.ticks;
    EXPECT_GT(readingTicks, 0u);
    platform.savePath = folder.path() / "out" / "report.xlsx";
    fs::create_directories(folder.path() / "out");
    std::optional<OpenOutcome> openDuringWrite;
    platform.progressAt = {2, 5};
    duringWrite = [&](ReportContext& context) {
        EXPECT_TRUE(shell.isBusy());
        // The writers read the window's progress indicator.
        EXPECT_EQ(context.progress().value, 2.0);
        EXPECT_EQ(context.progress().maximum, 5.0);
        openDuringWrite = shell.openFiles({kData / "event_with_timelines.fcpxml"});
        context.tick();
        context.tick();
        context.workbook->addWorksheet("Selected Roles");
    };
    shell.layouts().overrideThumbnailWidth("96");
    shell.setOffsetText(TimeFormat::frames, "12");
    EXPECT_EQ(shell.save(), SaveOutcome::saved);
    EXPECT_EQ(openDuringWrite, OpenOutcome::busy);
    EXPECT_EQ(platform.ticks, readingTicks + 2);
    EXPECT_TRUE(busyAtEveryTick);
    EXPECT_THAT(shell.reportMenu().titles(), ElementsAre("Timeline A"));
    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(written[0].title, "Timeline A - Default Report");
    EXPECT_THAT(platform.suggestedNames, ElementsAre("Timeline A - Default Report"));
    EXPECT_TRUE(fs::is_regular_file(folder.path() / "out" / "report.xlsx"));
    EXPECT_EQ(shell.reportContext().thumbnailWidth, 96);
    EXPECT_EQ(shell.reportContext().framesAdj, 12.0);
    EXPECT_FALSE(shell.isBusy());
    EXPECT_THAT(log.str(), HasSubstr("\u25BF 38 key/value pairs"));
}

// Nothing is touched before a destination is chosen, and a width no column shows is said.
TEST_F(ShellControllerTest, ACancelledSaveCostsNothingAndAnImpossibleWidthIsSaid) {
    ShellController shell(platform, setup());
    shell.openFiles({kData / "one_timeline.fcpxml"});
    const fs::path support = folder.path() / "support";
    test::writeText(support / "Thumbnails" / "kept.jpg", "kept by the report before");
    bool freeWhileChoosing = false;
    platform.onSavePanel = [&] { freeWhileChoosing = SupportFolderLock(support).held(); };
    EXPECT_EQ(shell.save(), SaveOutcome::cancelled);
    EXPECT_TRUE(freeWhileChoosing);
    EXPECT_TRUE(fs::exists(support / "Thumbnails" / "kept.jpg"));
    EXPECT_TRUE(SupportFolderLock(support).held());

    shell.layouts().overrideColumn(kThumbnailsSwitch, true);
    shell.layouts().overrideThumbnailWidth("2000");
    EXPECT_EQ(shell.save(), SaveOutcome::failed);
    EXPECT_THAT(platform.alerts, ElementsAre(Alert{"The report could not be made",
                                                   "The thumbnail width is from 1 to 1790 pixels, not 2000: a wider "
                                                   "picture would cover the next columns."}));
    // A negative width counts as its size here too: too wide by its size, or saved.
    shell.layouts().overrideThumbnailWidth("-2000");
    EXPECT_EQ(shell.save(), SaveOutcome::failed);
    EXPECT_THAT(platform.alerts.back().informativeText, ::testing::HasSubstr(", not 2000: "));
    EXPECT_EQ(platform.suggestedNames.size(), 1u) << "no panel for a report that cannot be made";
    EXPECT_TRUE(written.empty());
    shell.layouts().overrideThumbnailWidth("-50");
    EXPECT_EQ(shell.save(), SaveOutcome::cancelled);
    EXPECT_EQ(platform.suggestedNames.size(), 2u);
}

TEST_F(ShellControllerTest, MediaModuleFailureIsAlertedOnceWhereTheProgramAlertsIt) {
    const std::string kReason = "/opt/lib/tallyvane/module.so: file too short";
    for (const bool alerting : {true, false}) {
        FakePlatform answering;
        ShellSetup chosen = setup();
        chosen.alertMediaModuleFailure = alerting;
        ShellController shell(answering, std::move(chosen));
        shell.openFiles({kData / "one_timeline.fcpxml"});
        answering.savePath = folder.path() / "report.xlsx";
        duringWrite = [&](ReportContext& context) {
            // Every report counts its own cells.
            EXPECT_EQ(context.mediaShortfall.problemThumbnails, 0u) << alerting;
            EXPECT_FALSE(context.mediaShortfall.moduleFailure) << alerting;
            context.workbook->addWorksheet("Selected Roles");
            context.mediaShortfall.problemThumbnails = 2;
            context.mediaShortfall.moduleFailure = kReason;
        };
        EXPECT_EQ(shell.save(), SaveOutcome::saved) << alerting;
        EXPECT_EQ(shell.save(), SaveOutcome::saved) << alerting;
        const std::vector<Alert> expected{{std::string(kMediaModuleFailureText), kReason}};
        EXPECT_EQ(answering.alerts, alerting ? expected : std::vector<Alert>{}) << alerting;
        // The window's status line says what the command line's says.
        EXPECT_EQ(shell.savedMessage(), "2 thumbnail cells read \"Problem\" (" + std::string(kMediaModuleFailureText) +
                                            ": " + kReason + ").")
            << alerting;
        // The command-line program reads it here instead.
        EXPECT_EQ(shell.reportContext().mediaShortfall.moduleFailure, kReason) << alerting;
    }
}

// The media is blamed only for the "Problem" cells whose pictures it could not give.
TEST(MediaShortfallSentence, BlamesTheMediaOnlyForWhatItCouldNotGive) {
    const std::string cannotWrite = "Cannot write \"/t/000000001 A.jpg\": The disk is full.";
    const struct {
        MediaShortfall shortfall;
        std::optional<std::string> said;
    } rows[] = {
        {{}, std::nullopt},
        {{1, 0, 0, std::nullopt, std::nullopt}, "1 thumbnail cell reads \"Offline\" (media not found)"},
        {{0, 2, 0, std::nullopt, std::nullopt}, "2 thumbnail cells read \"Problem\" (the media could not be read)"},
        {{0, 2, 2, cannotWrite, std::nullopt}, "2 thumbnail cells read \"Problem\" (" + cannotWrite + ")"},
        {{1, 3, 1, cannotWrite, std::nullopt},
         "1 thumbnail cell reads \"Offline\" (media not found) and 3 read \"Problem\" (the media could not be read; " +
             cannotWrite + ")"},
    };
    for (const auto& row : rows) EXPECT_EQ(mediaShortfallSentence(row.shortfall), row.said);
}

TEST_F(ShellControllerTest, HelpWebsiteAndMailOpenTheirAddresses) {
    ShellController shell(platform, setup());
    shell.showHelp();
    shell.visitWebsite();
    shell.emailSupport();
    platform.mailWorks = false;
    shell.emailSupport();
    ASSERT_EQ(platform.openedUrls.size(), 5u);
    EXPECT_EQ(platform.openedUrls[0], kHelpUrl);
    EXPECT_EQ(platform.openedUrls[1], kProductUrl);
    EXPECT_THAT(platform.openedUrls[2], ::testing::StartsWith("mailto:" + std::string(kSupportMailAddress) +
                                                              "?subject=Bug%20Report%20for%20"));
    EXPECT_EQ(platform.openedUrls[3], platform.openedUrls[2]);
    EXPECT_EQ(platform.openedUrls[4], kContactUrl);
    EXPECT_THAT(platform.alerts, IsEmpty());

    // With nothing on the desktop to take them, each says so.
    platform.browserWorks = false;
    shell.showHelp();
    shell.visitWebsite();
    shell.emailSupport();
    EXPECT_THAT(platform.alerts,
                ElementsAre(Alert{"The help cannot be opened", "No web browser is set up to open " + std::string(kHelpUrl) + "."},
                            Alert{"The website cannot be opened",
                                  "No web browser is set up to open " + std::string(kProductUrl) + "."},
                            Alert{"The support mail cannot be written", "No mail program or web browser is set up. Write to " +
                                                                            std::string(kSupportMailAddress) + "."}));
}

TEST_F(ShellControllerTest, ProVideoCheckReportsWhatTheMediaLibraryReads) {
    const std::string kNoModule = "/opt/lib/tallyvane/module.so: cannot open shared object file";
    const struct {
        const char* name;
        bool available;
        std::optional<std::string> moduleFailure;
        bool chooseAction;
        Alert alert;
        std::vector<std::string> urls;
        std::vector<std::string> actions;
    } cases[]{{"installed", true, {}, false, {"Success!\nPro Video Formats are installed", ""}, {}, {}},
              {"missingOk", false, {}, false, {"Pro Video Formats are NOT installed", ""}, {}, {"Get Pro Video Formats"}},
              {"missingGet", false, {}, true, {"Pro Video Formats are NOT installed", ""},
               {std::string(kProVideoFormatsUrl)}, {"Get Pro Video Formats"}},
              // The formats are not what is missing, and nothing offers to get them.
              {"moduleNotLoaded", true, kNoModule, true, {std::string(kMediaModuleFailureText), kNoModule}, {}, {}}};
    for (const auto& c : cases) {
        FakePlatform answering;
        proVideo = c.available;
        moduleFailure = c.moduleFailure;
        answering.chooseAction = c.chooseAction;
        ShellController shell(answering, setup());
        shell.checkProVideoFormats();
        ASSERT_EQ(answering.alerts.size(), 1u) << c.name;
        EXPECT_EQ(answering.alerts[0].messageText, c.alert.messageText) << c.name;
        EXPECT_EQ(answering.alerts[0].informativeText, c.alert.informativeText) << c.name;
        EXPECT_EQ(answering.actionTitles, c.actions) << c.name;
        EXPECT_EQ(answering.openedUrls, c.urls) << c.name;
    }
}

}  // namespace
}  // namespace tallyvane
