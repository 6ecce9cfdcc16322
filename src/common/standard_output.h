#pragma once
// A program's results on standard output count only once they are written: a full disk or a
// closed pipe found when the buffer is flushed at the end is a failure, not a success.

#include <optional>
#include <string>

namespace tallyvane {

// From now on std::cout writes straight to standard output and keeps the reason of the first
// write that failed, which the sentence below then gives. Called first by both programs.
void recordStandardOutputFailures();

// Flushes std::cout and standard output; the sentence that says why they could not be
// written, or nothing when everything was written.
std::optional<std::string> standardOutputFailure();

}  // namespace tallyvane
