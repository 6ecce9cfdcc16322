// A timecode as frames, real time, media time, rational time, feet and frames, samples.
#include <cmath>
#include <limits>

#include "timecode/timecode.h"

namespace tallyvane {

namespace {

// frameDuration x subframe total / base: the exact time of a timecode, reduced.
Fraction exactTime(const Timecode& t) {
    const Fraction fd = t.properties.frameRate.frameDuration();
    return Fraction::reducingWide(static_cast<__int128>(fd.numerator()) * t.frameCount().subFrameCount(),
                                  static_cast<__int128>(fd.denominator()) * t.properties.subFramesBase.rawValue());
}

}  // namespace

TimecodeFrameCount Timecode::maxFrameCountExpressible() const {
    return {FrameCount::Value::split(properties.frameRate.maxFrameNumberExpressible(properties.upperLimit),
                                     properties.subFramesBase.maxSubFrameNumberDisplayable()),
            properties.subFramesBase};
}

double Timecode::realTimeValue() const { return frameCount().doubleValue() * (1.0 / properties.frameRate.fps()); }

MediaTime Timecode::mediaTimeValue() const {
    try {
        return exactTime(*this).mediaTimeValue();
    } catch (const FractionError&) {
        return MediaTime::invalid();
    }
}

Fraction Timecode::rationalValue() const { return exactTime(*this); }

FeetAndFrames Timecode::feetAndFramesValue() const {
    const std::int64_t frames = frameCount().value.wholeFrames();
    const std::int64_t feet = frames / 16;
    return {feet, frames - feet * 16, components.subFrames, properties.subFramesBase};
}

std::int64_t Timecode::samplesValue(std::int64_t sampleRate) const {
    const double samples = std::round(samplesDoubleValue(sampleRate));
    if (std::isnan(samples) || samples >= 9223372036854775808.0 || samples < -9223372036854775808.0) return 0;
    return static_cast<std::int64_t>(samples);
}

}  // namespace tallyvane
