#include "cli_arguments.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <set>
#include <string_view>

#include "report/clipsheet/thumbnail_width.h"
#include "shell/column_switches.h"
#include "shell/shell_controller.h"

namespace tallyvane::cli {

const char* const kUsageText =
    "usage: tallyvane-cli reports FILE\n"
    "       tallyvane-cli roles FILE [--report NAME]\n"
    "       tallyvane-cli save FILE -o OUT.xlsx [--report NAME] [--layout NAME]\n"
    "                     [--sheets LIST|none] [--uncheck-video ROLE]...\n"
    "                     [--uncheck-audio ROLE]... [--set KEY=on|off]...\n"
    "                     [--thumbnail-width N]\n"
    "       tallyvane-cli --help | --version\n"
    "FILE is a .fcpxml file or a .fcpxmld bundle. An option's value follows it or an\n"
    "\"=\" (--report NAME or --report=NAME). --help lists the sheets, the report option\n"
    "keys with their defaults, the exit statuses and the environment.\n";

const std::vector<std::string>& reportOptionKeys() {
    static const std::vector<std::string> keys = [] {
        std::vector<std::string> all;
        for (const ColumnSwitch& column : kColumnSwitches) all.emplace_back(column.optionKey);
        for (const char* group : {"reportSeq", "reportSrc"}) {
            for (const char* format : {"Timecode", "Frames", "Feet+Frames", "Clock", "Seconds"}) {
                all.push_back(std::string(group) + format);
            }
        }
        all.emplace_back("useColorText");
        return all;
    }();
    return keys;
}

namespace {

template <typename Names>
std::string joined(const Names& names) {
    std::string text;
    for (const auto& name : names) text += (text.empty() ? "" : ", ") + std::string(name);
    return text;
}

std::vector<std::string> sheetList(const std::string& text) {
    if (text == "none") return {};
    std::vector<std::string> sheets;
    std::string_view rest = text;
    while (true) {
        const std::size_t comma = rest.find(',');
        const std::string_view key = rest.substr(0, comma);
        if (std::find(kExtraSheetKeys.begin(), kExtraSheetKeys.end(), key) == kExtraSheetKeys.end()) {
            throw UsageError("unknown sheet \u201C" + std::string(key) + "\u201D; the sheets are " +
                             joined(kExtraSheetKeys) + ", or none");
        }
        sheets.emplace_back(key);
        if (comma == std::string_view::npos) return sheets;
        rest.remove_prefix(comma + 1);
    }
}

std::pair<std::string, bool> setting(const std::string& text) {
    const std::size_t equals = text.rfind('=');
    if (equals == std::string::npos) throw UsageError("--set takes KEY=on or KEY=off, not \u201C" + text + "\u201D");
    const std::string key = text.substr(0, equals);
    const std::string value = text.substr(equals + 1);
    const std::vector<std::string>& keys = reportOptionKeys();
    if (std::find(keys.begin(), keys.end(), key) == keys.end()) {
        throw UsageError("unknown report option \u201C" + key + "\u201D; the keys are " + joined(keys));
    }
    if (value != "on" && value != "off") throw UsageError("--set " + key + " takes on or off, not \u201C" + value + "\u201D");
    if (value == "on" && key.ends_with("Seconds")) {
        throw UsageError("\u201C" + key + "\u201D cannot be switched on: times in seconds are never reported");
    }
    return {key, value == "on"};
}

std::string width(const std::string& text) {
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    // A negative width counts as its size, as in the settings window.
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < -kMaxThumbnailWidth ||
        value > kMaxThumbnailWidth) {
        throw UsageError("--thumbnail-width takes a number of pixels from 1 to " + std::to_string(kMaxThumbnailWidth) +
                         " (0 for no thumbnails), not \u201C" + text + "\u201D");
    }
    return text;
}

// The options that take a value, the commands they go with, and whether they may be repeated.
struct OptionSpec {
    std::string_view name;
    std::string_view alias;
    std::initializer_list<Command> commands;
    bool repeatable = false;
};
const std::array<OptionSpec, 8> kOptions{{
    {"--report", "", {Command::roles, Command::save}},
    {"-o", "--output", {Command::save}},
    {"--layout", "", {Command::save}},
    {"--sheets", "", {Command::save}},
    {"--uncheck-video", "", {Command::save}, true},
    {"--uncheck-audio", "", {Command::save}, true},
    {"--set", "", {Command::save}, true},
    {"--thumbnail-width", "", {Command::save}},
}};

// The commands that need no FILE: they answer at once.
std::optional<Command> answeringCommand(const std::string& argument) {
    if (argument == "--help" || argument == "-h") return Command::help;
    if (argument == "--version") return Command::version;
    return std::nullopt;
}

// The option named by `argument` ("--report" of "--report=NAME"), if any.
const OptionSpec* findOption(std::string_view argument) {
    argument = argument.substr(0, argument.find('='));
    const auto option = std::find_if(kOptions.begin(), kOptions.end(),
                                     [&](const OptionSpec& spec) { return argument == spec.name || argument == spec.alias; });
    return option == kOptions.end() ? nullptr : &*option;
}

}  // namespace

