#pragma once
// A timecode value: six components and the properties they are read at. It is built
// and changed only by applying a source value (timecode_sources.h).

#include <cstdint>
#include <string>
#include <string_view>

#include "timecode/feet_and_frames.h"
#include "timecode/fraction.h"
#include "timecode/frame_count.h"
#include "timecode/media_time.h"
#include "timecode/subframes_base.h"
#include "timecode/timecode_components.h"
#include "timecode/timecode_frame_rate.h"
#include "timecode/timecode_string_format.h"
#include "timecode/timecode_validation.h"

namespace tallyvane {

class TimecodeSourceValue;
class FormattedTimecodeSourceValue;
class RichTimecodeSourceValue;
class GuaranteedTimecodeSourceValue;
class GuaranteedRichTimecodeSourceValue;

class Timecode {
public:
    using Component = TimecodeComponent;
    using Components = TimecodeComponents;
    using ComponentRanges = TimecodeComponentRanges;
    using Properties = TimecodeProperties;
    using SubFramesBase = TimecodeSubFramesBase;
    using UpperLimit = TimecodeUpperLimit;
    using ValidationRule = TimecodeValidationRule;
    using ValidationError = TimecodeValidationError;
    using StringParseError = TimecodeStringParseError;
    using FrameCount = TimecodeFrameCount;
    using StringFormat = TimecodeStringFormat;
    using StringFormatOption = TimecodeStringFormatOption;

    // Exact construction: throws TimecodeValidationError (outOfBounds) when the source
    // gives invalid or out-of-range values; a text source may also throw
    // TimecodeStringParseError.
    Timecode(const TimecodeSourceValue& source, const Properties& properties);
    Timecode(const FormattedTimecodeSourceValue& source, const Properties& properties);
    Timecode(const GuaranteedTimecodeSourceValue& source, const Properties& properties);
    // Under a rule: never fails on range (a text source still throws when it does not parse).
    Timecode(const TimecodeSourceValue& source, const Properties& properties, ValidationRule rule);
    Timecode(const FormattedTimecodeSourceValue& source, const Properties& properties, ValidationRule rule);
    // Rich sources bring their own properties.
    explicit Timecode(const RichTimecodeSourceValue& source);
    Timecode(const RichTimecodeSourceValue& source, ValidationRule rule);
    explicit Timecode(const GuaranteedRichTimecodeSourceValue& source);

    // A set that fails leaves the timecode exactly as it was.
    void set(const TimecodeSourceValue& source);
    void set(const FormattedTimecodeSourceValue& source);
    void set(const RichTimecodeSourceValue& source);
    void set(const GuaranteedTimecodeSourceValue& source);
    void set(const GuaranteedRichTimecodeSourceValue& source);
    void set(const TimecodeSourceValue& source, ValidationRule rule);
    void set(const FormattedTimecodeSourceValue& source, ValidationRule rule);
    void set(const RichTimecodeSourceValue& source, ValidationRule rule);
    template <typename Source>
    Timecode setting(const Source& source) const {
        Timecode copy = *this;
        copy.set(source);
        return copy;
    }
    template <typename Source>
    Timecode setting(const Source& source, ValidationRule rule) const {
        Timecode copy = *this;
        copy.set(source, rule);
        return copy;
    }

    Components components;
    Properties properties;

    // Validity at the timecode's own properties.
    TimecodeComponentSet invalidComponents() const { return components.invalidComponents(properties); }
    bool isValid() const { return invalidComponents().empty(); }
    ClosedRange validRange(Component component) const { return components.validRange(component, properties); }
    bool hasValidDigitCounts() const {
        return components.hasValidDigitCounts(properties.frameRate, properties.subFramesBase);
    }
    void clampComponents() { components.clamp(properties); }
    int maxSubFrameNumberDisplayable() const { return properties.subFramesBase.maxSubFrameNumberDisplayable(); }
    std::int64_t maxSubFrameCountExpressible() const;

    // Frame counts and conversions.
    FrameCount frameCount() const { return {components, properties.frameRate, properties.subFramesBase}; }
    FrameCount maxFrameCountExpressible() const;
    double realTimeValue() const;
    // Exact media time; an invalid time when the terms exceed their ranges.
    MediaTime mediaTimeValue() const;
    FeetAndFrames feetAndFramesValue() const;
    // The rational time, reduced. Throws FractionError when it exceeds 64-bit terms.
    Fraction rationalValue() const;
    double samplesDoubleValue(std::int64_t sampleRate) const { return realTimeValue() * static_cast<double>(sampleRate); }
    // Rounded half away from zero; 0 when not a number or beyond 64 bits.
    std::int64_t samplesValue(std::int64_t sampleRate) const;

    // Text.
    std::string stringValue(StringFormat format = {}) const;
    // The text with subframes shown.
    std::string description() const { return stringValue(StringFormat::showSubFramesSet()); }
    // The text with subframes, " @ " and the verbose rate: "01:00:00;00.00 @ 29.97 fps drop".
    std::string verboseDescription() const;
    // Components of a timecode text, unchecked; throws TimecodeStringParseError.
    static Components parseComponents(std::string_view text);
};

}  // namespace tallyvane
