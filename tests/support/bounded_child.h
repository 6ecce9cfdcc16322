#pragma once
// A child process a test waits for, and a test step run in one so that a step that never ends
// (a read that lost its bound, a walk that grew without end) fails the test instead of
// holding it.

#include <chrono>
#include <functional>
#include <optional>
#include <string>

#include <sys/types.h>

namespace tallyvane::test {

// The patience of the tests: far above what any step takes, so that a child a busy machine
// did not schedule is never taken for one that hangs.
inline constexpr std::chrono::seconds kPatience{30};

// The child's wait status, or nothing when it has not ended within `patience` (it is then
// killed and reaped).
std::optional<int> endedInTime(pid_t child, std::chrono::seconds patience = kPatience);

// Runs `step` in a child, which ends with the test program, and fails the test, naming `what`,
// when the step failed an assertion there, ended otherwise than by returning, or did not end
// within the patience (the child is then killed). The step's failures are printed by the
// child; outside a sanitizer build the child's memory is bounded to a few GiB, so a step that
// fills memory fails long before the machine does.
void runBounded(const std::string& what, const std::function<void()>& step);

}  // namespace tallyvane::test
