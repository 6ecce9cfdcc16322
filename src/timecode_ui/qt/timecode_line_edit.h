#pragma once
// A text field for timecode text: its validator corrects separators as they are typed
// and refuses what cannot become a timecode, finished text is laid out in the
// formatter's format, invalid components are coloured, and Escape gives up the edit.

#include <memory>
#include <type_traits>

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
    // The field keeps the formatter it is given, not a copy, so a subclass's text is the
    // one shown. Not null.
    void setFormatter(std::shared_ptr<const TimecodeTextFormatter> formatter);
    // Keeps a copy of `formatter`, made as the type it is passed as: a subclass object
    // passed through a reference to its base is sliced, so share it instead.
    template <typename Formatter>
        requires std::is_base_of_v<TimecodeTextFormatter, Formatter>
    void setFormatter(const Formatter& formatter) {
        setFormatter(std::make_shared<const Formatter>(formatter));
    }

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
