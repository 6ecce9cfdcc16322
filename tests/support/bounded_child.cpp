#include "support/bounded_child.h"

#include <cstdio>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "support/default_termination_signals.h"

namespace tallyvane::test {

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

// The sanitizer reserves terabytes of address space at its start, so no bound on it can be
// set there; the patience ends such a step.
constexpr rlim_t kChildAddressSpace = rlim_t{4} << 30;

int failedParts() {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    if (test == nullptr) return 0;
    int failed = 0;
    for (int part = 0; part < test->result()->total_part_count(); ++part) {
        if (test->result()->GetTestPartResult(part).failed()) ++failed;
    }
    return failed;
}

}  // namespace

std::optional<int> endedInTime(pid_t child, std::chrono::seconds patience) {
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (std::chrono::steady_clock::now() < deadline) {
        if (::waitpid(child, &status, WNOHANG) == child) return status;
        ::usleep(200);
    }
    ::kill(child, SIGKILL);
    ::waitpid(child, &status, 0);
    return std::nullopt;
}

void runBounded(const std::string& what, const std::function<void()>& step) {
    const int failedBefore = failedParts();
    std::fflush(stdout);
    std::fflush(stderr);
    const pid_t child = forkTakingDefaultTerminationSignals();
    if (child < 0) {
        ADD_FAILURE() << what << ": no child could be started";
        return;
    }
    if (child == 0) {
        if (!kSanitized) {
            const rlimit bound{kChildAddressSpace, kChildAddressSpace};
            ::setrlimit(RLIMIT_AS, &bound);
        }
        int status = 0;
        try {
            step();
            status = failedParts() > failedBefore ? 1 : 0;
        } catch (const std::exception& failure) {
            std::fprintf(stderr, "%s: %s\n", what.c_str(), failure.what());
            status = 2;
        } catch (...) {
            status = 2;
        }
        std::fflush(stdout);
        std::fflush(stderr);
        ::_exit(status);
    }
    const std::optional<int> status = endedInTime(child);
    if (!status) {
        ADD_FAILURE() << what << ": not done after " << kPatience.count() << " s";
    } else if (!WIFEXITED(*status) || WEXITSTATUS(*status) != 0) {
        ADD_FAILURE() << what << ": failed in its child (wait status " << *status << ")";
    }
}

}  // namespace tallyvane::test
