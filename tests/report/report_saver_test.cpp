#include <acl/libacl.h>
#include <fcntl.h>
#include <grp.h>
#include <linux/fs.h>
#include <sys/fanotify.h>
#include <sys/file.h>
#include <sys/inotify.h>
#include <sys/ioctl.h>
#include <sys/acl.h>
#include <sys/mount.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <stdexcept>
#include <thread>

#include <gtest/gtest.h>

#include "report/file_access.h"
#include "report/file_replacement.h"
#include "report/report_saver.h"
#include "report_builders.h"
#include "support/read_only_folder.h"
#include "support/shell_command.h"

#include "workbook_reader.h"
#include "xlsx/workbook.h"

namespace tallyvane::testing {
namespace {

namespace fs = std::filesystem;

class FakePlatform : public ReportPlatform {
public:
    void showAlert(const std::string& messageText, const std::string& informativeText) override {
        alerts.push_back({messageText, informativeText});
    }
    std::optional<fs::path> askSavePath(const std::string& suggestedName, std::string_view extension) override {
        panels.push_back(suggestedName + "." + std::string(extension));
        return answer;
    }
    void openFile(const fs::path& file, std::function<void(bool)> answered) override {
        opened.push_back(file);
        answered(true);
    }
    void revealFolder(const fs::path& folder) override { revealed.push_back(folder); }
    void sayWorkFolder(const std::string& sentence) override {
        // Before anything else the save says.
        saidFirst = alerts.empty() && revealed.empty() && said.empty();
        said.push_back(sentence);
    }
    void setBusy(bool busy) override { busyChanges.push_back(busy); }
    ProgressReading progress() const override { return {}; }

    std::optional<fs::path> answer;
    std::vector<std::pair<std::string, std::string>> alerts;
    std::vector<std::string> panels;
    std::vector<fs::path> opened;
    std::vector<fs::path> revealed;
    std::vector<std::string> said;
    bool saidFirst = false;
    std::vector<bool> busyChanges;
};

std::string contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const fs::path& file, const std::string& text) { std::ofstream(file, std::ios::binary) << text; }

// What root owns in `folder`, and the folder itself where it is root's.
std::vector<fs::path> rootsIn(const fs::path& folder) {
    std::vector<fs::path> found;
    std::error_code error;
    struct stat status {};
    if (lstat(folder.c_str(), &status) == 0 && status.st_uid == 0) found.push_back(folder);
    for (fs::recursive_directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
        if (lstat(entry->path().c_str(), &status) == 0 && status.st_uid == 0) found.push_back(entry->path());
    }
    return found;
}

// The descriptors of this process open on files in `folder`, named or since removed.
int descriptorsInto(const fs::path& folder) {
    int count = 0;
    for (const auto& entry : fs::directory_iterator("/proc/self/fd")) {
        std::error_code unreadable;
        count += fs::read_symlink(entry.path(), unreadable).string().starts_with(folder.string() + "/");
    }
    return count;
}

using test::ReadOnlyFolder;

constexpr uid_t kNobody = 65534;
constexpr gid_t kNogroup = 65534;

// Makes the calling (child) process nobody, in nogroup and `groups`; false where it cannot.
bool becomeNobody(const std::vector<gid_t>& groups = {}) {
    return setgroups(groups.size(), groups.data()) == 0 && setresgid(kNogroup, kNogroup, kNogroup) == 0 &&
           setresuid(kNobody, kNobody, kNobody) == 0;
}

// What one save saw: its outcome, the thumbnail folder's problem as the report writer found
// it, the alert's text and whether thumbnails were said kept.
struct Seen {
    int outcome = -1;
    std::string problem;
    std::string alert;
    bool kept = false;
    std::string keptOutOf;  // said by a run as root in this process only
    std::vector<std::string> said;
    bool saidFirst = false;
};

class ReportSaverTest : public ::testing::Test {
protected:
    ReportSaverTest() {
        store.insert(makeTimeline("Main Edit", 250));
        context.supportFolder = root.path() / "support";
        context.currentInputType = InputType::FCPXML;
        context.diagnostics = log;
        fs::create_directories(outFolder());
        platform.answer = destination();
        request.reportName = "Main Edit";
        request.title = "Main Edit - Standard Report";
    }

    fs::path outFolder() const { return root.path() / "out"; }
    fs::path destination() const { return outFolder() / "Main Edit.xlsx"; }
    fs::path temporary() const { return context.supportFolder / "spreadsheet.xlsx"; }
    fs::path thumbnails() const { return context.supportFolder / "Thumbnails"; }

    // Writes one sheet and one thumbnail, as a report writer would.
    ReportWriter sheetWriter() {
        return [this](ReportContext& ctx, const ReportRequest& req) {
            ++writes;
            thumbnailsBefore = std::distance(fs::directory_iterator(ctx.thumbnailFolder), fs::directory_iterator());
            ctx.workbook->addWorksheet("Selected Roles").write(req.reportName, xlsx::Cell(0, 0));
            writeFile(ctx.thumbnailFolder / "000000000 Clip.jpg", "jpeg");
        };
    }

    SaveOutcome save(ReportWriter writer) {
        ReportSaver saver(store, platform, std::move(writer));
        return saver.save(context, request);
    }

    // A save with a writer that notes the thumbnail folder's problem, or writes a picture where
    // there is none; made by this process, or by nobody in a child (a user who may not list
    // or remove what root left), given the run's private folder as the programs give it.
    Seen saveSeeing(bool asNobody, const ReportSaver::SupportFolderSource& privateFolder = {}) {
        const auto run = [this, &privateFolder] {
            Seen seen;
            FakePlatform local;
            local.answer = destination();
            ReportSaver saver(store, local, [&seen](ReportContext& ctx, const ReportRequest&) {
                seen.problem = ctx.thumbnailFolderProblem.value_or("");
                ctx.workbook->addWorksheet("Selected Roles");
                if (!ctx.thumbnailFolderProblem) writeFile(ctx.thumbnailFolder / "000000000 Clip.jpg", "jpeg");
            });
            const fs::path support = context.supportFolder;
            seen.outcome = static_cast<int>(saver.save(context, request, privateFolder));
            context.supportFolder = support;
            seen.kept = !local.revealed.empty();
            seen.keptOutOf = saver.keptOutOf().value_or("");
            seen.said = local.said;
            seen.saidFirst = local.saidFirst;
            if (!local.alerts.empty()) seen.alert = local.alerts[0].second;
            return seen;
        };
        if (!asNobody) return run();
        int channel[2];
        if (pipe(channel) != 0) return {};
        const pid_t child = fork();
        if (child == 0) {
            close(channel[0]);
            if (!becomeNobody()) _exit(2);
            const Seen seen = run();
            const std::string said = std::to_string(seen.outcome) + "\n" + (seen.kept ? "1" : "0") + "\n" +
                                     seen.problem + "\n" + seen.alert;
            for (std::size_t done = 0; done < said.size();) {
                const ssize_t put = write(channel[1], said.data() + done, said.size() - done);
                if (put <= 0) _exit(3);
                done += static_cast<std::size_t>(put);
            }
            _exit(0);
        }
        close(channel[1]);
        std::string said;
        char buffer[4096];
        for (ssize_t got; (got = read(channel[0], buffer, sizeof buffer)) > 0;) said.append(buffer, static_cast<std::size_t>(got));
        close(channel[0]);
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
        Seen seen;
        std::istringstream in(said);
        std::string outcome;
        std::string kept;
        std::getline(in, outcome);
        std::getline(in, kept);
        std::getline(in, seen.problem);
        seen.alert.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        seen.outcome = outcome.empty() ? -1 : std::stoi(outcome);
        seen.kept = kept == "1";
        return seen;
    }

