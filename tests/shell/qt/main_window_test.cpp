// The main window driven as a person drives it: open, report, Analyze, roles, sheets,
// layout, Save, with the workbook read back by an independent reader.

#include <algorithm>
#include <fstream>
#include <functional>

#include <QAction>
#include <QCheckBox>
#include <QDragEnterEvent>
#include <QImage>
#include <QKeySequence>
#include <QLabel>
#include <QMainWindow>
#include <QMimeData>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QUrl>
#include <nlohmann/json.hpp>

#include "desktop_fixture.h"
#include "shell/layouts_item.h"
#include "shell/qt/drop_refusing_view.h"
#include "widget_helpers.h"

namespace tallyvane::test {
namespace {

const char* const kTwoTimelineSample = "reuelk__pipeline__sync_clip_test.fcpxml";
const char* const kOneTimelineSample = "TheAcharya__OpenFCPXMLKit__DisabledClips.fcpxml";
const char* const kTooOldSample = "reuelk__pipeline__PCBang_FromGrace_20160202.fcpxml";

// Sheet names, then the "Selected Roles" header row, one per line.
QStringList readWorkbook(const std::filesystem::path& workbook) {
    QProcess python;
    python.start("/usr/bin/python3",
                 {"-c",
                  "import sys, openpyxl\n"
                  "book = openpyxl.load_workbook(sys.argv[1])\n"
                  "print('\\t'.join(book.sheetnames))\n"
                  "print('\\t'.join(str(cell.value) for cell in book['Selected Roles'][1]))\n",
                  QString::fromStdString(workbook.string())});
    python.waitForFinished(-1);
    if (python.exitCode() != 0) return {"python failed: " + QString::fromUtf8(python.readAllStandardError())};
    return QString::fromUtf8(python.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

class MainWindowTest : public DesktopFixture {
protected:
    // A stored layout "Editorial": every column with row numbers, but no notes and no thumbnails.
    void storeEditorialLayout() {
        LayoutsItem layout = LayoutsItem::named("Editorial");
        for (std::size_t column = 0; column < kColumnSwitchCount; ++column) layout.columns[column] = true;
        layout.columns[*columnSwitchWithOptionKey("notes")] = false;
        layout.columns[kThumbnailsSwitch] = false;
        std::filesystem::create_directories(supportFolder_);
        std::ofstream(supportFolder_ / "Layouts.json") << layoutsToJson({layout}).dump();
    }

    void open(const std::string& name) { openPath(sample(name)); }

    MainWindow& shownWindow() {
        MainWindow& window = windows_->mainWindow();
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        return window;
    }

    void openPath(const std::filesystem::path& document) {
        platform_.openPath = document;
        QTest::mouseClick(&main<QPushButton>("openFileButton"), Qt::LeftButton);
    }

    // A project with one timeline of one clip, under a file name and with roles that are
    // written into the XML as they are given (so "&amp;" for "&").
    std::filesystem::path writeProject(const std::string& fileName, const std::string& videoRole,
                                       const std::string& audioRole) const {
        const std::filesystem::path document = outputFolder() / fileName;
        std::ofstream(document) << R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE fcpxml>
<fcpxml version="1.11">
    <resources>
        <format id="r1" name="FFVideoFormat1080p25" frameDuration="100/2500s" width="1920" height="1080"/>
        <asset id="r2" name="Interview" start="0s" duration="100s" hasVideo="1" hasAudio="1" format="r1">
            <media-rep kind="original-media" src="file:///nowhere/Interview.mov"/>
        </asset>
    </resources>
    <library>
        <event name="Names">
            <project name="Timeline A">
                <sequence format="r1" duration="10s" tcStart="0s" tcFormat="NDF">
                    <spine>
                        <asset-clip ref="r2" offset="0s" name="Interview" duration="10s" role=")"
                                << videoRole << R"(" audioRole=")" << audioRole << R"("/>
                    </spine>
                </sequence>
            </project>
        </event>
    </library>
</fcpxml>
)";
        return document;
    }
};

TEST_F(MainWindowTest, WholeRoadFromOpenToWorkbook) {
    storeEditorialLayout();
    start();
    MainWindow& window = shownWindow();

    open(kTwoTimelineSample);
    EXPECT_EQ(platform_.openExtensions, (std::vector<std::string>{"fcpxml", "fcpxmld"}));
    EXPECT_TRUE(main<QLabel>("inputFileIcon").isVisible());
    EXPECT_EQ(main<QLabel>("inputFileName").text(), kTwoTimelineSample);
    auto& reports = main<QComboBox>("reportPopup");
    // The menu's separator is drawn as one, and cannot be chosen.
    EXPECT_EQ(items(reports), (QStringList{"Event Clips", "", "JFK_Moon_Project"}));
    EXPECT_FALSE(reports.model()->flags(reports.model()->index(1, 0)) & Qt::ItemIsEnabled);
    EXPECT_FALSE(main<QPushButton>("saveFileButton").isEnabled()) << "two reports wait for Analyze";

    choose(reports, 2);
    EXPECT_EQ(shell_->reportMenu().selectedTitle(), "JFK_Moon_Project");
    QTest::mouseClick(&main<QPushButton>("analyzeButton"), Qt::LeftButton);
    auto& video = main<QTableWidget>("videoTracksTableView");
    auto& audio = main<QTableWidget>("audioTracksTableView");
    EXPECT_EQ(rows(video), (QStringList{"[x] ITT", "[x] ITT \u25B8 En", "[x] Video"}));
    EXPECT_EQ(rows(audio), (QStringList{"[x] Dialogue", "[x] Dialogue \u25B8 Dialogue-1"}));
    EXPECT_TRUE(main<QPushButton>("saveFileButton").isEnabled());

    // The picture of the analysed report is left to be looked at.
    const QString file = QString(TALLYVANE_TEST_OUTPUT_DIR) + "/main_window.png";
    ASSERT_TRUE(window.grab().save(file, "PNG"));
    EXPECT_EQ(QImage(file).size(), window.size() * window.devicePixelRatio());

    // All and None set every row of their table only.
    QTest::mouseClick(&main<QPushButton>("audioNoneButton"), Qt::LeftButton);
    EXPECT_EQ(rows(audio), (QStringList{"[ ] Dialogue", "[ ] Dialogue \u25B8 Dialogue-1"}));
    EXPECT_EQ(rows(video).filter("[ ]").size(), 0);
    QTest::mouseClick(&main<QPushButton>("audioAllButton"), Qt::LeftButton);
    EXPECT_EQ(rows(audio).filter("[ ]").size(), 0);

    // The main role carries its subrole along.
    clickCheckBox(rowBox(video, 0));
    EXPECT_EQ(rows(video), (QStringList{"[ ] ITT", "[ ] ITT \u25B8 En", "[x] Video"}));
    EXPECT_FALSE(shell_->videoRoles().rows()[1].isChecked);

    clickCheckBox(main<QCheckBox>("transitionsSheetSwitch"));
    EXPECT_FALSE(shell_->sheetSwitch(ExtraSheet::transitions));

    auto& layouts = main<QComboBox>("layoutsAppPopup");
    EXPECT_EQ(items(layouts), (QStringList{"Default", "Editorial"}));
    choose(layouts, 1);
    EXPECT_EQ(shell_->layouts().appMenu().selectedTitle(), "Editorial");

    platform_.savePath = outputFolder() / "Moon.xlsx";
    QTest::mouseClick(&main<QPushButton>("saveFileButton"), Qt::LeftButton);
    EXPECT_TRUE(platform_.alerts.empty()) << platform_.alerts.front().messageText;
    EXPECT_EQ(platform_.suggestedNames, (std::vector<std::string>{"JFK_Moon_Project - Editorial Report"}));
    ASSERT_TRUE(std::filesystem::exists(*platform_.savePath));
    EXPECT_EQ(platform_.openedFiles, (std::vector<std::filesystem::path>{*platform_.savePath}));
    auto& savedMessage = main<QLabel>("savedMessage");
    EXPECT_FALSE(savedMessage.isVisible()) << "the workbook opened";
    // Read while the report was written: the bar was moving without a measure.
    EXPECT_NE(log_.str().find("\"Progress:\" 0.0 \"of\" 0.0\n"), std::string::npos);
    EXPECT_EQ(window.progress().maximum, 1.0) << "stopped after the report";

    const QStringList workbook = readWorkbook(*platform_.savePath);
    ASSERT_EQ(workbook.size(), 2) << workbook.join('\n').toStdString();
    const QStringList sheets = workbook[0].split('\t');
    EXPECT_EQ(sheets.front(), "Selected Roles");
    EXPECT_TRUE(sheets.contains("Markers"));
    EXPECT_TRUE(sheets.contains("Summary"));
    EXPECT_FALSE(sheets.contains("Transitions")) << "its switch was turned off";
    const QStringList header = workbook[1].split('\t');
    EXPECT_EQ(header.front(), "Row") << "the chosen layout numbers the rows";
    EXPECT_TRUE(header.contains("Timeline In"));
    EXPECT_FALSE(header.contains("Notes")) << "the chosen layout leaves them out";

    // With no program for the workbook, the window says where it is until the next open.
    platform_.fileOpens = false;
    QTest::mouseClick(&main<QPushButton>("saveFileButton"), Qt::LeftButton);
    EXPECT_TRUE(savedMessage.isVisible());
    EXPECT_EQ(savedMessage.text().toStdString(),
              "The report was saved as \u201C" + platform_.savePath->string() + "\u201D. No program is set up to open it.");
    open(kTwoTimelineSample);
    EXPECT_FALSE(savedMessage.isVisible());
}

// Tab walks the controls as they stand on the screen, the role check boxes among them: the
// real focus is followed, key by key.
TEST_F(MainWindowTest, TabWalksTheControlsAsTheyStandOnTheScreen) {
    start();
    MainWindow& window = shownWindow();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    open(kTwoTimelineSample);
    choose(main<QComboBox>("reportPopup"), 2);
    QTest::mouseClick(&main<QPushButton>("analyzeButton"), Qt::LeftButton);
    main<QPushButton>("analyzeButton").setFocus();
    QStringList walked;
    for (int step = 0; step < 20 && QApplication::focusWidget() != &main<QPushButton>("saveFileButton"); ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        const QWidget* focused = QApplication::focusWidget();
        const auto* box = qobject_cast<const QCheckBox*>(focused);
        walked << (box != nullptr && box->objectName().isEmpty() ? box->text() : focused->objectName());
    }
    EXPECT_EQ(walked, (QStringList{"ITT", "ITT \u25B8 En", "Video", "videoAllButton", "videoNoneButton", "Dialogue",
                                   "Dialogue \u25B8 Dialogue-1", "audioAllButton", "audioNoneButton", "layoutsAppPopup",
                                   "layoutEditButton", "markersSheetSwitch", "keywordsSheetSwitch", "titlesSheetSwitch",
                                   "effectsSheetSwitch", "transitionsSheetSwitch", "summarySheetSwitch",
                                   "saveFileButton"}));
    // Return on a focused button presses it, as Space does.
    main<QPushButton>("videoNoneButton").setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_VERIFY(!shell_->videoRoles().rows()[0].isChecked);
}

TEST_F(MainWindowTest, FirstOfSeveralDocumentsThenANewProjectABundleAndARefusedDocument) {
    start();
    windows_->mainWindow().openDocuments({sample(kOneTimelineSample), sample(kTwoTimelineSample)});
    EXPECT_EQ(main<QLabel>("inputFileName").text(), kOneTimelineSample);
    EXPECT_EQ(items(main<QComboBox>("reportPopup")), (QStringList{"DisabledClips"}));
    EXPECT_GT(main<QTableWidget>("videoTracksTableView").rowCount(), 0);
    EXPECT_TRUE(main<QPushButton>("saveFileButton").isEnabled());
    EXPECT_TRUE(main<QPushButton>("videoAllButton").isEnabled());

    // Cancelling the open panel keeps the project.
    QTest::mouseClick(&main<QPushButton>("openFileButton"), Qt::LeftButton);
    EXPECT_EQ(platform_.openPanelsShown, 1);
    EXPECT_EQ(main<QLabel>("inputFileName").text(), kOneTimelineSample);
    EXPECT_EQ(main<QComboBox>("reportPopup").count(), 1);

    // A new project clears the old roles and locks Save.
    open(kTwoTimelineSample);
    EXPECT_EQ(main<QTableWidget>("videoTracksTableView").rowCount(), 0);
    EXPECT_EQ(main<QTableWidget>("audioTracksTableView").rowCount(), 0);
    // All and None have nothing to choose in an empty table.
    for (const char* button : {"videoAllButton", "videoNoneButton", "audioAllButton", "audioNoneButton"}) {
        EXPECT_FALSE(main<QPushButton>(button).isEnabled()) << button;
    }
    EXPECT_FALSE(main<QPushButton>("saveFileButton").isEnabled());
    EXPECT_FALSE(main<QAction>("saveAction").isEnabled());

    // A bundle folder opens as one document; a refused document then leaves no reports.
    open("ericfortis__final-cut-pro-scene-detect__60fps-rubric-compound-clips.fcpxmld");
    EXPECT_TRUE(platform_.alerts.empty());
    EXPECT_EQ(main<QLabel>("inputFileName").text(), "ericfortis__final-cut-pro-scene-detect__60fps-rubric-compound-clips.fcpxmld");
    EXPECT_EQ(items(main<QComboBox>("reportPopup")), (QStringList{"60fps-rubric-compound-clips"}));

    open(kTooOldSample);
    ASSERT_EQ(platform_.alerts.size(), 1u);
    EXPECT_EQ(platform_.alerts[0].messageText, "There is a problem with this FCPXML");
    EXPECT_EQ(main<QComboBox>("reportPopup").count(), 0);
    EXPECT_FALSE(main<QPushButton>("saveFileButton").isEnabled());
    EXPECT_EQ(main<QProgressBar>("progressBar").maximum(), 1) << "the indicator stops for the alert";
}

// Counts the paintings of a widget while `counting` says so.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(std::function<bool()> counting) : counting_(std::move(counting)) {}
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && counting_()) ++paints;
        return false;
    }

private:
    std::function<bool()> counting_;
};

