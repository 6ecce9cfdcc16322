#include "shell/qt/open_panel.h"

#include <QFileInfo>
#include <QStringList>

#include "shell/qt/path_text.h"

namespace tallyvane {

namespace {

QString nameFilter(const std::vector<std::string>& extensions) {
    QStringList patterns;
    for (const std::string& extension : extensions) patterns << "*." + QString::fromStdString(extension);
    return QFileDialog::tr("Final Cut Pro XML (%1)").arg(patterns.join(' '));
}

}  // namespace

bool isDocumentBundle(const QString& folder, const std::vector<std::string>& extensions) {
    const QFileInfo info(folder);
    if (!info.isDir()) return false;
    const QString suffix = info.suffix();
    for (const std::string& extension : extensions) {
        // Extensions compare exactly, as the open flow compares them.
        if (suffix == QString::fromStdString(extension)) return true;
    }
    return false;
}

OpenPanel::OpenPanel(QWidget* parent, const std::vector<std::string>& extensions)
    : QFileDialog(parent, tr("Open Project")), extensions_(extensions) {
    setFileMode(QFileDialog::ExistingFile);
    setAcceptMode(QFileDialog::AcceptOpen);
    setNameFilter(nameFilter(extensions_));
    // The desktop's own panel would hide the moment a bundle folder is entered.
    setOption(QFileDialog::DontUseNativeDialog, true);
    // Double-clicking a bundle enters it like any folder.
    connect(this, &QFileDialog::directoryEntered, this, [this](const QString& folder) { chooseBundle(folder); });
}

bool OpenPanel::chooseBundle(const QString& folder) {
    if (!isDocumentBundle(folder, extensions_)) return false;
    chosenBundle_ = folder;
    // The file panel's own accept would only show the folder's contents.
    QDialog::accept();
    return true;
}

void OpenPanel::accept() {
    const QStringList files = selectedFiles();
    if (files.size() == 1 && chooseBundle(files.front())) return;
    QFileDialog::accept();
}

std::optional<std::filesystem::path> OpenPanel::chosenPath() const {
    if (result() != QDialog::Accepted) return std::nullopt;
    if (!chosenBundle_.isEmpty()) return toPath(chosenBundle_);
    const QStringList files = selectedFiles();
    if (files.isEmpty()) return std::nullopt;
    return toPath(files.front());
}

}  // namespace tallyvane
