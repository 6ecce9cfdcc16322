#pragma once
// The settings of the timecode views. A value set on a scope reaches every timecode
// view beneath it until an inner scope sets it again; a value set nowhere has its
// default.

#include <optional>

#include "timecode_ui/field_policies.h"
#include "timecode_ui/shape_style.h"

namespace tallyvane {

struct TimecodeSubFramesStyle {
    std::optional<ShapeStyle> style;
    TextScale scale = TextScale::standard;
};

// Every value resolved, starting at its default.
struct TimecodeEnvironmentValues {
    // Display.
    Timecode::StringFormat timecodeFormat;
    std::optional<ShapeStyle> timecodeSeparatorStyle;
    TimecodeSubFramesStyle timecodeSubFramesStyle;
    std::optional<ShapeStyle> timecodeValidationStyle = ShapeStyle::red();
    std::optional<TimecodePasteAction> timecodePasted;

    // Entry fields.
    std::optional<ShapeStyle> timecodeFieldHighlightStyle = ShapeStyle::tint();
    TimecodeField::InputStyle timecodeFieldInputStyle = TimecodeField::InputStyle::continuousWithinComponent;
    TimecodeField::InputWrapping timecodeFieldInputWrapping = TimecodeField::InputWrapping::noWrap;
    TimecodeField::PastePolicy timecodeFieldPastePolicy = TimecodeField::PastePolicy::preserveLocalProperties;
    TimecodeField::ValidationPolicy timecodeFieldValidationPolicy = TimecodeField::ValidationPolicy::enforceValid;
    std::optional<TimecodeField::FieldAction> timecodeFieldReturnAction;
    std::optional<TimecodeField::FieldAction> timecodeFieldEscapeAction;
    std::optional<TimecodeField::InputRejectionFeedback> timecodeFieldInputRejectionFeedback =
        TimecodeField::InputRejectionFeedback::validationBased(TimecodeField::RejectionAnimation::pulse);
};

// The values one scope sets. Each setter returns the scope, so settings chain; the
// setters without an argument set an absent style.
class TimecodeEnvironment {
public:
    TimecodeEnvironment& timecodeFormat(Timecode::StringFormat format);
    TimecodeEnvironment& timecodeSeparatorStyle(std::optional<ShapeStyle> style);
    TimecodeEnvironment& timecodeSeparatorStyle() { return timecodeSeparatorStyle(std::nullopt); }
    // Sets the style half of the subframes style only.
    TimecodeEnvironment& timecodeSubFramesStyle(std::optional<ShapeStyle> style);
    TimecodeEnvironment& timecodeSubFramesStyle() { return timecodeSubFramesStyle(std::nullopt); }
    TimecodeEnvironment& timecodeSubFramesStyle(std::optional<ShapeStyle> style, TextScale scale);
    // Sets the scale half of the subframes style only.
    TimecodeEnvironment& timecodeSubFramesStyle(TextScale scale);
    TimecodeEnvironment& timecodeValidationStyle(std::optional<ShapeStyle> style);
    TimecodeEnvironment& timecodeValidationStyle() { return timecodeValidationStyle(std::nullopt); }
    TimecodeEnvironment& timecodePasted(std::optional<TimecodePasteAction> action);

    TimecodeEnvironment& timecodeFieldHighlightStyle(std::optional<ShapeStyle> style);
    TimecodeEnvironment& timecodeFieldHighlightStyle() { return timecodeFieldHighlightStyle(std::nullopt); }
    TimecodeEnvironment& timecodeFieldInputStyle(TimecodeField::InputStyle style);
    TimecodeEnvironment& timecodeFieldInputWrapping(TimecodeField::InputWrapping wrapping);
    TimecodeEnvironment& timecodeFieldPastePolicy(TimecodeField::PastePolicy policy);
    TimecodeEnvironment& timecodeFieldValidationPolicy(TimecodeField::ValidationPolicy policy);
    TimecodeEnvironment& timecodeFieldReturnAction(std::optional<TimecodeField::FieldAction> action);
    TimecodeEnvironment& timecodeFieldEscapeAction(std::optional<TimecodeField::FieldAction> action);
    TimecodeEnvironment& timecodeFieldInputRejectionFeedback(
        std::optional<TimecodeField::InputRejectionFeedback> feedback);

    // The inherited values with this scope's settings laid over them.
    TimecodeEnvironmentValues resolve(const TimecodeEnvironmentValues& inherited) const;

private:
    // An outer optional that is set means "this scope sets the value", even to absent.
    std::optional<Timecode::StringFormat> format_;
    std::optional<std::optional<ShapeStyle>> separatorStyle_;
    std::optional<std::optional<ShapeStyle>> subFramesStyle_;
    std::optional<TextScale> subFramesScale_;
    std::optional<std::optional<ShapeStyle>> validationStyle_;
    std::optional<std::optional<TimecodePasteAction>> pasted_;
    std::optional<std::optional<ShapeStyle>> highlightStyle_;
    std::optional<TimecodeField::InputStyle> inputStyle_;
    std::optional<TimecodeField::InputWrapping> inputWrapping_;
    std::optional<TimecodeField::PastePolicy> pastePolicy_;
    std::optional<TimecodeField::ValidationPolicy> validationPolicy_;
    std::optional<std::optional<TimecodeField::FieldAction>> returnAction_;
    std::optional<std::optional<TimecodeField::FieldAction>> escapeAction_;
    std::optional<std::optional<TimecodeField::InputRejectionFeedback>> rejectionFeedback_;
};

}  // namespace tallyvane
