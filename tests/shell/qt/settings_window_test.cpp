// The settings window driven as a person drives it: column layouts through the name sheet,
// the column check boxes and the width they write into a layout, the time display choices.

#include <fstream>

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <nlohmann/json.hpp>

#include "desktop_fixture.h"
#include "shell/qt/layout_name_dialog.h"
#include "widget_helpers.h"

namespace tallyvane::test {
namespace {

class SettingsWindowTest : public DesktopFixture {
protected:
    void SetUp() override {
        DesktopFixture::SetUp();
        start();
        QTest::mouseClick(&main<QPushButton>("layoutEditButton"), Qt::LeftButton);
    }

    // Add or Rename, then the name typed into the sheet and OK.
    void nameLayout(const char* button, const QString& name) {
        QTest::mouseClick(&settings<QPushButton>(button), Qt::LeftButton);
        auto& sheet = settings<LayoutNameDialog>("layoutNameWindow");
        ASSERT_TRUE(sheet.isVisible());
        auto& field = settings<QLineEdit>("layoutNameField");
        field.clear();
        QTest::keyClicks(&field, name);
        QTest::mouseClick(&settings<QPushButton>("layoutOKButton"), Qt::LeftButton);
        EXPECT_FALSE(sheet.isVisible());
    }

    nlohmann::json layoutsFile() const {
        std::ifstream file(supportFolder_ / "Layouts.json");
        return nlohmann::json::parse(file);
    }