TEST_F(MainWindowTest, WhileADocumentIsReadTheIndicatorMovesAndTheWindowStaysOpen) {
    start();
    MainWindow& window = shownWindow();
    auto& bar = main<QProgressBar>("progressBar");
    bool reading = false;
    // Only paintings of the moving indicator after the window was told of the work count:
    // those can only come from the reader's ticks.
    PaintCounter counter([&] { return reading && bar.maximum() == 0; });
    bar.installEventFilter(&counter);
    std::vector<std::pair<bool, int>> seen;  // busy state, indicator maximum (0 while moving)
    QString nameWhileBusy;
    bool closedWhileBusy = true;
    platform_.onBusy = [&](bool busy) {
        reading = busy;
        seen.emplace_back(busy, bar.maximum());
        if (!busy) return;
        bar.update();
        nameWhileBusy = main<QLabel>("inputFileName").text();
        window.close();
        closedWhileBusy = !window.isVisible();
    };
    open(kOneTimelineSample);
    bar.removeEventFilter(&counter);
    EXPECT_GT(counter.paints, 0) << "the indicator is repainted while the reader works";
    ASSERT_GE(seen.size(), 2u);
    EXPECT_EQ(seen.front(), std::make_pair(true, 0));
    EXPECT_EQ(seen.back(), std::make_pair(false, 1));
    EXPECT_EQ(nameWhileBusy, kOneTimelineSample) << "the window shows the new file while reading it";
    EXPECT_FALSE(closedWhileBusy);
    EXPECT_EQ(items(main<QComboBox>("reportPopup")), (QStringList{"DisabledClips"})) << "the reading went on";

    QTest::mouseClick(&main<QPushButton>("layoutEditButton"), Qt::LeftButton);
    ASSERT_TRUE(windows_->settingsWindow().isVisible());
    window.close();
    EXPECT_FALSE(window.isVisible()) << "afterwards the window closes";
    EXPECT_FALSE(windows_->settingsWindow().isVisible());
    EXPECT_FALSE(shell_->settingsWindowVisible());
    // The settings window belongs to the main one, so no window of the program is left to
    // keep it running once the main window is closed.
    EXPECT_EQ(windows_->settingsWindow().parentWidget(), &window);
    const QWidgetList windows = QApplication::topLevelWidgets();
    EXPECT_TRUE(std::none_of(windows.begin(), windows.end(), [](const QWidget* widget) { return widget->isVisible(); }));
}

