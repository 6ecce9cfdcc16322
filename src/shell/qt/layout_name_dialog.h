#pragma once
// The sheet that asks for a column layout's name, for Add and for Rename. It stays open
// only while the controller's name sheet is open.

#include <QDialog>

class QLineEdit;

namespace tallyvane {

class LayoutNameDialog : public QDialog {
    Q_OBJECT
public:
    explicit LayoutNameDialog(QWidget* parent);

    // Opens the sheet with the field's starting text; the caller goes on at once.
    void present(const QString& fieldText);
    QString typedName() const;

private:
    QLineEdit* nameField_ = nullptr;
};

}  // namespace tallyvane
