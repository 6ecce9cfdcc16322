#pragma once
// The entry state of one timecode component in a field, and the key table that edits it.

#include <cstdint>
#include <string>

#include "timecode_ui/field_policies.h"

namespace tallyvane {

class ComponentStateModel {
public:
    ComponentStateModel(Timecode::Component component, const Timecode::Properties& properties, std::int64_t value)
        : component_(component), properties_(properties), value_(value) {}

    Timecode::Component component() const { return component_; }
    const Timecode::Properties& timecodeProperties() const { return properties_; }
    void setTimecodeProperties(const Timecode::Properties& properties) { properties_ = properties; }
    std::int64_t value() const { return value_; }
    void setValue(std::int64_t value) { value_ = value; }
    // The digits typed since the component last started a new entry.
    const std::string& textInput() const { return textInput_; }
    // True when the next digit starts a new entry rather than extending this one.
    bool isVirgin() const { return isVirgin_; }
    // Starting a new entry forgets the digits typed so far.
    void setVirgin(bool virgin);

    // Edits the value for one key and says what the view should do next.
    TimecodeField::KeyResult handleKeyPress(KeyEquivalent key, TimecodeField::InputStyle inputStyle,
                                            TimecodeField::ValidationPolicy validationPolicy);

    // Value 0, no digits typed.
    void clear();
    // The component's valid range at the properties, with every other component 0.
    ClosedRange validRange() const;
    bool isValueValid() const { return validRange().contains(value_); }
    // Width of the component's field: 2, or 3 for frames at the fastest rates, or 1 for
    // quarter-frame subframes.
    int digitCount() const;
    // The value zero-filled to the field's width, the sign kept in front of the zeros.
    std::string displayText() const;

private:
    TimecodeField::KeyResult enterDigit(KeyEquivalent digit, TimecodeField::InputStyle inputStyle,
                                        TimecodeField::ValidationPolicy validationPolicy);
    TimecodeField::KeyResult deleteBackward();
    void step(int direction);

    Timecode::Component component_;
    Timecode::Properties properties_;
    std::int64_t value_;
    std::string textInput_;
    bool isVirgin_ = true;
};

}  // namespace tallyvane
