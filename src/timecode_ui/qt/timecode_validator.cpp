#include "timecode_ui/qt/timecode_validator.h"

namespace tallyvane {

TimecodeValidator::TimecodeValidator(std::shared_ptr<const TimecodeTextFormatter> formatter, QObject* parent)
    : QValidator(parent), formatter_(std::move(formatter)) {}

QValidator::State TimecodeValidator::validate(QString& input, int&) const {
    const auto check = formatter_->isPartialStringValid(input.toStdString());
    switch (check.verdict) {
        case TimecodeTextFormatter::PartialCheck::Verdict::refuse: return Invalid;
        // Corrections swap one separator for another, so the cursor stays where it is.
        case TimecodeTextFormatter::PartialCheck::Verdict::replace: input = QString::fromStdString(check.replacement); break;
        case TimecodeTextFormatter::PartialCheck::Verdict::accept: break;
    }
    return Acceptable;
}

}  // namespace tallyvane
