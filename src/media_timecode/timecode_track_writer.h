#pragma once
// Writing a movie with a one-sample timecode track: the start timecode's frame number,
// lasting the given duration (by default the movie's), referred to as timecode by every
// video track. The result is the same kind of file as the source (a QuickTime movie, or an
// MP4 file of the same brand) with every stream, property and chapter a copy can carry.
// It goes to a temporary file beside the destination (the target of a symbolic link), is
// read back and checked, and only then renamed over it; the source is never changed.

#include <filesystem>
#include <optional>

#include "media_timecode/media_asset.h"
#include "timecode/timecode.h"

namespace tallyvane {

// The sample description of the new track.
struct TimecodeTrackFormat {
    Fraction frameDuration;
    int frameQuanta = 0;
    std::uint32_t flags = 0;

    static TimecodeTrackFormat of(const Timecode& startTimecode);
};

// Keeps the movie's timecode tracks. Without a duration, the movie's duration at its own
// timecode frame rate (TimecodeMediaParseError when none is found), 100 subframes, 24 hours.
// Returns the new track as read back from the destination. Throws MediaError when the
// movie cannot be read, and TimecodeMediaWriteError, before anything is written, for an
// invalid start timecode or a file of another kind, or when the result cannot be written.
MediaTrack insertTimecodeTrack(const MediaAsset& movie, const std::filesystem::path& destination,
                               const Timecode& startTimecode, const std::optional<Timecode>& duration = std::nullopt,
                               const TimecodeFormatExtensions& extensions = {});

// Drops the movie's timecode tracks first; the default duration is the length of what
// remains, taken at the start timecode's own frame rate.
MediaTrack replaceTimecodeTracks(const MediaAsset& movie, const std::filesystem::path& destination,
                                 const Timecode& startTimecode, const std::optional<Timecode>& duration = std::nullopt,
                                 const TimecodeFormatExtensions& extensions = {});

}  // namespace tallyvane
