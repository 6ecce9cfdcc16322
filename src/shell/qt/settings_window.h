#pragma once
// The settings window: the column layouts tab (the layout menu with Add, Rename and Remove,
// the 27 column check boxes and the thumbnail width) and the time display tab (the time
// formats of timeline and source times, an offset per timeline format, and the text colour).
// It renders the controller's state and forwards every change to it.

#include <array>

#include <QWidget>

#include "shell/column_switches.h"
#include "shell/shell_controller.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace tallyvane {

class LayoutNameDialog;

class SettingsWindow : public QWidget {
    Q_OBJECT
public:
    // A window of its own that belongs to `parent`, so that it never keeps the program open.
    SettingsWindow(ShellController& shell, QWidget* parent);

    void render();
    // In front, on the column layouts tab.
    void present();

signals:
    void stateChanged();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QWidget* buildLayoutsTab();
    QWidget* buildTimeDisplayTab();
    void renderNameSheet();
    template <typename Action>
    void forward(Action&& action);

    ShellController& shell_;
    QTabWidget* settingsTabs_ = nullptr;
    QComboBox* layoutsSettingsPopup_ = nullptr;
    QPushButton* addLayoutButton_ = nullptr;
    QPushButton* editLayoutButton_ = nullptr;
    QPushButton* removeLayoutButton_ = nullptr;
    std::array<QCheckBox*, kColumnSwitchCount> columnCheckboxes_{};
    QComboBox* thumbnailWidthPopup_ = nullptr;
    QLabel* thumbnailWidthProblem_ = nullptr;
    std::array<QCheckBox*, kTimeFormatCount> sequenceCheckboxes_{};
    std::array<QCheckBox*, kTimeFormatCount> sourceCheckboxes_{};
    std::array<QLineEdit*, kTimeFormatCount> offsetFields_{};
    std::array<QRadioButton*, 2> colorRadioButtons_{};
    LayoutNameDialog* layoutNameDialog_ = nullptr;
};

}  // namespace tallyvane
