#pragma once
// A program's results on standard output count only once they are written: a full disk or a
// closed pipe found when the buffer is flushed at the end is a failure, not a success.

#include <optional>
#include <string>

namespace tallyvane {

// Flushes std::cout and standard output; the sentence that says why they could not be
// written, or nothing when everything was written.
std::optional<std::string> standardOutputFailure();

}  // namespace tallyvane
