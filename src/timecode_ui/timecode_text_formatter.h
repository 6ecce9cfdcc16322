#pragma once
// The decisions of a timecode text field: how its text is shown once typed, how it is
// styled, and which partial edits are let through, changed or refused. The field's
// value is always the text itself.

#include <optional>
#include <string>

#include "timecode_ui/timecode_text_layout.h"

namespace tallyvane {

class TimecodeTextFormatter {
public:
    // A formatter knows how to read its text only once it has properties.
    TimecodeTextFormatter() = delete;
    TimecodeTextFormatter(std::optional<Timecode::Properties> properties,
                          std::optional<Timecode::StringFormat> stringFormat, bool showsValidation,
                          std::optional<TextAttributes> invalidAttributes);
    TimecodeTextFormatter(const Timecode& timecode, std::optional<Timecode::StringFormat> stringFormat,
                          bool showsValidation, std::optional<TextAttributes> invalidAttributes);
    virtual ~TimecodeTextFormatter() = default;
    TimecodeTextFormatter(const TimecodeTextFormatter&) = default;
    TimecodeTextFormatter& operator=(const TimecodeTextFormatter&) = default;

    std::optional<TimecodeFrameRate> frameRate;
    std::optional<Timecode::UpperLimit> upperLimit;
    std::optional<Timecode::SubFramesBase> subFramesBase;
    Timecode::StringFormat stringFormat;
    TextAlignment alignment = TextAlignment::natural;
    bool showsValidation = false;
    TextAttributes invalidAttributes;

    // Absent unless all three properties are set.
    std::optional<Timecode::Properties> properties() const;
    void inheritProperties(const TimecodeTextFormatter& other) { *this = other; }

    // The text shown for a value: a timecode text laid out in the string format, any
    // other text unchanged; absent for a value that is not text.
    virtual std::optional<std::string> string(const std::optional<std::string>& value) const;

    // The styled text shown for a value; absent when string() is.
    std::optional<AttributedText> attributedString(const std::optional<std::string>& value,
                                                   const std::optional<TextAttributes>& defaultAttributes) const;

    struct PartialCheck {
        enum class Verdict : std::uint8_t { accept, refuse, replace };
        Verdict verdict = Verdict::accept;
        // The text to show instead, for replace.
        std::string replacement;
        // Set for text with characters no timecode has.
        std::optional<std::string> errorDescription;

        friend bool operator==(const PartialCheck&, const PartialCheck&) = default;
    };
    // Judges the text an edit would leave: full stops and semicolons typed where a
    // separator belongs are turned into the right separator, and texts that cannot
    // become a timecode are refused.
    PartialCheck isPartialStringValid(const std::string& proposed) const;

private:
    std::optional<Timecode> timecode(const std::string& text) const;
    AttributedText plainAttributedString(const std::string& text,
                                         const std::optional<TextAttributes>& defaultAttributes) const;
};

}  // namespace tallyvane
