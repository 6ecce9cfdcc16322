#pragma once
// The entry points of the media module, the shared object that holds the FFmpeg half of the
// media layer. `MediaLibrary` opens it and calls through this table; nothing else includes
// this header.

#include <filesystem>
#include <vector>

#include "media/media_metadata.h"
#include "media/rgb_image.h"
#include "media/video_frame_grabber.h"

namespace tallyvane {

struct MediaModuleFunctions {
    std::vector<MetadataEntry> (*readMediaMetadata)(const std::filesystem::path& path);
    RgbImage (*loadStillImage)(const std::filesystem::path& path, int width);
    // An open video file as an opaque grabber, its frames and its closing.
    void* (*openVideo)(const std::filesystem::path& path);
    RgbImage (*frameAt)(void* video, RationalSeconds time, int maxWidth);
    void (*closeVideo)(void* video);
    bool (*proVideoDecodersPresent)();
};

}  // namespace tallyvane

// The module's one exported symbol: the table, after FFmpeg's logging has been silenced.
extern "C" const tallyvane::MediaModuleFunctions* tallyvaneMediaModule();
