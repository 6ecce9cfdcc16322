// tallyvane: the desktop program. `tallyvane FILE` opens FILE as the desktop's
// open-documents event does.

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <vector>

#include <QApplication>
#include <QStringList>
#include <QTimer>

#include "shell/pro_video_formats.h"
#include "shell/qt/desktop_platform.h"
#include "shell/qt/desktop_shell.h"
#include "shell/qt/path_text.h"
#include "shell/shell_controller.h"
#include "shell/support_folder.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("Tallyvane");
    QApplication::setApplicationDisplayName("Tallyvane");
    QApplication::setApplicationVersion(QStringLiteral(TALLYVANE_VERSION));

    const tallyvane::EnvironmentLookup environment = [](const char* name) { return std::getenv(name); };
    tallyvane::DesktopPlatform platform;
    // Destroyed after the windows: termination empties the store.
    tallyvane::ShellController shell(
        platform, tallyvane::ShellSetup{tallyvane::locateSupportFolder(environment), tallyvane::fallbackWorkFolder(environment),
                                        tallyvane::makeReportWriter, std::cout, tallyvane::proVideoFormatsAvailable});
    tallyvane::DesktopShell windows(shell, platform);
    windows.mainWindow().show();

    std::vector<std::filesystem::path> documents;
    const QStringList arguments = QApplication::arguments();
    for (qsizetype index = 1; index < arguments.size(); ++index) documents.push_back(tallyvane::toPath(arguments[index]));
    if (!documents.empty()) {
        // Once the window is on screen, so that its alerts have a window to sit on.
        QTimer::singleShot(0, &windows.mainWindow(), [&windows, documents] { windows.mainWindow().openDocuments(documents); });
    }
    return QApplication::exec();
}
