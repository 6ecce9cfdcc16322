#pragma once
// The desktop's side of the shell: alerts, the open and save panels, the desktop's opener for
// files, folders and web or mail addresses (whose answer is read), and the busy state of the
// windows. The controller calls these while it works; tests derive from this class and answer
// the panels and alerts themselves, keeping the real busy handling.

#include <functional>
#include <memory>

#include <QPointer>
#include <QWidget>

#include "shell/qt/desktop_opener.h"
#include "shell/shell_platform.h"

namespace tallyvane {

class DesktopPlatform : public ShellPlatform {
public:
    // Files, folders and addresses are opened by programs started with `environment`; an
    // opener is given `answerTime` to say it failed.
    explicit DesktopPlatform(std::vector<std::string> environment = currentEnvironment(),
                             std::chrono::milliseconds answerTime = DesktopOpener::kAnswerTime)
        : opener_(std::move(environment), answerTime) {}

    // Panels and alerts belong to this window once it exists.
    void setMainWindow(QWidget* window) { mainWindow_ = window; }
    // Told when long work starts and ends, so the windows can show it.
    void setBusyHandler(std::function<void(bool)> handler) { busyHandler_ = std::move(handler); }
    // Reads the windows' progress indicator.
    void setProgressReader(std::function<ProgressReading()> reader) { progressReader_ = std::move(reader); }
    // Told after the opener's answer was handled, so the windows can show what it changed.
    void setAnswerHandler(std::function<void()> handler) { answerHandler_ = std::move(handler); }

    void showAlert(const std::string& messageText, const std::string& informativeText) override;
    std::optional<std::filesystem::path> askSavePath(const std::string& suggestedName,
                                                     std::string_view extension) override;
    void openFile(const std::filesystem::path& file, std::function<void(bool)> answered) override;
    void revealFolder(const std::filesystem::path& folder) override;
    void setBusy(bool busy) override;
    ProgressReading progress() const override;
    std::optional<std::filesystem::path> askOpenPath(const std::vector<std::string>& extensions) override;
    void openUrl(const std::string& url, std::function<void(bool)> answered) override;
    bool askAlertAction(const std::string& messageText, const std::string& informativeText,
                        const std::string& actionTitle) override;

    // Lets the windows repaint and the progress indicator move while the user's input waits
    // until the work is done.
    void tick() override;

protected:
    QWidget* mainWindow() const { return mainWindow_; }

private:
    void open(const std::string& target, std::function<void(bool)> answered);

    DesktopOpener opener_;
    QPointer<QWidget> mainWindow_;
    std::function<void(bool)> busyHandler_;
    std::function<ProgressReading()> progressReader_;
    std::function<void()> answerHandler_;
    // Whether this platform still exists when the opener answers from the event loop.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace tallyvane
