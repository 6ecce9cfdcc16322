#include "timecode/feet_and_frames.h"

#include <cstdio>

#include "timecode/hash_combine.h"
#include "timecode/saturating.h"
#include "timecode/text_utilities.h"
#include "timecode/timecode_validation.h"

namespace tallyvane {

namespace {

const icu::RegexPattern* feetAndFramesPattern() {
    static const auto pattern = compilePattern(R"(^([\d]+)\+([\d]+)(?:\.([\d]+))?$)");
    return pattern.get();
}

std::string twoDigits(std::int64_t v) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02lld", static_cast<long long>(v));
    return buffer;
}

}  // namespace

FeetAndFrames FeetAndFrames::parse(std::string_view text, TimecodeSubFramesBase base) {
    const icu::RegexPattern* pattern = feetAndFramesPattern();
    if (pattern == nullptr) throw TimecodeStringParseError();
    auto matches = regexCaptureGroups(*pattern, text);
    if (matches.empty()) throw TimecodeStringParseError();
    const CaptureGroups& groups = matches.front();
    auto feet = parseInt64(groups[1].value_or(""));
    auto frames = parseInt64(groups[2].value_or(""));
    auto subFrames = groups[3] ? parseInt64(*groups[3]) : std::optional<std::int64_t>(0);
    if (!feet || !frames || !subFrames) throw TimecodeStringParseError();
    return {*feet, *frames, *subFrames, base};
}

TimecodeFrameCount FeetAndFrames::frameCount() const {
    std::int64_t total = saturatingInt64(static_cast<__int128>(feet) * 16 + frames);
    if (subFrames != 0) return {TimecodeFrameCount::Value::split(total, subFrames), subFramesBase};
    return {TimecodeFrameCount::Value::frames(total), subFramesBase};
}

std::string FeetAndFrames::description() const { return std::to_string(feet) + "+" + twoDigits(frames); }

std::string FeetAndFrames::subFramesDescription() const { return description() + "." + twoDigits(subFrames); }

}  // namespace tallyvane

std::size_t std::hash<tallyvane::FeetAndFrames>::operator()(const tallyvane::FeetAndFrames& f) const noexcept {
    std::size_t h = 0;
    for (std::int64_t v : {f.feet, f.frames, f.subFrames, static_cast<std::int64_t>(f.subFramesBase.rawValue())}) {
        h = tallyvane::hashCombine(h, std::hash<std::int64_t>()(v));
    }
    return h;
}
