// The desktop platform's alerts and panels as the controller meets them: a sheet that
// returns at once, a save panel that hands back a workbook path, an alert with an action.

#include <chrono>
#include <csignal>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>

#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "desktop_fixture.h"
#include "qt/qt_test_application.h"
#include "shell/qt/desktop_platform.h"
#include "shell/qt/path_text.h"
#include "shell/child_signal.h"
#include "support/shell_command.h"
#include "widget_helpers.h"

namespace tallyvane::test {
namespace {

// Runs `answer` on the modal dialog once the platform's call has put it up.
template <typename Dialog, typename Answer>
void whenModal(Answer answer) {
    QTimer::singleShot(0, [answer] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        answer(*dialog);
    });
}

// The texts a person reads on an alert, sorted.
QStringList shownTexts(QMessageBox& alert) {
    QStringList texts;
    for (QLabel* label : alert.findChildren<QLabel*>()) {
        if (!label->text().isEmpty()) texts << shownText(*label);
    }
    texts.sort();
    return texts;
}

class DesktopPlatformTest : public ::testing::Test {
protected:
    void SetUp() override {
        ensureQtApplication();
        window_ = std::make_unique<QMainWindow>();
        platform_.setMainWindow(window_.get());
        window_->show();
    }

    std::unique_ptr<QMainWindow> window_;
    DesktopPlatform platform_;
};

TEST_F(DesktopPlatformTest, AnAlertIsASheetThatReturnsAtOnceAndShowsMarkupAsItIs) {
    const std::string message = "\u201C<i>Cut</i>.txt\u201D is not a project document";
    const std::string informative = "The folder /tmp/<b>Reports</b> cannot be written.";
    QStringList expected{QString::fromStdString(message), QString::fromStdString(informative)};
    expected.sort();

    platform_.showAlert(message, informative);
    auto* sheet = window_->findChild<QMessageBox*>();
    ASSERT_NE(sheet, nullptr);
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_EQ(sheet->windowModality(), Qt::WindowModal);
    EXPECT_EQ(sheet->text().toStdString(), message);
    EXPECT_EQ(sheet->informativeText().toStdString(), informative);
    EXPECT_EQ(shownTexts(*sheet), expected);
    sheet->accept();

    QStringList asked;
    whenModal<QMessageBox>([&](QMessageBox& alert) {
        asked = shownTexts(alert);
        alert.button(QMessageBox::Ok)->click();
    });
    platform_.askAlertAction(message, informative, "Get Pro Video Formats");
    EXPECT_EQ(asked, expected);
}

TEST_F(DesktopPlatformTest, TheSavePanelProposesTheTitleAsOneFileNameAndAddsTheExtension) {
    const struct {
        const char* title;
        const char* typed;  // nothing: the proposed name is kept
        const char* proposed;
        const char* chosen;
    } cases[]{{"Timeline A - Default Report", "Cut", "Timeline A - Default Report.xlsx", "Cut.xlsx"},
              {"Cut 1/2 - Default Report", nullptr, "Cut 1_2 - Default Report.xlsx", "Cut 1_2 - Default Report.xlsx"}};
    for (const auto& c : cases) {
        QTemporaryDir folder;
        QString proposed;
        whenModal<QFileDialog>([&](QFileDialog& panel) {
            proposed = panel.findChild<QLineEdit*>("fileNameEdit")->text();
            panel.setDirectory(folder.path());
            panel.selectFile(c.typed != nullptr ? QString(c.typed) : proposed);
            static_cast<QDialog&>(panel).accept();
        });
        const auto chosen = platform_.askSavePath(c.title, "xlsx");
        EXPECT_EQ(proposed, c.proposed) << c.title;
        ASSERT_TRUE(chosen) << c.title;
        EXPECT_EQ(chosen->filename(), c.chosen);
        EXPECT_EQ(toQString(chosen->parent_path()).toStdString(), folder.path().toStdString());
    }
}

TEST_F(DesktopPlatformTest, ACancelledSavePanelChoosesNothing) {
    whenModal<QFileDialog>([](QFileDialog& panel) { panel.reject(); });
    EXPECT_FALSE(platform_.askSavePath("Report", "xlsx"));
}

TEST_F(DesktopPlatformTest, AModalAlertTellsWhichButtonWasChosenAndWithoutAWindowWaitsForOK) {
    whenModal<QMessageBox>([](QMessageBox& alert) {
        for (QAbstractButton* button : alert.buttons()) {
            if (button->text() == "Get Pro Video Formats") button->click();
        }
    });
    EXPECT_TRUE(platform_.askAlertAction("Pro Video Formats are NOT installed", "", "Get Pro Video Formats"));

    whenModal<QMessageBox>([](QMessageBox& alert) { alert.button(QMessageBox::Ok)->click(); });
    EXPECT_FALSE(platform_.askAlertAction("Pro Video Formats are NOT installed", "", "Get Pro Video Formats"));

    // An alert without a window waits for OK.
    platform_.setMainWindow(nullptr);
    QString shown;
    whenModal<QMessageBox>([&](QMessageBox& alert) {
        shown = alert.text();
        alert.button(QMessageBox::Ok)->click();
    });
    platform_.showAlert("Alone", "");
    EXPECT_EQ(shown, "Alone");
}

// How long the tests wait for an opener's answer, and the answer time they give an opener
// that is to end before it: far beyond a stalled machine's delays.
constexpr int kPatienceMilliseconds = 30000;
constexpr std::chrono::milliseconds kPatientAnswer{kPatienceMilliseconds};
// A stub's time that outlives any answer time a test gives: it runs until it is ended.
constexpr const char* kUntilEnded = nullptr;

// A stub of the desktop's opener, first on PATH while it lives: it records what it was given
// and the environment it got, takes `seconds` (or runs until ended), then ends with `status`;
// none at all for a negative status. One that runs until ended ends by itself once its stub is
// gone, whatever signals it ignores and however late it started: it runs only while a file
// of the stub's is there and the test that started it is its parent still (a killed test
// leaves the file), and never longer than the tests' patience.
class StubOpener {
public:
    explicit StubOpener(int status, const char* seconds = "0") : path_(qgetenv("PATH")) {
        if (status >= 0) {
            std::ofstream(bin() / "running").close();
            std::ofstream script(bin() / "xdg-open");
            script << "#!/bin/sh\necho \"$1\" >> " << test::shellQuoted((bin() / "targets").string())
                   << "\n/usr/bin/env > " << test::shellQuoted((bin() / "environment").string()) << "\n";
            if (seconds == kUntilEnded) {
                // Without /proc, the test's number is asked after instead of the parent's.
                script << "test=$PPID\nparented() {\n  if [ -r /proc/$$/stat ]; then read -r _ _ _ parent _ < /proc/$$/stat; "
                          "[ \"$parent\" = \"$test\" ]\n  else kill -0 \"$test\" 2>/dev/null; fi\n}\n"
                       << "tries=0\nwhile [ -e " << test::shellQuoted((bin() / "running").string())
                       << " ] && parented && [ $tries -lt "
                       << kPatienceMilliseconds / 50 << " ]; do\n  /usr/bin/sleep 0.05; tries=$((tries + 1))\ndone\n";
            } else {
                script << "/usr/bin/sleep " << seconds << "\n";
            }
            script << "exit " << status << "\n";
            script.close();
            std::filesystem::permissions(bin() / "xdg-open", std::filesystem::perms(0755));
        }
        qputenv("PATH", QByteArray::fromStdString(bin().string()));
    }
    ~StubOpener() { qputenv("PATH", path_); }
    StubOpener(const StubOpener&) = delete;
    StubOpener& operator=(const StubOpener&) = delete;

