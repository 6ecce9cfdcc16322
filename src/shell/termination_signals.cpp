#include "shell/termination_signals.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <system_error>
#include <thread>

#include <fcntl.h>
#include <unistd.h>

#include "report/run_scratch.h"

namespace tallyvane {

namespace {

constexpr std::array<int, 3> kTerminationSignals{SIGINT, SIGTERM, SIGHUP};

int wakeUp = -1;

// Only what is safe in a signal handler: the watcher does the rest.
extern "C" void tellWatcher(int signal) {
    const int saved = errno;
    const unsigned char number = static_cast<unsigned char>(signal);
    [[maybe_unused]] const ssize_t ignored = ::write(wakeUp, &number, 1);
    errno = saved;
}

void watch(int descriptor) {
    unsigned char number = 0;
    ssize_t got = 0;
    while ((got = ::read(descriptor, &number, 1)) < 0 && errno == EINTR) {
    }
    if (got != 1) {
        // Without the pipe the signals would do nothing at all: they get their own action back.
        for (const int signal : kTerminationSignals) {
            struct sigaction current {};
            if (sigaction(signal, nullptr, &current) == 0 && current.sa_handler == tellWatcher) std::signal(signal, SIG_DFL);
        }
        return;
    }
    removeRunScratch();
    const int signal = number;
    std::signal(signal, SIG_DFL);
    sigset_t only;
    sigemptyset(&only);
    sigaddset(&only, signal);
    pthread_sigmask(SIG_UNBLOCK, &only, nullptr);
    std::raise(signal);
    ::_exit(128 + signal);
}

}  // namespace

void removeScratchOnTerminationSignals() {
    if (wakeUp >= 0) return;
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) return;
    try {
        std::thread(watch, ends[0]).detach();
    } catch (const std::system_error&) {
        ::close(ends[0]);
        ::close(ends[1]);
        return;
    }
    wakeUp = ends[1];
    for (const int signal : kTerminationSignals) {
        struct sigaction current {};
        if (sigaction(signal, nullptr, &current) != 0 || current.sa_handler == SIG_IGN) continue;
        struct sigaction handler {};
        handler.sa_handler = tellWatcher;
        sigemptyset(&handler.sa_mask);
        handler.sa_flags = SA_RESTART;
        sigaction(signal, &handler, nullptr);
    }
}

}  // namespace tallyvane
