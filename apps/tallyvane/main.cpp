// tallyvane: the desktop program. `tallyvane FILE` opens FILE as the desktop's
// open-documents event does; --help and --version answer on the terminal.

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include <QApplication>
#include <QIcon>
#include <QStringList>
#include <QTimer>

#include "common/standard_output.h"
#include "report/run_scratch.h"
#include "shell/child_signal.h"
#include "shell/pro_video_formats.h"
#include "shell/qt/desktop_opener.h"
#include "shell/qt/desktop_platform.h"
#include "shell/qt/desktop_shell.h"
#include "shell/qt/path_text.h"
#include "shell/shell_controller.h"
#include "shell/support_folder.h"
#include "shell/termination_signals.h"

namespace {

// The answer to --help or --version, which need no window; nothing for any other argument.
const char* terminalAnswer(std::string_view argument) {
    if (argument == "--help" || argument == "-h") {
        return "usage: tallyvane [FILE]\n"
               "       tallyvane --help | --version\n"
               "Opens FILE, a .fcpxml file or a .fcpxmld bundle, in the main window. The same\n"
               "reports are written without a window by tallyvane-cli.\n";
    }
    if (argument == "--version") return "tallyvane " TALLYVANE_VERSION "\n";
    return nullptr;
}

QtMessageHandler toolkitMessages = nullptr;

void removeScratchBeforeAFatalEnd(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtFatalMsg) tallyvane::removeRunScratch();
    if (toolkitMessages != nullptr) toolkitMessages(type, context, message);
}

// The terminal's answer to --help or --version wherever they stand among the toolkit's own
// options (-platform offscreen --version); nothing when neither is given before "--".
const char* terminalAnswerAmong(int argc, char* argv[]) {
    for (int index = 1; index < argc && std::string_view(argv[index]) != "--"; ++index) {
        if (const char* answer = terminalAnswer(argv[index])) return answer;
    }
    return nullptr;
}

}  // namespace

int main(int argc, char* argv[]) {
    tallyvane::recordStandardOutputFailures();
    if (const char* answer = terminalAnswerAmong(argc, argv)) {
        std::cout << answer;
        if (const auto failure = tallyvane::standardOutputFailure()) {
            std::cerr << "tallyvane: " << *failure << '\n';
            return 1;
        }
        return 0;
    }
    tallyvane::takeDefaultChildSignal();
    tallyvane::removeScratchOnTerminationSignals();
    const tallyvane::EnvironmentLookup environment = [](const char* name) { return std::getenv(name); };
    // Taken before the runtime folder is named for the toolkit: the programs the window starts
    // get the environment the program was given.
    std::vector<std::string> programEnvironment = tallyvane::currentEnvironment();
    // Outlives the application, whose runtime files it holds.
    const tallyvane::RunRuntimeFolder runtimeFolder(environment);
    // A toolkit that cannot start (no display, an unknown platform) ends the program from
    // its fatal message, past every destructor: the runtime folder goes first.
    toolkitMessages = qInstallMessageHandler(removeScratchBeforeAFatalEnd);
    QApplication application(argc, argv);
    // The display name is the application name. Set apart, it would be added to every window
    // title that does not end in it ("Tallyvane Settings — Tallyvane").
    QApplication::setApplicationName("Tallyvane");
    QApplication::setApplicationVersion(QStringLiteral(TALLYVANE_VERSION));
    // Task switchers and docks tie the windows to the desktop entry by its name.
    QGuiApplication::setDesktopFileName(QStringLiteral("tallyvane"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/tallyvane.svg")));

    // Tidied after the controller and the windows are gone.
    tallyvane::RunWorkFolder workFolder(environment);
    tallyvane::DesktopPlatform platform(std::move(programEnvironment));
    // Destroyed after the windows: termination empties the store.
    tallyvane::ShellController shell(
        platform, tallyvane::ShellSetup{tallyvane::locateSupportFolder(environment), [&workFolder] { return workFolder.path(); },
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
    return tallyvane::statusUnlessStopped(QApplication::exec());
}
