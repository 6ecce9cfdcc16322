#include "shell/qt/settings_window.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

#include "shell/qt/layout_name_dialog.h"
#include "shell/qt/popup_rendering.h"
#include "shell/qt/return_press.h"

namespace tallyvane {

namespace {

// Widths offered for thumbnails; any other number may be typed.
constexpr std::array<const char*, 7> kOfferedWidths{"40", "60", "80", "100", "120", "160", "240"};

struct TimeFormatRow {
    const char* title;
    const char* control;  // names the format's check boxes and offset field
};

// In the order of TimeFormat.
constexpr std::array<TimeFormatRow, kTimeFormatCount> kTimeFormatRows{{
    {QT_TR_NOOP("Timecode"), "hhmmssff"},
    {QT_TR_NOOP("Frames"), "frames"},
    {QT_TR_NOOP("Feet+Frames"), "feetframes"},
    {QT_TR_NOOP("Clock"), "clock"},
}};

QString text(std::string_view view) { return QString::fromUtf8(view.data(), static_cast<qsizetype>(view.size())); }

void setTextKeepingCursor(QLineEdit& field, const QString& value) {
    if (field.text() != value) field.setText(value);
}

}  // namespace

SettingsWindow::SettingsWindow(ShellController& shell, QWidget* parent) : QWidget(parent, Qt::Window), shell_(shell) {
    setObjectName("settingsWindow");
    setWindowTitle(tr("%1 Settings").arg(QApplication::applicationDisplayName()));
    settingsTabs_ = new QTabWidget;
    settingsTabs_->setObjectName("settingsTabs");
    settingsTabs_->addTab(buildLayoutsTab(), tr("Columns"));
    settingsTabs_->addTab(buildTimeDisplayTab(), tr("Time Display"));
    connect(settingsTabs_, &QTabWidget::currentChanged, this,
            [this](int tab) { forward([this, tab] { shell_.selectSettingsTab(static_cast<std::size_t>(tab)); }); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(settingsTabs_);

    // A window of settings closes as a dialog does.
    auto* closing = new QAction(this);
    closing->setObjectName("closeSettingsAction");
    closing->setShortcuts({QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)});
    connect(closing, &QAction::triggered, this, &QWidget::close);
    addAction(closing);

    layoutNameDialog_ = new LayoutNameDialog(this);
    connect(layoutNameDialog_, &QDialog::accepted, this, [this] {
        forward([this] { shell_.layouts().confirmLayoutName(layoutNameDialog_->typedName().toStdString()); });
    });
    connect(layoutNameDialog_, &QDialog::rejected, this, [this] { forward([this] { shell_.layouts().cancelLayoutName(); }); });
    render();
}

QWidget* SettingsWindow::buildLayoutsTab() {
    auto* tab = new QWidget;
    auto* column = new QVBoxLayout(tab);

    auto* menuRow = new QHBoxLayout;
    layoutsSettingsPopup_ = new QComboBox;
    layoutsSettingsPopup_->setObjectName("layoutsSettingsPopup");
    layoutsSettingsPopup_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    layoutsSettingsPopup_->setMinimumContentsLength(16);
    connect(layoutsSettingsPopup_, &QComboBox::activated, this, [this](int index) {
        forward([this, index] { shell_.layouts().chooseInSettings(static_cast<std::size_t>(index)); });
    });
    addLayoutButton_ = new QPushButton(tr("Add…"));
    pressOnReturn(*addLayoutButton_);
    addLayoutButton_->setObjectName("addLayoutButton");
    connect(addLayoutButton_, &QPushButton::clicked, this, [this] { forward([this] { shell_.layouts().addLayout(); }); });
    editLayoutButton_ = new QPushButton(tr("Rename…"));
    pressOnReturn(*editLayoutButton_);
    editLayoutButton_->setObjectName("editLayoutButton");
    connect(editLayoutButton_, &QPushButton::clicked, this, [this] { forward([this] { shell_.layouts().editLayout(); }); });
    removeLayoutButton_ = new QPushButton(tr("Remove"));
    pressOnReturn(*removeLayoutButton_);
    removeLayoutButton_->setObjectName("removeLayoutButton");
    connect(removeLayoutButton_, &QPushButton::clicked, this,
            [this] { forward([this] { shell_.layouts().removeLayout(); }); });
    auto* menuLabel = new QLabel(tr("&Layout:"));
    menuLabel->setBuddy(layoutsSettingsPopup_);
    menuRow->addWidget(menuLabel);
    menuRow->addWidget(layoutsSettingsPopup_, 1);
    menuRow->addWidget(addLayoutButton_);
    menuRow->addWidget(editLayoutButton_);
    menuRow->addWidget(removeLayoutButton_);
    column->addLayout(menuRow);

    thumbnailWidthPopup_ = new QComboBox;
    thumbnailWidthPopup_->setObjectName("thumbnailWidthPopup");
    thumbnailWidthPopup_->setEditable(true);
    thumbnailWidthPopup_->setInsertPolicy(QComboBox::NoInsert);
    // The width is what is typed: completing "12" to the offered "120" would store a width
    // nobody asked for.
    thumbnailWidthPopup_->setCompleter(nullptr);
    // Wide enough to show a typed "2000" whole, not only the offered widths.
    thumbnailWidthPopup_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    thumbnailWidthPopup_->setMinimumContentsLength(6);
    for (const char* width : kOfferedWidths) thumbnailWidthPopup_->addItem(width);
    connect(thumbnailWidthPopup_, &QComboBox::activated, this, [this](int index) {
        const std::string width = thumbnailWidthPopup_->itemText(index).toStdString();
        forward([this, width] { shell_.layouts().thumbnailWidthChanged(width); });
    });
    connect(thumbnailWidthPopup_->lineEdit(), &QLineEdit::editingFinished, this, [this] {
        const std::string width = thumbnailWidthPopup_->currentText().toStdString();
        if (width == shell_.layouts().controls().thumbnailWidthText) return;
        forward([this, width] { shell_.layouts().thumbnailWidthChanged(width); });
    });

    auto* columns = new QGroupBox(tr("Columns"));
    auto* grid = new QGridLayout(columns);
    constexpr int kRows = 10;
    int cell = 0;
    for (std::size_t index = 0; index < kColumnSwitches.size(); ++index, ++cell) {
        auto* box = new QCheckBox(text(kColumnSwitches[index].title));
        box->setObjectName(text(kColumnSwitches[index].field));
        connect(box, &QCheckBox::clicked, this, [this, index](bool on) {
            forward([this, index, on] { shell_.layouts().columnChanged(index, on); });
        });
        columnCheckboxes_[index] = box;
        if (index == kThumbnailsSwitch) {
            // The width belongs with the thumbnails it sizes.
            auto* row = new QHBoxLayout;
            auto* label = new QLabel(tr("&Width:"));
            label->setBuddy(thumbnailWidthPopup_);
            row->addWidget(box);
            row->addWidget(label);
            row->addWidget(thumbnailWidthPopup_);
            row->addStretch(1);
            grid->addLayout(row, cell % kRows, cell / kRows);
        } else {
            grid->addWidget(box, cell % kRows, cell / kRows);
        }
    }
    column->addWidget(columns, 1);
    // What is wrong with a typed width is a sentence: on a line of its own, the whole width of
    // the tab, it is read whole at any size of the window, which a column of the grid is not.
    thumbnailWidthProblem_ = new QLabel;
    thumbnailWidthProblem_->setObjectName("thumbnailWidthProblem");
    thumbnailWidthProblem_->setTextFormat(Qt::PlainText);
    thumbnailWidthProblem_->setWordWrap(true);
    column->addWidget(thumbnailWidthProblem_);
    return tab;
}

QWidget* SettingsWindow::buildTimeDisplayTab() {
    auto* tab = new QWidget;
    auto* column = new QVBoxLayout(tab);

    auto* formats = new QGroupBox(tr("Time Formats"));
    auto* grid = new QGridLayout(formats);
    grid->addWidget(new QLabel(tr("Timeline times")), 0, 1);
    grid->addWidget(new QLabel(tr("Timeline offset (frames)")), 0, 2);
    grid->addWidget(new QLabel(tr("Source times")), 0, 3);
    for (std::size_t format = 0; format < kTimeFormatCount; ++format) {
        const QString control = kTimeFormatRows[format].control;
        const int row = static_cast<int>(format) + 1;
        grid->addWidget(new QLabel(tr(kTimeFormatRows[format].title)), row, 0);

        auto* sequence = new QCheckBox;
        sequence->setObjectName(control + "Checkbox1");
        connect(sequence, &QCheckBox::clicked, this, [this, format](bool on) {
            forward([this, format, on] { shell_.setSequenceFormat(static_cast<TimeFormat>(format), on); });
        });
        auto* offset = new QLineEdit;
        offset->setObjectName(control + "AdjField");
        // Frames are counted: a signed whole number, never a timecode.
        offset->setValidator(new QRegularExpressionValidator(QRegularExpression("[-+]?[0-9]{0,15}"), offset));
        connect(offset, &QLineEdit::textEdited, this, [this, format](const QString& typed) {
            forward([this, format, typed] { shell_.setOffsetText(static_cast<TimeFormat>(format), typed.toStdString()); });
        });
        auto* source = new QCheckBox;
        source->setObjectName(control + "Checkbox2");
        connect(source, &QCheckBox::clicked, this, [this, format](bool on) {
            forward([this, format, on] { shell_.setSourceFormat(static_cast<TimeFormat>(format), on); });
        });
        sequenceCheckboxes_[format] = sequence;
        offsetFields_[format] = offset;
        sourceCheckboxes_[format] = source;
        grid->addWidget(sequence, row, 1);
        grid->addWidget(offset, row, 2);
        grid->addWidget(source, row, 3);
    }
    column->addWidget(formats);

    auto* colours = new QGroupBox(tr("Text Colour"));
    auto* colourRows = new QVBoxLayout(colours);
    auto* group = new QButtonGroup(colours);
    const std::array<QString, 2> titles{tr("Coloured text"), tr("Black text")};
    const std::array<const char*, 2> names{"colorTextRadio", "blackTextRadio"};
    for (std::size_t row = 0; row < colorRadioButtons_.size(); ++row) {
        auto* radio = new QRadioButton(titles[row]);
        radio->setObjectName(names[row]);
        group->addButton(radio, static_cast<int>(row));
        colourRows->addWidget(radio);
        colorRadioButtons_[row] = radio;
    }
    connect(group, &QButtonGroup::idClicked, this,
            [this](int row) { forward([this, row] { shell_.setColorRow(static_cast<std::size_t>(row)); }); });
    column->addWidget(colours);
    column->addStretch(1);
    return tab;
}

template <typename Action>
void SettingsWindow::forward(Action&& action) {
    action();
    emit stateChanged();
}

void SettingsWindow::render() {
    const ColumnLayouts& layouts = shell_.layouts();
    renderPopup(*layoutsSettingsPopup_, layouts.settingsMenu());
    editLayoutButton_->setEnabled(layouts.canEditLayout());
    removeLayoutButton_->setEnabled(layouts.canRemoveLayout());
    const ColumnControls& controls = layouts.controls();
    for (std::size_t index = 0; index < columnCheckboxes_.size(); ++index) {
        columnCheckboxes_[index]->setChecked(controls.checked[index]);
        columnCheckboxes_[index]->setEnabled(controls.enabled[index]);
    }
    {
        const QSignalBlocker blocker(thumbnailWidthPopup_);
        const QString width = QString::fromStdString(controls.thumbnailWidthText);
        const int offered = thumbnailWidthPopup_->findText(width);
        if (offered >= 0) thumbnailWidthPopup_->setCurrentIndex(offered);
        thumbnailWidthPopup_->setEditText(width);
        thumbnailWidthPopup_->setEnabled(controls.thumbnailWidthEnabled);
        thumbnailWidthProblem_->setText(QString::fromStdString(controls.thumbnailWidthProblem));
        thumbnailWidthProblem_->setVisible(!controls.thumbnailWidthProblem.empty());
    }

    const TimeDisplayControls& time = shell_.timeDisplay();
    for (std::size_t format = 0; format < kTimeFormatCount; ++format) {
        sequenceCheckboxes_[format]->setChecked(time.sequence[format]);
        sourceCheckboxes_[format]->setChecked(time.source[format]);
        setTextKeepingCursor(*offsetFields_[format], QString::fromStdString(time.offsetTexts[format]));
    }
    colorRadioButtons_[time.colorRow == 0 ? 0 : 1]->setChecked(true);

    {
        const QSignalBlocker blocker(settingsTabs_);
        settingsTabs_->setCurrentIndex(static_cast<int>(shell_.settingsTab()));
    }
    if (shell_.settingsWindowVisible() != isVisible()) setVisible(shell_.settingsWindowVisible());
    renderNameSheet();
}

void SettingsWindow::renderNameSheet() {
    const LayoutNameSheet& sheet = shell_.layouts().nameSheet();
    if (sheet.open && !layoutNameDialog_->isVisible()) {
        layoutNameDialog_->present(QString::fromStdString(sheet.fieldText));
    } else if (!sheet.open && layoutNameDialog_->isVisible()) {
        const QSignalBlocker blocker(layoutNameDialog_);
        layoutNameDialog_->hide();
    }
}

void SettingsWindow::present() {
    shell_.showLayoutsPref();
    render();
    raise();
    activateWindow();
    emit stateChanged();
}

void SettingsWindow::closeEvent(QCloseEvent* event) {
    shell_.closeSettingsWindow();
    QWidget::closeEvent(event);
}

void SettingsWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) forward([this] { shell_.windowActivated(); });
    QWidget::changeEvent(event);
}

}  // namespace tallyvane
