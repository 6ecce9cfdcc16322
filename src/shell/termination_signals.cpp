#include "shell/termination_signals.h"

#include <array>
#include <csignal>

#include "report/run_scratch.h"

namespace tallyvane {

namespace {

constexpr std::array<int, 3> kTerminationSignals{SIGINT, SIGTERM, SIGHUP};

extern "C" void stopOnSignal(int signal) { stopRun(signal); }

}  // namespace

void removeScratchOnTerminationSignals() {
    for (const int signal : kTerminationSignals) {
        struct sigaction current {};
        if (sigaction(signal, nullptr, &current) != 0 || current.sa_handler == SIG_IGN) continue;
        struct sigaction handler {};
        handler.sa_handler = stopOnSignal;
        // A second signal during the removal waits for it instead of cutting it short.
        sigemptyset(&handler.sa_mask);
        for (const int other : kTerminationSignals) sigaddset(&handler.sa_mask, other);
        handler.sa_flags = SA_RESTART;
        sigaction(signal, &handler, nullptr);
    }
}

}  // namespace tallyvane
