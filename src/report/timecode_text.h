#pragma once
// Frame counts as the timecode texts of the report's sheets: hours, minutes, seconds and
// frames at a rate, without days below one day and without subframes.

#include <optional>
#include <string>

#include "timecode/subframes_base.h"
#include "timecode/timecode.h"
#include "timecode/timecode_frame_rate.h"

namespace tallyvane {

// The timecode of a frame count with hundredths of a frame, or nothing when the count is
// no timecode at the rate: below zero, beyond the last frame of the limit, or not a number.
std::optional<Timecode> timecodeOfFrames(double frames, TimecodeFrameRate rate,
                                         TimecodeUpperLimit limit = TimecodeUpperLimit::max24Hours);

// Nothing when the count is no timecode at the rate: below zero, beyond the last frame of
// the limit, or not a number.
std::optional<std::string> timecodeText(double frames, TimecodeFrameRate rate,
                                        TimecodeUpperLimit limit = TimecodeUpperLimit::max24Hours);

// The text the list sheets show for a time that is no timecode.
inline constexpr std::string_view kNoTimecodeText = "??";

inline std::string timecodeTextOrUnknown(double frames, TimecodeFrameRate rate,
                                         TimecodeUpperLimit limit = TimecodeUpperLimit::max24Hours) {
    return timecodeText(frames, rate, limit).value_or(std::string(kNoTimecodeText));
}

}  // namespace tallyvane
