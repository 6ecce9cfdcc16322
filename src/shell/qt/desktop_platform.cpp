#include "shell/qt/desktop_platform.h"

#include <memory>

#include <QApplication>
#include <QEventLoop>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

#include "shell/qt/open_panel.h"
#include "shell/qt/path_text.h"

namespace tallyvane {

namespace {

// Alert texts carry file names, paths and library messages, which Qt would render as markup
// whenever they look like it.
QMessageBox* makeAlert(QWidget* parent, const std::string& messageText, const std::string& informativeText) {
    auto* alert = new QMessageBox(QMessageBox::Information, QApplication::applicationDisplayName(), QString(),
                                  QMessageBox::Ok, parent);
    alert->setTextFormat(Qt::PlainText);
    alert->setText(QString::fromStdString(messageText));
    alert->setInformativeText(QString::fromStdString(informativeText));
    // The informative text's label does not follow the box's text format.
    for (QLabel* label : alert->findChildren<QLabel*>()) label->setTextFormat(Qt::PlainText);
    return alert;
}

}  // namespace

void DesktopPlatform::showAlert(const std::string& messageText, const std::string& informativeText) {
    QMessageBox* alert = makeAlert(mainWindow_, messageText, informativeText);
    alert->setAttribute(Qt::WA_DeleteOnClose);
    if (mainWindow_) {
        // A sheet on the main window: the caller goes on at once.
        alert->setWindowModality(Qt::WindowModal);
        alert->open();
    } else {
        alert->exec();
    }
}

std::optional<std::filesystem::path> DesktopPlatform::askSavePath(const std::string& suggestedName,
                                                                  std::string_view extension) {
    const QString suffix = QString::fromUtf8(extension.data(), static_cast<qsizetype>(extension.size()));
    QFileDialog panel(mainWindow_, QFileDialog::tr("Save Report"));
    panel.setAcceptMode(QFileDialog::AcceptSave);
    panel.setFileMode(QFileDialog::AnyFile);
    panel.setNameFilter(QFileDialog::tr("Excel Workbook (*.%1)").arg(suffix));
    panel.setDefaultSuffix(suffix);
    // The title names a timeline, which may hold a "/"; proposed as it is, it would name a
    // file in a folder that is not there, and the report could not be put in its place.
    QString proposed = QString::fromStdString(suggestedName);
    proposed.replace('/', '_').replace(QChar(u'\0'), '_');
    panel.selectFile(proposed + "." + suffix);
    if (panel.exec() != QDialog::Accepted || panel.selectedFiles().isEmpty()) return std::nullopt;
    QString chosen = panel.selectedFiles().front();
    if (!chosen.endsWith("." + suffix)) chosen += "." + suffix;
    return toPath(chosen);
}

void DesktopPlatform::openFile(const std::filesystem::path& file, std::function<void(bool)> answered) {
    open(file.string(), std::move(answered));
}

// The status line names the folder too, so a file manager that cannot be started costs nothing.
void DesktopPlatform::revealFolder(const std::filesystem::path& folder) { open(folder.string(), [](bool) {}); }

void DesktopPlatform::open(const std::string& target, std::function<void(bool)> answered) {
    opener_.open(target, [this, alive = std::weak_ptr<bool>(alive_), answered = std::move(answered)](bool opened) {
        answered(opened);
        if (!alive.expired() && answerHandler_) answerHandler_();
    });
}

void DesktopPlatform::setBusy(bool busy) {
    if (busyHandler_) busyHandler_(busy);
    tick();
}

ProgressReading DesktopPlatform::progress() const { return progressReader_ ? progressReader_() : ProgressReading{}; }

void DesktopPlatform::tick() { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }

std::optional<std::filesystem::path> DesktopPlatform::askOpenPath(const std::vector<std::string>& extensions) {
    OpenPanel panel(mainWindow_, extensions);
    panel.exec();
    return panel.chosenPath();
}

void DesktopPlatform::openUrl(const std::string& url, std::function<void(bool)> answered) {
    if (!QUrl(QString::fromStdString(url), QUrl::StrictMode).isValid()) {
        answered(false);
        return;
    }
    open(url, std::move(answered));
}

bool DesktopPlatform::askAlertAction(const std::string& messageText, const std::string& informativeText,
                                     const std::string& actionTitle) {
    const std::unique_ptr<QMessageBox> alert(makeAlert(mainWindow_, messageText, informativeText));
    QPushButton* action = alert->addButton(QString::fromStdString(actionTitle), QMessageBox::ActionRole);
    alert->exec();
    return alert->clickedButton() == action;
}

}  // namespace tallyvane
