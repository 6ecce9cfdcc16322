#pragma once
// The Save command's road from the request to the finished workbook: the timeline check,
// the save panel and a check that the chosen place takes a new file, then, only once a
// destination is chosen, the support folder's lock, its temporary workbook and emptied
// thumbnail folder, the report writer, then closing the
// workbook, putting it in place of the chosen file and opening it. A report that fails
// leaves the chosen file as it was and says why in an alert; a finished workbook that could
// not be put in place is kept in the support folder under a name no later report reuses.

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "model/store.h"
#include "report/report_platform.h"
#include "report/report_request.h"

namespace tallyvane {

enum class SaveOutcome {
    saved,      // the workbook stands at the chosen place
    busy,       // another report is being written; nothing was done
    noTimeline, // the report's timeline is not in the project
    cancelled,  // the save panel was dismissed
    failed,     // an alert told the user what went wrong
};

// The folder of a report's thumbnails inside the support folder, emptied at every report.
inline constexpr const char* kThumbnailFolderName = "Thumbnails";

// What both programs say of the folder where the thumbnails were kept.
std::string keptThumbnailsSentence(const std::filesystem::path& folder);

// Where the last report was saved, and whether a program opened it there (false until the
// platform has answered).
struct SavedWorkbook {
    std::filesystem::path path;
    bool opened = false;
};

class ReportSaver {
public:
    ReportSaver(const Store& store, ReportPlatform& platform, ReportWriter writer);

    // While a report runs the shell must refuse Open (it would empty the store under the
    // writer) and every further Save is refused here.
    bool isRunning() const noexcept { return running_; }

    // A folder of the run's own, asked only once a destination is chosen; it may throw an
    // exception whose text an alert shows.
    using SupportFolderSource = std::function<std::filesystem::path()>;

    // The context's input type and clip sheet settings must be set; the context's workbook
    // and thumbnail folder are this flow's. The report is written in the context's support
    // folder, or in `privateFolder` where the context names none or, for a run as root, one
    // another user controls (the context then names `privateFolder`); without one, always in
    // the context's. A cancelled panel leaves the support folder as it was.
    SaveOutcome save(ReportContext& context, const ReportRequest& request,
                     const SupportFolderSource& privateFolder = {});
    // Set when the last save put its workbook in place; nothing after any other outcome.
    const std::optional<SavedWorkbook>& savedWorkbook() const noexcept { return saved_; }
    // The folder of the thumbnails the last save kept, when it kept a picture.
    const std::optional<std::filesystem::path>& keptThumbnails() const noexcept { return keptThumbnails_; }
    // Where the last save, a run as root's, kept out of the support folder: which folder,
    // who controls it and where it worked instead; nothing where the destination
    // was refused before any work.
    const std::optional<std::string>& keptOutOf() const noexcept { return keptOutOf_; }
    // Told when the platform answers whether a program opened the workbook of the last save;
    // an answer about an earlier save is dropped.
    void setOpenAnswered(std::function<void(const SavedWorkbook&)> handler) { openAnswered_ = std::move(handler); }
    // Drops any answer still to come about the last save.
    void ignorePendingAnswer() { ++*saves_; }

private:
    // Event and bin clip reports need none; a missing timeline leaves its diagnostic line.
    bool timelineExists(const std::string& reportName, const ReportContext& context) const;
    // Runs the writer for the document kind; false after an alert.
    bool writeReport(ReportContext& context, const ReportRequest& request, const std::filesystem::path& temporary);
    // Closes the workbook and moves it over the destination; false after an alert.
    bool finishWorkbook(ReportContext& context, const std::filesystem::path& temporary,
                        const std::filesystem::path& destination);
    // Drops the workbook of a report that failed, with whatever of it reached the disk.
    static void discardWorkbook(ReportContext& context, const std::filesystem::path& temporary);

    const Store& store_;
    ReportPlatform& platform_;
    ReportWriter writer_;
    bool running_ = false;
    std::optional<SavedWorkbook> saved_;
    std::optional<std::filesystem::path> keptThumbnails_;
    std::optional<std::string> keptOutOf_;
    std::function<void(const SavedWorkbook&)> openAnswered_;
    // The number of saves begun; an answer that comes after its saver is gone, or after a
    // later save began, finds it expired or changed.
    std::shared_ptr<unsigned> saves_ = std::make_shared<unsigned>(0);
};

}  // namespace tallyvane
