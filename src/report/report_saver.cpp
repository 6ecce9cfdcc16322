#include "report/report_saver.h"

#include <system_error>
#include <utility>
#include <vector>

#include <cerrno>
#include <climits>

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include "common/another_users_folder.h"
#include "common/debug_text.h"
#include "common/error_sentence.h"
#include "common/make_folders.h"
#include "report/file_replacement.h"
#include "report/run_scratch.h"
#include "report/support_folder_lock.h"
#include "report/timeline_lookup.h"

namespace tallyvane {

namespace fs = std::filesystem;

namespace {

constexpr const char* kTemporaryName = "spreadsheet.xlsx";
// The spreadsheet library's own temporary files, kept with the run's other scratch rather than
// in the system's temporary folder, where a signal would leave them.
constexpr const char* kPartsName = "spreadsheet parts";
// A finished workbook that could not be put in place is kept under this name made unique:
// the fixed temporary name would be reused, and so removed, by the next report.
constexpr const char* kKeptPattern = "Unsaved Report-XXXXXX.xlsx";
constexpr int kKeptSuffixLength = 5;  // ".xlsx"
constexpr const char* kNotSaved = "The report could not be saved";

class RunningFlag {
public:
    explicit RunningFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ~RunningFlag() { flag_ = false; }
    RunningFlag(const RunningFlag&) = delete;
    RunningFlag& operator=(const RunningFlag&) = delete;

private:
    bool& flag_;
};

bool option(const ReportRequest& request, const std::string& key) {
    const auto found = request.options.find(key);
    return found != request.options.end() && found->second;
}

// Rows are written top to bottom, so the workbook need not hold them all, except when the
// clip sheets show thumbnails: pictures are anchored when the workbook closes, and only a
// workbook that keeps its rows knows their heights then. Without them every picture would
// reach over the rows below it.
xlsx::WriteOrder writeOrder(const ReportContext& context, const ReportRequest& request) {
    const auto thumbnails = request.options.find("thumbnails");
    const bool pictured = (thumbnails == request.options.end() || thumbnails->second) && context.thumbnailWidth >= 1;
    return pictured ? xlsx::WriteOrder::anyOrder : xlsx::WriteOrder::rowByRow;
}

// Removes `path` whole; the error number of why it still stands, 0 once it is gone. A folder
// left by a run of another user (root's, killed) may be unlistable and still empty, which
// the library's removal cannot tell: it never tries to remove the folder itself.
int removeWhole(const fs::path& path) {
    std::error_code error;
    fs::remove_all(path, error);
    if (!error || ::rmdir(path.c_str()) == 0 || errno == ENOENT) return 0;
    return error.value();
}

// Makes `folder` anew, whatever stood there removed first (mkdir never follows a link planted
// at the name), and what a stopped run had set aside to remove and not removed; returns why it
// could not be, the folder said as `said`, and `standing` saying what a folder that cannot be
// removed is.
std::optional<std::string> makeFolderAnew(const fs::path& folder, mode_t mode, const std::string& said,
                                          const char* standing) {
    removeWhole(fs::path(folder).concat(kAsideSuffix));
    if (const int failure = removeWhole(folder); failure != 0) {
        return "The folder " + said + standing + systemErrorSentence(failure);
    }
    if (::mkdir(folder.c_str(), mode) != 0) {
        const int failure = errno;
        return "The folder " + said + " cannot be created: " + systemErrorSentence(failure);
    }
    return std::nullopt;
}

// Thumbnails of an earlier report must not show up in this one: a picture found in the
// folder is taken as this run's, so the folder is this run's only when it was emptied and
// made anew. Returns why the folder is not this run's, the folder quoted as where kept
// thumbnails are said to be.
std::optional<std::string> emptyThumbnailFolder(const fs::path& folder) {
    return makeFolderAnew(folder, kMadeFolderMode, "\u201C" + folder.string() + "\u201D", " cannot be emptied: ");
}

// The workbook's file is made anew, exclusively and never through a link planted at its
// name (removing a link leaves its target alone); the library writes into it at the close.
// Private while it is filled: it may take the place of a file no one else may open, and what
// a new file's place gives others it gets when it is copied there.
// Returns the error number of a failure, 0 on success.
int createTemporaryWorkbook(const fs::path& file) {
    std::error_code ignored;
    fs::remove(file, ignored);
    const int descriptor = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (descriptor < 0) return errno;
    ::close(descriptor);
    return 0;
}

// The folder of the library's temporary files for one save: registered as scratch before it
// is made (anew and private), and removed when the save ends, whichever way, after the
// workbook is closed.
class PartsFolder {
public:
    explicit PartsFolder(fs::path folder)
        : scratch_(folder),
          folder_(std::move(folder)),
          problem_(makeFolderAnew(folder_, 0700, folder_.string(), ", left by an earlier report, cannot be removed: ")) {}
    ~PartsFolder() {
        if (!problem_) removeWhole(folder_);
    }
    PartsFolder(const PartsFolder&) = delete;
    PartsFolder& operator=(const PartsFolder&) = delete;

