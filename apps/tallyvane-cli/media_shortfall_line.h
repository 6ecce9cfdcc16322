#pragma once
// The one line standard error gets about what a report's media could not give: how many
// Thumbnail cells read "Offline" and "Problem" and why, and the media module's load failure.
// The workbook is written all the same, so the run still succeeds.

#include <optional>
#include <string>

#include "report/report_context.h"

namespace tallyvane::cli {

// Nothing when the media gave everything the report asked of them.
std::optional<std::string> mediaShortfallLine(const MediaShortfall& shortfall);

}  // namespace tallyvane::cli
