#include "timecode_ui/timecode_text_formatter.h"

#include <string_view>

#include "timecode/timecode_sources.h"

namespace tallyvane {

TimecodeTextFormatter::TimecodeTextFormatter(std::optional<Timecode::Properties> properties,
                                             std::optional<Timecode::StringFormat> stringFormat,
                                             bool showsValidation, std::optional<TextAttributes> invalidAttributes)
    : stringFormat(stringFormat.value_or(Timecode::defaultStringFormat())),
      showsValidation(showsValidation),
      invalidAttributes(invalidAttributes.value_or(TextAttributes{})) {
    if (properties) {
        frameRate = properties->frameRate;
        upperLimit = properties->upperLimit;
        subFramesBase = properties->subFramesBase;
    }
}

TimecodeTextFormatter::TimecodeTextFormatter(const Timecode& timecode,
                                             std::optional<Timecode::StringFormat> stringFormat,
                                             bool showsValidation, std::optional<TextAttributes> invalidAttributes)
    : TimecodeTextFormatter(timecode.properties, stringFormat, showsValidation, invalidAttributes) {}

std::optional<Timecode::Properties> TimecodeTextFormatter::properties() const {
    if (!frameRate || !upperLimit || !subFramesBase) return std::nullopt;
    return Timecode::Properties{*frameRate, *subFramesBase, *upperLimit};
}

std::optional<Timecode> TimecodeTextFormatter::timecode(const std::string& text) const {
    const auto props = properties();
    if (!props) return std::nullopt;
    try {
        return Timecode(TimecodeSourceValue::components(Timecode::parseComponents(text)), *props,
                        TimecodeValidationRule::allowingInvalid);
    } catch (const TimecodeStringParseError&) {
        return std::nullopt;
    }
}

std::optional<std::string> TimecodeTextFormatter::string(const std::optional<std::string>& value) const {
    if (!value) return std::nullopt;
    const auto parsed = timecode(*value);
    return parsed ? parsed->stringValue(stringFormat) : *value;
}

std::optional<AttributedText> TimecodeTextFormatter::attributedString(
    const std::optional<std::string>& value, const std::optional<TextAttributes>& defaultAttributes) const {
    const auto text = string(value);
    if (!text) return std::nullopt;
    const auto parsed = timecode(*text);
    if (!parsed) return plainAttributedString(*text, defaultAttributes);
    AttributedText result;
    if (showsValidation) {
        // The string format is kept, so the styled text shows the same value as the text.
        result = timecodeAttributedText(*parsed, stringFormat, defaultAttributes, std::nullopt, std::nullopt,
                                        invalidAttributes);
    } else {
        result.runs.push_back({*text, defaultAttributes.value_or(TextAttributes{})});
    }
    result.alignment = alignment;
    return result;
}

AttributedText TimecodeTextFormatter::plainAttributedString(
    const std::string& text, const std::optional<TextAttributes>& defaultAttributes) const {
    TextAttributes attributes = defaultAttributes.value_or(TextAttributes{});
    if (showsValidation) attributes = attributes.mergedWith(invalidAttributes);
    return AttributedText{{{text, attributes}}, alignment};
}

TimecodeTextFormatter::PartialCheck TimecodeTextFormatter::isPartialStringValid(const std::string& proposed) const {
    using Verdict = PartialCheck::Verdict;
    if (!frameRate || !upperLimit || proposed.empty()) return {};
    if (proposed.find_first_not_of("0123456789:;. ") != std::string::npos) {
        return {Verdict::refuse, {}, "Invalid characters."};
    }
    const PartialCheck refused{Verdict::refuse, {}, std::nullopt};

    int separators = 0;
    int fullStops = 0;
    bool spaceSeen = false;
    bool changed = false;
    std::string rebuilt;
    for (char ch : proposed) {
        if ((ch == '.' || ch == ';') && separators < 3) {
            ch = frameRate->isDrop() && separators == 2 ? ';' : ':';
            changed = true;
        } else if (ch == '.' && fullStops > 0) {
            return refused;
        }
        if (ch == ' ') {
            // The space parts days from hours: once, after the days' digits, before any
            // other separator, and only where a timecode may have days.
            if (*upperLimit == Timecode::UpperLimit::max24Hours || spaceSeen || separators > 0 || fullStops > 0 ||
                rebuilt.empty()) {
                return refused;
            }
            spaceSeen = true;
        }
        if ((ch == ':' || ch == ';') && ++separators >= 4) return refused;
        if (ch == '.' && (++fullStops >= 2 || !stringFormat.showsSubFrames())) return refused;
        rebuilt += ch;
    }
    if (changed) return {Verdict::replace, rebuilt, std::nullopt};
    return {};
}

}  // namespace tallyvane
