#pragma once
// Thumbnail files: writing pictures as JPEG and reading back the height of one.

#include <filesystem>
#include <optional>

#include "media/rgb_image.h"

namespace tallyvane {

// Quality of the thumbnails a report writes (the scale runs from 1 to 100).
inline constexpr int kThumbnailJpegQuality = 80;

// Writes the picture as a baseline JPEG at `quality` (1 to 100). The file appears complete
// or not at all: it is written beside the destination and renamed over it, so a failed
// write never leaves a truncated file that a later run would take for a finished one.
// Throws MediaError.
void writeJpeg(const RgbImage& image, const std::filesystem::path& path, int quality);

// The pixel height recorded in an existing JPEG file; nothing when the file is missing,
// unreadable or not a JPEG.
std::optional<int> readJpegHeight(const std::filesystem::path& path);

}  // namespace tallyvane
