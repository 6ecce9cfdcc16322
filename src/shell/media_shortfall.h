#pragma once
// What a report's media could not give, said once after the save by both programs (the
// command line's standard error, the window's status line): how many Thumbnail cells read
// "Offline" and "Problem" and why, and the media module's load failure. The workbook is
// written all the same, so the save still succeeds.

#include <optional>
#include <string>

#include "report/report_context.h"

namespace tallyvane {

// Nothing when the media gave everything the report asked of them.
std::optional<std::string> mediaShortfallSentence(const MediaShortfall& shortfall);

}  // namespace tallyvane