    const fs::path& path() const noexcept { return folder_; }
    // Why the folder could not be made; nothing when it was.
    const std::optional<std::string>& problem() const noexcept { return problem_; }

private:
    ScratchRegistration scratch_;
    fs::path folder_;
    std::optional<std::string> problem_;
};

// The folder a destination is saved in; its own name when it is given without one.
fs::path folderOf(const fs::path& destination) {
    return destination.has_parent_path() ? destination.parent_path() : fs::path(".");
}

// `path` from the root, through no link; as far as it exists, the rest as written.
fs::path resolved(const fs::path& path) {
    std::error_code error;
    fs::path whole = fs::weakly_canonical(fs::absolute(path, error), error);
    return error ? path : whole;
}

// A folder known however it is reached: by device and inode where it exists (another mount of
// it too), otherwise by its name from the root through no link. Found once, however many
// places are compared with it.
class KnownFolder {
public:
    explicit KnownFolder(const fs::path& folder)
        : resolved_(resolved(folder)), exists_(::stat(folder.c_str(), &status_) == 0) {}

    // Whether `place`, resolved, with its status where it exists, is this folder.
    bool is(const fs::path& place, const struct stat* status) const {
        if (exists_ && status != nullptr) return status_.st_dev == status->st_dev && status_.st_ino == status->st_ino;
        return place == resolved_;
    }

private:
    fs::path resolved_;
    struct stat status_ {};
    bool exists_;
};

// Whether `one` and `other` are one folder.
bool sameFolder(const fs::path& one, const fs::path& other) {
    struct stat status {};
    const fs::path place = resolved(one);
    return KnownFolder(other).is(place, ::stat(place.c_str(), &status) == 0 ? &status : nullptr);
}

// Why the workbook cannot go where the user chose, found before the report is written rather
// than after.
std::optional<std::string> destinationProblem(const fs::path& destination, const fs::path& support) {
    // The run's scratch is emptied, removed or written anew at every report, and so is what a
    // stopped run set aside of it: a workbook saved there would go with it.
    const fs::path thumbnails = support / kThumbnailFolderName;
    const fs::path parts = support / kPartsName;
    const struct {
        fs::path folder;
        const char* fate;
    } scratch[] = {{thumbnails, "The folder {} is emptied at every report."},
                   {fs::path(thumbnails).concat(kAsideSuffix), "The folder {} is removed at every report."},
                   {parts, "The folder {} is removed at every report."},
                   {fs::path(parts).concat(kAsideSuffix), "The folder {} is removed at every report."}};
    std::vector<KnownFolder> known;
    for (const auto& entry : scratch) known.emplace_back(entry.folder);
    const auto refusal = [](const char* fate, const fs::path& taken) {
        std::string said = fate;
        said.replace(said.find("{}"), 2, taken.string());
        return said + " Choose another place for the workbook.";
    };
    for (fs::path at = resolved(destination);; at = at.parent_path()) {
        struct stat status {};
        const struct stat* found = ::stat(at.c_str(), &status) == 0 ? &status : nullptr;
        for (std::size_t index = 0; index < known.size(); ++index) {
            if (known[index].is(at, found)) return refusal(scratch[index].fate, scratch[index].folder);
        }
        if (!at.has_relative_path()) break;
    }
    const fs::path folder = folderOf(destination);
    if (destination.filename() == kTemporaryName && sameFolder(folder, support)) {
        return refusal("The file {} is written anew at every report.", support / kTemporaryName);
    }
    struct stat info {};
    if (::stat(destination.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
        return "The workbook cannot be saved as " + destination.string() + ": " + systemErrorSentence(EISDIR);
    }
    int failure = 0;
    if (::stat(folder.c_str(), &info) != 0) {
        failure = errno;
    } else if (!S_ISDIR(info.st_mode)) {
        failure = ENOTDIR;
    } else if (::access(folder.c_str(), W_OK | X_OK) != 0) {
        failure = errno;
    }
    if (failure != 0) {
        return "The workbook cannot be saved in the folder " + folder.string() + ": " + systemErrorSentence(failure);
    }
    long longest = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    if (longest <= 0) longest = NAME_MAX;
    if (destination.filename().native().size() > static_cast<std::size_t>(longest)) {
        return "The workbook cannot be saved as " + destination.string() + ": " + systemErrorSentence(ENAMETOOLONG);
    }
    return std::nullopt;
}

// Moves the finished workbook to a name of its own beside it; nothing when none can be made,
// and the workbook is then removed.
std::optional<fs::path> keepWorkbook(const fs::path& temporary) {
    std::string kept = (temporary.parent_path() / kKeptPattern).string();
    const int descriptor = ::mkstemps(kept.data(), kKeptSuffixLength);
    std::error_code error;
    if (descriptor >= 0) {
        ::close(descriptor);
        fs::rename(temporary, kept, error);
        if (!error) return fs::path(kept);
        fs::remove(kept, error);
    }
    fs::remove(temporary, error);
    return std::nullopt;
}

bool holdsAFile(const fs::path& folder) {
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
        if (entry->is_regular_file(error)) return true;
    }
    return false;
}

// Why the support folder's lock was not taken: busy only while another report holds it.
std::string lockFailureSentence(const fs::path& support, int failure) {
    if (failure == EWOULDBLOCK) {
        return "Another report is being written in the folder \u201C" + support.string() +
               "\u201D. Save again when it has finished.";
    }
    const fs::path lock = support / kReportLockName;
    struct stat info {};
    // A link at the lock's name is never followed, which the system calls a loop of links.
    const bool link = failure == ELOOP && ::lstat(lock.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
    return "The file " + lock.string() + " cannot be opened: " +
           (link ? std::string("It is a symbolic link.") : systemErrorSentence(failure));
}

void reportWritability(const ReportContext& context) {
    const std::string path = context.thumbnailFolder.string();
    if (access(path.c_str(), W_OK) == 0) {
        context.log() << "isWritableFile at " << path << '\n';
    } else {
        context.log() << "The folder at " << path << " is not writable\n";
    }
}

}  // namespace

std::string keptThumbnailsSentence(const fs::path& folder) {
    return "The thumbnails are kept in \u201C" + folder.string() + "\u201D.";
}

ReportSaver::ReportSaver(const Store& store, ReportPlatform& platform, ReportWriter writer)
    : store_(store), platform_(platform), writer_(std::move(writer)) {}

bool ReportSaver::timelineExists(const std::string& reportName, const ReportContext& context) const {
    return reportName == "Event Clips" || reportName == "Bin Clips" || findTimeline(store_, reportName, context);
}

SaveOutcome ReportSaver::save(ReportContext& context, const ReportRequest& request,
                              const SupportFolderSource& privateFolder) {
    if (running_) return SaveOutcome::busy;
    const RunningFlag running(running_);
    ++*saves_;
    saved_.reset();
    keptThumbnails_.reset();
    keptOutOf_.reset();

    if (!timelineExists(request.reportName, context)) {
        platform_.showAlert("The report could not be made",
                            "The timeline \u201C" + request.reportName + "\u201D is no longer in the project.");
        return SaveOutcome::noTimeline;
    }
    // Nothing is touched before a destination is chosen: a cancelled panel must cost the
    // thumbnails an earlier report kept nothing, and hold no lock while the user chooses.
    const std::optional<fs::path> destination = platform_.askSavePath(request.title, "xlsx");
    if (!destination) return SaveOutcome::cancelled;
    const std::optional<std::string> otherUser =
        context.supportFolder.empty() ? std::nullopt : anotherUserControls(context.supportFolder);
    if (privateFolder && (context.supportFolder.empty() || otherUser)) {
        if (otherUser) context.log() << keptOutOfSentence(context.supportFolder, *otherUser) << '\n';
        const fs::path keptOut = context.supportFolder;
        try {
            context.supportFolder = privateFolder();
        } catch (const std::exception& failure) {
            platform_.showAlert("The report could not be made", failure.what());
            return SaveOutcome::failed;
        }
        if (otherUser) {
            keptOutOf_ = "The support folder \u201C" + keptOut.string() + "\u201D is controlled by " + *otherUser +
                         ": a run as root writes nothing there, and works in \u201C" +
                         context.supportFolder.string() + "\u201D instead.";
        }
    }
    const fs::path thumbnails = context.supportFolder / kThumbnailFolderName;
    if (const std::optional<std::string> problem = destinationProblem(*destination, context.supportFolder)) {
        // Refused before any work: there is no report, and nowhere it was made.
        keptOutOf_.reset();
        platform_.showAlert(kNotSaved, *problem);
        return SaveOutcome::failed;
    }
    if (keptOutOf_) platform_.sayWorkFolder(*keptOutOf_);

    if (const std::error_code error = makeFolders(context.supportFolder)) {
        platform_.showAlert("The report could not be made", "The folder " + context.supportFolder.string() +
                                                                 " cannot be created: " +
                                                                 systemErrorSentence(error.value()));
        return SaveOutcome::failed;
    }
    const SupportFolderLock lock(context.supportFolder);
    if (!lock.held()) {
        platform_.showAlert("The report could not be made", lockFailureSentence(context.supportFolder, lock.failure()));
        return SaveOutcome::failed;
    }
    const fs::path temporary = context.supportFolder / kTemporaryName;
    const ScratchRegistration temporaryScratch(temporary);
    if (const int failure = createTemporaryWorkbook(temporary); failure != 0) {
        platform_.showAlert("The report could not be made", "The temporary workbook " + temporary.string() +
                                                                " cannot be created: " + systemErrorSentence(failure));
        return SaveOutcome::failed;
    }
    const PartsFolder parts(context.supportFolder / kPartsName);
    if (parts.problem()) {
        discardWorkbook(context, temporary);
        platform_.showAlert("The report could not be made", *parts.problem());
        return SaveOutcome::failed;
    }
    try {
        context.workbook.emplace(temporary.string(), writeOrder(context, request), context.log(), parts.path().string());
    } catch (const std::exception& failure) {
        discardWorkbook(context, temporary);
        platform_.showAlert("The report could not be made", failure.what());
        return SaveOutcome::failed;
    }
    std::optional<ScratchRegistration> thumbnailScratch(std::in_place, thumbnails);
    context.thumbnailFolder = thumbnails;
    context.thumbnailFolderProblem = emptyThumbnailFolder(thumbnails);
    // What stands there is not this run's to remove, at a signal or at the end.
    if (context.thumbnailFolderProblem) thumbnailScratch.reset();
    reportWritability(context);

    const bool saved = writeReport(context, request, temporary) && finishWorkbook(context, temporary, *destination);
    // Kept thumbnails are said and left only where there is a picture to keep.
    if (!context.thumbnailFolderProblem) {
        if (option(request, "keepThumbnails") && holdsAFile(thumbnails)) {
            thumbnailScratch.reset();
            keptThumbnails_ = context.thumbnailFolder;
            platform_.revealFolder(context.thumbnailFolder);
        } else {
            removeWhole(thumbnails);
        }
    }
    return saved ? SaveOutcome::saved : SaveOutcome::failed;
}

bool ReportSaver::writeReport(ReportContext& context, const ReportRequest& request, const fs::path& temporary) {
    platform_.setBusy(true);
    std::optional<std::string> failure;
    try {
        if (context.currentInputType == InputType::null) {
            context.log() << ".null\n";
        } else {
            if (context.currentInputType == InputType::FCPXML) context.log() << ".FCPXML\n";
            writer_(context, request);
        }
    } catch (const std::exception& error) {
        failure = error.what();
    } catch (...) {
        failure = "An unexpected error ended the report.";
    }
    platform_.setBusy(false);
    if (!failure) return true;
    discardWorkbook(context, temporary);
    platform_.showAlert("The report could not be written", *failure);
    return false;
}

bool ReportSaver::finishWorkbook(ReportContext& context, const fs::path& temporary, const fs::path& destination) {
    errno = 0;
    try {
        if (context.workbook) context.workbook->close();
    } catch (const std::exception& failure) {
        // The library names only the step that failed, in its own terms; a full disk, the
        // likely cause, is said in the program's words alone.
        const int cause = errno;
        discardWorkbook(context, temporary);
        const bool full = cause == ENOSPC || cause == EDQUOT;
        // It is written in the support folder first, whose disk may not be the destination's.
        platform_.showAlert(kNotSaved, "The workbook could not be written in the folder " +
                                           temporary.parent_path().string() + ": " +
                                           (full ? systemErrorSentence(cause) : std::string(failure.what())));
        return false;
    }
    context.workbook.reset();

    std::error_code ignored;
    const bool replacing = fs::exists(fs::symlink_status(destination, ignored));
    try {
        replaceFile(temporary, destination);
    } catch (const fs::filesystem_error& failure) {
        context.log() << "PROBLEM\n" << failure.what() << '\n';
        std::string reason = destination.string() + (replacing ? " could not be replaced: " : " could not be written: ") +
                             systemErrorSentence(failure.code().value());
        if (const std::optional<fs::path> kept = keepWorkbook(temporary)) {
            reason += " The finished workbook is kept at " + kept->string() + ".";
        }
        platform_.showAlert(kNotSaved, reason);
        return false;
    }
    saved_ = SavedWorkbook{destination, false};
    platform_.openFile(destination, [this, saves = std::weak_ptr<unsigned>(saves_), save = *saves_,
                                     log = &context.log()](bool opened) {
        const std::shared_ptr<unsigned> current = saves.lock();
        if (!current || *current != save || !saved_) return;
        saved_->opened = opened;
        *log << debugQuoted("Did the spreadsheet open?") << ' ' << (opened ? "true" : "false") << '\n';
        if (openAnswered_) openAnswered_(*saved_);
    });
    return true;
}

void ReportSaver::discardWorkbook(ReportContext& context, const fs::path& temporary) {
    context.workbook.reset();
    std::error_code ignored;
    fs::remove(temporary, ignored);
}

}  // namespace tallyvane
