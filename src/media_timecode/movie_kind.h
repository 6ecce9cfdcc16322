#pragma once
// Which kind of movie a file is, for writing it back as the same kind with a timecode
// track: QuickTime movies and MP4 files can hold one; no other container is rewritten.

#include <string>

#include "media/av_handles.h"
#include "media_timecode/media_asset.h"

namespace tallyvane {

struct MovieKind {
    const char* muxer;  // FFmpeg's name of the writer: "mov" or "mp4"
    std::string brand;  // MP4 only: the major brand the file declares

    bool isMp4() const { return !brand.empty(); }
};

// Throws TimecodeMediaWriteError naming the container of any other file, and MediaError
// when the file cannot be opened as media.
MovieKind movieKind(const AVFormatContext& input, const std::filesystem::path& path);
MovieKind movieKind(const MediaAsset& movie);

}  // namespace tallyvane
