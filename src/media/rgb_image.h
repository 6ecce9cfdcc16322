#pragma once
// A decoded picture as tightly packed 8-bit RGB rows, top row first.

#include <cstdint>
#include <vector>

namespace tallyvane {

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;  // width * height * 3 bytes

    // A black image of the given size; throws MediaError when the size is not positive or
    // too large to be a picture worth allocating (see checkImageSize).
    static RgbImage blank(int width, int height);
};

// Largest side and area the media layer will allocate: far beyond any thumbnail, yet small
// enough that a wild width or a damaged header cannot ask for gigabytes.
inline constexpr int kMaxImageSide = 16384;
inline constexpr std::int64_t kMaxImagePixels = std::int64_t{64} * 1024 * 1024;

// Throws MediaError unless width and height are positive and within the limits above.
void checkImageSize(std::int64_t width, std::int64_t height);

// The height that keeps the aspect ratio of a width x height picture drawn newWidth wide,
// truncated toward zero and at least 1. All arguments must be positive.
std::int64_t scaledHeight(std::int64_t width, std::int64_t height, std::int64_t newWidth);

}  // namespace tallyvane
