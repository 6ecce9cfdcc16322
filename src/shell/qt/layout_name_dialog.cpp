#include "shell/qt/layout_name_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

namespace tallyvane {

LayoutNameDialog::LayoutNameDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("layoutNameWindow");
    setWindowTitle(tr("Layout Name"));
    setWindowModality(Qt::WindowModal);
    nameField_ = new QLineEdit;
    nameField_->setObjectName("layoutNameField");
    // Room for a name of 30 characters; the dialog is then wide enough for its title too.
    nameField_->setMinimumWidth(nameField_->fontMetrics().averageCharWidth() * 32);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("layoutOKButton");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("layoutCancelButton");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* form = new QFormLayout(this);
    form->addRow(tr("&Name:"), nameField_);
    form->addRow(buttons);
}

void LayoutNameDialog::present(const QString& fieldText) {
    nameField_->setText(fieldText);
    nameField_->selectAll();
    nameField_->setFocus();
    open();
}

QString LayoutNameDialog::typedName() const { return nameField_->text(); }

}  // namespace tallyvane
