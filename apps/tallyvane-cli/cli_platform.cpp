#include "cli_platform.h"

#include <ostream>

namespace tallyvane::cli {

void CliPlatform::showAlert(const std::string& messageText, const std::string& informativeText) {
    errors_ << messageText << '\n' << informativeText << '\n' << std::flush;
}

}  // namespace tallyvane::cli
