#pragma once
// A text field for timecode text: its validator corrects separators as they are typed
// and refuses what cannot become a timecode, finished text is laid out in the
// formatter's format, invalid components are coloured, and Escape gives up the edit.

#include <QLineEdit>
#include <QTextLayout>

#include "timecode_ui/qt/timecode_validator.h"

namespace tallyvane {

class TimecodeLineEdit : public QLineEdit {
    Q_OBJECT
public:
    // Until it is given properties, the field passes any text through unchanged.
    explicit TimecodeLineEdit(QWidget* parent = nullptr);

    const TimecodeTextFormatter& formatter() const { return validator_->formatter(); }
    void setFormatter(const TimecodeTextFormatter& formatter);

    // Where the current text is drawn in the invalid attributes.
    QList<QTextLayout::FormatRange> validationFormats() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void finishEditing();
    void applyValidationFormats();

    TimecodeValidator* validator_;
    QString textBeforeEditing_;
};

}  // namespace tallyvane
