#pragma once
// One run of tallyvane-cli: open the document through the shell controller, then list its
// reports, list the roles of one report, or save one report.

#include <iosfwd>

#include "cli_arguments.h"
#include "shell/support_folder.h"

namespace tallyvane::cli {

// Exit statuses.
inline constexpr int kSucceeded = 0;
inline constexpr int kFailed = 1;  // the document or the report failed; an alert said why
inline constexpr int kUsage = 2;

// Results go to `out`, alerts and usage errors to `errors`.
int run(const Arguments& arguments, const EnvironmentLookup& environment, std::ostream& out, std::ostream& errors);

}  // namespace tallyvane::cli
