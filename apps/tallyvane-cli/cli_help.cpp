#include "cli_help.h"

#include <algorithm>
#include <array>
#include <iomanip>
#include <sstream>
#include <string_view>
#include <utility>

#include "cli_arguments.h"
#include "common/another_users_folder.h"
#include "model/raw_value.h"
#include "report/clipsheet/thumbnail_width.h"
#include "report/report_saver.h"
#include "report/sheet_title.h"
#include "shell/column_layouts.h"
#include "shell/column_switches.h"
#include "shell/shell_controller.h"

namespace tallyvane::cli {

namespace {

constexpr const char* kCommands =
    "Commands:\n"
    "  reports FILE   print the report menu, one title per line: \"Event Clips\" when\n"
    "                 the first event holds clips, \"---\", then that event's timelines\n"
    "  roles FILE     print the roles of a report after analysis: video|audio, [x],\n"
    "                 the role\n"
    "  save FILE      write a report's workbook to OUT.xlsx and print the path\n"
    "                 written\n"
    "  --help, -h     print this text\n"
    "  --version      print the program's version\n"
    "\n"
    "Options:\n"
    "  --report NAME        the report, a title of the menu (default: its first)\n"
    "  -o, --output OUT     the workbook to write; its name ends in .xlsx\n"
    "  --layout NAME        the column layout: \"Default\" (built in) or one stored in\n"
    "                       Layouts.json\n"
    "  --sheets LIST|none   the extra sheets, comma-separated (default: all six)\n"
    "  --uncheck-video ROLE, --uncheck-audio ROLE\n"
    "                       leave out a role's clips, as printed by roles (a main\n"
    "                       role takes its subroles along)\n"
    "  --set KEY=on|off     switch a report option on top of the layout\n";

// What each --sheets key adds.
std::string sheetNames(std::string_view key) {
    const auto quoted = [](SheetTitle title) { return "\"" + std::string(rawValue(title)) + "\""; };
    if (key == "markers") return quoted(SheetTitle::markers);
    if (key == "keywords") return quoted(SheetTitle::keywords);
    if (key == "titles") return quoted(SheetTitle::titlesAndGenerators);
    if (key == "effects") return quoted(SheetTitle::videoAndAudioEffects) + " and " + quoted(SheetTitle::speedChangeEffects);
    if (key == "transitions") return quoted(SheetTitle::transitions);
    return quoted(SheetTitle::summary) + " (not for Event Clips)";
}

std::string timeFormatMeaning(std::string_view key) {
    const bool timeline = key.starts_with("reportSeq");
    const std::string_view format = key.substr(std::string_view("reportSeq").size());
    if (format == "Seconds") return "always off: times are not reported in seconds";
    const std::string columns = timeline ? "Timeline In, Timeline Out and Clip Duration"
                                         : "Source In, Source Out and Source Duration";
    constexpr std::array<std::pair<std::string_view, std::string_view>, 4> kFormats{
        {{"Timecode", "timecode"}, {"Frames", "frame counts"}, {"Feet+Frames", "feet and frames"}, {"Clock", "clock time"}}};
    std::string text = columns + " as ";
    for (const auto& [name, words] : kFormats) {
        if (format == name) text += words;
    }
    return text;
}

std::string meaning(const std::string& key) {
    if (key == "thumbnails") return "a picture of each clip, --thumbnail-width pixels wide";
    if (key == "keepThumbnails") return "keep the thumbnail images after the report (see Thumbnails)";
    if (key == "metadata") return "one column per metadata key of the clips";
    if (key == "useColorText") return "text coloured by track type; off writes black";
    if (const auto column = columnSwitchWithOptionKey(key)) {
        return "the \"" + std::string(kColumnSwitches[*column].title) + "\" column";
    }
    return timeFormatMeaning(key);
}

// `line` broken at spaces into lines of at most 80 columns, each after the first indented by
// `indent` spaces, so that it reads in a terminal of the usual width.
// Stands for a space that `wrapped` never breaks at: one inside a folder's name.
constexpr char kUnbreakableSpace = '\x01';

std::string unbroken(const std::filesystem::path& folder) {
    std::string text = folder.string();
    std::replace(text.begin(), text.end(), ' ', kUnbreakableSpace);
    return text;
}

std::string wrapped(const std::string& line, std::size_t indent) {
    constexpr std::size_t kColumns = 80;
    std::string text;
    std::string rest = line;
    while (rest.size() > kColumns) {
        const std::size_t space = rest.rfind(' ', kColumns);
        if (space == std::string::npos || space <= indent) break;
        text += rest.substr(0, space) + '\n';
        rest = std::string(indent, ' ') + rest.substr(space + 1);
    }
    text += rest + '\n';
    std::replace(text.begin(), text.end(), kUnbreakableSpace, ' ');
    return text;
}

}  // namespace

std::string helpText(const std::map<std::string, bool>& defaults,
                     const std::optional<std::filesystem::path>& supportFolder,
                     const std::filesystem::path& temporaryFolder) {
    std::ostringstream text;
    text << kUsageText << '\n'
         << kCommands
         << wrapped("  --thumbnail-width N  the thumbnails' width in pixels, 1 to " + std::to_string(kMaxThumbnailWidth) +
                        " (0: no thumbnails; a negative N counts as its size)",
                    23)
         << "  An option's value may also follow an \"=\": --report=NAME.\n"
            "\nSheets of --sheets:\n";
    for (const std::string_view key : kExtraSheetKeys) {
        text << "  " << std::left << std::setw(13) << key << sheetNames(key) << '\n';
    }
    text << "\nReport options of --set, with their defaults in the layout \"" << kBuiltInLayoutTitle << "\":\n";
    for (const std::string& key : reportOptionKeys()) {
        const auto found = defaults.find(key);
        const char* state = found != defaults.end() && found->second ? "on" : "off";
        std::ostringstream row;
        row << "  " << std::left << std::setw(22) << key << std::setw(5) << state << meaning(key);
        text << wrapped(row.str(), 29);
    }
    text << "  At least one reportSeq and one reportSrc format stays on.\n";
    text << "\nExit status:\n"
            "  0  done\n"
            "  1  the document or the report failed; the alert is on standard error, its\n"
            "     message line then its informative line\n"
            "  2  the command line cannot be followed; the reason is on standard error\n"
            "\nEnvironment:\n"
            "  TALLYVANE_SUPPORT_DIR  the support folder, when set and not empty\n"
            "  XDG_DATA_HOME          otherwise its folder \"Tallyvane\", when an absolute path\n"
            "  HOME                   otherwise $HOME/.local/share/Tallyvane, when absolute\n";
    // A run as root keeps out of a support folder another user controls as if none were named.
    const std::optional<std::string> controller = supportFolder ? anotherUserControls(*supportFolder) : std::nullopt;
    const std::string privateFolder = "a save works in a private folder of its own in " + unbroken(temporaryFolder) +
                                      kUnbreakableSpace +
                                      "(TMPDIR), removed when the run ends unless it holds kept thumbnails or a kept "
                                      "workbook";
    std::string here = "  The support folder holds Layouts.json (the stored column layouts) and the report's temporary "
                       "workbook. Here it is ";
    if (!supportFolder) {
        here += "not named: layouts last for the run only, and " + privateFolder;
    } else if (controller) {
        here += unbroken(*supportFolder) + ", controlled by " + *controller +
                ": a run as root reads its layouts there, keeps its changes to them for the run and writes nothing "
                "there, and " + privateFolder;
    } else {
        here += unbroken(*supportFolder);
    }
    // Wrapped whatever the folders' names and the shape of the run make of it.
    text << wrapped(here + ".", 2) << "\nThumbnails:\n"
         << wrapped("  Kept thumbnails (--set thumbnails=on --set keepThumbnails=on) stay in " +
                        (supportFolder && !controller
                             ? unbroken(*supportFolder / kThumbnailFolderName) + " until the next report empties it"
                             : "the folder \"" + std::string(kThumbnailFolderName) + "\" of the run's private folder") +
                        "; save names that folder on standard error.",
                    2);
    return text.str();
}

}  // namespace tallyvane::cli
