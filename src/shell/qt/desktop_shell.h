#pragma once
// The windows of the desktop program around one controller: the main window and the
// settings window, kept showing the controller's state after every action, with the
// platform's alerts and panels on the main window and its busy state in the progress
// indicator.

#include <memory>

#include "shell/qt/desktop_platform.h"
#include "shell/qt/main_window.h"
#include "shell/qt/settings_window.h"
#include "shell/shell_controller.h"

namespace tallyvane {

class DesktopShell {
public:
    DesktopShell(ShellController& shell, DesktopPlatform& platform);
    ~DesktopShell();
    DesktopShell(const DesktopShell&) = delete;
    DesktopShell& operator=(const DesktopShell&) = delete;

    MainWindow& mainWindow() noexcept { return *mainWindow_; }
    SettingsWindow& settingsWindow() noexcept { return *settingsWindow_; }

private:
    void renderAll();

    DesktopPlatform& platform_;
    std::unique_ptr<MainWindow> mainWindow_;
    // Owned by the main window, closed with it.
    SettingsWindow* settingsWindow_ = nullptr;
};

}  // namespace tallyvane
