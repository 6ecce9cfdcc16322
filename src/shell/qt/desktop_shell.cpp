#include "shell/qt/desktop_shell.h"

namespace tallyvane {

DesktopShell::DesktopShell(ShellController& shell, DesktopPlatform& platform)
    : platform_(platform), mainWindow_(std::make_unique<MainWindow>(shell)) {
    settingsWindow_ = new SettingsWindow(shell, mainWindow_.get());
    QObject::connect(mainWindow_.get(), &MainWindow::stateChanged, mainWindow_.get(), [this] { renderAll(); });
    QObject::connect(settingsWindow_, &SettingsWindow::stateChanged, mainWindow_.get(), [this] { renderAll(); });
    QObject::connect(mainWindow_.get(), &MainWindow::settingsRequested, settingsWindow_,
                     [this] { settingsWindow_->present(); });
    QObject::connect(mainWindow_.get(), &MainWindow::closing, settingsWindow_, [this] { settingsWindow_->close(); });
    platform_.setMainWindow(mainWindow_.get());
    platform_.setBusyHandler([this](bool busy) {
        // What the work has cleared so far is shown while it runs.
        mainWindow_->showBusy(busy);
        renderAll();
    });
    platform_.setProgressReader([this] { return mainWindow_->progress(); });
    platform_.setAnswerHandler([this] { renderAll(); });
}

DesktopShell::~DesktopShell() {
    platform_.setBusyHandler({});
    platform_.setProgressReader({});
    platform_.setAnswerHandler({});
    platform_.setMainWindow(nullptr);
}

void DesktopShell::renderAll() {
    mainWindow_->render();
    settingsWindow_->render();
}

}  // namespace tallyvane
