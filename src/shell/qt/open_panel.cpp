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

bool isDocumentBundle(const QString& folder) {
    const QFileInfo info(folder);
    // Compared exactly, as the open flow compares it. A folder merely named like a `.fcpxml`
    // file is no document: it is browsed as any folder.
    return info.isDir() && info.suffix() == QLatin1String("fcpxmld");
}

OpenPanel::OpenPanel(QWidget* parent, const std::vector<std::string>& extensions)
    : QFileDialog(parent, tr("Open Project")) {
    setFileMode(QFileDialog::ExistingFile);
    setAcceptMode(QFileDialog::AcceptOpen);
    setNameFilter(nameFilter(extensions));
    // The desktop's own panel would hide the moment a bundle folder is entered.
    setOption(QFileDialog::DontUseNativeDialog, true);
    // Double-clicking a bundle enters it like any folder.
    connect(this, &QFileDialog::directoryEntered, this, [this](const QString& folder) { chooseBundle(folder); });
}

bool OpenPanel::chooseBundle(const QString& folder) {
    if (!isDocumentBundle(folder)) return false;
    chosenBundle_ = folder;
    // Entering the bundle made it the folder the next panel starts in; that is the folder
    // holding it, since a document is not browsed into.
    setDirectory(QFileInfo(folder).absolutePath());
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
