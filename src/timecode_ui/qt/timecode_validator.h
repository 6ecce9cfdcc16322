#pragma once
// The partial-text check of a timecode text field, as a Qt validator.

#include <memory>

#include <QValidator>

#include "timecode_ui/timecode_text_formatter.h"

namespace tallyvane {

class TimecodeValidator : public QValidator {
    Q_OBJECT
public:
    // The validator keeps the formatter it is given, not a copy, so a subclass's checks
    // and texts are the ones used. Not null.
    TimecodeValidator(std::shared_ptr<const TimecodeTextFormatter> formatter, QObject* parent);

    const TimecodeTextFormatter& formatter() const { return *formatter_; }
    void setFormatter(std::shared_ptr<const TimecodeTextFormatter> formatter) { formatter_ = std::move(formatter); }

    // Refused edits are Invalid; a corrected text replaces the input in place.
    State validate(QString& input, int& position) const override;

private:
    std::shared_ptr<const TimecodeTextFormatter> formatter_;
};

}  // namespace tallyvane
