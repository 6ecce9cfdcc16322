#pragma once
// The signals that end a run the way a user ends it (Ctrl-C, a logout, a service manager's
// stop), and a way to keep them away from a thread.

#include <array>
#include <csignal>

namespace tallyvane {

inline constexpr std::array<int, 3> kTerminationSignals{SIGINT, SIGTERM, SIGHUP};

sigset_t terminationSignalSet() noexcept;

// Blocks the termination signals on the calling thread while it lives. A thread started
// meanwhile inherits the mask, so it never runs the handler: the signals reach the threads
// that wait for them (the main thread, the toolkit's), and a second one cannot land on a
// worker while the first is being handled.
class TerminationSignalsBlocked {
public:
    TerminationSignalsBlocked() noexcept;
    ~TerminationSignalsBlocked();
    TerminationSignalsBlocked(const TerminationSignalsBlocked&) = delete;
    TerminationSignalsBlocked& operator=(const TerminationSignalsBlocked&) = delete;

private:
    sigset_t previous_;
};

}  // namespace tallyvane
