#include "shell/qt/layout_name_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

namespace tallyvane {

LayoutNameDialog::LayoutNameDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("layoutNameWindow");
    setWindowTitle(tr("Layout Name"));
    setWindowModality(Qt::WindowModal);
    nameField_ = new QLineEdit;
    nameField_->setObjectName("layoutNameField");
    // Room for a name of 30 characters of ordinary words in wide letters, measured as the field
    // draws it, with the field's frame and margins; the dialog is then wide enough for its
    // title too.
    const int text = nameField_->fontMetrics().horizontalAdvance(QStringLiteral("MOMENTUM MOVIE WOMEN WORKSHOPS"));
    const int frame = 2 * nameField_->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, nameField_);
    const QMargins margins = nameField_->textMargins() + nameField_->contentsMargins();
    // The field keeps two pixels each side between frame and text, and the cursor needs one.
    nameField_->setMinimumWidth(text + frame + margins.left() + margins.right() + 2 * 2 + 1);
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
