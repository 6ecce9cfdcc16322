#pragma once
// The main window: the opened project, its report menu and the Analyze command, the video
// and audio role tables with All and None, the column layout with its edit button, the six
// sheet switches, Save and the progress indicator; and the application's menus. It renders
// the controller's state and forwards every action to it.

#include <array>
#include <filesystem>
#include <functional>
#include <vector>

#include <QMainWindow>

#include "shell/shell_controller.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace tallyvane {

class DropRefusingView;
class RoleTableView;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(ShellController& shell, QWidget* parent = nullptr);

    void render();
    // The progress indicator: moving while a document is read or a report written.
    void showBusy(bool busy);
    ProgressReading progress() const;
    // The desktop's open-documents event (and `tallyvane FILE`): only the first is read.
    void openDocuments(const std::vector<std::filesystem::path>& files);

signals:
    // An action changed what the windows show.
    void stateChanged();
    void settingsRequested();
    void closing();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* buildReportRow();
    QWidget* buildRoleTables();
    QWidget* buildRoleTable(const QString& title, const QString& side, RoleTableView*& table, QPushButton*& all,
                            QPushButton*& none, const std::function<void(std::size_t)>& toggle,
                            const std::function<void(bool)>& setAll);
    QWidget* buildLayoutRow();
    QWidget* buildSheetSwitches();
    QWidget* buildSaveRow();
    void buildMenus();
    void arrangeTabOrder();
    // Runs an action of the controller, then lets both windows show its outcome.
    template <typename Action>
    void forward(Action&& action);

    ShellController& shell_;

    QPushButton* openFileButton_ = nullptr;
    QLabel* inputFileIcon_ = nullptr;
    QLabel* inputFileName_ = nullptr;
    QComboBox* reportPopup_ = nullptr;
    QPushButton* analyzeButton_ = nullptr;
    RoleTableView* videoTable_ = nullptr;
    RoleTableView* audioTable_ = nullptr;
    QPushButton* videoAllButton_ = nullptr;
    QPushButton* videoNoneButton_ = nullptr;
    QPushButton* audioAllButton_ = nullptr;
    QPushButton* audioNoneButton_ = nullptr;
    QComboBox* layoutsAppPopup_ = nullptr;
    QPushButton* layoutEditButton_ = nullptr;
    std::array<QCheckBox*, kExtraSheetKeys.size()> sheetSwitches_{};
    QPushButton* saveFileButton_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
    QLabel* savedMessage_ = nullptr;
    QAction* saveAction_ = nullptr;
    DropRefusingView* dropView_ = nullptr;
};

}  // namespace tallyvane
