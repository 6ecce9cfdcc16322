#pragma once
// Picture files (JPEG, PNG, TIFF, ...) used as clips.

#include <filesystem>

#include "media/rgb_image.h"

namespace tallyvane {

// The first picture of the file, scaled to exactly `width` pixels wide (up or down), its
// height in the same proportion of its pixel grid (truncated, at least one row). The format
// follows from the file's extension. Throws MediaError when the file cannot be read, `width`
// is not positive, or the result would be unreasonably large.
RgbImage loadStillImage(const std::filesystem::path& path, int width);

}  // namespace tallyvane
