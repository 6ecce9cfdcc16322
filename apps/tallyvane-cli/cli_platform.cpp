#include "cli_platform.h"

#include <ostream>

#include "report/report_saver.h"

namespace tallyvane::cli {

void CliPlatform::showAlert(const std::string& messageText, const std::string& informativeText) {
    errors_ << messageText << '\n' << informativeText << '\n' << std::flush;
}

void CliPlatform::revealFolder(const std::filesystem::path& folder) {
    errors_ << keptThumbnailsSentence(folder) << '\n' << std::flush;
}

void CliPlatform::sayWorkFolder(const std::string& sentence) { errors_ << sentence << '\n' << std::flush; }

}  // namespace tallyvane::cli
