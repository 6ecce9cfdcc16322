#pragma once
// The application without its windows: it owns the project store and the reader, and holds
// everything the main window and the settings window show (the opened file, the report
// menu, the role tables, the sheet switches, the layouts and settings controls) and every
// command they send (open, analyse, save, the role toggles, the layout commands, help,
// support mail). The Qt windows render this state and forward the user's actions; the
// command-line tool drives the same commands from its arguments.

#include <array>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/store.h"
#include "reader/alert_presenter.h"
#include "reader/fcpxml_reader.h"
#include "report/report_context.h"
#include "report/report_request.h"
#include "report/report_saver.h"
#include "report/report_writer.h"
#include "shell/column_layouts.h"
#include "shell/popup_menu.h"
#include "shell/role_tables.h"
#include "shell/settings_controls.h"
#include "shell/shell_platform.h"

namespace tallyvane {

// The optional sheets of a report, in the order the save request lists them.
enum class ExtraSheet : std::size_t { markers, keywords, titles, effects, transitions, summary };
inline constexpr std::array<std::string_view, 6> kExtraSheetKeys{"markers", "keywords", "titles",
                                                                 "effects", "transitions", "summary"};

enum class OpenOutcome {
    opened,       // the report menu shows what the project offers
    rejected,     // the reader refused the document and said why in an alert
    unreadable,   // no text could be read; an alert said why
    notADocument, // not a .fcpxml file or .fcpxmld bundle; an alert said so
    nothingToReport, // the project holds no event with clips or timelines; an alert said so
    busy,         // a document is being read or a report written; nothing was done
    cancelled,    // no file was chosen
};

struct ShellSetup {
    // Where "Layouts.json" and a report's temporary files live; nothing when the environment
    // names no such place, and then layouts are kept for the run only.
    std::optional<std::filesystem::path> supportFolder;
    // Where a report's temporary files go without a support folder; asked only once a
    // report's destination is chosen, so that a run without reports makes no folder. It
    // throws, with the alert's text, when the folder cannot be made.
    std::function<std::filesystem::path()> workFolder;
    // Makes the writer that fills a report's workbook from the controller's store.
    std::function<ReportWriter(const Store&)> makeWriter = makeReportWriter;
    // Diagnostic lines.
    std::reference_wrapper<std::ostream> log;
    // Whether the media library reads ProRes, DNxHD and MXF; throws MediaModuleError when the
    // media module cannot be loaded.
    std::function<bool()> proVideoFormatsAvailable;
    // Whether the first report that cannot load the media module says so in an alert; the
    // command-line program says it in a line of its own.
    bool alertMediaModuleFailure = true;
};

class ShellController {
public:
    // Start-up: the time display and colour controls from the registered defaults, the
    // support folder, the stored layouts and both layout menus, and an empty store.
    ShellController(ShellPlatform& platform, ShellSetup setup);
    // Termination empties the store.
    ~ShellController();
    ShellController(const ShellController&) = delete;
    ShellController& operator=(const ShellController&) = delete;

    // The alert of the whole program: stops the progress indicator, then shows the texts.
    void showAlert(const std::string& messageText, const std::string& informativeText);

    // --- main window ---
    bool inputFileIconVisible() const noexcept { return inputFileIconVisible_; }
    const std::string& inputFileName() const noexcept { return inputFileName_; }
    const PopupMenu& reportMenu() const noexcept { return reportMenu_; }
    // The report last analysed (or, before any analysis of this project, the menu's first).
    const std::string& selectedReport() const noexcept { return selectedReport_; }
    const RoleTable& videoRoles() const noexcept { return videoRoles_; }
    const RoleTable& audioRoles() const noexcept { return audioRoles_; }
    // All/None stay available from the first analysis on; on empty tables they do nothing.
    bool roleButtonsEnabled() const noexcept { return roleButtonsEnabled_; }
    // Analyze is available while a report (not the menu's separator) is chosen.
    bool analyzeEnabled() const;
    // Save is available once the current project has been analysed.
    bool saveEnabled() const noexcept { return analysed_; }
    // While a document is read or a report written, the windows hold input back.
    bool isBusy() const noexcept { return opening_ || saver_.isRunning(); }
    bool sheetSwitch(ExtraSheet sheet) const { return sheetSwitches_.at(static_cast<std::size_t>(sheet)); }

    // The open panel, then openFiles with the chosen file.
    OpenOutcome clickOpenFile();
    // The open-documents event: only the first file is read. The old project is cleared
    // first; with exactly one report the project is analysed at once.
    OpenOutcome openFiles(const std::vector<std::filesystem::path>& files);
    // The menu's separator cannot be chosen.
    void chooseReport(std::size_t index);
    // Collects the roles of the report chosen in the menu; nothing while none is chosen.
    void analyze();
    void setAllVideoRoles(bool checked) { videoRoles_.setAll(checked); }
    void setAllAudioRoles(bool checked) { audioRoles_.setAll(checked); }
    void toggleVideoRole(std::size_t row) { videoRoles_.toggle(row); }
    void toggleAudioRole(std::size_t row) { audioRoles_.toggle(row); }
    void setSheetSwitch(ExtraSheet sheet, bool on) { sheetSwitches_.at(static_cast<std::size_t>(sheet)) = on; }

