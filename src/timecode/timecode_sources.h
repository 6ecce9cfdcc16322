#pragma once
// Source values: every timecode is made by applying one of these to a timecode whose
// properties are already chosen. A wrapper owns one source (shared, immutable), so
// other subsystems can supply their own sources, such as timecodes read from media.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "timecode/timecode.h"

namespace tallyvane {

// Which part of a media item's time range a source read from media takes.
enum class RangeAttribute : std::uint8_t { start, end, duration };

// Sets components; `set` exactly (throws TimecodeValidationError::outOfBounds),
// `setByRule` under a validation rule (never fails on range).
class TimecodeSource {
public:
    virtual ~TimecodeSource() = default;
    virtual void set(Timecode& timecode) const = 0;
    virtual void setByRule(Timecode& timecode, TimecodeValidationRule rule) const = 0;
};

// A text: both requirements parse first and may throw TimecodeStringParseError.
class FormattedTimecodeSource {
public:
    virtual ~FormattedTimecodeSource() = default;
    virtual void set(Timecode& timecode) const = 0;
    virtual void setByRule(Timecode& timecode, TimecodeValidationRule rule) const = 0;
};

// Sets components and properties, and returns the properties.
class RichTimecodeSource {
public:
    virtual ~RichTimecodeSource() = default;
    virtual TimecodeProperties set(Timecode& timecode) const = 0;
    virtual TimecodeProperties setByRule(Timecode& timecode, TimecodeValidationRule rule) const = 0;
};

class GuaranteedTimecodeSource {
public:
    virtual ~GuaranteedTimecodeSource() = default;
    virtual void set(Timecode& timecode) const = 0;
};

class GuaranteedRichTimecodeSource {
public:
    virtual ~GuaranteedRichTimecodeSource() = default;
    virtual TimecodeProperties set(Timecode& timecode) const = 0;
};

template <typename Source>
class SourceHolder {
public:
    explicit SourceHolder(std::shared_ptr<const Source> source) : value_(std::move(source)) {}
    const Source& value() const { return *value_; }

private:
    std::shared_ptr<const Source> value_;
};

class TimecodeSourceValue : public SourceHolder<TimecodeSource> {
public:
    using SourceHolder::SourceHolder;

    static TimecodeSourceValue components(const TimecodeComponents& components);
    static TimecodeSourceValue components(std::int64_t days, std::int64_t hours, std::int64_t minutes,
                                          std::int64_t seconds, std::int64_t frames, std::int64_t subFrames = 0);
    static TimecodeSourceValue frames(const TimecodeFrameCount::Value& value);
    // The split form when subFrames is not 0, else the frames form.
    static TimecodeSourceValue frames(std::int64_t frames, std::int64_t subFrames = 0);
    static TimecodeSourceValue combinedFrames(double frames);
    static TimecodeSourceValue framesUnitInterval(std::int64_t frames, double subFramesUnitInterval);
    static TimecodeSourceValue frameCount(const TimecodeFrameCount& count);
    static TimecodeSourceValue feetAndFrames(const FeetAndFrames& value);
    // Throws TimecodeStringParseError when the text is not "feet+frames[.subframes]".
    static TimecodeSourceValue feetAndFrames(std::string_view text, TimecodeSubFramesBase base);
    static TimecodeSourceValue mediaTime(const MediaTime& time);
    static TimecodeSourceValue rational(const Fraction& fraction);
    static TimecodeSourceValue realTime(double seconds);
    static TimecodeSourceValue samples(double samples, std::int64_t sampleRate);
    static TimecodeSourceValue randomComponents(const TimecodeComponentRanges& ranges);
};

class FormattedTimecodeSourceValue : public SourceHolder<FormattedTimecodeSource> {
public:
    using SourceHolder::SourceHolder;
    static FormattedTimecodeSourceValue string(std::string text);
};

class RichTimecodeSourceValue : public SourceHolder<RichTimecodeSource> {
public:
    using SourceHolder::SourceHolder;
    // Properties drawn at random, then components from the ranges.
    static RichTimecodeSourceValue randomComponentsAndProperties(const TimecodeComponentRanges& ranges);
};

class GuaranteedTimecodeSourceValue : public SourceHolder<GuaranteedTimecodeSource> {
public:
    using SourceHolder::SourceHolder;
    // All six components 0; the properties are kept.
    static GuaranteedTimecodeSourceValue zero();
    // Valid components at random at the timecode's properties.
    static GuaranteedTimecodeSourceValue random();
};

class GuaranteedRichTimecodeSourceValue : public SourceHolder<GuaranteedRichTimecodeSource> {
public:
    using SourceHolder::SourceHolder;
    // Properties at random, then valid components at them.
    static GuaranteedRichTimecodeSourceValue random();
    // The interval as a plain timecode (TimecodeInterval::wrappedTimecode), properties included.
    static GuaranteedRichTimecodeSourceValue interval(const TimecodeInterval& interval);
};

// Where a timecode made from a rich source starts, before the source brings its own
// properties.
inline constexpr TimecodeProperties kRichSourceStart{TimecodeFrameRate::fps24, TimecodeSubFramesBase::max100SubFrames,
                                                     TimecodeUpperLimit::max24Hours};

// The shared kernels of the sources, for the arithmetic and comparison operations.
// Exact sets throw TimecodeValidationError::outOfBounds and leave the timecode as it was.
void setComponentsExactly(Timecode& timecode, const TimecodeComponents& components);
void setComponentsByRule(Timecode& timecode, const TimecodeComponents& components, TimecodeValidationRule rule);
// A frame-count value read at the timecode's subframes base.
void setFrameCountExactly(Timecode& timecode, const TimecodeFrameCount::Value& value);
void setFrameCountByRule(Timecode& timecode, const TimecodeFrameCount::Value& value, TimecodeValidationRule rule);

}  // namespace tallyvane
