// A termination signal removes the run's scratch and ends the program with the signal's
// status, from its handler alone: also where no thread can start, and never in the middle
// of a commit. Each case runs in a child process, which the signal ends.

#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "report/run_scratch.h"
#include "report/support_folder_lock.h"
#include "shell/termination_signals.h"
#include "support/no_thread_starts.h"
#include "support/temporary_folder.h"

namespace tallyvane {
namespace {

namespace fs = std::filesystem;

void touch(const fs::path& file) { std::ofstream(file) << "x"; }

// What the child does before it signals itself.
enum class Moment { idle, committing };

TEST(TerminationSignals, RemoveTheScratchAndEndWithTheSignalWithOrWithoutThreads) {
    for (const bool threads : {true, false}) {
        for (const int signal : {SIGTERM, SIGHUP, SIGINT}) {
            for (const Moment moment : {Moment::idle, Moment::committing}) {
                SCOPED_TRACE(std::string(threads ? "threads " : "no thread ") + strsignal(signal) +
                             (moment == Moment::committing ? " while committing" : ""));
                const test::TemporaryFolder folder;
                const fs::path work = folder / "work";
                fs::create_directories(work / "Thumbnails");
                touch(work / kReportLockName);
                touch(work / "spreadsheet.xlsx");
                for (int picture = 0; picture < 50; ++picture) touch(work / "Thumbnails" / (std::to_string(picture) + ".jpg"));
                touch(folder / "new");

                const pid_t child = fork();
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
                int status = 0;
                ASSERT_EQ(waitpid(child, &status, 0), child);
                EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
                EXPECT_FALSE(fs::exists(work));
                EXPECT_EQ(fs::exists(folder / "committed"), moment == Moment::committing);
            }
        }
    }
}

// Once a signal has come, no commit starts, and the one under way ends the program when done.
TEST(TerminationSignals, NoCommitStartsOnceTheRunIsStopped) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        {
            const CommitSection underWay;
            stopRun(SIGTERM);  // as the handler does, on whichever thread the signal reaches
            const CommitSection next;
            if (next.permitted()) ::_exit(4);
        }
        ::_exit(3);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
    EXPECT_FALSE(runStopped());
    EXPECT_TRUE(CommitSection().permitted());
}

}  // namespace
}  // namespace tallyvane
