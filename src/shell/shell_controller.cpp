#include "shell/shell_controller.h"

#include <cstdint>
#include <limits>
#include <ostream>
#include <utility>

#include "common/debug_text.h"
#include "media/media_error.h"
#include "shell/document_text.h"
#include "shell/media_shortfall.h"
#include "shell/report_menu.h"
#include "shell/shell_addresses.h"
#include "shell/support_mail.h"

namespace tallyvane {

namespace {

constexpr std::uint8_t kTimelineSheetKind = 6;

// The user defaults registered at start-up. They seed the time display and colour controls:
// timeline and source times as timecode, coloured text.
const std::map<std::string, int>& registeredDefaults() {
    static const std::map<std::string, int> defaults{
        {"ReportHHMMSSFF1", 1}, {"ReportHHMMSSFF2", 1}, {"TextColors", 1}};
    return defaults;
}

TimeDisplayControls timeDisplayFromDefaults(const std::map<std::string, int>& defaults) {
    TimeDisplayControls controls;
    controls.sequence[static_cast<std::size_t>(TimeFormat::timecode)] = defaults.at("ReportHHMMSSFF1") == 1;
    controls.source[static_cast<std::size_t>(TimeFormat::timecode)] = defaults.at("ReportHHMMSSFF2") == 1;
    controls.colorRow = defaults.at("TextColors") == 1 ? 0 : 1;
    controls.validate();
    return controls;
}

class Flag {
public:
    explicit Flag(bool& flag) : flag_(flag) { flag_ = true; }
    ~Flag() { flag_ = false; }
    Flag(const Flag&) = delete;
    Flag& operator=(const Flag&) = delete;

private:
    bool& flag_;
};

}  // namespace

void ShellController::ReaderAlerts::showAlert(std::string_view messageText, std::string_view informativeText) {
    shell_.showAlert(std::string(messageText), std::string(informativeText));
}

ShellController::ShellController(ShellPlatform& platform, ShellSetup setup)
    : platform_(platform),
      log_(setup.log.get()),
      supportFolder_(setup.supportFolder),
      workFolder_(std::move(setup.workFolder)),
      proVideoFormatsAvailable_(std::move(setup.proVideoFormatsAvailable)),
      alertMediaModuleFailure_(setup.alertMediaModuleFailure),
      readerAlerts_(*this),
      reader_(store_, readerAlerts_, log_, [this] { platform_.tick(); }),
      saver_(store_, platform_, setup.makeWriter(store_)),
      layouts_(LayoutsFile(setup.supportFolder, log_)),
      timeDisplay_(timeDisplayFromDefaults(registeredDefaults())) {
    // The project store lives in memory only.
    log_ << debugQuoted("Use RAM for storage?") << " true\n";
    context_.diagnostics = log_;
    context_.tick = [this] { platform_.tick(); };
    context_.progress = [this] { return platform_.progress(); };
    saver_.setOpenAnswered([this](const SavedWorkbook& saved) {
        if (saved.opened) return;
        unopenedMessage_ = "The report was saved as \u201C" + saved.path.string() + "\u201D. No program is set up to open it.";
    });
    platform_.setBusy(false);
}

ShellController::~ShellController() { store_.deleteAll(); }

void ShellController::showAlert(const std::string& messageText, const std::string& informativeText) {
    platform_.setBusy(false);
    ++alertsShown_;
    platform_.showAlert(messageText, informativeText);
}

void ShellController::clearProject() {
    store_.deleteAll();
    // An answer still to come is about a save no longer said.
    saver_.ignorePendingAnswer();
    unopenedMessage_.clear();
    savedMessage_.clear();
    reportMenu_.removeAll();
    videoRoles_ = {};
    audioRoles_ = {};
    // A Save before the new project is analysed would write the old project's report.
    analysed_ = false;
    selectedReport_.clear();
}

OpenOutcome ShellController::clickOpenFile() {
    if (isBusy()) return OpenOutcome::busy;
    const std::optional<std::filesystem::path> chosen = platform_.askOpenPath({"fcpxml", "fcpxmld"});
    if (!chosen) return OpenOutcome::cancelled;
    return openFiles({*chosen});
}

OpenOutcome ShellController::openFiles(const std::vector<std::filesystem::path>& files) {
    if (files.empty()) return OpenOutcome::cancelled;
    // Clearing the store under a running reader or report writer would leave it half filled.
    if (isBusy()) return OpenOutcome::busy;
    const Flag opening(opening_);
    clearProject();
    const std::filesystem::path path = documentPath(files.front());
    context_.sheetKind = kTimelineSheetKind;
    inputFileIconVisible_ = true;
    inputFileName_ = path.filename().string();

    platform_.setBusy(true);
    DocumentText document = readDocumentText(path, log_);
    if (document.status != DocumentText::Status::read) {
        if (document.status == DocumentText::Status::notADocument) {
            log_ << debugQuoted("wot the bloody hell is all this then?") << '\n';
            showAlert("\u201C" + inputFileName_ + "\u201D is not a project document",
                      "Open a .fcpxml file or a .fcpxmld bundle exported from Final Cut Pro.");
        } else {
            showAlert(document.messageText, document.informativeText);
        }
        log_ << debugQuoted("failed parsing the file") << '\n';
        return document.status == DocumentText::Status::notADocument ? OpenOutcome::notADocument
                                                                     : OpenOutcome::unreadable;
    }
    const std::size_t alertsBefore = alertsShown_;
    reader_.processFCPXML(std::move(document.text));
    context_.currentInputType = reader_.currentInputType();

    fillReportMenu(store_, reportMenu_, log_);
    selectedReport_ = reportMenu_.selectedTitle();
    platform_.setBusy(false);
    if (alertsShown_ != alertsBefore) return OpenOutcome::rejected;
    if (reportMenu_.empty()) {
        clearProject();
        showAlert("There is nothing to report", "The project holds no event with clips or timelines.");
        return OpenOutcome::nothingToReport;
    }
    if (reportMenu_.size() == 1) analyseChosenReport();
    return OpenOutcome::opened;
}

bool ShellController::analyzeEnabled() const {
    const std::string chosen = reportMenu_.selectedTitle();
    return !isBusy() && !chosen.empty() && chosen != kReportMenuSeparator;
}

void ShellController::chooseReport(std::size_t index) {
    if (index < reportMenu_.size() && reportMenu_.titles()[index] != kReportMenuSeparator) reportMenu_.select(index);
}

void ShellController::analyze() {
    if (analyzeEnabled()) analyseChosenReport();
}

void ShellController::analyseChosenReport() {
    selectedReport_ = reportMenu_.selectedTitle();
    RoleTables tables = analyseRoles(store_, selectedReport_, log_);
    videoRoles_ = std::move(tables.video);
    audioRoles_ = std::move(tables.audio);
    analysed_ = true;
    roleButtonsEnabled_ = true;
}

ReportRequest ShellController::saveRequest() {
    ReportRequest request;
    request.reportName = selectedReport_;
    request.title = selectedReport_ + " - " + layouts_.appMenu().selectedTitle() + " Report";
    request.videoRoles = videoRoles_.rows();
    request.audioRoles = audioRoles_.rows();
    for (std::size_t sheet = 0; sheet < kExtraSheetKeys.size(); ++sheet) {
        if (sheetSwitches_[sheet]) request.sheets.emplace_back(kExtraSheetKeys[sheet]);
    }
    request.options = reportOptions(layouts_.controls(), timeDisplay_, context_);
    dumpOptions(request.options);
    return request;
}

std::optional<SaveOutcome> ShellController::save() {
    if (!analysed_ || isBusy()) return std::nullopt;
    unopenedMessage_.clear();
    savedMessage_.clear();
    context_.mediaShortfall = {};
    const ColumnControls& columns = layouts_.controls();
    if (columns.checked[kThumbnailsSwitch]) {
        // The one width without a size of its own is said as it is written.
        const std::int64_t width = thumbnailWidthValue(columns.thumbnailWidthText);
        const bool sized = width != std::numeric_limits<std::int64_t>::max();
        if (const auto problem = thumbnailWidthProblem(width, sized ? "" : columns.thumbnailWidthText)) {
            showAlert("The report could not be made", *problem);
            return SaveOutcome::failed;
        }
    }
    const ReportRequest request = saveRequest();
    context_.currentInputType = reader_.currentInputType();
    // The run's own work folder is made only once the user has chosen where the report goes.
    context_.supportFolder = supportFolder_.value_or(std::filesystem::path());
    const SaveOutcome outcome = saver_.save(context_, request, workFolder_);
    if (const std::optional<std::string>& failure = context_.mediaShortfall.moduleFailure;
        failure && alertMediaModuleFailure_) {
        // Once: every later report would meet the same module.
        alertMediaModuleFailure_ = false;
        showAlert(std::string(kMediaModuleFailureText), *failure);
    }
    const auto say = [this](const std::string& sentence) { savedMessage_ += (savedMessage_.empty() ? "" : " ") + sentence; };
    // Where the report was made comes first: it explains where what follows is.
    if (const auto& keptOut = saver_.keptOutOf()) say(*keptOut);
    // What the command line says of the media, the window says too.
    if (const auto shortfall = mediaShortfallSentence(context_.mediaShortfall); shortfall && saver_.savedWorkbook()) {
        say(*shortfall + ".");
    }
    if (const auto& kept = saver_.keptThumbnails()) say(keptThumbnailsSentence(*kept));
    return outcome;
}

void ShellController::dumpOptions(const std::map<std::string, bool>& options) const {
    log_ << "\u25BF " << options.size() << " key/value pairs\n";
    for (const auto& [key, on] : options) {
        log_ << "  \u25BF (2 elements)\n    - key: " << debugQuoted(key) << "\n    - value: " << (on ? "true" : "false")
             << '\n';
    }
}

void ShellController::setSequenceFormat(TimeFormat format, bool on) {
    timeDisplay_.sequence.at(static_cast<std::size_t>(format)) = on;
    timeDisplay_.validate();
}

void ShellController::setSourceFormat(TimeFormat format, bool on) {
    timeDisplay_.source.at(static_cast<std::size_t>(format)) = on;
    timeDisplay_.validate();
}

void ShellController::setTimeFormats(const std::array<bool, kTimeFormatCount>& sequence,
                                     const std::array<bool, kTimeFormatCount>& source) {
    timeDisplay_.sequence = sequence;
    timeDisplay_.source = source;
    timeDisplay_.validate();
}

void ShellController::setOffsetText(TimeFormat format, std::string text) {
    timeDisplay_.offsetTexts.at(static_cast<std::size_t>(format)) = std::move(text);
}

void ShellController::showLayoutsPref() {
    settingsWindowVisible_ = true;
    settingsTab_ = 0;
}

std::string ShellController::savedMessage() const {
    if (unopenedMessage_.empty() || savedMessage_.empty()) return unopenedMessage_ + savedMessage_;
    return unopenedMessage_ + " " + savedMessage_;
}

void ShellController::openWebPage(std::string_view url, const std::string& what) {
    const std::string address(url);
    platform_.openUrl(address, [this, alive = std::weak_ptr<bool>(alive_), what, address](bool opened) {
        if (opened || alive.expired()) return;
        showAlert(what + " cannot be opened", "No web browser is set up to open " + address + ".");
    });
}

void ShellController::showHelp() { openWebPage(kHelpUrl, "The help"); }

void ShellController::visitWebsite() { openWebPage(kProductUrl, "The website"); }

void ShellController::emailSupport() {
    // The contact page when no mail program takes the mail, the address when nothing opens.
    const auto answered = [this, alive = std::weak_ptr<bool>(alive_)](bool mailed) {
        if (mailed || alive.expired()) return;
        platform_.openUrl(std::string(kContactUrl), [this, alive](bool shown) {
            if (shown || alive.expired()) return;
            showAlert("The support mail cannot be written",
                      "No mail program or web browser is set up. Write to " + std::string(kSupportMailAddress) + ".");
        });
    };
    platform_.openUrl(supportMailUrl(kSupportMailAddress, kExecutableName, kShortVersion), answered);
}

void ShellController::checkProVideoFormats() {
    bool available = false;
    try {
        available = proVideoFormatsAvailable_ && proVideoFormatsAvailable_();
    } catch (const MediaModuleError& failure) {
        // The formats may well be there; it is the module that reads them that is not.
        platform_.showAlert(std::string(kMediaModuleFailureText), failure.reason());
        return;
    }
    if (available) {
        platform_.showAlert("Success!\nPro Video Formats are installed", "");
    } else if (platform_.askAlertAction("Pro Video Formats are NOT installed", "", "Get Pro Video Formats")) {
        platform_.openUrl(std::string(kProVideoFormatsUrl), [](bool) {});
    }
}

}  // namespace tallyvane