    // What Save hands to the report writer: the analysed report, its title (with the layout
    // chosen in the main window), the role rows, the switched-on sheets and the options.
    // Also sets the report context's thumbnail width and offsets.
    ReportRequest saveRequest();
    // Save; nothing when Save is not available (no analysis since the last open, or busy).
    std::optional<SaveOutcome> save();
    // Where the last save put its workbook (nothing when it put none there).
    const std::optional<SavedWorkbook>& savedWorkbook() const noexcept { return saver_.savedWorkbook(); }
    // What the main window says after a save: where the workbook is when no program opened
    // it (once the platform has answered), and what the media could not give and which folder
    // a run as root kept out of (the command line's lines on standard error). Empty otherwise,
    // and again from the next open or save on.
    std::string savedMessage() const;

    // --- settings window ---
    ColumnLayouts& layouts() noexcept { return layouts_; }
    const ColumnLayouts& layouts() const noexcept { return layouts_; }
    const TimeDisplayControls& timeDisplay() const noexcept { return timeDisplay_; }
    // A time format check box; switching off a group's last format switches its timecode on.
    void setSequenceFormat(TimeFormat format, bool on);
    void setSourceFormat(TimeFormat format, bool on);
    // Both groups at once, kept valid afterwards: a change of several formats is not undone
    // half way by the rule for an empty group.
    void setTimeFormats(const std::array<bool, kTimeFormatCount>& sequence,
                        const std::array<bool, kTimeFormatCount>& source);
    void setOffsetText(TimeFormat format, std::string text);
    void setColorRow(std::size_t row) { timeDisplay_.colorRow = row; }
    bool settingsWindowVisible() const noexcept { return settingsWindowVisible_; }
    std::size_t settingsTab() const noexcept { return settingsTab_; }
    // The settings menu command and the main window's layout edit button: the settings
    // window in front, on its first tab (the column layouts).
    void showLayoutsPref();
    void selectSettingsTab(std::size_t tab) { settingsTab_ = tab; }
    // A window became active: another program of the user may have changed the layouts
    // meanwhile. Nothing while a document is read or a report written.
    void windowActivated() {
        if (!isBusy()) layouts_.refresh();
    }
    void closeSettingsWindow() { settingsWindowVisible_ = false; }

    // --- application menu --- (each says in an alert when nothing on the desktop takes it)
    void showHelp();
    void visitWebsite();
    // The support mail; the contact page when no mail program takes it.
    void emailSupport();
    void checkProVideoFormats();

    const Store& store() const noexcept { return store_; }
    const ReportContext& reportContext() const noexcept { return context_; }

private:
    class ReaderAlerts : public AlertPresenter {
    public:
        explicit ReaderAlerts(ShellController& shell) : shell_(shell) {}
        void showAlert(std::string_view messageText, std::string_view informativeText) override;

    private:
        ShellController& shell_;
    };

    void clearProject();
    void analyseChosenReport();
    // Hands the page to the browser, or says that `what` cannot be opened.
    void openWebPage(std::string_view url, const std::string& what);
    void dumpOptions(const std::map<std::string, bool>& options) const;

    ShellPlatform& platform_;
    std::ostream& log_;
    std::optional<std::filesystem::path> supportFolder_;
    std::function<std::filesystem::path()> workFolder_;
    std::function<bool()> proVideoFormatsAvailable_;
    // Cleared once the alert was shown.
    bool alertMediaModuleFailure_;
    Store store_;
    ReaderAlerts readerAlerts_;
    FCPXMLReader reader_;
    ReportContext context_;
    ReportSaver saver_;
    ColumnLayouts layouts_;
    TimeDisplayControls timeDisplay_;

    bool inputFileIconVisible_ = false;
    std::string inputFileName_;
    // The sentence of the opener's answer, and the rest said after a save.
    std::string unopenedMessage_;
    std::string savedMessage_;
    // Whether this controller still exists when an answer comes from the event loop.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    PopupMenu reportMenu_;
    std::string selectedReport_;
    RoleTable videoRoles_;
    RoleTable audioRoles_;
    bool analysed_ = false;
    bool roleButtonsEnabled_ = false;
    bool opening_ = false;
    std::size_t alertsShown_ = 0;
    std::array<bool, kExtraSheetKeys.size()> sheetSwitches_{true, true, true, true, true, true};
    bool settingsWindowVisible_ = false;
    std::size_t settingsTab_ = 0;
};

}  // namespace tallyvane
