#include "reader/time_values.h"

#include <ostream>
#include <string>
#include <utility>

#include "common/debug_text.h"
#include "reader/video_formats.h"

namespace tallyvane {

std::optional<Fraction> secondsFromFCPXML(std::optional<std::string_view> time, std::ostream& log) {
    // A missing time is common (a clip without a start), so the line is made only for a
    // stream that writes it.
    if (!time) {
        if (log) log << debugQuoted("fcpxmlRationalString is nil") << '\n';
        return std::nullopt;
    }
    const std::optional<Fraction> fraction = Fraction::fromFcpxmlString(*time);
    // A zero denominator is no time at all; dividing by it would give no number of frames.
    if (!fraction || fraction->denominator() == 0) {
        log << debugQuoted("Unable to create Fraction from " + std::string(*time)) << '\n';
        return std::nullopt;
    }
    return fraction;
}

namespace {

// seconds / frame duration in 128-bit integers: 64-bit terms times terms below 2^20.
std::pair<__int128, __int128> frameQuotient(const Fraction& seconds, TimecodeFrameRate rate) {
    const Fraction frameDuration = rate.frameDuration();
    return {static_cast<__int128>(seconds.numerator()) * frameDuration.denominator(),
            static_cast<__int128>(seconds.denominator()) * frameDuration.numerator()};
}

}  // namespace

std::optional<double> framesWithinDay(const Fraction& seconds, TimecodeFrameRate rate) {
    auto [numerator, denominator] = frameQuotient(seconds, rate);
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    if (denominator == 0 || numerator < 0) return std::nullopt;
    // The terms nearly always fit 64 bits, where the processor divides without a library call.
    __int128 whole = 0;
    __int128 hundredths = 0;
    if (numerator <= UINT64_MAX && denominator <= UINT64_MAX / 100) {
        const auto n = static_cast<std::uint64_t>(numerator), d = static_cast<std::uint64_t>(denominator);
        whole = n / d;
        hundredths = n % d * 100 / d;
    } else {
        whole = numerator / denominator;
        hundredths = numerator % denominator * 100 / denominator;
    }
    if (whole >= rate.maxTotalFrames(TimecodeUpperLimit::max24Hours)) return std::nullopt;
    return static_cast<double>(static_cast<std::int64_t>(whole)) +
           static_cast<double>(static_cast<std::int64_t>(hundredths)) / 100.0;
}

std::optional<double> endFrames(const Fraction& start, const Fraction& duration, TimecodeFrameRate rate) {
    try {
        return framesWithinDay(start + duration, rate);
    } catch (const FractionError&) {
        return std::nullopt;
    }
}

double framesFromSeconds(const Fraction& seconds, TimecodeFrameRate rate, std::ostream& log, std::string_view text) {
    if (const std::optional<double> frames = framesWithinDay(seconds, rate)) return *frames;
    if (log) {
        const std::string named = text.empty() ? seconds.fcpxmlStringValue() : std::string(text);
        log << debugQuoted("Unable to create Timecode from " + named + " at " + std::string(rate.stringValue())) << '\n';
    }
    // Terms below 2^53 are exact as doubles, and the division rounds their quotient as it
    // would the quotient's lowest terms: no fraction need be reduced for it.
    const auto [numerator, denominator] = frameQuotient(seconds, rate);
    constexpr __int128 kExact = __int128{1} << 53;
    if (denominator != 0 && -kExact < numerator && numerator < kExact && -kExact < denominator && denominator < kExact) {
        return numerator == 0 ? 0.0 : static_cast<double>(numerator) / static_cast<double>(denominator);
    }
    try {
        const Fraction frames = seconds / rate.frameDuration();
        return static_cast<double>(frames.numerator()) / static_cast<double>(frames.denominator());
    } catch (const FractionError&) {
        // Beyond 64-bit terms the time is far outside any timeline.
        return 0.0;
    }
}

double framesFromFCPXML(std::optional<std::string_view> time, TimecodeFrameRate rate, std::ostream& log) {
    const std::optional<Fraction> seconds = secondsFromFCPXML(time, log);
    return seconds ? framesFromSeconds(*seconds, rate, log, *time) : 0.0;
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

Fraction FrameCounter::seconds(std::optional<std::string_view> time) {
    std::optional<ReadTime>* slot = nullptr;
    if (time) {
        slot = &read_[TextHash{}(*time) % kReadTimes];
        if (*slot && (*slot)->text == *time) return (*slot)->seconds;
    }
    const std::optional<Fraction> seconds = secondsFromFCPXML(time, log_);
    if (!seconds) return Fraction(0, 1);
    if (slot != nullptr) *slot = ReadTime{std::string(*time), *seconds};
    return *seconds;
}

Fraction FrameCounter::seconds(const XMLElement& element, std::string_view name) {
    const std::optional<AttributeText> text = element.attrText(name);
    return seconds(text ? std::optional<std::string_view>(*text) : std::nullopt);
}

Fraction FrameCounter::seconds(const std::optional<XMLElement>& element, std::string_view name) {
    return element ? seconds(*element, name) : seconds(std::nullopt);
}

double FrameCounter::operator()(std::optional<std::string_view> time, TimecodeFrameRate rate) {
    const Fraction counted = seconds(time);
    return time ? framesFromSeconds(counted, rate, log_, *time) : 0.0;
}

double FrameCounter::attribute(const std::optional<XMLElement>& element, std::string_view name,
                               TimecodeFrameRate rate) {
    const std::optional<AttributeText> text = element ? element->attrText(name) : std::nullopt;
    return (*this)(text ? std::optional<std::string_view>(*text) : std::nullopt, rate);
}

}  // namespace tallyvane
