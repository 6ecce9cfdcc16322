#pragma once
// For a child a test signals: the termination signals take their default actions and reach
// it, whatever the test program inherited (`nohup`, a script's background job starts it
// with SIGINT ignored, and a program rightly keeps a signal its starter ignored).

#include <csignal>

#include <pthread.h>
#include <sys/prctl.h>
#include <unistd.h>

#include "common/termination_signal_set.h"

namespace tallyvane::test {

inline void takeDefaultTerminationSignals() {
    for (const int signal : kTerminationSignals) std::signal(signal, SIG_DFL);
    const sigset_t set = terminationSignalSet();
    sigprocmask(SIG_UNBLOCK, &set, nullptr);
}

// fork() for a child a test signals, which starts with the default actions. The signals are
// blocked across the fork: one sent before the child has reset an action its parent ignored
// stays pending (a blocked signal is never discarded) and reaches it once it is unblocked.
// The child ends with the test program, however that ends (SIGKILL, the OOM killer, a runner
// that kills only its own child): a busy child left behind would hold cores for ever.
inline pid_t forkTakingDefaultTerminationSignals() {
    const sigset_t set = terminationSignalSet();
    sigset_t before;
    pthread_sigmask(SIG_BLOCK, &set, &before);
    const pid_t parent = getpid();
    const pid_t child = fork();
    if (child == 0) {
        // The test program may have ended before the request was made.
        if (prctl(PR_SET_PDEATHSIG, SIGKILL) != 0 || getppid() != parent) _exit(127);
        takeDefaultTerminationSignals();
        return 0;
    }
    pthread_sigmask(SIG_SETMASK, &before, nullptr);
    return child;
}

}  // namespace tallyvane::test
