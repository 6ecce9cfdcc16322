#include "shell/qt/desktop_opener.h"

#include <cerrno>
#include <chrono>
#include <optional>
#include <utility>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QTimer>

extern char** environ;

namespace tallyvane {

namespace {

constexpr int kPollMilliseconds = 20;
// An opener that outlives the wait is reaped when it ends, whenever that is; it is never
// ended with the program, so the spreadsheet program it runs stays open when Tallyvane quits.
constexpr int kReapMilliseconds = 1000;

// The opener's answer once it has ended: whether it succeeded. Nothing while it runs.
std::optional<bool> endedAnswer(pid_t opener) {
    int status = 0;
    const pid_t ended = ::waitpid(opener, &status, WNOHANG);
    if (ended == opener) return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (ended < 0 && errno != EINTR) return false;
    return std::nullopt;
}

}  // namespace

std::vector<std::string> currentEnvironment() {
    std::vector<std::string> variables;
    for (char** variable = environ; variable != nullptr && *variable != nullptr; ++variable) variables.emplace_back(*variable);
    return variables;
}

void DesktopOpener::open(const std::string& target, std::function<void(bool opened)> answered) const {
    std::vector<char*> arguments{const_cast<char*>("xdg-open"), const_cast<char*>(target.c_str()), nullptr};
    std::vector<char*> variables;
    for (const std::string& variable : environment_) variables.push_back(const_cast<char*>(variable.c_str()));
    variables.push_back(nullptr);
    pid_t opener = 0;
    if (::posix_spawnp(&opener, "xdg-open", nullptr, nullptr, arguments.data(), variables.data()) != 0) {
        answered(false);
        return;
    }
    const auto deadline = std::chrono::steady_clock::now() + answerTime_;
    auto* watch = new QTimer(QCoreApplication::instance());
    QObject::connect(watch, &QTimer::timeout, watch, [watch, opener, deadline, answered = std::move(answered)]() mutable {
        const std::optional<bool> answer = endedAnswer(opener);
        if (answered && (answer || std::chrono::steady_clock::now() >= deadline)) {
            // The answer may open an alert, whose loop of its own would run this timer again
            // inside this call: it waits, stopped, until the answer returns.
            watch->stop();
            std::exchange(answered, nullptr)(answer.value_or(true));
            if (!answer) watch->start(kReapMilliseconds);
        }
        // Answered and reaped: the watch never runs again, even in a loop that runs before
        // the deletion, where it would wait for a process that is gone, or for another that
        // took its number.
        if (answer) {
            watch->stop();
            watch->deleteLater();
        }
    });
    watch->start(kPollMilliseconds);
}

}  // namespace tallyvane