    std::filesystem::path bin() const { return std::filesystem::path(folder_.path().toStdString()); }
    std::string read(const char* name) const {
        std::ifstream in(bin() / name);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

private:
    QTemporaryDir folder_;
    QByteArray path_;
};

// The opener's answer, waited for in the event loop as the windows wait for it; nothing when
// none came in time.
template <typename Open>
std::optional<bool> answerOf(Open&& open) {
    const auto answer = std::make_shared<std::optional<bool>>();
    open([answer](bool opened) { *answer = opened; });
    static_cast<void>(QTest::qWaitFor([&] { return answer->has_value(); }, kPatienceMilliseconds));
    return *answer;
}

// The opener's exit status is its answer: one that starts but fails (xdg-open without a
// program for the target) is said as one that cannot start.
TEST_F(DesktopPlatformTest, AnOpenerThatFailsIsAnOpenerThatCannotOpen) {
    const struct {
        const char* name;
        int status;
        bool opens;
        bool childSignalIgnored = false;  // as some shells and services hand it on
    } rows[] = {{"opens", 0, true},
                {"no method available", 3, false},
                {"no opener at all", -1, false},
                {"opens, started with SIGCHLD ignored", 0, true, true},
                {"no method available, started with SIGCHLD ignored", 3, false, true}};
    for (const auto& row : rows) {
        if (row.childSignalIgnored) {
            std::signal(SIGCHLD, SIG_IGN);
            takeDefaultChildSignal();  // as both programs do first
        }
        const StubOpener opener(row.status);
        DesktopPlatform platform(currentEnvironment(), kPatientAnswer);
        EXPECT_EQ(answerOf([&](auto told) { platform.openUrl("https://example.com/help", told); }), row.opens) << row.name;
        EXPECT_EQ(answerOf([&](auto told) { platform.openFile("/reports/Cut.xlsx", told); }), row.opens) << row.name;
        if (row.status >= 0) {
            EXPECT_EQ(opener.read("targets"), "https://example.com/help\n/reports/Cut.xlsx\n");
        }
        std::signal(SIGCHLD, SIG_DFL);
    }
}

// The call returns at once and the answer comes through the event loop, so nothing holds the
// user's input while the opener works: a failure when the opener ends with one, success when
// it still runs after the answer time (it runs the program it chose).
TEST_F(DesktopPlatformTest, TheOpenersAnswerComesThroughTheEventLoop) {
    const struct {
        const char* name;
        int status;
        const char* seconds;
        std::chrono::milliseconds answerTime;
        bool opens;
        int answerLoopMilliseconds = 0;  // an answer that runs a loop of its own, as an alert does
    } rows[] = {// Past the default answer time: only the time given lets the failure be its answer.
                {"fails after a while", 3, "2", kPatientAnswer, false},
                {"still running", 3, kUntilEnded, std::chrono::milliseconds(300), true},
                {"an answer with a loop of its own", 0, "0", DesktopOpener::kAnswerTime, true, 1200},
                {"a failure with a loop of its own", 3, "0", kPatientAnswer, false, 1200},
                {"still running, with a loop of its own", 3, kUntilEnded, std::chrono::milliseconds(300), true,
                 1200}};
    for (const auto& row : rows) {
        const StubOpener opener(row.status, row.seconds);
        DesktopPlatform platform(currentEnvironment(), row.answerTime);
        const auto answer = std::make_shared<std::optional<bool>>();
        platform.openUrl("https://example.com/help", [answer, loop = row.answerLoopMilliseconds](bool opened) {
            if (loop > 0) {
                QEventLoop alert;
                QTimer::singleShot(loop, &alert, &QEventLoop::quit);
                alert.exec();
            }
            *answer = opened;
        });
        EXPECT_FALSE(answer->has_value()) << row.name << ": the call waited for the opener";
        EXPECT_TRUE(QTest::qWaitFor([&] { return answer->has_value(); }, kPatienceMilliseconds)) << row.name;
        EXPECT_EQ(*answer, row.opens) << row.name;
    }
}

// Programs the window starts get the environment the program was given, not the runtime
// folder the run named for its toolkit.
TEST_F(DesktopPlatformTest, AProgramTheWindowStartsGetsTheEnvironmentTheProgramWasGiven) {
    const StubOpener opener(0);
    std::vector<std::string> given = currentEnvironment();
    std::erase_if(given, [](const std::string& variable) { return variable.starts_with("XDG_RUNTIME_DIR="); });
    given.push_back("TALLYVANE_TEST_MARK=given");
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    const test::TemporaryFolder runsOwn;
    qputenv("XDG_RUNTIME_DIR", runsOwn.path().c_str());
    DesktopPlatform platform(given);
    EXPECT_EQ(answerOf([&](auto told) { platform.openUrl("https://example.com/", told); }), true);
    qputenv("XDG_RUNTIME_DIR", runtime);
    EXPECT_THAT(opener.read("environment"), ::testing::HasSubstr("TALLYVANE_TEST_MARK=given\n"));
    EXPECT_THAT(opener.read("environment"), ::testing::Not(::testing::HasSubstr(runsOwn.path().string())));
}

// With an opener that fails, a saved workbook is said in the status line and a help page in
// an alert, as where no opener starts.
TEST_F(DesktopPlatformTest, AFailingOpenerLeavesTheSavedSentenceAndTheAlert) {
    class Answering : public DesktopPlatform {
    public:
        Answering() : DesktopPlatform(currentEnvironment(), kPatientAnswer) {}
        void showAlert(const std::string& message, const std::string& informative) override {
            alerts.push_back(message + "\n" + informative);
        }
        std::optional<std::filesystem::path> askSavePath(const std::string&, std::string_view) override { return saveAs; }
        std::optional<std::filesystem::path> saveAs;
        std::vector<std::string> alerts;
    } platform;
    const StubOpener opener(3);
    QTemporaryDir folder;
    const std::filesystem::path support = std::filesystem::path(folder.path().toStdString()) / "support";
    std::ostringstream log;
    ShellController shell(platform, ShellSetup{support, [&] { return support; }, makeReportWriter, log, [] { return true; }});
    platform.saveAs = std::filesystem::path(folder.path().toStdString()) / "Cut.xlsx";
    ASSERT_EQ(shell.openFiles({sample("TheAcharya__OpenFCPXMLKit__DisabledClips.fcpxml")}), OpenOutcome::opened);
    shell.analyze();
    ASSERT_EQ(shell.save(), SaveOutcome::saved);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !shell.savedMessage().empty(); }, kPatienceMilliseconds));
    EXPECT_EQ(shell.savedMessage(), "The report was saved as \u201C" + platform.saveAs->string() +
                                        "\u201D. No program is set up to open it.");
    shell.showHelp();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !platform.alerts.empty(); }, kPatienceMilliseconds));
    ASSERT_EQ(platform.alerts.size(), 1u);
    EXPECT_THAT(platform.alerts[0], ::testing::StartsWith("The help cannot be opened\nNo web browser is set up"));
}

}  // namespace
}  // namespace tallyvane::test
