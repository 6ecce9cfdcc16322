#include "media/rgb_image.h"

#include <algorithm>
#include <string>

#include "media/media_error.h"

namespace tallyvane {

void checkImageSize(std::int64_t width, std::int64_t height) {
    if (width <= 0 || height <= 0 || width > kMaxImageSide || height > kMaxImageSide ||
        width * height > kMaxImagePixels) {
        throw MediaError("An image of " + std::to_string(width) + " x " + std::to_string(height) +
                         " pixels cannot be made");
    }
}

RgbImage RgbImage::blank(int width, int height) {
    checkImageSize(width, height);
    RgbImage image;
    image.width = width;
    image.height = height;
    image.pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3, 0);
    return image;
}

std::int64_t scaledHeight(std::int64_t width, std::int64_t height, std::int64_t newWidth) {
    // 128-bit product: a damaged header's sizes must not overflow into a small positive height.
    const auto product = static_cast<__int128>(height) * newWidth;
    const auto result = product / width;
    if (result > INT64_MAX) return INT64_MAX;
    return std::max<std::int64_t>(1, static_cast<std::int64_t>(result));
}

}  // namespace tallyvane
