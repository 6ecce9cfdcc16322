#pragma once
// How wide a Thumbnail column is for its pictures, and the widest picture one can hold.

#include <cstdint>

#include "xlsx/worksheet.h"

namespace tallyvane {

// A Thumbnail column is as wide as its pictures: a character of the column's width is 7
// pixels, and 5 more pad the picture.
inline constexpr std::int64_t kThumbnailPixelsPerCharacter = 7;
inline constexpr std::int64_t kThumbnailPadding = 5;
// The widest picture a Thumbnail column holds; a wider one would cover the next columns.
inline constexpr std::int64_t kMaxThumbnailWidth =
    static_cast<std::int64_t>(xlsx::kMaxColumnWidth) * kThumbnailPixelsPerCharacter + kThumbnailPadding;

}  // namespace tallyvane
