#include "cli_run.h"

#include <algorithm>
#include <ostream>
#include <tuple>

#include "cli_help.h"
#include "cli_platform.h"
#include "shell/media_shortfall.h"
#include "shell/pro_video_formats.h"
#include "shell/report_menu.h"
#include "shell/shell_addresses.h"
#include "shell/shell_controller.h"

namespace tallyvane::cli {

namespace {

std::optional<std::size_t> rowNamed(const RoleTable& table, const std::string& name) {
    const auto& rows = table.rows();
    const auto found =
        std::find_if(rows.begin(), rows.end(), [&](const RoleRecord& row) { return row.roleName == name; });
    if (found == rows.end()) return std::nullopt;
    return static_cast<std::size_t>(found - rows.begin());
}

// A report of the menu by its title; the separator is no report.
std::optional<std::size_t> reportNamed(const PopupMenu& reports, const std::string& name) {
    if (name == kReportMenuSeparator) return std::nullopt;
    return reports.indexOf(name);
}

std::string reportList(const PopupMenu& reports) {
    std::string text;
    for (const std::string& title : reports.titles()) {
        if (title != kReportMenuSeparator) text += (text.empty() ? "\u201C" : ", \u201C") + title + "\u201D";
    }
    return text;
}

void printRoles(std::ostream& out, const char* side, const RoleTable& table) {
    for (const RoleRecord& row : table.rows()) {
        out << side << '\t' << (row.isChecked ? "[x]" : "[ ]") << '\t' << row.roleName << '\n';
    }
}

// The settings window's controls as the arguments set them, on top of the chosen layout;
// the reason when a switch cannot take effect.
std::optional<std::string> applySettings(ShellController& shell, const Arguments& arguments) {
    constexpr std::array<std::string_view, kTimeFormatCount> kFormats{"Timecode", "Frames", "Feet+Frames", "Clock"};
    std::array<bool, kTimeFormatCount> sequence = shell.timeDisplay().sequence;
    std::array<bool, kTimeFormatCount> source = shell.timeDisplay().source;
    bool keepAsked = false;
    for (const auto& [key, on] : arguments.settings) {
        if (const auto column = columnSwitchWithOptionKey(key)) {
            shell.layouts().overrideColumn(*column, on);
            if (*column == kKeepThumbnailsSwitch) keepAsked = on;
        } else if (key == "useColorText") {
            shell.setColorRow(on ? 0 : 1);
        }
        for (std::size_t format = 0; format < kFormats.size(); ++format) {
            if (key == "reportSeq" + std::string(kFormats[format])) sequence[format] = on;
            if (key == "reportSrc" + std::string(kFormats[format])) source[format] = on;
        }
    }
    // The settings window would switch timecode back on; a command line says so instead.
    const auto noneOn = [](const auto& group) { return std::find(group.begin(), group.end(), true) == group.end(); };
    for (const auto& [group, name, columns] :
         {std::tuple{&sequence, "reportSeq", "Timeline In, Timeline Out and Clip Duration"},
          std::tuple{&source, "reportSrc", "Source In, Source Out and Source Duration"}}) {
        if (noneOn(*group)) {
            return std::string("these settings leave no time format on for ") + columns +
                   ", and one must stay on: switch one of " + name + "Timecode, " + name + "Frames, " + name +
                   "Feet+Frames or " + name + "Clock on";
        }
    }
    if (keepAsked && !shell.layouts().controls().checked[kThumbnailsSwitch]) {
        return "keepThumbnails has no thumbnails to keep: add --set thumbnails=on";
    }
    shell.setTimeFormats(sequence, source);
    if (arguments.thumbnailWidth) shell.layouts().overrideThumbnailWidth(*arguments.thumbnailWidth);
    return std::nullopt;
}

class Run {
public:
    Run(const Arguments& arguments, std::ostream& out, std::ostream& errors) : arguments_(arguments), out_(out), errors_(errors) {}

    int usage(const std::string& problem) {
        errors_ << "tallyvane-cli: " << problem << '\n';
        return kUsage;
    }