Arguments parseArguments(const std::vector<std::string>& arguments) {
    Arguments parsed;
    // "--" ends the options wherever it stands, before the command too.
    bool optionsEnded = !arguments.empty() && arguments.front() == "--";
    const std::size_t commandIndex = optionsEnded ? 1 : 0;
    if (arguments.size() <= commandIndex) throw UsageError("no command given");
    const std::string& command = arguments[commandIndex];
    if (command == "help") return parsed;
    if (const std::optional<Command> answer = answeringCommand(command); answer && !optionsEnded) {
        parsed.command = *answer;
        return parsed;
    }
    if (command == "reports") {
        parsed.command = Command::reports;
    } else if (command == "roles") {
        parsed.command = Command::roles;
    } else if (command == "save") {
        parsed.command = Command::save;
    } else if (command.starts_with('-') && command != "-" && !optionsEnded) {
        const std::string name = command.substr(0, command.find('='));
        if (findOption(name) == nullptr) throw UsageError("unknown option " + name);
        throw UsageError(name + " goes after the command");
    } else {
        throw UsageError("unknown command \u201C" + command + "\u201D");
    }

    const auto allowed = [&](const std::string& option, std::initializer_list<Command> commands) {
        if (std::find(commands.begin(), commands.end(), parsed.command) == commands.end()) {
            throw UsageError(option + " does not go with " + command);
        }
    };
    bool haveFile = false;
    std::set<std::string> given;
    for (std::size_t index = commandIndex + 1; index < arguments.size(); ++index) {
        std::string argument = arguments[index];
        if (optionsEnded || !argument.starts_with('-') || argument == "-") {
            if (haveFile) throw UsageError("more than one FILE given");
            parsed.file = argument;
            haveFile = true;
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        if (const std::optional<Command> answer = answeringCommand(argument)) {
            Arguments answering;
            answering.command = *answer;
            return answering;
        }
        std::optional<std::string> attached;
        if (const std::size_t equals = argument.find('='); equals != std::string::npos) {
            attached = argument.substr(equals + 1);
            argument.resize(equals);
        }
        const OptionSpec* option = findOption(argument);
        if (option == nullptr) throw UsageError("unknown option " + argument);
        if (attached && !argument.starts_with("--")) {
            if (attached->empty()) throw UsageError(argument + " needs a value");
            throw UsageError(argument + " takes its value as the next argument (" + argument + " " + *attached +
                             "), not after \u201C=\u201D");
        }
        if (!attached && index + 1 >= arguments.size()) throw UsageError(argument + " needs a value");
        const std::string value = attached ? *attached : arguments[++index];
        // No workbook has an empty name.
        if (option->name == "-o" && value.empty()) throw UsageError(argument + " needs a value");
        if (!option->repeatable && !given.insert(std::string(option->name)).second) {
            throw UsageError(argument + " is given more than once");
        }
        allowed(argument, option->commands);
        if (option->name == "--report") {
            parsed.report = value;
        } else if (option->name == "-o") {
            std::string extension = std::filesystem::path(value).extension().string();
            std::transform(extension.begin(), extension.end(), extension.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
            if (extension != ".xlsx") {
                throw UsageError("the workbook's name must end in .xlsx, not \u201C" + value + "\u201D");
            }
            parsed.output = value;
        } else if (option->name == "--layout") {
            parsed.layout = value;
        } else if (option->name == "--sheets") {
            parsed.sheets = sheetList(value);
        } else if (option->name == "--uncheck-video") {
            parsed.uncheckVideo.push_back(value);
        } else if (option->name == "--uncheck-audio") {
            parsed.uncheckAudio.push_back(value);
        } else if (option->name == "--set") {
            parsed.settings.push_back(setting(value));
        } else {
            parsed.thumbnailWidth = width(value);
        }
    }
    if (!haveFile) throw UsageError("no FILE given");
    if (parsed.command == Command::save && !parsed.output) throw UsageError("save needs -o OUT.xlsx");
    return parsed;
}

}  // namespace tallyvane::cli
