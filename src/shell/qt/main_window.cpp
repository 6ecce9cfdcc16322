#include "shell/qt/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include <tuple>

#include "shell/qt/drop_refusing_view.h"
#include "shell/qt/popup_rendering.h"
#include "shell/qt/return_press.h"
#include "shell/qt/role_table_view.h"
#include "shell/report_menu.h"

namespace tallyvane {

namespace {

// Titles of the sheet switches, in the order of kExtraSheetKeys.
constexpr std::array<const char*, kExtraSheetKeys.size()> kSheetSwitchTitles{
    QT_TR_NOOP("Markers"),     QT_TR_NOOP("Keywords"), QT_TR_NOOP("Titles"),
    QT_TR_NOOP("Effects"),     QT_TR_NOOP("Transitions"), QT_TR_NOOP("Summary")};

QPushButton* namedButton(const QString& text, const QString& name) {
    auto* button = new QPushButton(text);
    button->setObjectName(name);
    pressOnReturn(*button);
    return button;
}

}  // namespace

MainWindow::MainWindow(ShellController& shell, QWidget* parent) : QMainWindow(parent), shell_(shell) {
    setWindowTitle(QApplication::applicationDisplayName());
    auto* central = new QWidget;
    auto* column = new QVBoxLayout(central);
    column->addWidget(buildReportRow());
    column->addWidget(buildRoleTables(), 1);
    column->addWidget(buildLayoutRow());
    column->addWidget(buildSheetSwitches());
    column->addWidget(buildSaveRow());
    setCentralWidget(central);
    dropView_ = new DropRefusingView(central);
    dropView_->setObjectName("dragDestinationView");
    buildMenus();
    arrangeTabOrder();
    setMinimumSize(560, 420);
    resize(720, 560);
    showBusy(false);
    render();
}

QWidget* MainWindow::buildReportRow() {
    auto* box = new QWidget;
    auto* rows = new QVBoxLayout(box);
    rows->setContentsMargins(0, 0, 0, 0);

    auto* fileRow = new QHBoxLayout;
    openFileButton_ = namedButton(tr("Open…"), "openFileButton");
    connect(openFileButton_, &QPushButton::clicked, this, [this] { forward([this] { shell_.clickOpenFile(); }); });
    inputFileIcon_ = new QLabel;
    inputFileIcon_->setObjectName("inputFileIcon");
    inputFileIcon_->setPixmap(style()->standardIcon(QStyle::SP_FileIcon).pixmap(32, 32));
    inputFileName_ = new QLabel;
    inputFileName_->setObjectName("inputFileName");
    // A file name such as "<i>Cut.fcpxml" is a name, not markup to render.
    inputFileName_->setTextFormat(Qt::PlainText);
    inputFileName_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    fileRow->addWidget(openFileButton_);
    fileRow->addWidget(inputFileIcon_);
    fileRow->addWidget(inputFileName_, 1);
    rows->addLayout(fileRow);

    auto* reportRow = new QHBoxLayout;
    reportPopup_ = new QComboBox;
    reportPopup_->setObjectName("reportPopup");
    reportPopup_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    reportPopup_->setMinimumContentsLength(24);
    connect(reportPopup_, &QComboBox::activated, this, [this](int index) {
        forward([this, index] { shell_.chooseReport(static_cast<std::size_t>(index)); });
    });
    analyzeButton_ = namedButton(tr("Analyze"), "analyzeButton");
    connect(analyzeButton_, &QPushButton::clicked, this, [this] { forward([this] { shell_.analyze(); }); });
    auto* reportLabel = new QLabel(tr("&Report:"));
    reportLabel->setBuddy(reportPopup_);
    reportRow->addWidget(reportLabel);
    reportRow->addWidget(reportPopup_, 1);
    reportRow->addWidget(analyzeButton_);
    rows->addLayout(reportRow);
    return box;
}

QWidget* MainWindow::buildRoleTables() {
    auto* box = new QWidget;
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(buildRoleTable(
        tr("Video Roles"), "video", videoTable_, videoAllButton_, videoNoneButton_,
        [this](std::size_t index) { shell_.toggleVideoRole(index); }, [this](bool on) { shell_.setAllVideoRoles(on); }));
    row->addWidget(buildRoleTable(
        tr("Audio Roles"), "audio", audioTable_, audioAllButton_, audioNoneButton_,
        [this](std::size_t index) { shell_.toggleAudioRole(index); }, [this](bool on) { shell_.setAllAudioRoles(on); }));
    return box;
}

QWidget* MainWindow::buildRoleTable(const QString& title, const QString& side, RoleTableView*& table, QPushButton*& all,
                                    QPushButton*& none, const std::function<void(std::size_t)>& toggle,
                                    const std::function<void(bool)>& setAll) {
    auto* group = new QGroupBox(title);
    auto* layout = new QVBoxLayout(group);
    table = new RoleTableView;
    table->setObjectName(side + "TracksTableView");
    connect(table, &RoleTableView::rowToggled, this,
            [this, toggle](int index) { forward([&] { toggle(static_cast<std::size_t>(index)); }); });
    all = namedButton(tr("All"), side + "AllButton");
    none = namedButton(tr("None"), side + "NoneButton");
    connect(all, &QPushButton::clicked, this, [this, setAll] { forward([&] { setAll(true); }); });
    connect(none, &QPushButton::clicked, this, [this, setAll] { forward([&] { setAll(false); }); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(all);
    buttons->addWidget(none);
    buttons->addStretch(1);
    layout->addWidget(table, 1);
    layout->addLayout(buttons);
    return group;
}

QWidget* MainWindow::buildLayoutRow() {
    auto* box = new QWidget;
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    layoutsAppPopup_ = new QComboBox;
    layoutsAppPopup_->setObjectName("layoutsAppPopup");
    layoutsAppPopup_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    layoutsAppPopup_->setMinimumContentsLength(16);
    connect(layoutsAppPopup_, &QComboBox::activated, this, [this](int index) {
        forward([this, index] { shell_.layouts().chooseInApp(static_cast<std::size_t>(index)); });
    });
    layoutEditButton_ = namedButton(tr("Edit…"), "layoutEditButton");
    connect(layoutEditButton_, &QPushButton::clicked, this, [this] { emit settingsRequested(); });
    auto* label = new QLabel(tr("Column &layout:"));
    label->setBuddy(layoutsAppPopup_);
    row->addWidget(label);
    row->addWidget(layoutsAppPopup_, 1);
    row->addWidget(layoutEditButton_);
    return box;
}

QWidget* MainWindow::buildSheetSwitches() {
    auto* group = new QGroupBox(tr("Extra Sheets"));
    auto* row = new QHBoxLayout(group);
    for (std::size_t sheet = 0; sheet < sheetSwitches_.size(); ++sheet) {
        auto* box = new QCheckBox(tr(kSheetSwitchTitles[sheet]));
        box->setObjectName(QString::fromUtf8(kExtraSheetKeys[sheet].data(),
                                             static_cast<qsizetype>(kExtraSheetKeys[sheet].size())) +
                           "SheetSwitch");
        connect(box, &QCheckBox::clicked, this, [this, sheet](bool on) {
            forward([this, sheet, on] { shell_.setSheetSwitch(static_cast<ExtraSheet>(sheet), on); });
        });
        sheetSwitches_[sheet] = box;
        row->addWidget(box);
    }
    row->addStretch(1);
    return group;
}

QWidget* MainWindow::buildSaveRow() {
    auto* box = new QWidget;
    auto* rows = new QVBoxLayout(box);
    rows->setContentsMargins(0, 0, 0, 0);
    // Without a program for .xlsx files, a finished report would otherwise go unnoticed.
    savedMessage_ = new QLabel;
    savedMessage_->setObjectName("savedMessage");
    savedMessage_->setTextFormat(Qt::PlainText);
    savedMessage_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    savedMessage_->setWordWrap(true);
    rows->addWidget(savedMessage_);
    auto* row = new QHBoxLayout;
    rows->addLayout(row);
    progressBar_ = new QProgressBar;
    progressBar_->setObjectName("progressBar");
    progressBar_->setTextVisible(false);
    // Idle, the bar is an empty box that reads as a text field: it shows only while work
    // runs, and keeps its place meanwhile so that the row does not jump.
    QSizePolicy keepPlace = progressBar_->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    progressBar_->setSizePolicy(keepPlace);
    saveFileButton_ = namedButton(tr("Save…"), "saveFileButton");
    saveFileButton_->setDefault(true);
    connect(saveFileButton_, &QPushButton::clicked, this, [this] { forward([this] { shell_.save(); }); });
    row->addWidget(progressBar_, 1);
    row->addWidget(saveFileButton_);
    return box;
}

void MainWindow::buildMenus() {
    const auto addAction = [this](QMenu* menu, const QString& title, const char* name, auto&& triggered) {
        QAction* action = menu->addAction(title, this, std::forward<decltype(triggered)>(triggered));
        action->setObjectName(name);
        return action;
    };
    QMenu* file = menuBar()->addMenu(tr("&File"));
    addAction(file, tr("&Open…"), "openAction", [this] { openFileButton_->click(); })->setShortcut(QKeySequence::Open);
    saveAction_ = addAction(file, tr("&Save…"), "saveAction", [this] { saveFileButton_->click(); });
    saveAction_->setShortcut(QKeySequence::Save);
    file->addSeparator();
    QAction* quit = addAction(file, tr("&Quit"), "quitAction", [this] { close(); });
    // Named, not the platform's standard key, which some platforms leave empty; from the
    // settings window too, as the menu says.
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    quit->setShortcutContext(Qt::ApplicationShortcut);
    quit->setMenuRole(QAction::QuitRole);

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    QAction* settings = addAction(edit, tr("&Settings…"), "settingsAction", [this] { emit settingsRequested(); });
    // The standard key for preferences is none on most Linux desktops.
    settings->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Comma));
    settings->setMenuRole(QAction::PreferencesRole);

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    addAction(help, tr("%1 &Help").arg(QApplication::applicationDisplayName()), "helpAction",
              [this] { forward([this] { shell_.showHelp(); }); })
        ->setShortcut(QKeySequence::HelpContents);
    addAction(help, tr("Visit &Website"), "websiteAction", [this] { forward([this] { shell_.visitWebsite(); }); });
    addAction(help, tr("Email &Support…"), "emailSupportAction", [this] { forward([this] { shell_.emailSupport(); }); });
    help->addSeparator();
    addAction(help, tr("Check &Professional Video Formats"), "proVideoFormatsAction",
              [this] { forward([this] { shell_.checkProVideoFormats(); }); });
}

void MainWindow::arrangeTabOrder() {
    // The tables take no focus (Qt links no widget to one that takes none): their check boxes
    // stand in the order in their place, after the controls above them.
    std::vector<QWidget*> order{openFileButton_, reportPopup_, analyzeButton_};
    for (const auto& [table, all, none] : {std::tuple{videoTable_, videoAllButton_, videoNoneButton_},
                                           std::tuple{audioTable_, audioAllButton_, audioNoneButton_}}) {
        const std::vector<QWidget*> boxes = table->rowBoxes();
        order.insert(order.end(), boxes.begin(), boxes.end());
        order.push_back(all);
        order.push_back(none);
    }
    order.push_back(layoutsAppPopup_);
    order.push_back(layoutEditButton_);
    order.insert(order.end(), sheetSwitches_.begin(), sheetSwitches_.end());
    order.push_back(saveFileButton_);
    for (std::size_t index = 1; index < order.size(); ++index) QWidget::setTabOrder(order[index - 1], order[index]);
}

template <typename Action>
void MainWindow::forward(Action&& action) {
    action();
    emit stateChanged();
}

void MainWindow::openDocuments(const std::vector<std::filesystem::path>& files) {
    forward([this, &files] { shell_.openFiles(files); });
}

void MainWindow::render() {
    inputFileIcon_->setVisible(shell_.inputFileIconVisible());
    inputFileName_->setText(QString::fromStdString(shell_.inputFileName()));
    renderPopup(*reportPopup_, shell_.reportMenu(), kReportMenuSeparator);
    analyzeButton_->setEnabled(shell_.analyzeEnabled());
    const bool rolesChanged = videoTable_->render(shell_.videoRoles()) | audioTable_->render(shell_.audioRoles());
    if (rolesChanged) arrangeTabOrder();
    // All and None have nothing to choose in an empty table.
    for (const auto& [table, all, none] : {std::tuple{&shell_.videoRoles(), videoAllButton_, videoNoneButton_},
                                           std::tuple{&shell_.audioRoles(), audioAllButton_, audioNoneButton_}}) {
        const bool enabled = shell_.roleButtonsEnabled() && !table->rows().empty();
        all->setEnabled(enabled);
        none->setEnabled(enabled);
    }
    renderPopup(*layoutsAppPopup_, shell_.layouts().appMenu());
    for (std::size_t sheet = 0; sheet < sheetSwitches_.size(); ++sheet) {
        sheetSwitches_[sheet]->setChecked(shell_.sheetSwitch(static_cast<ExtraSheet>(sheet)));
    }
    saveFileButton_->setEnabled(shell_.saveEnabled());
    saveAction_->setEnabled(shell_.saveEnabled());
    savedMessage_->setText(QString::fromStdString(shell_.savedMessage()));
    savedMessage_->setVisible(!shell_.savedMessage().empty());
}

void MainWindow::showBusy(bool busy) {
    // An empty range makes the bar move on its own; a full one stops it.
    progressBar_->setRange(0, busy ? 0 : 1);
    progressBar_->setValue(0);
    progressBar_->setVisible(busy);
}

ProgressReading MainWindow::progress() const {
    return {static_cast<double>(progressBar_->value()), static_cast<double>(progressBar_->maximum())};
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // The desktop's close button reaches the window even while input is held back; quitting
    // then would empty the store under the reader or the report writer.
    if (shell_.isBusy()) {
        event->ignore();
        return;
    }
    emit closing();
    QMainWindow::closeEvent(event);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    dropView_->setGeometry(centralWidget()->rect());
    dropView_->raise();
}

void MainWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) forward([this] { shell_.windowActivated(); });
    QMainWindow::changeEvent(event);
}

}  // namespace tallyvane