    // Where nobody, as whom some saves are made, may reach it too.
    TemporaryFolder root{test::parentEveryoneReaches().value_or(fs::path())};
    Store store;
    FakePlatform platform;
    std::ostringstream log;
    ReportContext context;
    ReportRequest request;
    int writes = 0;
    std::ptrdiff_t thumbnailsBefore = -1;
};

TEST_F(ReportSaverTest, WritesMovesAndOpensTheWorkbookInPlaceOfAnOldFile) {
    writeFile(destination(), "old report");
    EXPECT_EQ(save(sheetWriter()), SaveOutcome::saved);
    EXPECT_EQ(platform.panels, std::vector<std::string>{"Main Edit - Standard Report.xlsx"});
    EXPECT_EQ(writes, 1);
    EXPECT_EQ(platform.opened, std::vector<fs::path>{destination()});
    EXPECT_EQ(platform.busyChanges, (std::vector<bool>{true, false}));
    EXPECT_TRUE(platform.alerts.empty());
    EXPECT_TRUE(platform.revealed.empty());
    EXPECT_FALSE(fs::exists(temporary()));
    EXPECT_FALSE(fs::exists(thumbnails()));
    EXPECT_FALSE(context.workbook.has_value());
    EXPECT_EQ(context.thumbnailFolder, thumbnails());
    EXPECT_EQ(std::distance(fs::directory_iterator(outFolder()), fs::directory_iterator()), 1);

    const auto book = readWorkbook(destination());
    EXPECT_EQ(book["sheets"], nlohmann::json{"Selected Roles"});
    EXPECT_EQ(book["worksheets"]["Selected Roles"]["cells"]["A1"]["value"], "Main Edit");

    const std::string lines = log.str();
    EXPECT_NE(lines.find("isWritableFile at " + thumbnails().string() + "\n"), std::string::npos);
    EXPECT_NE(lines.find(".FCPXML\n"), std::string::npos);
    EXPECT_NE(lines.find("\"Did the spreadsheet open?\" true\n"), std::string::npos);
}

TEST_F(ReportSaverTest, KeptThumbnailsAreShownInsteadOfRemoved) {
    request.options = {{"keepThumbnails", true}};
    EXPECT_EQ(save(sheetWriter()), SaveOutcome::saved);
    EXPECT_EQ(platform.revealed, std::vector<fs::path>{thumbnails()});
    EXPECT_TRUE(fs::exists(thumbnails() / "000000000 Clip.jpg"));
    // What a run stopped by SIGKILL had set aside and not removed.
    const fs::path setAside[] = {fs::path(thumbnails()).concat(".removed"),
                                 (context.supportFolder / "spreadsheet parts").concat(".removed")};
    for (const fs::path& aside : setAside) {
        fs::create_directories(aside / "inner");
        writeFile(aside / "inner" / "000000001 Clip.jpg", "left behind");
    }

    request.options = {{"keepThumbnails", false}};
    EXPECT_EQ(save(sheetWriter()), SaveOutcome::saved);
    EXPECT_EQ(thumbnailsBefore, 0);  // the second save started from an empty folder
    EXPECT_FALSE(fs::exists(thumbnails()));
    for (const fs::path& aside : setAside) EXPECT_FALSE(fs::exists(aside)) << aside;
    EXPECT_EQ(platform.revealed.size(), 1u);

    // Asked to keep them where no picture was made: nothing is kept or shown.
    request.options = {{"keepThumbnails", true}};
    EXPECT_EQ(save([](ReportContext&, const ReportRequest&) {}), SaveOutcome::saved);
    EXPECT_FALSE(fs::exists(thumbnails()));
    EXPECT_EQ(platform.revealed.size(), 1u);
}

// Whoever may write in a folder the program makes may take or replace its names there.
TEST_F(ReportSaverTest, TheFoldersItMakesAreClosedToOthersWhateverTheUmask) {
    request.options = {{"keepThumbnails", true}};
    for (const mode_t mask : {0000, 0002, 0077}) {
        const fs::path home = root.path() / ("home " + std::to_string(mask));
        context.supportFolder = home / ".local" / "share" / "Tallyvane";
        const mode_t before = ::umask(mask);
        const SaveOutcome outcome = save(sheetWriter());
        ::umask(before);
        EXPECT_EQ(outcome, SaveOutcome::saved) << mask;
        for (const fs::path& made : {home / ".local", home / ".local" / "share", context.supportFolder, thumbnails()}) {
            EXPECT_EQ(fs::status(made).permissions(), fs::perms(0755 & ~mask)) << made;
        }
    }
}

TEST_F(ReportSaverTest, EventAndBinClipsNeedNoTimeline) {
    for (const std::string name : {"Event Clips", "Bin Clips"}) {
        Store empty;
        request.reportName = name;
        ReportSaver saver(empty, platform, sheetWriter());
        EXPECT_EQ(saver.save(context, request), SaveOutcome::saved) << name;
    }
    EXPECT_EQ(writes, 2);
}

TEST_F(ReportSaverTest, AMissingTimelineEndsBeforeThePanel) {
    writeFile(destination(), "old report");
    request.reportName = "main edit";
    EXPECT_EQ(save(sheetWriter()), SaveOutcome::noTimeline);
    EXPECT_EQ(log.str(), "\"NO SEQUENCE\"\n");
    EXPECT_TRUE(platform.panels.empty());
    EXPECT_EQ(writes, 0);
    ASSERT_EQ(platform.alerts.size(), 1u);
    EXPECT_NE(platform.alerts[0].second.find("main edit"), std::string::npos);
    EXPECT_EQ(contents(destination()), "old report");
    EXPECT_FALSE(context.workbook.has_value());
}

TEST_F(ReportSaverTest, ACancelledPanelEndsSilentlyAndCostsNothing) {
    writeFile(destination(), "old report");
    fs::create_directories(thumbnails());
    writeFile(thumbnails() / "kept.jpg", "kept by the report before");
    platform.answer.reset();
    EXPECT_EQ(save(sheetWriter()), SaveOutcome::cancelled);
    EXPECT_EQ(writes, 0);
    EXPECT_TRUE(platform.alerts.empty());
    EXPECT_TRUE(platform.opened.empty());
    EXPECT_TRUE(platform.busyChanges.empty());
    EXPECT_FALSE(context.workbook.has_value());
    EXPECT_FALSE(fs::exists(temporary()));
    EXPECT_EQ(contents(destination()), "old report");
    EXPECT_EQ(contents(thumbnails() / "kept.jpg"), "kept by the report before");
    EXPECT_FALSE(fs::exists(context.supportFolder / ".report.lock"));
}

TEST_F(ReportSaverTest, WithoutADocumentKindTheEmptyWorkbookIsStillSaved) {
    context.currentInputType = InputType::null;
    EXPECT_EQ(save(sheetWriter()), SaveOutcome::saved);
    EXPECT_EQ(writes, 0);
    EXPECT_NE(log.str().find(".null\n"), std::string::npos);
    EXPECT_EQ(platform.opened, std::vector<fs::path>{destination()});
    EXPECT_TRUE(fs::exists(destination()));
}

TEST_F(ReportSaverTest, FailuresKeepTheOldFileAndSayWhy) {
    struct Case {
        std::string name;
        ReportWriter writer;
        std::string message;
        std::string detail;
    };
    const std::vector<Case> cases = {
        {"writer throws",
         [](ReportContext& ctx, const ReportRequest&) {
             ctx.workbook->addWorksheet("Markers");
             ctx.workbook->addWorksheet("MARKERS");
         },
         "The report could not be written", "already in use"},
        {"close refuses a chartsheet without chart",
         [](ReportContext& ctx, const ReportRequest&) { ctx.workbook->addChartsheet("Chart"); },
         "The report could not be saved", "no chart"},
        {"close cannot write the file",
         [](ReportContext& ctx, const ReportRequest&) {
             ctx.workbook->addWorksheet("Selected Roles");
             fs::remove_all(ctx.supportFolder);
             writeFile(ctx.supportFolder, "a file where the folder was");
         },
         "The report could not be saved", "could not be written"},
        {"writer throws something else", [](ReportContext&, const ReportRequest&) { throw 42; },
         "The report could not be written", "unexpected"},
    };
    for (const auto& c : cases) {
        FakePlatform local;
        local.answer = destination();
        writeFile(destination(), "old report");
        std::error_code ignored;
        fs::remove(context.supportFolder, ignored);
        ReportSaver saver(store, local, c.writer);
        EXPECT_EQ(saver.save(context, request), SaveOutcome::failed) << c.name;
        EXPECT_EQ(contents(destination()), "old report") << c.name;
        EXPECT_TRUE(local.opened.empty()) << c.name;
        ASSERT_EQ(local.alerts.size(), 1u) << c.name;
        EXPECT_EQ(local.alerts[0].first, c.message) << c.name;
        EXPECT_NE(local.alerts[0].second.find(c.detail), std::string::npos) << c.name << ": " << local.alerts[0].second;
        EXPECT_EQ(local.busyChanges, (std::vector<bool>{true, false})) << c.name;
        EXPECT_FALSE(context.workbook.has_value()) << c.name;
        EXPECT_FALSE(fs::is_regular_file(temporary()) && contents(temporary()).substr(0, 2) == "PK") << c.name;
        EXPECT_FALSE(saver.isRunning()) << c.name;
    }
}

// A folder that cannot take the workbook is found before the report is written, not after.
TEST_F(ReportSaverTest, ADestinationFolderThatCannotTakeTheWorkbookIsRefusedBeforeWriting) {
    writeFile(destination(), "old report");
    writeFile(root.path() / "plain file", "");
    struct Case {
        fs::path chosen;
        fs::path folder;
        const char* reason;
    };
    fs::create_directories(outFolder() / "Folder.xlsx" / "inside");
    for (const Case& c : {Case{outFolder() / "missing" / "Main Edit.xlsx", outFolder() / "missing", "No such file"},
                          Case{root.path() / "plain file" / "Main Edit.xlsx", root.path() / "plain file", "Not a directory"},
                          Case{outFolder() / "Folder.xlsx", {}, "Is a directory"},
                          Case{destination(), outFolder(), ""}}) {
        FakePlatform local;
        local.answer = c.chosen;
        ReportSaver saver(store, local, sheetWriter());
        {
            const ReadOnlyFolder readOnly(outFolder());
            if (c.chosen == destination() && !readOnly.effective()) continue;  // root without the immutable flag
            EXPECT_EQ(saver.save(context, request), SaveOutcome::failed) << c.chosen;
        }
        ASSERT_EQ(local.alerts.size(), 1u) << c.chosen;
        EXPECT_EQ(local.alerts[0].first, "The report could not be saved");
        const std::string place = c.folder.empty() ? "cannot be saved as " + c.chosen.string()
                                                   : "cannot be saved in the folder " + c.folder.string();
        EXPECT_NE(local.alerts[0].second.find(place + ": " + c.reason), std::string::npos) << local.alerts[0].second;
        EXPECT_TRUE(local.opened.empty());
        EXPECT_TRUE(local.busyChanges.empty());
    }
    EXPECT_EQ(writes, 0);
    EXPECT_EQ(contents(destination()), "old report");
    EXPECT_FALSE(fs::exists(outFolder() / "missing"));
    EXPECT_TRUE(fs::is_directory(outFolder() / "Folder.xlsx" / "inside"));
    // Nothing was made in the support folder either: no workbook, no thumbnails, no lock.
    EXPECT_FALSE(fs::exists(context.supportFolder));
}

TEST_F(ReportSaverTest, AWorkbookThatCannotBePutInPlaceIsKeptAndKeptThumbnailsAreStillShown) {
    request.options = {{"keepThumbnails", true}};
    // The chosen folder goes away while the report is written.
    const ReportWriter writer = sheetWriter();
    EXPECT_EQ(save([&](ReportContext& ctx, const ReportRequest& req) {
                  writer(ctx, req);
                  fs::remove_all(outFolder());
              }),
              SaveOutcome::failed);
    EXPECT_TRUE(platform.opened.empty());
    ASSERT_EQ(platform.alerts.size(), 1u);
    EXPECT_EQ(platform.revealed, std::vector<fs::path>{thumbnails()});
    EXPECT_TRUE(fs::exists(thumbnails() / "000000000 Clip.jpg"));
    EXPECT_NE(log.str().find("PROBLEM\n"), std::string::npos);

    // The finished workbook waits where the alert says, under a name the next report leaves alone.
    const std::string& said = platform.alerts[0].second;
    const std::string keptAt = " The finished workbook is kept at ";
    ASSERT_NE(said.find(destination().string() + " could not be written: "), std::string::npos) << said;
    ASSERT_NE(said.find(keptAt), std::string::npos) << said;
    const fs::path kept = said.substr(said.find(keptAt) + keptAt.size(), said.size() - said.find(keptAt) - keptAt.size() - 1);
    EXPECT_EQ(kept.parent_path(), context.supportFolder);
    EXPECT_NE(kept, temporary());
    EXPECT_FALSE(fs::exists(temporary()));
    fs::create_directories(outFolder());
    EXPECT_EQ(save(sheetWriter()), SaveOutcome::saved);
    EXPECT_EQ(readWorkbook(kept)["sheets"], nlohmann::json{"Selected Roles"});
}

TEST_F(ReportSaverTest, AnUnusableSupportFolderIsSaidOnceTheDestinationIsChosen) {
    writeFile(root.path() / "plain file", "");
    struct Row {
        const char* name;
        std::function<SaveOutcome(ReportSaver&)> save;
    };
    const Row rows[] = {
        {"set in the context",
         [&](ReportSaver& saver) {
             context.supportFolder = root.path() / "plain file" / "support";
             return saver.save(context, request);
         }},
        {"a work folder that cannot be made", [&](ReportSaver& saver) {
             return saver.save(context, request, []() -> fs::path {
                 throw std::runtime_error("A work folder cannot be created in the folder plain file");
             });
         }}};
    for (const Row& row : rows) {
        FakePlatform local;
        local.answer = destination();
        ReportSaver saver(store, local, sheetWriter());
        EXPECT_EQ(row.save(saver), SaveOutcome::failed) << row.name;
        EXPECT_EQ(local.panels.size(), 1u) << row.name;
        ASSERT_EQ(local.alerts.size(), 1u) << row.name;
        EXPECT_NE(local.alerts[0].second.find("plain file"), std::string::npos) << row.name;
        EXPECT_EQ(writes, 0) << row.name;
    }
}

TEST_F(ReportSaverTest, SaveIsRefusedWhileAReportRuns) {
    std::optional<SaveOutcome> inner;
    bool runningInside = false;
    ReportSaver* current = nullptr;
    ReportSaver saver(store, platform, [&](ReportContext& ctx, const ReportRequest& req) {
        runningInside = current->isRunning();
        inner = current->save(ctx, req);
        ctx.workbook->addWorksheet("Selected Roles");
    });
    current = &saver;
    EXPECT_FALSE(saver.isRunning());
    EXPECT_EQ(saver.save(context, request), SaveOutcome::saved);
    EXPECT_TRUE(runningInside);
    EXPECT_EQ(inner, SaveOutcome::busy);
    EXPECT_FALSE(saver.isRunning());
    EXPECT_EQ(platform.panels.size(), 1u);
    EXPECT_EQ(readWorkbook(destination())["sheets"], nlohmann::json{"Selected Roles"});
}

TEST_F(ReportSaverTest, AWorkbookIsNeverSavedIntoTheRunsScratch) {
    request.options["keepThumbnails"] = false;
    const fs::path parts = context.supportFolder / "spreadsheet parts";
    // The support folder seen through a second mount, where one can be made here.
    const fs::path mount = root.path() / "mount";
    fs::create_directories(context.supportFolder);
    fs::create_directories(mount);
    const bool mounted = ::mount(context.supportFolder.c_str(), mount.c_str(), nullptr, MS_BIND, nullptr) == 0;
    const std::unique_ptr<const char, void (*)(const char*)> unmount(
        mounted ? mount.c_str() : nullptr, [](const char* at) { umount2(at, MNT_DETACH); });
    const fs::path startedIn = fs::current_path();
    fs::current_path(context.supportFolder);
    const std::shared_ptr<void> back(nullptr, [&startedIn](void*) { fs::current_path(startedIn); });
    std::vector<std::pair<fs::path, fs::path>> rows{
        {thumbnails() / "Main Edit.xlsx", thumbnails()},
        {thumbnails() / "nested" / ".." / "Main Edit.xlsx", thumbnails()},
        {thumbnails(), thumbnails()},
        {parts / "Main Edit.xlsx", parts},
        {temporary(), temporary()},
        {"spreadsheet.xlsx", temporary()},
        {"Thumbnails/Main Edit.xlsx", thumbnails()},
        // What a stopped run set aside, which the next report removes.
        {fs::path(thumbnails()).concat(".removed") / "Main Edit.xlsx", fs::path(thumbnails()).concat(".removed")},
        {fs::path(parts).concat(".removed") / "Main Edit.xlsx", fs::path(parts).concat(".removed")}};
    if (mounted) rows.insert(rows.end(), {{mount / "spreadsheet.xlsx", temporary()}, {mount / "Thumbnails" / "Main Edit.xlsx", thumbnails()}});
    for (const auto& [chosen, named] : rows) {
        // Made, as an earlier report may have left it, so that only its device and inode tell.
        fs::create_directories(thumbnails());
        if (named.extension() == ".removed") fs::create_directories(named);
        platform.alerts.clear();
        platform.answer = chosen;
        EXPECT_EQ(save(sheetWriter()), SaveOutcome::failed) << chosen;
        ASSERT_EQ(platform.alerts.size(), 1u) << chosen;
        EXPECT_EQ(platform.alerts[0].first, "The report could not be saved");
        EXPECT_NE(platform.alerts[0].second.find(named.string() + " is "), std::string::npos) << platform.alerts[0].second;
        EXPECT_FALSE(fs::exists(temporary()));
        EXPECT_FALSE(fs::exists(parts));
    }
    EXPECT_EQ(writes, 0);

    // A folder that only starts with the same letters is another folder.
    platform.answer = context.supportFolder / "Thumbnails kept" / "Main Edit.xlsx";
    fs::create_directories(context.supportFolder / "Thumbnails kept");
    EXPECT_EQ(save(sheetWriter()), SaveOutcome::saved);
    EXPECT_TRUE(fs::exists(context.supportFolder / "Thumbnails kept" / "Main Edit.xlsx"));
}

// Where each picture of a sheet starts and ends, as an independent reader of the file sees it.
nlohmann::json pictureAnchors(const fs::path& workbook, const std::string& sheet) {
    const std::string command = "/usr/bin/python3 " +
                                test::shellQuoted(std::string(TALLYVANE_TEST_DATA_DIR) + "/xlsx/dump_workbook.py") +
                                " " + test::shellQuoted(workbook.string());
    const test::CommandResult read = test::runCommand(command);
    EXPECT_EQ(read.status, 0);
    return nlohmann::json::parse(read.output)["raw"][sheet]["pictures"];
}

TEST_F(ReportSaverTest, ThumbnailsFitTheRowsMadeForThem) {
    // Three pictures in consecutive rows made as tall as they are, as the clip sheet does.
    constexpr long long kSwatchHeight = 36;
    context.thumbnailWidth = 160;
    request.options["thumbnails"] = true;
    ASSERT_EQ(save([](ReportContext& ctx, const ReportRequest&) {
                  const std::string swatch = std::string(TALLYVANE_TEST_DATA_DIR) + "/xlsx/swatch.png";
                  xlsx::Worksheet sheet = ctx.workbook->addWorksheet("Selected Roles");
                  for (std::uint32_t row = 1; row <= 3; ++row) sheet.insertImage(swatch, xlsx::Cell(row, 1), kSwatchHeight);
              }),
              SaveOutcome::saved);
    const nlohmann::json pictures = pictureAnchors(destination(), "Selected Roles");
    ASSERT_EQ(pictures.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        // Each ends where the next row begins instead of reaching into the pictures below.
        EXPECT_EQ(pictures[i]["row"], i + 1);
        EXPECT_EQ(pictures[i]["toRow"], i + 2);
        EXPECT_EQ(pictures[i]["toRowOffset"], 0);
    }
}

TEST_F(ReportSaverTest, AReportRunningInAnotherProgramKeepsItsFiles) {
    // What the other program's report has in the support folder while it runs.
    fs::create_directories(thumbnails());
    writeFile(temporary(), "half-written workbook");
    writeFile(thumbnails() / "000000001 Other.jpg", "jpeg");
    writeFile(destination(), "old report");
    {
        const int other = open((context.supportFolder / ".report.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        ASSERT_GE(other, 0);
        ASSERT_EQ(flock(other, LOCK_EX | LOCK_NB), 0);
        EXPECT_EQ(save(sheetWriter()), SaveOutcome::failed);
        close(other);
    }
    EXPECT_EQ(writes, 0);
    EXPECT_EQ(platform.panels.size(), 1u);
    ASSERT_EQ(platform.alerts.size(), 1u);
    EXPECT_EQ(platform.alerts[0].first, "The report could not be made");
    EXPECT_NE(platform.alerts[0].second.find(context.supportFolder.string()), std::string::npos);
    EXPECT_EQ(contents(temporary()), "half-written workbook");
    EXPECT_TRUE(fs::exists(thumbnails() / "000000001 Other.jpg"));
    EXPECT_EQ(contents(destination()), "old report");

    // Once the other report is done the folder is free again, and this save's own lock has
    // gone with it.
    EXPECT_EQ(save(sheetWriter()), SaveOutcome::saved);
    EXPECT_EQ(save(sheetWriter()), SaveOutcome::saved);
    EXPECT_EQ(writes, 2);
}

// A lock that cannot be taken is said as it is: busy only while another report holds it.
TEST_F(ReportSaverTest, ALockThatCannotBeTakenIsSaidAsItIs) {
    const fs::path support = context.supportFolder;
    const std::string lockFile = (support / ".report.lock").string();
    const bool root = geteuid() == 0;
    using Undo = std::function<void()>;
    struct Row {
        const char* name;
        std::function<std::optional<Undo>()> arrange;  // nothing where the row cannot be set up here
        std::string says;
    };
    const Row rows[] = {
        {"held by another report",
         [&]() -> std::optional<Undo> {
             const int other = open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
             flock(other, LOCK_EX | LOCK_NB);
             return [other] { close(other); };
         },
         "Another report is being written in the folder \u201C" + support.string() + "\u201D. Save again when it has finished."},
        {"a folder in its place",
         [&]() -> std::optional<Undo> {
             fs::create_directory(lockFile);
             return [&] { fs::remove(lockFile); };
         },
         "The file " + lockFile + " cannot be opened: Is a directory."},
        {"a symbolic link",
         [&]() -> std::optional<Undo> {
             fs::create_symlink(support / "elsewhere", lockFile);
             return [&] { fs::remove(lockFile); };
         },
         "The file " + lockFile + " cannot be opened: It is a symbolic link."},
        {"a folder the user may not write",
         [&]() -> std::optional<Undo> {
             auto readOnly = std::make_shared<ReadOnlyFolder>(support);
             if (!readOnly->effective()) return std::nullopt;
             return [readOnly]() mutable { readOnly.reset(); };
         },
         "The file " + lockFile + " cannot be opened: " + (root ? "Operation not permitted." : "Permission denied.")},
        {"a read-only file system",
         [&]() -> std::optional<Undo> {
             if (!root || mount("tmpfs", support.c_str(), "tmpfs", MS_RDONLY, "size=16k") != 0) return std::nullopt;
             return [&] { umount2(support.c_str(), MNT_DETACH); };
         },
         "The file " + lockFile + " cannot be opened: Read-only file system."},
    };
    std::string notArranged;
    for (const Row& row : rows) {
        fs::create_directories(support);
        fs::remove(lockFile);
        const std::optional<Undo> undo = row.arrange();
        if (!undo) {
            notArranged += std::string(" \"") + row.name + "\"";
            continue;
        }
        FakePlatform local;
        local.answer = destination();
        ReportSaver saver(store, local, sheetWriter());
        EXPECT_EQ(saver.save(context, request), SaveOutcome::failed) << row.name;
        (*undo)();
        ASSERT_EQ(local.alerts.size(), 1u) << row.name;
        EXPECT_EQ(local.alerts[0].second, row.says) << row.name;
    }
    EXPECT_EQ(writes, 0);
    if (!notArranged.empty()) GTEST_SKIP() << "cannot be set up here:" << notArranged;
}

// The spreadsheet library's temporary files are made with the run's scratch, which a signal
// removes, and none is made in the system's temporary folder, where a signal would leave it.
TEST_F(ReportSaverTest, TheSpreadsheetLibrarysFilesAreMadeWithTheRunsScratch) {
    const fs::path temporaryFolder = root.path() / "tmp";
    fs::create_directories(temporaryFolder);
    const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(watch, 0);
    ASSERT_GE(inotify_add_watch(watch, temporaryFolder.c_str(), IN_CREATE), 0);
    const char* before = getenv("TMPDIR");
    const std::optional<std::string> saved = before ? std::optional<std::string>(before) : std::nullopt;
    setenv("TMPDIR", temporaryFolder.c_str(), 1);
    for (const bool pictured : {false, true}) {
        request.options["thumbnails"] = pictured;
        context.thumbnailWidth = pictured ? 160 : 0;
        EXPECT_EQ(save(sheetWriter()), SaveOutcome::saved) << pictured;
    }
    saved ? setenv("TMPDIR", saved->c_str(), 1) : unsetenv("TMPDIR");
    char events[4096];
    EXPECT_LT(read(watch, events, sizeof events), 0) << "a file was made in TMPDIR";
    close(watch);
    EXPECT_FALSE(fs::exists(context.supportFolder / "spreadsheet parts"));
}

// A report shows only pictures it made: a thumbnail folder it cannot empty or make gives it
// none, and its cells say why. A folder an earlier run left is removed where the user may
// remove it, and said where not; what a run of root's keeps in a user's folder is the user's.
TEST_F(ReportSaverTest, AScratchFolderThatIsNotTheReportsOwnIsSaidAndItsPicturesNeverShown) {
    const bool asRoot = geteuid() == 0;
    const fs::path support = context.supportFolder;
    const fs::path parts = support / "spreadsheet parts";
    const fs::path earlier = thumbnails() / "000000000 Clip.jpg";
    request.options = {{"keepThumbnails", true}};
    using Undo = std::function<void()>;
    const Undo nothing = [] {};
    // Root's own folder, left by a killed run, holding `file` or nothing.
    const auto rootsFolder = [&](const fs::path& folder, const std::optional<fs::path>& file) -> std::optional<Undo> {
        if (!asRoot) return std::nullopt;
        fs::create_directories(folder);
        fs::permissions(folder, fs::perms(file ? 0755 : 0700));
        if (file) writeFile(*file, "earlier");
        return nothing;
    };
    struct Row {
        const char* name;
        std::function<std::optional<Undo>()> arrange;  // nothing where the row cannot be set up here
        bool asNobody;
        std::string problem;  // what the report writer finds
        std::string alert;    // nothing: saved
        bool earlierStays = false;
    };
    const Row rows[] = {
        {"an earlier report's picture in a folder made read-only",
         [&]() -> std::optional<Undo> {
             fs::create_directories(thumbnails());
             writeFile(earlier, "earlier");
             auto readOnly = std::make_shared<ReadOnlyFolder>(thumbnails());
             if (!readOnly->effective()) return std::nullopt;
             return [readOnly]() mutable { readOnly.reset(); };
         },
         false,
         "The folder \u201C" + thumbnails().string() + "\u201D cannot be emptied: " +
             (asRoot ? "Operation not permitted." : "Permission denied."),
         "", true},
        {"root's, with its picture", [&] { return rootsFolder(thumbnails(), earlier); }, true,
         "The folder \u201C" + thumbnails().string() + "\u201D cannot be emptied: Permission denied.", "", true},
        {"root's, empty and unlistable", [&] { return rootsFolder(thumbnails(), std::nullopt); }, true, "", ""},
        {"one that cannot be made",
         [&]() -> std::optional<Undo> {
             // Room for the folder itself, the lock, the workbook, the library's folder and the
             // workbook's own in it, no more.
             if (!asRoot || mount("tmpfs", support.c_str(), "tmpfs", 0, "nr_inodes=5,size=1m") != 0) return std::nullopt;
             return [&] { umount2(support.c_str(), MNT_DETACH); };
         },
         false, "The folder \u201C" + thumbnails().string() + "\u201D cannot be created: The disk is full.", ""},
        {"no room for the workbook's own parts folder",
         [&]() -> std::optional<Undo> {
             if (!asRoot || mount("tmpfs", support.c_str(), "tmpfs", 0, "nr_inodes=4,size=1m") != 0) return std::nullopt;
             return [&] { umount2(support.c_str(), MNT_DETACH); };
         },
         false, "", "The folder " + parts.string() + " cannot take the workbook's parts: The disk is full."},
        {"kept by a run of root's with the user's folder",
         [&]() -> std::optional<Undo> {
             if (!asRoot) return std::nullopt;
             auto rootsOwn = std::make_shared<TemporaryFolder>();
             EXPECT_TRUE(saveSeeing(false, [rootsOwn] { return rootsOwn->path(); }).kept);
             EXPECT_TRUE(fs::exists(rootsOwn->path() / "Thumbnails" / "000000000 Clip.jpg"));
             EXPECT_EQ(rootsIn(support), std::vector<fs::path>{});
             return [rootsOwn]() mutable { rootsOwn.reset(); };
         },
         true, "", ""},
        {"a parts folder root left, empty and unlistable", [&] { return rootsFolder(parts, std::nullopt); }, true, "", ""},
        {"a parts folder root left, holding a file",
         [&]() -> std::optional<Undo> {
             const std::optional<Undo> made = rootsFolder(parts, parts / "part.xml");
             if (made) fs::permissions(parts, fs::perms(0700));
             return made;
         },
         true, "",
         "The folder " + parts.string() + ", left by an earlier report, cannot be removed: Permission denied."},
    };
    fs::permissions(root.path(), fs::perms(0755));
    std::string notArranged;
    for (const Row& row : rows) {
        fs::remove_all(support);
        fs::remove_all(destination());
        fs::create_directories(support);
        if (asRoot) {
            for (const fs::path& folder : {support, outFolder()}) ASSERT_EQ(chown(folder.c_str(), kNobody, kNogroup), 0);
        }
        const std::optional<Undo> undo =
            row.asNobody && !test::everyoneReaches(root.path()) ? std::nullopt : row.arrange();
        if (!undo) {
            notArranged += std::string(" \"") + row.name + "\"";
            continue;
        }
        const Seen seen = saveSeeing(row.asNobody);
        const bool kept = fs::exists(thumbnails() / "000000000 Clip.jpg") && contents(earlier) == "jpeg";
        (*undo)();
        EXPECT_EQ(seen.problem, row.problem) << row.name;
        EXPECT_EQ(seen.alert, row.alert) << row.name;
        EXPECT_EQ(seen.outcome, static_cast<int>(row.alert.empty() ? SaveOutcome::saved : SaveOutcome::failed)) << row.name;
        // Kept thumbnails are said only where the report made them.
        EXPECT_EQ(seen.kept, row.problem.empty() && row.alert.empty()) << row.name;
        EXPECT_EQ(kept, seen.kept) << row.name;
        if (row.earlierStays) {
            EXPECT_EQ(contents(earlier), "earlier") << row.name;
        }
    }
    if (!notArranged.empty()) GTEST_SKIP() << "cannot be set up here:" << notArranged;
}

// A run as root with a support folder another user controls works in a private folder of its
// own: nothing it makes or opens for writing is there for the user to turn against it, and
// the user's later reports are never refused for what root left.
TEST_F(ReportSaverTest, ARunOfRootsKeepsOutOfAFolderAnotherUserControls) {
    fs::permissions(root.path(), fs::perms(0755));
    if (geteuid() != 0 || !test::everyoneReaches(root.path())) {
        GTEST_SKIP() << "cannot be set up here: needs root and a folder nobody may reach";
    }
    const fs::path home = root.path() / "home";
    const fs::path victim = root.path() / "victim";
    const fs::path lock = home / "support" / ".report.lock";
    struct Row {
        const char* name;
        fs::path support;
        std::function<void()> arrange;  // as the user would, before root saves
        SaveOutcome userSaves;
        bool lockPlanted = false;  // root's file at the lock's name, which stays root's and private
    };
    const Row rows[] = {
        {"the user's folder", home / "support", [] {}, SaveOutcome::saved},
        {"a home without a support folder yet", home / ".local" / "share" / "Tallyvane", [] {}, SaveOutcome::saved},
        {"a root file the user renamed to the lock", home / "support",
         [&] {
             writeFile(lock, "root's");
             ASSERT_EQ(chown(lock.c_str(), 0, 0), 0);
             fs::permissions(lock, fs::perms(0600));
         },
         SaveOutcome::failed, true},
        {"a link the user put over the temporary workbook", home / "support",
         [&] {
             const fs::path link = home / "support" / "spreadsheet.xlsx";
             fs::create_symlink(victim, link);
             ASSERT_EQ(lchown(link.c_str(), kNobody, kNogroup), 0);
         },
         SaveOutcome::saved},
    };
    for (const Row& row : rows) {
        fs::remove_all(home);
        fs::create_directories(home / "support");
        fs::remove_all(outFolder());
        fs::create_directories(outFolder());
        for (const fs::path& folder : {home, home / "support", outFolder()}) {
            ASSERT_EQ(chown(folder.c_str(), kNobody, kNogroup), 0);
        }
        writeFile(victim, "precious");
        row.arrange();
        context.supportFolder = row.support;
        const TemporaryFolder rootsOwn;
        const Seen seen = saveSeeing(false, [&] { return rootsOwn.path(); });
        EXPECT_EQ(seen.outcome, static_cast<int>(SaveOutcome::saved)) << row.name;
        // Said once, before anything else the save says, naming the user as they log in.
        EXPECT_EQ(seen.keptOutOf, "The support folder \u201C" + row.support.string() + "\u201D is controlled by " +
                                      test::userSaid(kNobody) + ": a run as root writes nothing there, and works in "
                                      "\u201C" + rootsOwn.path().string() + "\u201D instead.")
            << row.name;
        EXPECT_EQ(seen.said, std::vector<std::string>{seen.keptOutOf}) << row.name;
        EXPECT_TRUE(seen.saidFirst) << row.name;
        EXPECT_TRUE(fs::exists(destination())) << row.name;
        EXPECT_EQ(contents(victim), "precious") << row.name;
        EXPECT_EQ(rootsIn(home), row.lockPlanted ? std::vector<fs::path>{lock} : std::vector<fs::path>{}) << row.name;
        if (row.lockPlanted) {
            EXPECT_EQ(contents(lock), "root's");
            EXPECT_EQ(fs::symlink_status(lock).permissions(), fs::perms(0600));
        }
        EXPECT_EQ(saveSeeing(true).outcome, static_cast<int>(row.userSaves)) << row.name;
    }
    // A destination refused before any work: no report was made anywhere, and nothing says so.
    const fs::path chosen = context.supportFolder;
    context.supportFolder = home / "support";
    FakePlatform refused;
    refused.answer = root.path() / "missing" / "report.xlsx";
    ReportSaver saver(store, refused, sheetWriter());
    const TemporaryFolder rootsOwn;
    EXPECT_EQ(saver.save(context, request, [&] { return rootsOwn.path(); }), SaveOutcome::failed);
    context.supportFolder = chosen;
    EXPECT_EQ(saver.keptOutOf(), std::nullopt);
    EXPECT_TRUE(refused.said.empty());
    EXPECT_EQ(refused.alerts.size(), 1u);
}

// Links planted at the fixed names in the support folder are replaced, never followed.
TEST_F(ReportSaverTest, PlantedLinksAreNeverFollowed) {
    fs::create_directories(context.supportFolder);
    writeFile(root.path() / "victim", "precious");
    fs::create_directories(root.path() / "victim folder");
    writeFile(root.path() / "victim folder" / "kept", "kept");
    fs::create_symlink(root.path() / "victim", temporary());
    fs::create_directory_symlink(root.path() / "victim folder", thumbnails());
    EXPECT_EQ(save(sheetWriter()), SaveOutcome::saved);
    EXPECT_EQ(contents(root.path() / "victim"), "precious");
    EXPECT_EQ(contents(root.path() / "victim folder" / "kept"), "kept");
    EXPECT_EQ(readWorkbook(destination())["sheets"], nlohmann::json{"Selected Roles"});
}

// A full disk is named as such, wherever the workbook meets it.
TEST_F(ReportSaverTest, AFullDiskIsNamedInTheAlert) {
    const fs::path full = root.path() / "full";
    fs::create_directories(full);
    if (geteuid() != 0 || mount("tmpfs", full.c_str(), "tmpfs", 0, "size=16k") != 0) {
        GTEST_SKIP() << "no small file system can be mounted here";
    }
    const std::unique_ptr<const char, void (*)(const char*)> unmount(full.c_str(),
                                                                      [](const char* at) { umount2(at, MNT_DETACH); });
    const std::string old = "old report " + std::string(1000, 'o');
    writeFile(full / "report.xlsx", old);
    std::ofstream(full / "filler", std::ios::binary) << std::string(64 << 10, 'x');
    struct Case {
        fs::path support;
        fs::path chosen;
        const char* says;
    };
    const std::string inSupport = "The workbook could not be written in the folder " + (full / "support").string() + ": ";
    for (const Case& c : {Case{full / "support", destination(), inSupport.c_str()},
                          Case{root.path() / "support", full / "report.xlsx", " could not be replaced: "},
                          Case{root.path() / "support", full / "new.xlsx", " could not be written: "}}) {
        FakePlatform local;
        context.supportFolder = c.support;
        local.answer = c.chosen;
        ReportSaver saver(store, local, sheetWriter());
        // Said once, in the program's words: the spreadsheet library's own lines are dropped.
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(saver.save(context, request), SaveOutcome::failed) << c.chosen;
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "") << c.chosen;
        ASSERT_EQ(local.alerts.size(), 1u);
        const std::string& said = local.alerts[0].second;
        EXPECT_NE(said.find(c.says + std::string("The disk is full.")), std::string::npos) << said;
        for (int code = 1; xlsx::XlsxError::fromLibrary(code).what() != std::string("Unknown error number."); ++code) {
            EXPECT_EQ(said.find(xlsx::XlsxError::fromLibrary(code).what()), std::string::npos) << said;
        }
        // The space the library's part files took comes back at once.
        EXPECT_EQ(descriptorsInto(c.support / "spreadsheet parts"), 0) << c.chosen;
    }
    EXPECT_EQ(contents(full / "report.xlsx"), old);
    EXPECT_FALSE(fs::exists(full / "new.xlsx"));
    // No partial copy is left on the full disk.
    for (const auto& entry : fs::directory_iterator(full)) {
        EXPECT_FALSE(entry.path().filename().string().starts_with(".")) << entry.path();
    }
}

// A file's access ACL, an entry a line.
std::string aclText(const fs::path& file) {
    const std::unique_ptr<void, int (*)(void*)> acl(acl_get_file(file.c_str(), ACL_TYPE_ACCESS), acl_free);
    if (!acl) return std::string("no ACL: ") + std::strerror(errno);
    const std::unique_ptr<char, int (*)(void*)> text(acl_to_any_text(static_cast<acl_t>(acl.get()), nullptr, '\n', 0),
                                                     acl_free);
    return std::string(text.get()) + "\n";
}

class FileReplacementTest : public ::testing::Test {
protected:
    // Where nobody, as whom some saves are made, may reach it too.
    TemporaryFolder here{test::parentEveryoneReaches().value_or(fs::path())};
};

TEST_F(FileReplacementTest, RenamesOverTheDestinationAndAFailedMoveLeavesBothFiles) {
    writeFile(here.path() / "new", "new bytes");
    writeFile(here.path() / "old", "old bytes");
    replaceFile(here.path() / "new", here.path() / "old");
    EXPECT_EQ(contents(here.path() / "old"), "new bytes");
    EXPECT_FALSE(fs::exists(here.path() / "new"));

    writeFile(here.path() / "new", "new bytes");
    EXPECT_THROW(replaceFile(here.path() / "new", here.path() / "no such folder" / "old"), fs::filesystem_error);
    EXPECT_EQ(contents(here.path() / "new"), "new bytes");
    EXPECT_THROW(replaceFile(here.path() / "absent", here.path() / "old"), fs::filesystem_error);
    EXPECT_EQ(contents(here.path() / "old"), "new bytes");
}

// A report the user had made private stays private when it is written again.
TEST_F(FileReplacementTest, KeepsThePermissionBitsOfTheReplacedFile) {
    for (const fs::perms mode : {fs::perms(0600), fs::perms(0640), fs::perms(0664), fs::perms(0604)}) {
        writeFile(here.path() / "new", "new bytes");
        fs::permissions(here.path() / "new", fs::perms(0644));
        writeFile(here.path() / "old", "old bytes");
        fs::permissions(here.path() / "old", mode);
        replaceFile(here.path() / "new", here.path() / "old");
        EXPECT_EQ(contents(here.path() / "old"), "new bytes");
        EXPECT_EQ(fs::status(here.path() / "old").permissions(), mode);
    }
    // A new file gets what any file made in its folder gets, whatever the mode it was made
    // with; only a regular file's bits are taken: a link to a device would make the report
    // writable by everyone.
    fs::create_symlink("/dev/null", here.path() / "device");
    const mode_t umaskBefore = umask(027);
    for (const char* name : {"first", "device"}) {
        writeFile(here.path() / "new", "new bytes");
        fs::permissions(here.path() / "new", fs::perms(0604));
        replaceFile(here.path() / "new", here.path() / name);
        EXPECT_EQ(fs::symlink_status(here.path() / name).permissions(), fs::perms(0640)) << name;
        EXPECT_EQ(contents(here.path() / name), "new bytes") << name;
    }
    umask(umaskBefore);
}

// A folder whose default ACL gives others nothing gives a new workbook nothing for them,
// whether it was made on the folder's file system or not.
TEST_F(FileReplacementTest, ANewFileTakesTheDefaultAclOfItsFolder) {
    // system.posix_acl_default: version 2, then user::rw-, group::r--, other::---.
    const std::uint32_t acl[] = {2, 0x0006'0001, ~0u, 0x0004'0004, ~0u, 0x0000'0020, ~0u};
    const mode_t umaskBefore = umask(022);
    for (const fs::path& parent : {here.path(), fs::path("/dev/shm")}) {
        TemporaryFolder destination(parent);
        if (setxattr(destination.path().c_str(), "system.posix_acl_default", acl, sizeof acl, 0) != 0) {
            ADD_FAILURE() << "no default ACL on " << parent << ": " << std::strerror(errno);
            continue;
        }
        writeFile(here.path() / "new", "new bytes");
        replaceFile(here.path() / "new", destination.path() / "report.xlsx");
        EXPECT_EQ(fs::status(destination.path() / "report.xlsx").permissions(), fs::perms(0640)) << parent;
    }
    umask(umaskBefore);
}

// A workbook saved over a file with an ACL keeps it whole, from the same file system or
// another: a named user keeps their access, and the owning group gets no more than it had.
TEST_F(FileReplacementTest, AReplacedFileKeepsItsAcl) {
    const std::string given = "user::rw-\nuser:nobody:rw-\ngroup::r--\nmask::rw-\nother::---\n";
    for (const fs::path& parent : {here.path(), fs::path("/dev/shm")}) {
        TemporaryFolder source(parent);
        writeFile(here.path() / "old", "old bytes");
        const std::unique_ptr<void, int (*)(void*)> acl(acl_from_text(given.c_str()), acl_free);
        ASSERT_EQ(acl_set_file((here.path() / "old").c_str(), ACL_TYPE_ACCESS, static_cast<acl_t>(acl.get())), 0)
            << std::strerror(errno);
        writeFile(source.path() / "new", "new bytes");
        replaceFile(source.path() / "new", here.path() / "old");
        EXPECT_EQ(contents(here.path() / "old"), "new bytes") << parent;
        EXPECT_EQ(aclText(here.path() / "old"), given) << parent;
        EXPECT_EQ(fs::status(here.path() / "old").permissions(), fs::perms(0660)) << parent;  // the group's bits: the mask
    }
}

// Where a file cannot keep an ACL, its bits give no one more than the ACL did.
TEST(FileAccess, TheModeStandingForAnAclGivesNoOneMore) {
    const struct {
        const char* acl;
        mode_t mode;  // of the replaced file: its special bits are kept
        mode_t expected;
    } rows[] = {
        {"u::rw-,u:nobody:rw-,g::r--,m::rw-,o::---", 0660, 0640},
        {"u::rw-,u:nobody:---,g::r--,m::r--,o::r--", 0644, 0600},
        {"u::rw-,g::r--,g:nogroup:---,m::r--,o::r--", 0644, 0600},
        {"u::rw-,u:nobody:r--,g::rw-,m::rw-,o::rw-", 0666, 0644},
        {"u::rwx,g:nogroup:rwx,g::r-x,m::r--,o::r-x", 04754, 04744},
    };
    for (const auto& row : rows) {
        const std::unique_ptr<void, int (*)(void*)> acl(acl_from_text(row.acl), acl_free);
        ASSERT_TRUE(acl) << row.acl;
        EXPECT_EQ(modeStandingForAcl(static_cast<acl_t>(acl.get()), row.mode), row.expected) << row.acl;
    }
}

// A file saved over a team's file keeps its owner where the process may give it away (root),
// and its group where the user may give it that group; where not, the user's own group and
// others each get no more than both had, and no more than a named entry for that group gave.
// Each save is made by a user of its own, in a child process.
TEST_F(FileReplacementTest, AReplacedFileKeepsItsOwnerAndGroup) {
    const struct group* staff = getgrnam("staff");
    if (geteuid() != 0 || staff == nullptr) GTEST_SKIP() << "needs root to save as another user, and a staff group";
    const gid_t team = staff->gr_gid;
    struct Row {
        const char* name;
        fs::path from;       // the file system the new file was made on
        bool member;         // of the team group
        mode_t folderMode;   // of the folder the file is saved in, root's and the team's
        mode_t oldMode;
        gid_t expectedGroup;
        mode_t expectedMode;
        uid_t oldOwner = kNobody;    // the save is nobody's, unless it is root's
        bool byRoot = false;
        const char* acl = nullptr;   // the old file's, and the one expected of the new
        const char* expectedAcl = nullptr;
    };
    fs::permissions(here.path(), fs::perms(0755));
    if (!test::everyoneReaches(here.path())) GTEST_SKIP() << "cannot be set up here: no folder nobody may reach";
    // Rows from another file system are left out where there is none that nobody may reach.
    const std::optional<fs::path> otherParent = test::parentOnAnotherFileSystem(here.path(), true);
    const std::optional<TemporaryFolder> other =
        otherParent ? std::make_optional<TemporaryFolder>(*otherParent) : std::nullopt;
    if (other) fs::permissions(other->path(), fs::perms(0755));
    const fs::path away = other ? other->path() : fs::path();
    const Row rows[] = {
        {"a member, in a setgid team folder", here.path(), true, 02775, 0660, team, 0660},
        {"a member, from another file system", away, true, 02775, 0660, team, 0660},
        {"a member, on tmpfs", "/dev/shm", true, 0775, 0640, team, 0640},
        {"not a member", here.path(), false, 0777, 0664, kNogroup, 0644},
        {"not a member, from another file system", away, false, 0777, 0660, kNogroup, 0600},
        {"not a member, over root's file that shut the team out", here.path(), false, 0777, 0604, kNogroup, 0600, 0},
        {"not a member, over an ACL that shut the user's group out", here.path(), false, 0777, 0644, kNogroup, 0644, 0,
         false, "u::rw-,g::r--,g:nogroup:---,m::r--,o::r--",
         "user::rw-\ngroup::---\ngroup:nogroup:---\nmask::r--\nother::r--\n"},
        // A member of the user's group and of one the old ACL denied is denied still.
        {"not a member, over an ACL that shut another group out", here.path(), false, 0777, 0644, kNogroup, 0644, 0,
         false, "u::rw-,g::r--,g:users:---,m::r--,o::r--",
         "user::rw-\ngroup::---\ngroup:users:---\nmask::r--\nother::r--\n"},
        // The old group's members, shut out, are others now, whatever special bit the file has.
        {"not a member, over a sticky file that shut the team out", here.path(), false, 0777, 01604, kNogroup, 01640, 0,
         false, "u::rw-,g::---,g:users:r--,m::r--,o::r--",
         "user::rw-\ngroup::---\ngroup:users:r--\nmask::r--\nother::---\n"},
        {"root, over the user's file", here.path(), true, 0777, 0640, team, 0640, kNobody, true},
        {"root, over the user's file, from another file system", away, true, 0777, 0640, team, 0640, kNobody, true},
    };
    const TemporaryFolder onTmpfs("/dev/shm");
    fs::permissions(onTmpfs.path(), fs::perms(0755));
    std::string notArranged;
    for (const Row& row : rows) {
        if (row.from.empty()) {
            notArranged += std::string(" \"") + row.name + "\"";
            continue;
        }
        const bool tmpfs = std::string(row.name).ends_with("tmpfs");
        const fs::path folder = (tmpfs ? onTmpfs.path() : here.path()) / "team";
        fs::create_directory(folder);
        ASSERT_EQ(chown(folder.c_str(), 0, team), 0);
        ASSERT_EQ(chmod(folder.c_str(), row.folderMode), 0);
        const fs::path old = folder / "report.xlsx";
        const fs::path support = (tmpfs ? onTmpfs.path() : row.from) / "support";  // the user's own
        fs::create_directory(support);
        ASSERT_EQ(chown(support.c_str(), kNobody, kNogroup), 0);
        const fs::path made = support / "new.xlsx";
        writeFile(old, "old bytes");
        writeFile(made, "new bytes");
        ASSERT_EQ(chown(old.c_str(), row.oldOwner, team), 0);
        ASSERT_EQ(chmod(old.c_str(), row.oldMode), 0);
        if (row.acl != nullptr) {
            const std::unique_ptr<void, int (*)(void*)> acl(acl_from_text(row.acl), acl_free);
            ASSERT_EQ(acl_set_file(old.c_str(), ACL_TYPE_ACCESS, static_cast<acl_t>(acl.get())), 0) << row.name;
        }
        ASSERT_EQ(chown(made.c_str(), row.byRoot ? 0 : kNobody, row.byRoot ? 0 : kNogroup), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            if (!row.byRoot && !becomeNobody(row.member ? std::vector<gid_t>{team} : std::vector<gid_t>{})) _exit(2);
            try {
                replaceFile(made, old);
            } catch (const std::exception&) {
                _exit(1);
            }
            _exit(0);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << row.name << ": " << status;
        struct stat saved {};
        ASSERT_EQ(stat(old.c_str(), &saved), 0);
        EXPECT_EQ(contents(old), "new bytes") << row.name;
        EXPECT_EQ(saved.st_uid, row.byRoot ? row.oldOwner : kNobody) << row.name;
        EXPECT_EQ(saved.st_gid, row.expectedGroup) << row.name;
        EXPECT_EQ(saved.st_mode & 07777, row.expectedMode) << row.name;
        if (row.expectedAcl != nullptr) {
            EXPECT_EQ(aclText(old), row.expectedAcl) << row.name;
        }
        fs::remove_all(folder);
        fs::remove_all(support);
    }
    if (!notArranged.empty()) GTEST_SKIP() << "cannot be set up here:" << notArranged;
}

// The mode of each file in a folder at every moment it is opened, the opening of a new file
// included: a listener holds each open until it has looked (fanotify's permission events,
// which need root).
class ModesAtOpening {
public:
    explicit ModesAtOpening(const fs::path& folder)
        : listener_(fanotify_init(FAN_CLASS_CONTENT | FAN_CLOEXEC, O_RDONLY | O_CLOEXEC)) {
        if (listener_ < 0 || pipe2(stop_, O_CLOEXEC) != 0 ||
            fanotify_mark(listener_, FAN_MARK_ADD, FAN_OPEN_PERM | FAN_EVENT_ON_CHILD, AT_FDCWD, folder.c_str()) != 0) {
            return;
        }
        thread_ = std::thread([this] { listen(); });
    }
    ~ModesAtOpening() { stop(); }
    ModesAtOpening(const ModesAtOpening&) = delete;
    ModesAtOpening& operator=(const ModesAtOpening&) = delete;

    bool listening() const { return thread_.joinable(); }
    // Each file's name and the modes it was opened with, once the listener has stopped.
    std::map<std::string, std::set<mode_t>> stop() {
        if (thread_.joinable()) {
            static_cast<void>(write(stop_[1], "x", 1));
            thread_.join();
        }
        for (int* descriptor : {&listener_, &stop_[0], &stop_[1]}) {
            if (*descriptor >= 0) close(std::exchange(*descriptor, -1));
        }
        return seen_;
    }

private:
    void listen() {
        pollfd watched[] = {{listener_, POLLIN, 0}, {stop_[0], POLLIN, 0}};
        while (poll(watched, 2, -1) >= 0 && (watched[1].revents & POLLIN) == 0) {
            alignas(fanotify_event_metadata) char buffer[4096];
            const ssize_t got = read(listener_, buffer, sizeof buffer);
            auto* event = reinterpret_cast<fanotify_event_metadata*>(buffer);
            for (ssize_t left = got; FAN_EVENT_OK(event, left); event = FAN_EVENT_NEXT(event, left)) {
                if (event->fd < 0) continue;
                struct stat status {};
                char name[PATH_MAX] = {};
                const std::string link = "/proc/self/fd/" + std::to_string(event->fd);
                if (fstat(event->fd, &status) == 0 && readlink(link.c_str(), name, sizeof name - 1) > 0) {
                    seen_[fs::path(name).filename().string()].insert(status.st_mode & 07777);
                }
                const fanotify_response allowed{event->fd, FAN_ALLOW};
                static_cast<void>(write(listener_, &allowed, sizeof allowed));
                close(event->fd);
            }
        }
    }

    int listener_;
    int stop_[2] = {-1, -1};
    std::thread thread_;
    std::map<std::string, std::set<mode_t>> seen_;
};

// A copy that is to replace a file is never more open than that file, from the moment it is
// made; a new file is made with the mode any new file gets there.
TEST_F(FileReplacementTest, ACopyThatReplacesAFileIsPrivateFromItsMaking) {
    const std::optional<fs::path> elsewhere = test::parentOnAnotherFileSystem(here.path());
    if (!elsewhere) GTEST_SKIP() << "cannot be set up here: no second file system to copy from";
    const TemporaryFolder away(*elsewhere);
    const mode_t umaskBefore = umask(022);
    for (const auto& [old, expected] : std::vector<std::pair<std::optional<mode_t>, std::set<mode_t>>>{
             {0600, {0600}}, {0640, {0600}}, {std::nullopt, {0644}}}) {
        writeFile(away.path() / "new", "new bytes");
        const fs::path destination = here.path() / "report.xlsx";
        fs::remove(destination);
        if (old) {
            writeFile(destination, "old bytes");
            fs::permissions(destination, fs::perms(*old));
        }
        ModesAtOpening watch(here.path());
        if (!watch.listening()) {
            const int failure = errno;
            umask(umaskBefore);
            GTEST_SKIP() << "cannot be set up here: no permission events (they need root): " << std::strerror(failure);
        }
        replaceFile(away.path() / "new", destination);
        const std::map<std::string, std::set<mode_t>> seen = watch.stop();
        std::set<mode_t> copies;
        for (const auto& [name, modes] : seen) {
            if (name.starts_with(".report.xlsx.")) copies.insert(modes.begin(), modes.end());
        }
        EXPECT_EQ(copies, expected) << (old ? *old : 0);
    }
    umask(umaskBefore);
}

// The hidden copy's name is never longer than the destination's, so a name that fits the
// folder saves across file systems as it does on one.
TEST_F(FileReplacementTest, ANameAsLongAsTheFolderTakesSavesFromAnotherFileSystem) {
    const std::string name = std::string(248, 'n') + ".xlsx";
    const TemporaryFolder destination;
    for (const fs::path& parent : {here.path(), fs::path("/dev/shm")}) {
        TemporaryFolder source(parent);
        writeFile(source.path() / "new", "new bytes");
        replaceFile(source.path() / "new", destination.path() / name);
        EXPECT_EQ(contents(destination.path() / name), "new bytes") << parent;
        EXPECT_EQ(std::distance(fs::directory_iterator(destination.path()), fs::directory_iterator()), 1) << parent;
        fs::remove(destination.path() / name);
    }
}

TEST_F(FileReplacementTest, CopiesAcrossFileSystems) {
    const std::optional<fs::path> other = test::parentOnAnotherFileSystem(here.path());
    if (!other) GTEST_SKIP() << "cannot be set up here: no second file system to move onto";
    std::string pattern = (*other / "report_tests_XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    const fs::path away = pattern;
    writeFile(here.path() / "new", "new bytes");
    writeFile(away / "old", "old bytes");
    fs::permissions(away / "old", fs::perms(0600));
    replaceFile(here.path() / "new", away / "old");
    EXPECT_EQ(contents(away / "old"), "new bytes");
    EXPECT_EQ(fs::status(away / "old").permissions(), fs::perms(0600));
    EXPECT_FALSE(fs::exists(here.path() / "new"));
    EXPECT_EQ(std::distance(fs::directory_iterator(away), fs::directory_iterator()), 1);

    // A new file there gets the mode any new file gets, as it does on the same file system.
    const mode_t umaskBefore = umask(027);
    writeFile(here.path() / "new", "new bytes");
    replaceFile(here.path() / "new", away / "fresh");
    umask(umaskBefore);
    EXPECT_EQ(fs::status(away / "fresh").permissions(), fs::perms(0640));
    fs::remove(away / "fresh");

    writeFile(here.path() / "newer", "newer bytes");
    EXPECT_THROW(replaceFile(here.path() / "newer", away / "missing folder" / "old"), fs::filesystem_error);
    EXPECT_EQ(contents(here.path() / "newer"), "newer bytes");
    EXPECT_EQ(std::distance(fs::directory_iterator(away), fs::directory_iterator()), 1);
    fs::remove_all(away);
}

}  // namespace
}  // namespace tallyvane::testing