TEST_F(MainWindowTest, FileAndRoleNamesAreShownAsTheyAreAndMakeNoKeyboardShortcut) {
    start();
    MainWindow& window = windows_->mainWindow();
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    // One video row only: a key that two rows claimed would merely move the focus.
    openPath(writeProject("<i>Cut.fcpxml", "D&amp;M", "Titles &amp; Graphics"));
    ASSERT_TRUE(platform_.alerts.empty()) << platform_.alerts.front().messageText;
    EXPECT_EQ(shownText(main<QLabel>("inputFileName")), "<i>Cut.fcpxml") << "not rendered as markup";
    EXPECT_EQ(rows(main<QTableWidget>("videoTracksTableView")), (QStringList{"[x] D&M"}));
    EXPECT_EQ(rows(main<QTableWidget>("audioTracksTableView")),
              (QStringList{"[x] Titles & Graphics", "[x] Titles & Graphics \u25B8 Titles & Graphics-1"}));

    // The button's own text claims no key: this holds however slowly the machine runs.
    EXPECT_TRUE(QKeySequence::mnemonic(rowBox(main<QTableWidget>("videoTracksTableView"), 0).text()).isEmpty());

    QTest::keyClick(&window, Qt::Key_M, Qt::AltModifier);
    // A mnemonic clicks its button after a short animation; on a busy machine the wait below
    // may end first, and then only the check above catches a shortcut.
    QTest::qWait(300);
    EXPECT_TRUE(shell_->videoRoles().rows()[0].isChecked);
    EXPECT_TRUE(rowBox(main<QTableWidget>("videoTracksTableView"), 0).isChecked());
}

