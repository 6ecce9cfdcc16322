#include "timecode_ui/timecode_environment.h"

namespace tallyvane {

TimecodeEnvironment& TimecodeEnvironment::timecodeFormat(Timecode::StringFormat format) {
    format_ = format;
    return *this;
}

TimecodeEnvironment& TimecodeEnvironment::timecodeSeparatorStyle(std::optional<ShapeStyle> style) {
    separatorStyle_.emplace(style);
    return *this;
}

TimecodeEnvironment& TimecodeEnvironment::timecodeSubFramesStyle(std::optional<ShapeStyle> style) {
    subFramesStyle_.emplace(style);
    return *this;
}

TimecodeEnvironment& TimecodeEnvironment::timecodeSubFramesStyle(std::optional<ShapeStyle> style, TextScale scale) {
    return timecodeSubFramesStyle(style).timecodeSubFramesStyle(scale);
}

TimecodeEnvironment& TimecodeEnvironment::timecodeSubFramesStyle(TextScale scale) {
    subFramesScale_ = scale;
    return *this;
}

TimecodeEnvironment& TimecodeEnvironment::timecodeValidationStyle(std::optional<ShapeStyle> style) {
    validationStyle_.emplace(style);
    return *this;
}

TimecodeEnvironment& TimecodeEnvironment::timecodePasted(std::optional<TimecodePasteAction> action) {
    pasted_.emplace(std::move(action));
    return *this;
}

TimecodeEnvironment& TimecodeEnvironment::timecodeFieldHighlightStyle(std::optional<ShapeStyle> style) {
    highlightStyle_.emplace(style);
    return *this;
}

TimecodeEnvironment& TimecodeEnvironment::timecodeFieldInputStyle(TimecodeField::InputStyle style) {
    inputStyle_ = style;
    return *this;
}

TimecodeEnvironment& TimecodeEnvironment::timecodeFieldInputWrapping(TimecodeField::InputWrapping wrapping) {
    inputWrapping_ = wrapping;
    return *this;
}

TimecodeEnvironment& TimecodeEnvironment::timecodeFieldPastePolicy(TimecodeField::PastePolicy policy) {
    pastePolicy_ = policy;
    return *this;
}

TimecodeEnvironment& TimecodeEnvironment::timecodeFieldValidationPolicy(TimecodeField::ValidationPolicy policy) {
    validationPolicy_ = policy;
    return *this;
}

TimecodeEnvironment& TimecodeEnvironment::timecodeFieldReturnAction(std::optional<TimecodeField::FieldAction> action) {
    returnAction_.emplace(action);
    return *this;
}

TimecodeEnvironment& TimecodeEnvironment::timecodeFieldEscapeAction(std::optional<TimecodeField::FieldAction> action) {
    escapeAction_.emplace(action);
    return *this;
}

TimecodeEnvironment& TimecodeEnvironment::timecodeFieldInputRejectionFeedback(
    std::optional<TimecodeField::InputRejectionFeedback> feedback) {
    rejectionFeedback_.emplace(std::move(feedback));
    return *this;
}

TimecodeEnvironmentValues TimecodeEnvironment::resolve(const TimecodeEnvironmentValues& inherited) const {
    TimecodeEnvironmentValues values = inherited;
    auto lay = [](auto& target, const auto& setting) {
        if (setting) target = *setting;
    };
    lay(values.timecodeFormat, format_);
    lay(values.timecodeSeparatorStyle, separatorStyle_);
    lay(values.timecodeSubFramesStyle.style, subFramesStyle_);
    lay(values.timecodeSubFramesStyle.scale, subFramesScale_);
    lay(values.timecodeValidationStyle, validationStyle_);
    lay(values.timecodePasted, pasted_);
    lay(values.timecodeFieldHighlightStyle, highlightStyle_);
    lay(values.timecodeFieldInputStyle, inputStyle_);
    lay(values.timecodeFieldInputWrapping, inputWrapping_);
    lay(values.timecodeFieldPastePolicy, pastePolicy_);
    lay(values.timecodeFieldValidationPolicy, validationPolicy_);
    lay(values.timecodeFieldReturnAction, returnAction_);
    lay(values.timecodeFieldEscapeAction, escapeAction_);
    lay(values.timecodeFieldInputRejectionFeedback, rejectionFeedback_);
    return values;
}

}  // namespace tallyvane
