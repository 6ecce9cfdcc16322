#include "shell/qt/desktop_opener.h"

#include <cerrno>
#include <chrono>
#include <thread>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

extern char** environ;

namespace tallyvane {

namespace {

// How long an opener may take to say it failed. xdg-open without a program for the target
// ends within a few hundredths of a second; one that found a program may wait for it to end.
constexpr auto kAnswerTime = std::chrono::milliseconds(1500);
constexpr int kPollMilliseconds = 20;

// An opener that outlives the wait is reaped when it ends, whenever that is; it is never
// ended with the program, so the spreadsheet program it runs stays open when Tallyvane quits.
void reapLater(pid_t opener) {
    auto* timer = new QTimer(QCoreApplication::instance());
    QObject::connect(timer, &QTimer::timeout, timer, [timer, opener] {
        int status = 0;
        if (::waitpid(opener, &status, WNOHANG) != 0) timer->deleteLater();
    });
    timer->start(1000);
}

}  // namespace

std::vector<std::string> currentEnvironment() {
    std::vector<std::string> variables;
    for (char** variable = environ; variable != nullptr && *variable != nullptr; ++variable) variables.emplace_back(*variable);
    return variables;
}

bool DesktopOpener::open(const std::string& target) const {
    std::vector<char*> arguments{const_cast<char*>("xdg-open"), const_cast<char*>(target.c_str()), nullptr};
    std::vector<char*> variables;
    for (const std::string& variable : environment_) variables.push_back(const_cast<char*>(variable.c_str()));
    variables.push_back(nullptr);
    pid_t opener = 0;
    if (::posix_spawnp(&opener, "xdg-open", nullptr, nullptr, arguments.data(), variables.data()) != 0) return false;

    const auto deadline = std::chrono::steady_clock::now() + kAnswerTime;
    while (std::chrono::steady_clock::now() < deadline) {
        int status = 0;
        const pid_t ended = ::waitpid(opener, &status, WNOHANG);
        if (ended == opener) return WIFEXITED(status) && WEXITSTATUS(status) == 0;
        if (ended < 0 && errno != EINTR) return false;
        if (QCoreApplication::instance() != nullptr) {
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, kPollMilliseconds);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(kPollMilliseconds));
    }
    if (QCoreApplication::instance() != nullptr) reapLater(opener);
    return true;
}

}  // namespace tallyvane