TEST_F(MainWindowTest, DragsAreRefusedAndClicksPassThroughTheDropView) {
    start();
    MainWindow& window = shownWindow();
    auto& dropView = main<DropRefusingView>("dragDestinationView");
    EXPECT_EQ(dropView.geometry(), window.centralWidget()->rect()) << "it covers the window's controls";

    QMimeData document;
    document.setUrls({QUrl::fromLocalFile(QString::fromStdString(sample(kOneTimelineSample).string()))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction | Qt::LinkAction, &document, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&dropView, &enter);
    EXPECT_FALSE(enter.isAccepted());
    EXPECT_EQ(enter.dropAction(), Qt::IgnoreAction);
    EXPECT_FALSE(dropView.isReceivingDrag());
    EXPECT_FALSE(window.acceptDrops());
    EXPECT_TRUE(main<QLabel>("inputFileName").text().isEmpty());

    auto& openButton = main<QPushButton>("openFileButton");
    const QPoint buttonCentre = openButton.mapTo(window.centralWidget(), openButton.rect().center());
    EXPECT_EQ(window.centralWidget()->childAt(buttonCentre), &openButton);

    // A drag as the desktop delivers it: to the window, which finds the control under the pointer.
    const auto at = [&](const char* control) {
        auto& widget = main<QWidget>(control);
        return widget.mapTo(&window, widget.rect().center());
    };
    QDragEnterEvent windowEnter(at("openFileButton"), Qt::CopyAction | Qt::LinkAction, &document, Qt::LeftButton,
                                Qt::NoModifier);
    QApplication::sendEvent(window.windowHandle(), &windowEnter);
    EXPECT_FALSE(windowEnter.isAccepted());
    for (const char* control : {"inputFileName", "reportPopup", "videoTracksTableView", "audioTracksTableView",
                                "layoutsAppPopup", "markersSheetSwitch", "saveFileButton"}) {
        QDragMoveEvent move(at(control), Qt::CopyAction | Qt::LinkAction, &document, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.windowHandle(), &move);
        EXPECT_FALSE(move.isAccepted()) << control;
    }
    QDropEvent drop(QPointF(at("videoTracksTableView")), Qt::CopyAction | Qt::LinkAction, &document, Qt::LeftButton,
                    Qt::NoModifier);
    QApplication::sendEvent(window.windowHandle(), &drop);
    EXPECT_FALSE(drop.isAccepted());
    EXPECT_TRUE(main<QLabel>("inputFileName").text().isEmpty());
    EXPECT_EQ(main<QComboBox>("reportPopup").count(), 0);
}

TEST_F(MainWindowTest, KeyboardShortcutsOpenSaveAndQuitAndMenuCommandsReachTheDesktop) {
    proVideo_ = false;
    platform_.chooseAction = true;
    start();
    EXPECT_EQ(main<QAction>("saveAction").shortcut(), QKeySequence(QKeySequence::Save));
    EXPECT_EQ(main<QAction>("quitAction").shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    MainWindow& window = windows_->mainWindow();
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keySequence(&window, QKeySequence::Open);
    EXPECT_EQ(platform_.openPanelsShown, 1);

    main<QAction>("helpAction").trigger();
    main<QAction>("websiteAction").trigger();
    main<QAction>("emailSupportAction").trigger();
    main<QAction>("proVideoFormatsAction").trigger();
    ASSERT_EQ(platform_.openedUrls.size(), 4u);
    EXPECT_TRUE(platform_.openedUrls[2].starts_with("mailto:"));
    ASSERT_EQ(platform_.alerts.size(), 1u);
    EXPECT_EQ(platform_.alerts[0].messageText, "Pro Video Formats are NOT installed");
    EXPECT_EQ(platform_.actionTitles, (std::vector<std::string>{"Get Pro Video Formats"}));

    // Ctrl+Q quits from the settings window too, typed where the focus is.
    main<QAction>("settingsAction").trigger();
    QWidget& settings = windows_->settingsWindow();
    // The offscreen platform activates no window on its own.
    QApplication::setActiveWindow(&settings);
    ASSERT_TRUE(settings.isActiveWindow());
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    ASSERT_EQ(QApplication::focusWidget()->window(), &settings);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(window.isVisible());
}

}  // namespace
}  // namespace tallyvane::test
