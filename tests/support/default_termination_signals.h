#pragma once
// For a child a test signals: the termination signals take their default actions and reach
// it, whatever the test program inherited (`nohup`, a script's background job starts it
// with SIGINT ignored, and a program rightly keeps a signal its starter ignored).

#include <csignal>

#include "common/termination_signal_set.h"

namespace tallyvane::test {

inline void takeDefaultTerminationSignals() {
    for (const int signal : kTerminationSignals) std::signal(signal, SIG_DFL);
    const sigset_t set = terminationSignalSet();
    sigprocmask(SIG_UNBLOCK, &set, nullptr);
}

}  // namespace tallyvane::test
