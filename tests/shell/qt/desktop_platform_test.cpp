// The desktop platform's alerts and panels as the controller meets them: a sheet that
// returns at once, a save panel that hands back a workbook path, an alert with an action.

#include <memory>

#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include "qt/qt_test_application.h"
#include "shell/qt/desktop_platform.h"
#include "shell/qt/path_text.h"
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

}  // namespace
}  // namespace tallyvane::test
