#pragma once
// The command line of tallyvane-cli:
//   reports FILE
//   roles FILE [--report NAME]
//   save FILE -o OUT.xlsx [--report NAME] [--layout NAME] [--sheets LIST|none]
//        [--uncheck-video ROLE]... [--uncheck-audio ROLE]... [--set KEY=on|off]... [--thumbnail-width N]
//   --help, --version
// An option's value follows it as the next argument or after "=" (--report=NAME).

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace tallyvane::cli {

// A command line that does not follow the usage; its text says what is wrong.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class Command { reports, roles, save, help, version };

struct Arguments {
    Command command = Command::help;
    std::filesystem::path file;
    std::optional<std::string> report;
    std::optional<std::filesystem::path> output;
    std::optional<std::string> layout;
    // Sheet keys in the order given; an empty list for "none". Absent: all six.
    std::optional<std::vector<std::string>> sheets;
    std::vector<std::string> uncheckVideo;
    std::vector<std::string> uncheckAudio;
    // Report option key and its state, in the order given.
    std::vector<std::pair<std::string, bool>> settings;
    std::optional<std::string> thumbnailWidth;
};

// The arguments after the program name. Throws UsageError.
Arguments parseArguments(const std::vector<std::string>& arguments);

extern const char* const kUsageText;

// The 38 report option keys of --set, in the settings window's order: the column switches,
// the timeline then source time formats, the text colour.
const std::vector<std::string>& reportOptionKeys();

}  // namespace tallyvane::cli
