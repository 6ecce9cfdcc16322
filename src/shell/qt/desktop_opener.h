#pragma once
// Opens files, folders and web or mail addresses the way the desktop does, with its opener
// (xdg-open), and tells whether it could. The opener is started as a process of its own and
// its exit status is read: where no program is set up for the kind of file, xdg-open starts
// but fails ("no method available"), which a start alone would take for success.

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace tallyvane {

// The environment the program was started with, "NAME=value" each: the programs the window
// starts (the opener, and through it the spreadsheet program, the browser, the file
// manager) get it as it was, without what the run set for its toolkit alone.
std::vector<std::string> currentEnvironment();

class DesktopOpener {
public:
    // How long an opener may take to say it failed. xdg-open without a program for the
    // target ends within a few hundredths of a second; one that found a program may wait for
    // it to end.
    static constexpr std::chrono::milliseconds kAnswerTime{1500};

    explicit DesktopOpener(std::vector<std::string> environment, std::chrono::milliseconds answerTime = kAnswerTime)
        : environment_(std::move(environment)), answerTime_(answerTime) {}

    // Starts the opener on `target` (a path or an address) and returns at once; `answered` is
    // told from the event loop, when the opener ends or after the answer time: false when it
    // cannot start or ends with a failure. An opener still running then is running the
    // program it chose, and has opened the target. Nothing waits in a loop of its own, so
    // the user's input reaches the windows meanwhile. Needs the running application.
    void open(const std::string& target, std::function<void(bool opened)> answered) const;

private:
    std::vector<std::string> environment_;
    std::chrono::milliseconds answerTime_;
};

}  // namespace tallyvane
