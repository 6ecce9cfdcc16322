#include "timecode_ui/qt/timecode_line_edit.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>

#include "timecode_ui/qt/qt_styles.h"

namespace tallyvane {

TimecodeLineEdit::TimecodeLineEdit(QWidget* parent)
    : QLineEdit(parent),
      validator_(new TimecodeValidator(
          std::make_shared<const TimecodeTextFormatter>(std::nullopt, std::nullopt, false, std::nullopt), this)) {
    setValidator(validator_);
    connect(this, &QLineEdit::editingFinished, this, &TimecodeLineEdit::finishEditing);
    connect(this, &QLineEdit::textChanged, this, &TimecodeLineEdit::applyValidationFormats);
}

void TimecodeLineEdit::setFormatter(std::shared_ptr<const TimecodeTextFormatter> formatter) {
    validator_->setFormatter(std::move(formatter));
    setAlignment(toQtAlignment(this->formatter().alignment));
    finishEditing();
}

QList<QTextLayout::FormatRange> TimecodeLineEdit::validationFormats() const {
    if (!formatter().showsValidation) return {};
    const auto styled = formatter().attributedString(text().toStdString(), std::nullopt);
    // The runs cover the formatter's layout of the text; until the typed text is laid out
    // that way their positions would fall on other characters.
    if (!styled || styled->plainText() != text().toStdString()) return {};
    return toFormatRanges(*styled);
}

void TimecodeLineEdit::applyValidationFormats() {
    // A line edit styles parts of its text only through input-method formats, whose
    // positions count from the cursor.
    QList<QInputMethodEvent::Attribute> attributes;
    for (const auto& range : validationFormats()) {
        attributes.append({QInputMethodEvent::TextFormat, range.start - cursorPosition(), range.length, range.format});
    }
    QInputMethodEvent event(QString(), attributes);
    QCoreApplication::sendEvent(this, &event);
}

void TimecodeLineEdit::finishEditing() {
    const auto shown = formatter().string(text().toStdString());
    if (shown) setText(QString::fromStdString(*shown));
    textBeforeEditing_ = text();
    applyValidationFormats();
}

void TimecodeLineEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        // Give up the edit and keep editing here.
        setText(textBeforeEditing_);
        setFocus(Qt::OtherFocusReason);
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TimecodeLineEdit::focusInEvent(QFocusEvent* event) {
    textBeforeEditing_ = text();
    QLineEdit::focusInEvent(event);
}

}  // namespace tallyvane