    int operator()(ShellController& shell) {
        if (shell.openFiles({arguments_.file}) != OpenOutcome::opened) return kFailed;
        const PopupMenu& reports = shell.reportMenu();
        if (arguments_.command == Command::reports) {
            for (const std::string& title : reports.titles()) out_ << title << '\n';
            return kSucceeded;
        }
        const std::optional<std::size_t> report = arguments_.report ? reportNamed(reports, *arguments_.report) : 0;
        if (!report) {
            return usage("the project has no report \u201C" + *arguments_.report + "\u201D; its reports are " +
                         reportList(reports));
        }
        shell.chooseReport(*report);
        shell.analyze();
        if (arguments_.command == Command::roles) {
            printRoles(out_, "video", shell.videoRoles());
            printRoles(out_, "audio", shell.audioRoles());
            return kSucceeded;
        }
        if (const int status = prepareSave(shell); status != kSucceeded) return status;
        const std::optional<SaveOutcome> outcome = shell.save();
        if (outcome != SaveOutcome::saved) return kFailed;
        if (const auto sentence = mediaShortfallSentence(shell.reportContext().mediaShortfall)) {
            errors_ << "tallyvane-cli: " << *sentence << '\n';
        }
        out_ << shell.savedWorkbook()->path.string() << '\n';
        return kSucceeded;
    }

private:
    int prepareSave(ShellController& shell) {
        // The layouts a save chooses from: what the window logs of a file it could not read is
        // said here, or a missing layout would be all the user saw.
        if (const std::optional<std::string>& unreadable = shell.layouts().unreadableFile()) errors_ << *unreadable << '\n';
        if (arguments_.layout) {
            const std::optional<std::size_t> layout = shell.layouts().appMenu().indexOf(*arguments_.layout);
            if (!layout) return usage("there is no layout \u201C" + *arguments_.layout + "\u201D");
            shell.layouts().chooseInApp(*layout);
        }
        if (arguments_.sheets) {
            for (std::size_t sheet = 0; sheet < kExtraSheetKeys.size(); ++sheet) {
                const bool on = std::find(arguments_.sheets->begin(), arguments_.sheets->end(), kExtraSheetKeys[sheet]) !=
                                arguments_.sheets->end();
                shell.setSheetSwitch(static_cast<ExtraSheet>(sheet), on);
            }
        }
        for (const std::string& role : arguments_.uncheckVideo) {
            const std::optional<std::size_t> row = rowNamed(shell.videoRoles(), role);
            if (!row) return usage("the report has no video role \u201C" + role + "\u201D");
            if (shell.videoRoles().rows()[*row].isChecked) shell.toggleVideoRole(*row);
        }
        for (const std::string& role : arguments_.uncheckAudio) {
            const std::optional<std::size_t> row = rowNamed(shell.audioRoles(), role);
            if (!row) return usage("the report has no audio role \u201C" + role + "\u201D");
            if (shell.audioRoles().rows()[*row].isChecked) shell.toggleAudioRole(*row);
        }
        if (const std::optional<std::string> problem = applySettings(shell, arguments_)) return usage(*problem);
        return kSucceeded;
    }

    const Arguments& arguments_;
    std::ostream& out_;
    std::ostream& errors_;
};

}  // namespace

int run(const Arguments& arguments, const EnvironmentLookup& environment, std::ostream& out, std::ostream& errors) {
    CliPlatform platform(errors, arguments.file, arguments.output);
    // The diagnostic lines of reading and writing are for the desktop program's log; here
    // standard output carries results and standard error the alerts.
    std::ostream discarded(nullptr);
    if (arguments.command == Command::version) {
        out << "tallyvane-cli " << kShortVersion << '\n';
        return kSucceeded;
    }
    const std::optional<std::filesystem::path> supportFolder = locateSupportFolder(environment);
    // Declared before the controller, so that the folder is tidied after the controller is gone.
    RunWorkFolder workFolder(environment);
    const auto workFolderPath = [&workFolder] { return workFolder.path(); };
    if (arguments.command == Command::help) {
        // The defaults are those of a controller that has read no stored layout.
        ShellController shell(platform, ShellSetup{std::nullopt, workFolderPath, makeReportWriter, discarded,
                                                   proVideoFormatsAvailable});
        ReportContext scratch;
        out << helpText(reportOptions(shell.layouts().controls(), shell.timeDisplay(), scratch), supportFolder,
                        workFolder.parent());
        return kSucceeded;
    }
    ShellController shell(platform,
                          ShellSetup{supportFolder, workFolderPath, makeReportWriter, discarded, proVideoFormatsAvailable,
                                     /* alertMediaModuleFailure */ false});
    return Run(arguments, out, errors)(shell);
}

}  // namespace tallyvane::cli
