#include "timecode/timecode_sources.h"

#include <cmath>
#include <limits>

#include "timecode/saturating.h"
#include "timecode/timecode_kernels.h"

namespace tallyvane {

namespace {

using Rule = TimecodeValidationRule;
using Value = TimecodeFrameCount::Value;

[[noreturn]] void outOfBounds() { throw TimecodeValidationError(TimecodeValidationError::Code::outOfBounds); }

// A split value's subframes rescaled to another base; other forms do not depend on it.
Value atBase(const Value& value, TimecodeSubFramesBase from, TimecodeSubFramesBase to) {
    if (const auto* split = std::get_if<Value::Split>(&value.payload())) {
        return Value::split(split->frames, from.convert(split->subFrames, to));
    }
    return value;
}

// Seconds to frames: a hair is added away from zero so that a time computed from a
// whole frame does not truncate to the frame before it.
double framesOfRealTime(double seconds, const TimecodeFrameRate& rate) {
    double q = seconds / (1.0 / rate.fps());
    return q + std::copysign(0.00001, q);
}

// Exact sets of real-time sources test the components they produce.
void setRealTimeFramesExactly(Timecode& timecode, double frames) {
    if (!std::isfinite(frames)) outOfBounds();
    TimecodeFrameCount count(Value::combined(frames), timecode.properties.subFramesBase);
    setComponentsExactly(timecode, componentsFromFrameCount(count, timecode.properties.frameRate));
}

// Whole frames of value / scale seconds at the timecode's rate, in 128-bit integers;
// a zero scale gives the end of the range in the value's direction (0 for 0/0).
std::int64_t wholeFramesOf(std::int64_t value, std::int64_t scale, const TimecodeFrameRate& rate) {
    const Fraction fd = rate.frameDuration();
    if (scale == 0) {
        return value > 0 ? std::numeric_limits<std::int64_t>::max()
                         : value < 0 ? std::numeric_limits<std::int64_t>::min() : 0;
    }
    return saturatingInt64(static_cast<__int128>(value) * fd.denominator() /
                           (static_cast<__int128>(scale) * fd.numerator()));
}

double framesOf(double value, double scale, const TimecodeFrameRate& rate) {
    const Fraction fd = rate.frameDuration();
    return value * static_cast<double>(fd.denominator()) / (scale * static_cast<double>(fd.numerator()));
}

class ComponentsSource final : public TimecodeSource {
public:
    explicit ComponentsSource(const TimecodeComponents& c) : c_(c) {}
    void set(Timecode& t) const override { setComponentsExactly(t, c_); }
    void setByRule(Timecode& t, Rule rule) const override { setComponentsByRule(t, c_, rule); }

private:
    TimecodeComponents c_;
};

class FrameCountValueSource final : public TimecodeSource {
public:
    explicit FrameCountValueSource(const Value& v) : v_(v) {}
    void set(Timecode& t) const override { setFrameCountExactly(t, v_); }
    void setByRule(Timecode& t, Rule rule) const override { setFrameCountByRule(t, v_, rule); }

private:
    Value v_;
};

class FrameCountSource final : public TimecodeSource {
public:
    explicit FrameCountSource(const TimecodeFrameCount& c) : c_(c) {}
    // Exactly, the timecode takes the count's subframes base.
    void set(Timecode& t) const override {
        t.properties.subFramesBase = c_.subFramesBase();
        setFrameCountExactly(t, c_.value);
    }
    void setByRule(Timecode& t, Rule rule) const override {
        setFrameCountByRule(t, atBase(c_.value, c_.subFramesBase(), t.properties.subFramesBase), rule);
    }

private:
    TimecodeFrameCount c_;
};

class FeetAndFramesSource final : public TimecodeSource {
public:
    explicit FeetAndFramesSource(const FeetAndFrames& f) : f_(f) {}
    void set(Timecode& t) const override { setFrameCountExactly(t, value(t)); }
    void setByRule(Timecode& t, Rule rule) const override { setFrameCountByRule(t, value(t), rule); }

private:
    Value value(const Timecode& t) const {
        return atBase(f_.frameCount().value, f_.subFramesBase, t.properties.subFramesBase);
    }
    FeetAndFrames f_;
};

class MediaTimeSource final : public TimecodeSource {
public:
    explicit MediaTimeSource(const MediaTime& m) : m_(m) {}
    void set(Timecode& t) const override {
        if (!m_.isNumeric()) outOfBounds();
        setFrameCountExactly(t, Value::combined(framesOf(static_cast<double>(m_.value),
                                                         static_cast<double>(m_.timescale), t.properties.frameRate)));
    }
    void setByRule(Timecode& t, Rule rule) const override {
        std::int64_t frames = 0;
        if (m_.isPositiveInfinity()) {
            frames = std::numeric_limits<std::int64_t>::max();
        } else if (m_.isNegativeInfinity()) {
            frames = std::numeric_limits<std::int64_t>::min();
        } else if (m_.isNumeric()) {
            frames = wholeFramesOf(m_.value, m_.timescale, t.properties.frameRate);
        }
        setFrameCountByRule(t, Value::frames(frames), rule);
    }

private:
    MediaTime m_;
};

class RationalSource final : public TimecodeSource {
public:
    explicit RationalSource(const Fraction& f) : f_(f) {}
    void set(Timecode& t) const override {
        setFrameCountExactly(t, Value::combined(framesOf(static_cast<double>(f_.numerator()),
                                                         static_cast<double>(f_.denominator()), t.properties.frameRate)));
    }
    void setByRule(Timecode& t, Rule rule) const override {
        setFrameCountByRule(t, Value::frames(wholeFramesOf(f_.numerator(), f_.denominator(), t.properties.frameRate)),
                            rule);
    }

private:
    Fraction f_;
};

class RealTimeSource final : public TimecodeSource {
public:
    explicit RealTimeSource(double seconds) : seconds_(seconds) {}
    void set(Timecode& t) const override { setRealTimeFramesExactly(t, frames(t)); }
    void setByRule(Timecode& t, Rule rule) const override { setFrameCountByRule(t, Value::combined(frames(t)), rule); }

private:
    double frames(const Timecode& t) const { return framesOfRealTime(seconds_, t.properties.frameRate); }
    double seconds_;
};

class SamplesSource final : public TimecodeSource {
public:
    SamplesSource(double samples, std::int64_t sampleRate) : samples_(samples), sampleRate_(sampleRate) {}
    void set(Timecode& t) const override { setRealTimeFramesExactly(t, frames(t)); }
    void setByRule(Timecode& t, Rule rule) const override { setFrameCountByRule(t, Value::combined(frames(t)), rule); }

private:
    double frames(const Timecode& t) const {
        double seconds = samples_ / static_cast<double>(sampleRate_);
        return framesOfRealTime(seconds, t.properties.frameRate) + (seconds >= 0 ? 0.0001 : -0.0001);
    }
    double samples_;
    std::int64_t sampleRate_;
};

class UnsafeRandomComponentsSource final : public TimecodeSource {
public:
    explicit UnsafeRandomComponentsSource(const TimecodeComponentRanges& r) : ranges_(r) {}
    void set(Timecode& t) const override { setComponentsExactly(t, TimecodeComponents::random(ranges_)); }
    void setByRule(Timecode& t, Rule rule) const override {
        setComponentsByRule(t, TimecodeComponents::random(ranges_), rule);
    }

private:
    TimecodeComponentRanges ranges_;
};

class TextSource final : public FormattedTimecodeSource {
public:
    explicit TextSource(std::string text) : text_(std::move(text)) {}
    void set(Timecode& t) const override { setComponentsExactly(t, Timecode::parseComponents(text_)); }
    void setByRule(Timecode& t, Rule rule) const override {
        setComponentsByRule(t, Timecode::parseComponents(text_), rule);
    }

private:
    std::string text_;
};

class UnsafeRandomComponentsAndPropertiesSource final : public RichTimecodeSource {
public:
    explicit UnsafeRandomComponentsAndPropertiesSource(const TimecodeComponentRanges& r) : ranges_(r) {}
    TimecodeProperties set(Timecode& t) const override {
        t.properties = randomTimecodeProperties();
        setComponentsExactly(t, TimecodeComponents::random(ranges_));
        return t.properties;
    }
    TimecodeProperties setByRule(Timecode& t, Rule rule) const override {
        t.properties = randomTimecodeProperties();
        setComponentsByRule(t, TimecodeComponents::random(ranges_), rule);
        return t.properties;
    }

private:
    TimecodeComponentRanges ranges_;
};

class ZeroSource final : public GuaranteedTimecodeSource {
public:
    void set(Timecode& t) const override { t.components = TimecodeComponents::zero(); }
};

class SafeRandomComponentsSource final : public GuaranteedTimecodeSource {
public:
    void set(Timecode& t) const override { t.components = TimecodeComponents::random(t.properties); }
};

class SafeRandomComponentsAndPropertiesSource final : public GuaranteedRichTimecodeSource {
public:
    TimecodeProperties set(Timecode& t) const override {
        t.properties = randomTimecodeProperties();
        t.components = TimecodeComponents::random(t.properties);
        return t.properties;
    }
};

}  // namespace

void setComponentsExactly(Timecode& timecode, const TimecodeComponents& components) {
    if (!components.invalidComponents(timecode.properties).empty()) outOfBounds();
    timecode.components = components;
}

void setComponentsByRule(Timecode& timecode, const TimecodeComponents& components, Rule rule) {
    switch (rule) {
        case Rule::allowingInvalid: timecode.components = components; return;
        case Rule::clampingComponents: {
            TimecodeComponents clamped = components;
            clamped.clamp(timecode.properties);
            timecode.components = clamped;
            return;
        }
        case Rule::clamping:
        case Rule::wrapping:
            timecode.components =
                subFrameTotalByRule(subFrameTotal(components, timecode.properties), timecode.properties, rule);
            return;
    }
}

void setFrameCountExactly(Timecode& timecode, const Value& value) {
    const TimecodeFrameCount count(value, timecode.properties.subFramesBase);
    const std::int64_t total = count.subFrameCount();
    if (value.isNonFinite() || total < 0 || total > limitSubFrameTotal(timecode.properties) - 1) outOfBounds();
    timecode.components = componentsFromFrameCount(count, timecode.properties.frameRate);
}

// Clamping and wrapping work on the count's own subframe total: going through
// components first would lose the magnitude of a negative count, whose sign sits on
// its first non-zero component only.
void setFrameCountByRule(Timecode& timecode, const Value& value, Rule rule) {
    const TimecodeFrameCount count(value, timecode.properties.subFramesBase);
    if (rule == Rule::allowingInvalid) {
        timecode.components = componentsFromFrameCount(count, timecode.properties.frameRate);
        return;
    }
    timecode.components = subFrameTotalByRule(count.subFrameCount(), timecode.properties, rule);
}

TimecodeSourceValue TimecodeSourceValue::components(const TimecodeComponents& components) {
    return TimecodeSourceValue(std::make_shared<ComponentsSource>(components));
}

TimecodeSourceValue TimecodeSourceValue::components(std::int64_t days, std::int64_t hours, std::int64_t minutes,
                                                    std::int64_t seconds, std::int64_t frames, std::int64_t subFrames) {
    return components(TimecodeComponents{days, hours, minutes, seconds, frames, subFrames});
}

TimecodeSourceValue TimecodeSourceValue::frames(const Value& value) {
    return TimecodeSourceValue(std::make_shared<FrameCountValueSource>(value));
}

TimecodeSourceValue TimecodeSourceValue::frames(std::int64_t frames, std::int64_t subFrames) {
    return TimecodeSourceValue::frames(subFrames != 0 ? Value::split(frames, subFrames) : Value::frames(frames));
}

TimecodeSourceValue TimecodeSourceValue::combinedFrames(double frames) {
    return TimecodeSourceValue::frames(Value::combined(frames));
}

TimecodeSourceValue TimecodeSourceValue::framesUnitInterval(std::int64_t frames, double subFramesUnitInterval) {
    return TimecodeSourceValue::frames(Value::splitUnitInterval(frames, subFramesUnitInterval));
}

TimecodeSourceValue TimecodeSourceValue::frameCount(const TimecodeFrameCount& count) {
    return TimecodeSourceValue(std::make_shared<FrameCountSource>(count));
}

TimecodeSourceValue TimecodeSourceValue::feetAndFrames(const FeetAndFrames& value) {
    return TimecodeSourceValue(std::make_shared<FeetAndFramesSource>(value));
}

TimecodeSourceValue TimecodeSourceValue::feetAndFrames(std::string_view text, TimecodeSubFramesBase base) {
    return feetAndFrames(FeetAndFrames::parse(text, base));
}

TimecodeSourceValue TimecodeSourceValue::mediaTime(const MediaTime& time) {
    return TimecodeSourceValue(std::make_shared<MediaTimeSource>(time));
}

TimecodeSourceValue TimecodeSourceValue::rational(const Fraction& fraction) {
    return TimecodeSourceValue(std::make_shared<RationalSource>(fraction));
}

TimecodeSourceValue TimecodeSourceValue::realTime(double seconds) {
    return TimecodeSourceValue(std::make_shared<RealTimeSource>(seconds));
}

TimecodeSourceValue TimecodeSourceValue::samples(double samples, std::int64_t sampleRate) {
    return TimecodeSourceValue(std::make_shared<SamplesSource>(samples, sampleRate));
}

TimecodeSourceValue TimecodeSourceValue::randomComponents(const TimecodeComponentRanges& ranges) {
    return TimecodeSourceValue(std::make_shared<UnsafeRandomComponentsSource>(ranges));
}

FormattedTimecodeSourceValue FormattedTimecodeSourceValue::string(std::string text) {
    return FormattedTimecodeSourceValue(std::make_shared<TextSource>(std::move(text)));
}

RichTimecodeSourceValue RichTimecodeSourceValue::randomComponentsAndProperties(const TimecodeComponentRanges& ranges) {
    return RichTimecodeSourceValue(std::make_shared<UnsafeRandomComponentsAndPropertiesSource>(ranges));
}

GuaranteedTimecodeSourceValue GuaranteedTimecodeSourceValue::zero() {
    return GuaranteedTimecodeSourceValue(std::make_shared<ZeroSource>());
}

GuaranteedTimecodeSourceValue GuaranteedTimecodeSourceValue::random() {
    return GuaranteedTimecodeSourceValue(std::make_shared<SafeRandomComponentsSource>());
}

GuaranteedRichTimecodeSourceValue GuaranteedRichTimecodeSourceValue::random() {
    return GuaranteedRichTimecodeSourceValue(std::make_shared<SafeRandomComponentsAndPropertiesSource>());
}

}  // namespace tallyvane
