#include "common/termination_signal_set.h"

#include <pthread.h>

namespace tallyvane {

sigset_t terminationSignalSet() noexcept {
    sigset_t set;
    sigemptyset(&set);
    for (const int signal : kTerminationSignals) sigaddset(&set, signal);
    return set;
}

TerminationSignalsBlocked::TerminationSignalsBlocked() noexcept {
    const sigset_t set = terminationSignalSet();
    ::pthread_sigmask(SIG_BLOCK, &set, &previous_);
}

TerminationSignalsBlocked::~TerminationSignalsBlocked() { ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }

}  // namespace tallyvane