    QCheckBox& column(const char* field) { return settings<QCheckBox>(field); }
};

TEST_F(SettingsWindowTest, TheEditButtonShowsTheLayoutsTabWhereTheBuiltInLayoutLocksTheColumns) {
    EXPECT_TRUE(windows_->settingsWindow().isVisible());
    EXPECT_EQ(settings<QTabWidget>("settingsTabs").currentIndex(), 0);
    EXPECT_EQ(items(settings<QComboBox>("layoutsSettingsPopup")), (QStringList{"Default"}));
    EXPECT_FALSE(column("categoryColumnCheckbox").isEnabled());
    EXPECT_TRUE(column("categoryColumnCheckbox").isChecked());
    EXPECT_FALSE(column("rowNumbersColumnCheckbox").isChecked());
    EXPECT_FALSE(settings<QComboBox>("thumbnailWidthPopup").isEnabled());
    EXPECT_FALSE(settings<QPushButton>("editLayoutButton").isEnabled());
    EXPECT_FALSE(settings<QPushButton>("removeLayoutButton").isEnabled());
    EXPECT_TRUE(settings<QPushButton>("addLayoutButton").isEnabled());

    settings<QTabWidget>("settingsTabs").setCurrentIndex(1);
    windows_->settingsWindow().close();
    EXPECT_FALSE(shell_->settingsWindowVisible());
    QTest::mouseClick(&main<QPushButton>("layoutEditButton"), Qt::LeftButton);
    EXPECT_TRUE(windows_->settingsWindow().isVisible());
    EXPECT_EQ(settings<QTabWidget>("settingsTabs").currentIndex(), 0) << "back on the layouts";
}

TEST_F(SettingsWindowTest, AddingLayoutsNumbersTakenNamesAndSavesThemAndRemovingEmptiesTheList) {
    nameLayout("addLayoutButton", "Edit");
    nameLayout("addLayoutButton", "Edit");
    EXPECT_EQ(items(settings<QComboBox>("layoutsSettingsPopup")), (QStringList{"Default", "Edit", "Edit1"}));
    EXPECT_EQ(items(main<QComboBox>("layoutsAppPopup")), (QStringList{"Default", "Edit", "Edit1"}));
    EXPECT_EQ(settings<QComboBox>("layoutsSettingsPopup").currentText(), "Edit1");
    EXPECT_EQ(main<QComboBox>("layoutsAppPopup").currentText(), "Default") << "the main window keeps its choice";

    // A new layout starts with every column off, ready to be edited.
    EXPECT_TRUE(column("categoryColumnCheckbox").isEnabled());
    EXPECT_FALSE(column("categoryColumnCheckbox").isChecked());
    EXPECT_TRUE(settings<QPushButton>("removeLayoutButton").isEnabled());


    // The name field holds a name of 30 characters of ordinary words without scrolling, in
    // wide letters too.
    for (const char* name : {"Sound Mix for Picture Lock 003", "Documentary Interviews Layout2",
                             "WOMEN MAKING MOVIES WORLDWIDE"}) {
        QTest::mouseClick(&settings<QPushButton>("addLayoutButton"), Qt::LeftButton);
        auto& field = settings<QLineEdit>("layoutNameField");
        QTest::keyClicks(&field, name);
        EXPECT_EQ(scrolledBy(field), 0) << name;
        QTest::mouseClick(&settings<QPushButton>("layoutCancelButton"), Qt::LeftButton);
    }

    // Removing the last layouts leaves the built-in entry.
    QTest::mouseClick(&settings<QPushButton>("removeLayoutButton"), Qt::LeftButton);
    QTest::mouseClick(&settings<QPushButton>("removeLayoutButton"), Qt::LeftButton);
    EXPECT_EQ(items(settings<QComboBox>("layoutsSettingsPopup")), (QStringList{"Default"}));
    EXPECT_FALSE(column("categoryColumnCheckbox").isEnabled());
    EXPECT_EQ(layoutsFile(), nlohmann::json::array());
}

TEST_F(SettingsWindowTest, CancellingTheNameSheetChangesNothingAndRenamingKeepsTheLayoutInItsPlace) {
    QTest::mouseClick(&settings<QPushButton>("addLayoutButton"), Qt::LeftButton);
    QTest::keyClicks(&settings<QLineEdit>("layoutNameField"), "Unwanted");
    QTest::mouseClick(&settings<QPushButton>("layoutCancelButton"), Qt::LeftButton);
    EXPECT_FALSE(settings<LayoutNameDialog>("layoutNameWindow").isVisible());
    EXPECT_FALSE(shell_->layouts().nameSheet().open);
    EXPECT_EQ(items(settings<QComboBox>("layoutsSettingsPopup")), (QStringList{"Default"}));
    EXPECT_FALSE(std::filesystem::exists(supportFolder_ / "Layouts.json"));

    nameLayout("addLayoutButton", "A");
    nameLayout("addLayoutButton", "B");
    nameLayout("addLayoutButton", "C");
    choose(settings<QComboBox>("layoutsSettingsPopup"), 2);

    QTest::mouseClick(&settings<QPushButton>("editLayoutButton"), Qt::LeftButton);
    EXPECT_EQ(settings<QLineEdit>("layoutNameField").text(), "B") << "the sheet starts with the old name";
    QTest::mouseClick(&settings<QPushButton>("layoutCancelButton"), Qt::LeftButton);
    nameLayout("editLayoutButton", "Bee");

    EXPECT_EQ(items(settings<QComboBox>("layoutsSettingsPopup")), (QStringList{"Default", "A", "Bee", "C"}));
    EXPECT_EQ(items(main<QComboBox>("layoutsAppPopup")), (QStringList{"Default", "A", "Bee", "C"}));
    EXPECT_EQ(settings<QComboBox>("layoutsSettingsPopup").currentText(), "Bee");
    EXPECT_EQ(main<QComboBox>("layoutsAppPopup").currentText(), "Bee");
    EXPECT_EQ(layoutsFile()[1]["name"], "Bee");
}

TEST_F(SettingsWindowTest, ColumnChangesAreWrittenIntoTheChosenLayout) {
    nameLayout("addLayoutButton", "Edit");
    clickCheckBox(column("categoryColumnCheckbox"));
    clickCheckBox(column("roleColumnCheckbox"));
    EXPECT_TRUE(shell_->layouts().layouts()[0].columns[*columnSwitchWithOptionKey("category")]);
    EXPECT_EQ(layoutsFile()[0]["categoryColumnCheckbox"], true);
    EXPECT_EQ(layoutsFile()[0]["roleColumnCheckbox"], true);

    // Choosing the layout again in the main window brings its columns back.
    choose(main<QComboBox>("layoutsAppPopup"), 0);
    choose(main<QComboBox>("layoutsAppPopup"), 1);
    EXPECT_EQ(settings<QComboBox>("layoutsSettingsPopup").currentText(), "Edit");
    EXPECT_TRUE(column("categoryColumnCheckbox").isChecked());
    EXPECT_FALSE(column("notesColumnCheckbox").isChecked());

    // The picture of this state is left to be looked at.
    EXPECT_TRUE(column("roleColumnCheckbox").isChecked());
    EXPECT_TRUE(column("roleColumnCheckbox").isEnabled());
    const QString file = QString(TALLYVANE_TEST_OUTPUT_DIR) + "/settings_window.png";
    QWidget& window = windows_->settingsWindow();
    ASSERT_TRUE(window.grab().save(file, "PNG"));
    EXPECT_EQ(QImage(file).size(), window.size() * window.devicePixelRatio());
}

TEST_F(SettingsWindowTest, TheThumbnailWidthIsStoredAsANumber) {
    nameLayout("addLayoutButton", "Thumbs");
    auto& width = settings<QComboBox>("thumbnailWidthPopup");
    EXPECT_FALSE(width.isEnabled()) << "adding keeps the width as the built-in entry left it";
    choose(settings<QComboBox>("layoutsSettingsPopup"), 0);
    choose(settings<QComboBox>("layoutsSettingsPopup"), 1);
    ASSERT_TRUE(width.isEnabled());
    // Typing is only completed in the window that has the keyboard.
    windows_->settingsWindow().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&windows_->settingsWindow()));
    width.setFocus();
    const struct {
        const char* typed;
        const char* stored;
    } cases[]{
        {"-120", "120"},
        {"abc", "40"},
        {"0", "40"},
        // What is typed counts, even where an offered width begins with it.
        {"12", "12"},
        {"24", "24"},
    };
    for (const auto& [typed, stored] : cases) {
        width.lineEdit()->selectAll();
        QTest::keyClicks(width.lineEdit(), typed);
        QTest::keyClick(width.lineEdit(), Qt::Key_Return);
        EXPECT_EQ(layoutsFile()[0]["thumbnailWidthPopup"], std::string(stored)) << typed;
    }

