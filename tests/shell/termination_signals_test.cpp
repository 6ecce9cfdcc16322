// A termination signal removes the run's scratch and ends the program with the signal's
// status, from its handler alone: also where no thread can start, and never in the middle
// of a commit. Each case runs in a child process, which the signal ends.

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "common/termination_signal_set.h"
#include "report/run_scratch.h"
#include "report/support_folder_lock.h"
#include "shell/termination_signals.h"
#include "support/bounded_child.h"
#include "support/default_termination_signals.h"
#include "support/no_thread_starts.h"
#include "support/temporary_folder.h"

namespace tallyvane {
namespace {

namespace fs = std::filesystem;

void touch(const fs::path& file) { std::ofstream(file) << "x"; }

// What the child does before it signals itself.
enum class Moment { idle, committing, unremovable };

TEST(TerminationSignals, RemoveTheScratchAndEndWithTheSignalWithOrWithoutThreads) {
    for (const bool threads : {true, false}) {
        for (const int signal : {SIGTERM, SIGHUP, SIGINT}) {
            for (const Moment moment : {Moment::idle, Moment::committing, Moment::unremovable}) {
                SCOPED_TRACE(std::string(threads ? "threads " : "no thread ") + strsignal(signal) +
                             (moment == Moment::committing    ? " while committing"
                              : moment == Moment::unremovable ? " with a folder nested too deep to remove"
                                                              : ""));
                const test::TemporaryFolder folder;
                const fs::path work = folder / "work";
                fs::create_directories(work / "Thumbnails");
                touch(work / kReportLockName);
                touch(work / "spreadsheet.xlsx");
                for (int picture = 0; picture < 50; ++picture) touch(work / "Thumbnails" / (std::to_string(picture) + ".jpg"));
                touch(folder / "new");
                fs::path deep = work / "Thumbnails";
                if (moment == Moment::unremovable) {
                    for (int level = 0; level < 40; ++level) deep /= "d";
                    fs::create_directories(deep);
                    touch(deep / "0.jpg");
                }

                const pid_t child = test::forkTakingDefaultTerminationSignals();
                ASSERT_GE(child, 0);
                if (child == 0) {
                                std::optional<test::NoThreadStarts> noThreads;
                    if (!threads) noThreads.emplace();
                    removeScratchOnTerminationSignals();
                    setRunWorkFolder(work);
                    const ScratchRegistration workbook(work / "spreadsheet.xlsx");
                    const ScratchRegistration pictures(work / "Thumbnails");
                    if (moment == Moment::committing) {
                        const CommitSection commit;
                        ::raise(signal);
                        // The commit goes on whole; the signal ends the program after it.
                        fs::rename(folder / "new", folder / "committed");
                    } else {
                        ::raise(signal);
                    }
                    ::_exit(0);
                }
                const std::optional<int> status = test::endedInTime(child);
                ASSERT_TRUE(status) << "the handler did not end the program";
                EXPECT_TRUE(WIFSIGNALED(*status) && WTERMSIG(*status) == signal) << *status;
                EXPECT_EQ(fs::exists(folder / "committed"), moment == Moment::committing);
                // What cannot be removed is left, with the folders that hold it; the rest goes.
                EXPECT_EQ(fs::exists(work), moment == Moment::unremovable);
                if (moment == Moment::unremovable) {
                    EXPECT_FALSE(fs::exists(work / "spreadsheet.xlsx"));
                    EXPECT_FALSE(fs::exists(work / "Thumbnails" / "0.jpg"));
                    deep = work / ("Thumbnails" + std::string(kAsideSuffix)) / deep.lexically_relative(work / "Thumbnails");
                    EXPECT_TRUE(fs::exists(deep / "0.jpg"));
                    EXPECT_EQ(std::distance(fs::directory_iterator(work), fs::directory_iterator()), 1);
                }
            }
        }
    }
}

// Once a signal has come, no commit starts, and the one under way ends the program when done.
TEST(TerminationSignals, NoCommitStartsOnceTheRunIsStopped) {
    const test::TemporaryFolder folder;
    const pid_t child = test::forkTakingDefaultTerminationSignals();
    ASSERT_GE(child, 0);
    if (child == 0) {
        {
            const CommitSection underWay;
            stopRun(SIGTERM);  // as the handler does, on whichever thread the signal reaches
            const CommitSection next;
            if (next.permitted()) ::_exit(4);
            touch(folder / "finished");  // the section under way goes on whole
        }
        ::_exit(3);
    }
    const std::optional<int> status = test::endedInTime(child);
    ASSERT_TRUE(status);
    EXPECT_TRUE(WIFSIGNALED(*status) && WTERMSIG(*status) == SIGTERM) << *status;
    EXPECT_TRUE(fs::exists(folder / "finished"));
}

// The termination signals' actions as they were when it was made, given back however the test
// ends, a failed assertion's return included.
class ActionsRestored {
public:
    ActionsRestored() {
        for (std::size_t index = 0; index < std::size(kTerminationSignals); ++index) {
            sigaction(kTerminationSignals[index], nullptr, &before_[index]);
        }
    }
    ~ActionsRestored() {
        for (std::size_t index = 0; index < std::size(kTerminationSignals); ++index) {
            sigaction(kTerminationSignals[index], &before_[index], nullptr);
        }
    }
    ActionsRestored(const ActionsRestored&) = delete;
    ActionsRestored& operator=(const ActionsRestored&) = delete;

private:
    struct sigaction before_[std::size(kTerminationSignals)] {};
};

// A signal at any moment of a run of commit steps, on either of two threads, with or without a
// second signal close behind: the program always ends, by the first signal's handler. Neither a signal between a section's count and its check nor a second handler
// running beside the first may leave it paused or looping.
TEST(TerminationSignals, ASignalAtAnyMomentOfCommitStepsEndsTheProgram) {
    std::mt19937 random(20261207);
    // Half the tries from a test program started with the signals ignored (nohup, a script's
    // background job): its children still take them.
    for (const bool ignored : {false, true}) {
        SCOPED_TRACE(ignored ? "started with the signals ignored" : "started with their default actions");
        const ActionsRestored restored;
        for (const int signal : kTerminationSignals) {
            struct sigaction ignore {};
            ignore.sa_handler = ignored ? SIG_IGN : SIG_DFL;
            sigaction(signal, &ignore, nullptr);
        }
        // As many tries as 1.5 seconds take, but never fewer than 20 however busy the machine.
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(1500);
        for (int tries = 0; tries < 200 && (tries < 20 || std::chrono::steady_clock::now() < until); ++tries) {
            const bool second = tries % 2 == 1;
            const pid_t child = test::forkTakingDefaultTerminationSignals();
            ASSERT_GE(child, 0);
            if (child == 0) {
                removeScratchOnTerminationSignals();
                const auto steps = [] {
                    for (;;) {
                        const CommitSection step;
                        if (!step.permitted()) ::_exit(statusUnlessStopped(5));
                    }
                };
                std::thread other(steps);  // its signals are not blocked: a handler may run there
                other.detach();
                steps();
            }
            ::usleep(std::uniform_int_distribution<int>(0, 3000)(random));
            ::kill(child, SIGTERM);
            if (second) {
                ::usleep(std::uniform_int_distribution<int>(0, 300)(random));
                ::kill(child, SIGINT);
            }
            const std::optional<int> status = test::endedInTime(child);
            ASSERT_TRUE(status) << "try " << tries << " hung";
            ASSERT_TRUE(WIFSIGNALED(*status)) << "try " << tries << ": " << *status;
            // A second signal sent within microseconds may be handled first.
            EXPECT_TRUE(WTERMSIG(*status) == SIGTERM || (second && WTERMSIG(*status) == SIGINT)) << *status;
        }
    }
}

}  // namespace
}  // namespace tallyvane
