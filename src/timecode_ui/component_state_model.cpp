#include "timecode_ui/component_state_model.h"

#include "timecode/text_utilities.h"

namespace tallyvane {

namespace {

using KeyResult = TimecodeField::KeyResult;
using Result = KeyResult::Result;
using Focus = KeyResult::FocusResult;
using Reason = KeyResult::Reason;

bool isOneOf(KeyEquivalent key, std::initializer_list<KeyEquivalent> keys) {
    for (KeyEquivalent k : keys) {
        if (k == key) return true;
    }
    return false;
}

std::string lastCharacters(const std::string& text, std::size_t count) {
    return text.size() <= count ? text : text.substr(text.size() - count);
}

}  // namespace

void ComponentStateModel::setVirgin(bool virgin) {
    isVirgin_ = virgin;
    if (virgin) textInput_.clear();
}

void ComponentStateModel::clear() {
    value_ = 0;
    textInput_.clear();
}

ClosedRange ComponentStateModel::validRange() const {
    return Timecode::Components::zero().validRange(component_, properties_);
}

int ComponentStateModel::digitCount() const {
    return component_.numberOfDigits(properties_.frameRate, properties_.subFramesBase);
}

std::string ComponentStateModel::displayText() const {
    const bool negative = value_ < 0;
    std::string digits = std::to_string(value_);
    if (negative) digits.erase(0, 1);
    const auto width = static_cast<std::size_t>(digitCount() - (negative ? 1 : 0));
    if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
    if (negative) digits.insert(digits.begin(), '-');
    return digits;
}

KeyResult ComponentStateModel::handleKeyPress(KeyEquivalent key, TimecodeField::InputStyle inputStyle,
                                              TimecodeField::ValidationPolicy validationPolicy) {
    if (key.isDigit()) return enterDigit(key, inputStyle, validationPolicy);
    if (isOneOf(key, {KeyEquivalent('+'), KeyEquivalent::upArrow()})) {
        step(+1);
        return {Result::handled, std::nullopt, std::nullopt};
    }
    if (isOneOf(key, {KeyEquivalent('-'), KeyEquivalent::downArrow()})) {
        step(-1);
        return {Result::handled, std::nullopt, std::nullopt};
    }
    if (isOneOf(key, {KeyEquivalent::deleteBackward(), KeyEquivalent::deleteCharacter()})) return deleteBackward();
    if (isOneOf(key, {KeyEquivalent::deleteForward(), KeyEquivalent::clear()})) {
        clear();
        setVirgin(false);
        return {Result::handled, std::nullopt, std::nullopt};
    }
    if (key == KeyEquivalent::leftArrow()) return {Result::handled, Focus::focusPreviousComponent, std::nullopt};
    if (isOneOf(key, {KeyEquivalent('.'), KeyEquivalent(':'), KeyEquivalent(';'), KeyEquivalent(','),
                      KeyEquivalent::rightArrow()})) {
        return {Result::handled, Focus::focusNextComponent, std::nullopt};
    }
    if (key == KeyEquivalent::escape()) return {Result::performEscapeAction, std::nullopt, std::nullopt};
    if (isOneOf(key, {KeyEquivalent::returnKey(), KeyEquivalent::enter()})) {
        return {Result::performReturnAction, std::nullopt, std::nullopt};
    }
    // Tab belongs to the focus chain of the window: passing it on is not a rejection.
    if (isOneOf(key, {KeyEquivalent::tab(), KeyEquivalent::backTab()})) {
        return {Result::ignored, std::nullopt, std::nullopt};
    }
    return {Result::ignored, std::nullopt, Reason::undefinedKey};
}

void ComponentStateModel::step(int direction) {
    const ClosedRange range = validRange();
    // Compared before adding, so a value at either end of the 64-bit range cannot overflow.
    if (direction > 0) {
        value_ = value_ >= range.lower - 1 && value_ < range.upper ? value_ + 1 : range.lower;
    } else {
        value_ = value_ > range.lower && value_ <= range.upper + 1 ? value_ - 1 : range.upper;
    }
    setVirgin(true);
}

KeyResult ComponentStateModel::deleteBackward() {
    const bool wasZero = value_ == 0;
    if (isVirgin_) {
        clear();
        setVirgin(false);
    } else {
        if (!textInput_.empty()) textInput_.pop_back();
        value_ = parseInt64(textInput_).value_or(0);
    }
    return {Result::handled, wasZero ? std::optional(Focus::focusPreviousComponent) : std::nullopt, std::nullopt};
}

KeyResult ComponentStateModel::enterDigit(KeyEquivalent digit, TimecodeField::InputStyle inputStyle,
                                          TimecodeField::ValidationPolicy validationPolicy) {
    const char d = static_cast<char>(digit.character);
    const auto width = static_cast<std::size_t>(digitCount());
    const ClosedRange range = validRange();
    const bool enforce = validationPolicy == TimecodeField::ValidationPolicy::enforceValid;

    const std::string candidateText = isVirgin_ ? std::string(1, d) : std::to_string(value_) + d;
    std::optional<std::int64_t> candidate = parseInt64(candidateText);
    if (!candidate) {
        setVirgin(false);
        return {Result::ignored, std::nullopt, std::nullopt};
    }
    const std::string typed = textInput_ + d;
    const KeyResult rejected{Result::handled, std::nullopt, Reason::invalid};

    switch (inputStyle) {
        case TimecodeField::InputStyle::autoAdvance: {
            if (enforce && !range.contains(*candidate)) {
                setVirgin(false);
                return rejected;
            }
            setVirgin(false);
            // A digit beyond the field's width only moves on.
            if (typed.size() > width) return {Result::handled, Focus::focusNextComponent, std::nullopt};
            value_ = *candidate;
            textInput_ = typed;
            return {Result::handled, typed.size() == width ? std::optional(Focus::focusNextComponent) : std::nullopt,
                    std::nullopt};
        }
        case TimecodeField::InputStyle::continuousWithinComponent: {
            if (decimalDigitCount(*candidate) > static_cast<int>(width)) {
                candidate = parseInt64(lastCharacters(std::to_string(*candidate), width));
                if (!candidate) {
                    setVirgin(false);
                    return {Result::handled, std::nullopt, std::nullopt};
                }
            }
            setVirgin(false);
            if (enforce && !range.contains(*candidate)) return rejected;
            value_ = *candidate;
            textInput_ = lastCharacters(typed, width);
            return {Result::handled, std::nullopt, std::nullopt};
        }
        case TimecodeField::InputStyle::unbounded: {
            setVirgin(false);
            if (enforce && !range.contains(*candidate)) return rejected;
            value_ = *candidate;
            textInput_ = typed;
            return {Result::handled, std::nullopt, std::nullopt};
        }
    }
    return {Result::ignored, std::nullopt, std::nullopt};
}

}  // namespace tallyvane
