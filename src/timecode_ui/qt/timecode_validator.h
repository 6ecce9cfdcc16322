#pragma once
// The partial-text check of a timecode text field, as a Qt validator.

#include <QValidator>

#include "timecode_ui/timecode_text_formatter.h"

namespace tallyvane {

class TimecodeValidator : public QValidator {
    Q_OBJECT
public:
    TimecodeValidator(const TimecodeTextFormatter& formatter, QObject* parent);

    TimecodeTextFormatter& formatter() { return formatter_; }
    const TimecodeTextFormatter& formatter() const { return formatter_; }

    // Refused edits are Invalid; a corrected text replaces the input in place.
    State validate(QString& input, int& position) const override;

private:
    TimecodeTextFormatter formatter_;
};

}  // namespace tallyvane
