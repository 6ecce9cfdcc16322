#include "timecode/timecode_frame_rate.h"

#include "timecode/video_frame_rate.h"

namespace tallyvane {

namespace {

using Group = TimecodeFrameRate::CompatibleGroup;

struct RateRow {
    std::string_view name;
    std::string_view verbose;
    Fraction rate;
    Fraction frameDuration;
    std::optional<Fraction> alternateFrameDuration;
    Group group;
    bool drop;
    double droppedPerMinute;
    int maxFrames;
    int digits;
    double elapsedFramesRate;
    double fps;
    std::int64_t framesIn24Hours;
};

constexpr std::optional<Fraction> none = std::nullopt;

// Order = case order. fps holds the double nearest to the exact decimal rate, which
// for some NTSC rates differs in the last bit from numerator / denominator.
constexpr std::array<RateRow, 23> kRates{{
    {"23.976", "23.976 fps", {24000, 1001}, {1001, 24000}, Fraction(1000, 23976), Group::ntscColor, false, 0, 24, 2, 24, 23.976023976023978, 2073600},
    {"24", "24 fps", {24, 1}, {100, 2400}, none, Group::whole, false, 0, 24, 2, 24, 24.0, 2073600},
    {"24.98", "24.98 fps", {25000, 1001}, {1001, 25000}, Fraction(1000, 24980), Group::ntscColor, false, 0, 25, 2, 25, 24.97502497502498, 2160000},
    {"25", "25 fps", {25, 1}, {100, 2500}, none, Group::whole, false, 0, 25, 2, 25, 25.0, 2160000},
    {"29.97", "29.97 fps", {30000, 1001}, {1001, 30000}, Fraction(1000, 29970), Group::ntscColor, false, 0, 30, 2, 30, 29.970029970029973, 2592000},
    {"29.97d", "29.97 fps drop", {30000, 1001}, {1001, 30000}, Fraction(1000, 29970), Group::ntscDrop, true, 2, 30, 2, 29.97, 29.970029970029973, 2589408},
    {"30", "30 fps", {30, 1}, {100, 3000}, none, Group::whole, false, 0, 30, 2, 30, 30.0, 2592000},
    {"30d", "30 fps drop", {30, 1}, {100, 3000}, none, Group::ntscColorWallTime, true, 2, 30, 2, 29.97, 30.0, 2589408},
    {"47.952", "47.952 fps", {48000, 1001}, {1001, 48000}, Fraction(1000, 47952), Group::ntscColor, false, 0, 48, 2, 48, 47.952047952047955, 4147200},
    {"48", "48 fps", {48, 1}, {100, 4800}, none, Group::whole, false, 0, 48, 2, 48, 48.0, 4147200},
    {"50", "50 fps", {50, 1}, {100, 5000}, none, Group::whole, false, 0, 50, 2, 50, 50.0, 4320000},
    {"59.94", "59.94 fps", {60000, 1001}, {1001, 60000}, Fraction(1000, 59940), Group::ntscColor, false, 0, 60, 2, 60, 59.940059940059946, 5184000},
    {"59.94d", "59.94 fps drop", {60000, 1001}, {1001, 60000}, Fraction(1000, 59940), Group::ntscDrop, true, 4, 60, 2, 59.94, 59.940059940059946, 5178816},
    {"60", "60 fps", {60, 1}, {100, 6000}, none, Group::whole, false, 0, 60, 2, 60, 60.0, 5184000},
    {"60d", "60 fps drop", {60, 1}, {100, 6000}, none, Group::ntscColorWallTime, true, 4, 60, 2, 59.94, 60.0, 5178816},
    {"90", "90 fps", {90, 1}, {100, 9000}, none, Group::whole, false, 0, 90, 2, 90, 90.0, 7776000},
    {"95.904", "95.904 fps", {96000, 1001}, {1001, 96000}, Fraction(1000, 95904), Group::ntscColor, false, 0, 96, 2, 96, 95.90409590409591, 8294400},
    {"96", "96 fps", {96, 1}, {100, 9600}, none, Group::whole, false, 0, 96, 2, 96, 96.0, 8294400},
    {"100", "100 fps", {100, 1}, {100, 10000}, none, Group::whole, false, 0, 100, 2, 100, 100.0, 8640000},
    {"119.88", "119.88 fps", {120000, 1001}, {1001, 120000}, Fraction(1000, 119880), Group::ntscColor, false, 0, 120, 3, 120, 119.88011988011989, 10368000},
    {"119.88d", "119.88 fps drop", {120000, 1001}, {1001, 120000}, Fraction(1000, 119880), Group::ntscDrop, true, 8, 120, 3, 119.88, 119.88011988011989, 10357632},
    {"120", "120 fps", {120, 1}, {100, 12000}, none, Group::whole, false, 0, 120, 3, 120, 120.0, 10368000},
    {"120d", "120 fps drop", {120, 1}, {100, 12000}, none, Group::ntscColorWallTime, true, 8, 120, 3, 119.88, 120.0, 10357632},
}};

const RateRow& row(TimecodeFrameRate r) { return kRates[r.index()]; }

std::vector<TimecodeFrameRate> filtered(bool drop) {
    std::vector<TimecodeFrameRate> out;
    for (auto c : TimecodeFrameRate::allCases()) {
        if (TimecodeFrameRate(c).isDrop() == drop) out.emplace_back(c);
    }
    return out;
}

}  // namespace

const std::vector<TimecodeFrameRate>& TimecodeFrameRate::allDrop() {
    static const std::vector<TimecodeFrameRate> rates = filtered(true);
    return rates;
}

const std::vector<TimecodeFrameRate>& TimecodeFrameRate::allNonDrop() {
    static const std::vector<TimecodeFrameRate> rates = filtered(false);
    return rates;
}

std::optional<TimecodeFrameRate> TimecodeFrameRate::fromRate(const Fraction& rate, bool drop) {
    return firstWith(rate, drop, &TimecodeFrameRate::rate, &TimecodeFrameRate::isDrop);
}

std::optional<TimecodeFrameRate> TimecodeFrameRate::fromRate(const MediaTime& rate, bool drop) {
    return fromRate(Fraction(rate.value, rate.timescale), drop);
}

std::optional<TimecodeFrameRate> TimecodeFrameRate::fromFrameDuration(const Fraction& duration, bool drop) {
    return firstWith(duration, drop, &TimecodeFrameRate::frameDuration, &TimecodeFrameRate::isDrop);
}

std::optional<TimecodeFrameRate> TimecodeFrameRate::fromFrameDuration(const MediaTime& duration, bool drop) {
    return fromFrameDuration(Fraction(duration.value, duration.timescale), drop);
}

std::string_view TimecodeFrameRate::stringValue() const { return row(*this).name; }
std::string_view TimecodeFrameRate::stringValueVerbose() const { return row(*this).verbose; }
bool TimecodeFrameRate::isDrop() const { return row(*this).drop; }
double TimecodeFrameRate::framesDroppedPerMinute() const { return row(*this).droppedPerMinute; }
int TimecodeFrameRate::maxFrames() const { return row(*this).maxFrames; }
int TimecodeFrameRate::numberOfDigits() const { return row(*this).digits; }
Fraction TimecodeFrameRate::rate() const { return row(*this).rate; }
Fraction TimecodeFrameRate::frameDuration() const { return row(*this).frameDuration; }
std::optional<Fraction> TimecodeFrameRate::alternateFrameDuration() const { return row(*this).alternateFrameDuration; }
double TimecodeFrameRate::fps() const { return row(*this).fps; }
double TimecodeFrameRate::frameRateForElapsedFramesCalculation() const { return row(*this).elapsedFramesRate; }
TimecodeFrameRate::CompatibleGroup TimecodeFrameRate::compatibleGroup() const { return row(*this).group; }

std::int64_t TimecodeFrameRate::maxTotalFrames(TimecodeUpperLimit limit) const {
    std::int64_t frames = row(*this).framesIn24Hours;
    return limit == TimecodeUpperLimit::max100Days ? frames * 100 : frames;
}

std::pair<std::string, std::string> TimecodeFrameRate::fcpxmlAttributes() const {
    return {frameDuration().fcpxmlStringValue(), isDrop() ? "DF" : "NDF"};
}

std::array<std::string, 3> TimecodeFrameRate::textFields() const {
    return {rate().description(), isDrop() ? "true" : "false", std::to_string(maxFrames())};
}

const std::vector<TimecodeFrameRate>& TimecodeFrameRate::members(CompatibleGroup group) {
    static const std::array<std::vector<TimecodeFrameRate>, 4> table = [] {
        std::array<std::vector<TimecodeFrameRate>, 4> groups;
        for (auto c : allCases()) groups[static_cast<std::size_t>(TimecodeFrameRate(c).compatibleGroup())].emplace_back(c);
        return groups;
    }();
    return table[static_cast<std::size_t>(group)];
}

std::optional<VideoFrameRate> TimecodeFrameRate::videoFrameRate(bool interlaced) const {
    using V = VideoFrameRate;
    switch (case_) {
        case fps23_976: return interlaced ? std::nullopt : std::optional<V>(V::fps23_98p);
        case fps24: return interlaced ? std::nullopt : std::optional<V>(V::fps24p);
        case fps24_98: return interlaced ? std::nullopt : std::optional<V>(V::fps25p);
        case fps25: return interlaced ? V::fps25i : V::fps25p;
        case fps29_97:
        case fps29_97d: return interlaced ? V::fps29_97i : V::fps29_97p;
        case fps30:
        case fps30d: return interlaced ? std::nullopt : std::optional<V>(V::fps30p);
        case fps47_952: return interlaced ? std::nullopt : std::optional<V>(V::fps47_95p);
        case fps48: return interlaced ? std::nullopt : std::optional<V>(V::fps48p);
        case fps50: return interlaced ? V::fps50i : V::fps50p;
        case fps59_94:
        case fps59_94d: return interlaced ? V::fps59_94i : V::fps59_94p;
        case fps60: return interlaced ? V::fps60i : V::fps60p;
        case fps60d: return interlaced ? std::nullopt : std::optional<V>(V::fps60p);
        case fps90: return interlaced ? std::nullopt : std::optional<V>(V::fps90p);
        case fps95_904: return interlaced ? std::nullopt : std::optional<V>(V::fps95_9p);
        case fps96: return interlaced ? std::nullopt : std::optional<V>(V::fps96p);
        case fps100: return interlaced ? std::nullopt : std::optional<V>(V::fps100p);
        case fps119_88:
        case fps119_88d: return interlaced ? std::nullopt : std::optional<V>(V::fps119_88p);
        case fps120:
        case fps120d: return interlaced ? std::nullopt : std::optional<V>(V::fps120p);
    }
    return std::nullopt;
}

std::string_view description(TimecodeFrameRate::CompatibleGroup group) {
    switch (group) {
        case Group::ntscColor: return "NTSC Color";
        case Group::ntscDrop: return "NTSC Drop-Frame";
        case Group::whole: return "Whole";
        case Group::ntscColorWallTime: return "NTSC Color Wall Time";
    }
    return "";
}

}  // namespace tallyvane
