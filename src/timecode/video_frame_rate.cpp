#include "timecode/video_frame_rate.h"

#include <cmath>

namespace tallyvane {

namespace {

using T = TimecodeFrameRate;

struct VideoRow {
    std::string_view raw;
    std::string_view text;
    Fraction rate;
    Fraction frameDuration;
    std::optional<Fraction> alternateFrameDuration;
    bool interlaced;
    T::Case nonDrop;
    std::optional<T> drop;
};

constexpr std::optional<Fraction> none = std::nullopt;
constexpr std::optional<T> noDrop = std::nullopt;

constexpr std::array<VideoRow, 21> kVideoRates{{
    {"23.98p", "23.98p", {24000, 1001}, {1001, 24000}, Fraction(1000, 23976), false, T::fps23_976, noDrop},
    {"24p", "24p", {24, 1}, {100, 2400}, none, false, T::fps24, noDrop},
    {"25p", "25p", {25, 1}, {100, 2500}, none, false, T::fps25, noDrop},
    {"25i", "25i", {25, 1}, {200, 5000}, none, true, T::fps25, noDrop},
    {"29.97p", "29.97p", {30000, 1001}, {1001, 30000}, Fraction(1000, 29970), false, T::fps29_97, T(T::fps29_97d)},
    {"29.97i", "29.97i", {30000, 1001}, {2002, 60000}, Fraction(2000, 59940), true, T::fps29_97, T(T::fps29_97d)},
    {"30p", "30p", {30, 1}, {100, 3000}, none, false, T::fps30, T(T::fps30d)},
    {"47.95p", "47.95p", {48000, 1001}, {1001, 48000}, Fraction(1000, 47952), false, T::fps47_952, noDrop},
    {"48p", "48p", {48, 1}, {100, 4800}, none, false, T::fps48, noDrop},
    {"50p", "50p", {50, 1}, {100, 5000}, none, false, T::fps50, noDrop},
    {"50i", "50i", {50, 1}, {200, 10000}, none, true, T::fps50, noDrop},
    {"59.94p", "59.94p", {60000, 1001}, {1001, 60000}, Fraction(1000, 59940), false, T::fps59_94, T(T::fps59_94d)},
    {"59.94i", "59.94i", {60000, 1001}, {2002, 120000}, Fraction(2000, 119880), true, T::fps59_94, T(T::fps59_94d)},
    {"60p", "60p", {60, 1}, {100, 6000}, none, false, T::fps60, T(T::fps60d)},
    {"60i", "60i", {60, 1}, {200, 12000}, none, true, T::fps60, noDrop},
    {"90p", "90p", {90, 1}, {100, 9000}, none, false, T::fps90, noDrop},
    {"95.9p", "95.9p", {96000, 1001}, {1001, 96000}, Fraction(1000, 95904), false, T::fps95_904, noDrop},
    {"96p", "96p", {96, 1}, {100, 9600}, none, false, T::fps96, noDrop},
    {"100p", "100p", {100, 1}, {100, 10000}, none, false, T::fps100, noDrop},
    {"119.88p", "119.88pp", {120000, 1001}, {1001, 120000}, Fraction(1000, 119880), false, T::fps119_88, T(T::fps119_88d)},
    {"120p", "120p", {120, 1}, {100, 12000}, none, false, T::fps120, noDrop},
}};

const VideoRow& row(VideoFrameRate r) { return kVideoRates[r.index()]; }

// One pass of the measured-rate lookup: every rate whose quotient, reduced to the
// same number of places by `reduce`, equals the reduced measurement.
template <typename Reduce>
std::optional<VideoFrameRate> findByFps(double fps, bool interlaced, Reduce reduce) {
    double target = reduce(fps);
    for (auto c : VideoFrameRate::allCases()) {
        VideoFrameRate v(c);
        if (reduce(v.fps()) == target && v.isInterlaced() == interlaced) return v;
    }
    return std::nullopt;
}

}  // namespace

std::optional<VideoFrameRate> VideoFrameRate::fromRate(const Fraction& rate, bool interlaced) {
    return firstWith(rate, interlaced, &VideoFrameRate::rate, &VideoFrameRate::isInterlaced);
}

std::optional<VideoFrameRate> VideoFrameRate::fromRate(const MediaTime& rate, bool interlaced) {
    return fromRate(Fraction(rate.value, rate.timescale), interlaced);
}

std::optional<VideoFrameRate> VideoFrameRate::fromFrameDuration(const Fraction& duration, bool interlaced) {
    return firstWith(duration, interlaced, &VideoFrameRate::frameDuration, &VideoFrameRate::isInterlaced);
}

std::optional<VideoFrameRate> VideoFrameRate::fromFrameDuration(const MediaTime& duration, bool interlaced) {
    return fromFrameDuration(Fraction(duration.value, duration.timescale), interlaced);
}

std::optional<VideoFrameRate> VideoFrameRate::fromFps(double fps, bool interlaced, bool precise) {
    double scale = precise ? 1000.0 : 10.0;
    if (auto v = findByFps(fps, interlaced, [scale](double x) { return std::trunc(x * scale) / scale; })) return v;
    return findByFps(fps, interlaced, [scale](double x) { return std::round(x * scale) / scale; });
}

std::optional<VideoFrameRate> VideoFrameRate::fromFps(float fps, bool interlaced) {
    return fromFps(static_cast<double>(fps), interlaced, false);
}

std::optional<VideoFrameRate> VideoFrameRate::fromRawValue(std::string_view text) {
    for (auto c : allCases()) {
        if (kVideoRates[static_cast<std::size_t>(c)].raw == text) return c;
    }
    return std::nullopt;
}

std::string_view VideoFrameRate::rawValue() const { return row(*this).raw; }
std::string_view VideoFrameRate::stringValue() const { return row(*this).text; }
Fraction VideoFrameRate::rate() const { return row(*this).rate; }
Fraction VideoFrameRate::frameDuration() const { return row(*this).frameDuration; }
std::optional<Fraction> VideoFrameRate::alternateFrameDuration() const { return row(*this).alternateFrameDuration; }
bool VideoFrameRate::isInterlaced() const { return row(*this).interlaced; }

std::optional<TimecodeFrameRate> VideoFrameRate::timecodeFrameRate(bool drop) const {
    if (drop) return row(*this).drop;
    return TimecodeFrameRate(row(*this).nonDrop);
}

}  // namespace tallyvane