    // A width no column shows is said in a sentence read whole, and the field shows what was
    // typed, at the window's default size and at its smallest.
    width.lineEdit()->selectAll();
    QTest::keyClicks(width.lineEdit(), "2000");
    QTest::keyClick(width.lineEdit(), Qt::Key_Return);
    QWidget& window = windows_->settingsWindow();
    auto& problem = settings<QLabel>("thumbnailWidthProblem");
    for (const QSize size : {window.size(), window.minimumSizeHint().expandedTo(window.minimumSize())}) {
        window.resize(size);
        QCoreApplication::processEvents();
        const QString at = QString("%1x%2").arg(window.width()).arg(window.height());
        ASSERT_TRUE(problem.isVisible()) << at.toStdString();
        EXPECT_EQ(problem.text(), "The thumbnail width is from 1 to 1790 pixels, not 2000: a wider picture would cover "
                                  "the next columns.");
        EXPECT_GE(problem.height(), problem.heightForWidth(problem.width())) << at.toStdString();
        EXPECT_GE(problem.width(), problem.fontMetrics().horizontalAdvance("The thumbnail width is from 1"))
            << at.toStdString();
        EXPECT_TRUE(window.rect().contains(QRect(problem.mapTo(&window, QPoint(0, 0)), problem.size()))) << at.toStdString();
        EXPECT_EQ(scrolledBy(*width.lineEdit()), 0) << "the field scrolled what was typed at " << at.toStdString();
    }
}

TEST_F(SettingsWindowTest, EachTimeGroupKeepsOneFormatAndOffsetsAndColourReachTheReport) {
    settings<QTabWidget>("settingsTabs").setCurrentIndex(1);
    EXPECT_EQ(shell_->settingsTab(), 1u);
    auto& timecode = settings<QCheckBox>("hhmmssffCheckbox1");
    auto& frames = settings<QCheckBox>("framesCheckbox1");
    ASSERT_TRUE(timecode.isChecked());

    clickCheckBox(frames);
    clickCheckBox(timecode);
    EXPECT_FALSE(timecode.isChecked());
    EXPECT_TRUE(shell_->timeDisplay().sequence[static_cast<std::size_t>(TimeFormat::frames)]);

    clickCheckBox(frames);
    EXPECT_TRUE(timecode.isChecked()) << "switching off the last format brings timecode back";
    EXPECT_FALSE(frames.isChecked());

    clickCheckBox(settings<QCheckBox>("hhmmssffCheckbox2"));
    EXPECT_TRUE(settings<QCheckBox>("hhmmssffCheckbox2").isChecked());

    // Offsets and colour reach the report options.
    // An offset is a signed whole number of frames: a timecode's separators are not taken.
    auto& offset = settings<QLineEdit>("framesAdjField");
    offset.selectAll();
    QTest::keyClicks(&offset, "-12:05.5");
    EXPECT_EQ(offset.text(), "-12055");
    clickCheckBox(settings<QRadioButton>("blackTextRadio"));
    const ReportRequest request = shell_->saveRequest();
    EXPECT_EQ(shell_->reportContext().framesAdj, -12055);
    EXPECT_FALSE(request.options.at("useColorText"));
    EXPECT_EQ(request.options.size(), 38u);
}

TEST_F(SettingsWindowTest, CtrlCommaOpensTheSettingsAndEscapeOrCtrlWCloseThem) {
    EXPECT_EQ(main<QAction>("settingsAction").shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Comma));
    MainWindow& window = windows_->mainWindow();
    QWidget& settingsWindow = windows_->settingsWindow();
    for (const QKeySequence& closing : {QKeySequence(Qt::CTRL | Qt::Key_W), QKeySequence(Qt::Key_Escape)}) {
        const std::string name = closing.toString().toStdString();
        QApplication::setActiveWindow(&settingsWindow);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&settingsWindow)) << name;
        QTest::keySequence(&settingsWindow, closing);
        EXPECT_FALSE(settingsWindow.isVisible()) << name;
        EXPECT_FALSE(shell_->settingsWindowVisible()) << name;
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window)) << name;
        QTest::keySequence(&window, QKeySequence(Qt::CTRL | Qt::Key_Comma));
        EXPECT_TRUE(settingsWindow.isVisible()) << name;
    }
}

}  // namespace
}  // namespace tallyvane::test
