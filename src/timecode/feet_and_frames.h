#pragma once
// A film length in feet and frames (16 frames to a foot), written "12+03".

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "timecode/frame_count.h"
#include "timecode/subframes_base.h"

namespace tallyvane {

struct FeetAndFrames {
    std::int64_t feet = 0;
    std::int64_t frames = 0;
    std::int64_t subFrames = 0;
    TimecodeSubFramesBase subFramesBase = TimecodeSubFramesBase::max80SubFrames;

    // "feet+frames" or "feet+frames.subframes", ASCII digits only; throws
    // TimecodeStringParseError for anything else or a number beyond 64 bits.
    static FeetAndFrames parse(std::string_view text, TimecodeSubFramesBase base);

    // The split form when there are subframes, else the frames form; a total beyond
    // 64 bits saturates.
    TimecodeFrameCount frameCount() const;
    std::string description() const;             // "12+03"
    std::string subFramesDescription() const;     // "12+03.40"

    friend bool operator==(const FeetAndFrames&, const FeetAndFrames&) = default;
};

}  // namespace tallyvane

template <>
struct std::hash<tallyvane::FeetAndFrames> {
    std::size_t operator()(const tallyvane::FeetAndFrames& f) const noexcept;
};
