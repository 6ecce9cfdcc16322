#include "reader/time_values.h"

#include <ostream>
#include <sstream>
#include <string>
#include <type_traits>
#include <variant>

#include "common/debug_text.h"
#include "reader/video_formats.h"
#include "timecode/timecode.h"
#include "timecode/timecode_sources.h"

namespace tallyvane {

double frameCountValue(const TimecodeFrameCount& count) {
    const double base = count.subFramesBase().rawValue();
    return std::visit(
        [base](const auto& value) -> double {
            using Form = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<Form, TimecodeFrameCount::Value::Frames>) {
                return static_cast<double>(value.frames);
            } else if constexpr (std::is_same_v<Form, TimecodeFrameCount::Value::Split>) {
                return static_cast<double>(value.frames) + static_cast<double>(value.subFrames) / base;
            } else if constexpr (std::is_same_v<Form, TimecodeFrameCount::Value::Combined>) {
                return value.frames;
            } else {
                return static_cast<double>(value.frames) + value.subFramesUnitInterval;
            }
        },
        count.value.payload());
}

double framesFromFCPXML(std::optional<std::string_view> time, TimecodeFrameRate rate, std::ostream& log) {
    if (!time) {
        log << debugQuoted("fcpxmlRationalString is nil") << '\n';
        return 0.0;
    }
    const std::optional<Fraction> fraction = Fraction::fromFcpxmlString(*time);
    // A zero denominator is no time at all; dividing by it would give no number of frames.
    if (!fraction || fraction->denominator() == 0) {
        log << debugQuoted("Unable to create Fraction from " + std::string(*time)) << '\n';
        return 0.0;
    }
    try {
        Timecode timecode(GuaranteedTimecodeSourceValue::zero(),
                          {rate, TimecodeSubFramesBase::max100SubFrames, TimecodeUpperLimit::max24Hours});
        timecode.set(TimecodeSourceValue::rational(*fraction));
        return frameCountValue(timecode.frameCount());
    } catch (const TimecodeValidationError&) {
    } catch (const FractionError&) {
    }
    log << debugQuoted("Unable to create Timecode from " + std::string(*time) + " at " +
                        std::string(rate.stringValue()))
        << '\n';
    try {
        const Fraction frames = *fraction / rate.frameDuration();
        return static_cast<double>(frames.numerator()) / static_cast<double>(frames.denominator());
    } catch (const FractionError&) {
        // Beyond 64-bit terms the time is far outside any timeline.
        return 0.0;
    }
}

TimecodeFrameRate frameRateFromRate(const Fraction& rate, bool drop, std::ostream& log) {
    const std::optional<TimecodeFrameRate> nonDrop = TimecodeFrameRate::fromRate(rate, false);
    if (!nonDrop) {
        log << rate.description() << ' ' << debugQuoted("FAILED becoming a frame rate") << '\n';
        return TimecodeFrameRate::fps60;
    }
    if (drop) {
        if (const std::optional<TimecodeFrameRate> dropRate = TimecodeFrameRate::fromRate(rate, true)) return *dropRate;
    }
    return *nonDrop;
}

TimecodeFrameRate frameRateFromVideoRate(std::string_view videoRateText, bool drop, std::ostream& log) {
    const VideoFrameRate rate = videoFrameRateFromText(videoRateText).value_or(VideoFrameRate::fps60p);
    return frameRateFromRate(rate.rate(), drop, log);
}

double FrameCounter::operator()(std::optional<std::string_view> time, TimecodeFrameRate rate) {
    if (!time) return framesFromFCPXML(time, rate, log_);
    std::string key(1, static_cast<char>(rate.index()));
    key += *time;
    if (const auto found = counted_.find(key); found != counted_.end()) return found->second;
    lines_.str("");
    const double frames = framesFromFCPXML(time, rate, lines_);
    if (lines_.view().empty()) {
        counted_.emplace(std::move(key), frames);
    } else {
        log_ << lines_.view();
    }
    return frames;
}

double FrameCounter::attribute(const std::optional<XMLElement>& element, std::string_view name,
                               TimecodeFrameRate rate) {
    const std::optional<std::string> text = element ? element->attr(name) : std::nullopt;
    return (*this)(text ? std::optional<std::string_view>(*text) : std::nullopt, rate);
}

}  // namespace tallyvane
