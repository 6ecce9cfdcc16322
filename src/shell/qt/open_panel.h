#pragma once
// The open panel for project documents. A `.fcpxmld` bundle is a folder on Linux; entering
// it in the panel chooses it as one document, as the desktop it comes from treats it.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <QFileDialog>
#include <QString>

namespace tallyvane {

// Whether a folder is a `.fcpxmld` document bundle (the extension compared exactly).
bool isDocumentBundle(const QString& folder);

class OpenPanel : public QFileDialog {
    Q_OBJECT
public:
    OpenPanel(QWidget* parent, const std::vector<std::string>& extensions);

    // The chosen file or bundle, once the panel was accepted.
    std::optional<std::filesystem::path> chosenPath() const;

    // Open with a bundle selected chooses it; with another folder it shows its contents.
    void accept() override;

private:
    // Whether `folder` is a bundle, which then is the choice and closes the panel.
    bool chooseBundle(const QString& folder);

    QString chosenBundle_;
};

}  // namespace tallyvane
