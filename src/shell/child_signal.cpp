#include "shell/child_signal.h"

#include <csignal>

namespace tallyvane {

void takeDefaultChildSignal() {
    struct sigaction fallback {};
    fallback.sa_handler = SIG_DFL;
    sigemptyset(&fallback.sa_mask);
    ::sigaction(SIGCHLD, &fallback, nullptr);
}

}  // namespace tallyvane
