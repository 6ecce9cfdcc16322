#include "shell/termination_signals.h"

#include <csignal>

#include "common/termination_signal_set.h"
#include "report/run_scratch.h"

namespace tallyvane {

namespace {

extern "C" void stopOnSignal(int signal) { stopRun(signal); }

}  // namespace

void removeScratchOnTerminationSignals() {
    for (const int signal : kTerminationSignals) {
        struct sigaction current {};
        if (sigaction(signal, nullptr, &current) != 0 || current.sa_handler == SIG_IGN) continue;
        struct sigaction handler {};
        handler.sa_handler = stopOnSignal;
        // The others wait while this thread's handler runs; on another thread they wait for
        // its end (stopRun).
        handler.sa_mask = terminationSignalSet();
        handler.sa_flags = SA_RESTART;
        sigaction(signal, &handler, nullptr);
    }
}

}  // namespace tallyvane
