#include "media/rgb_image.h"

#include <gtest/gtest.h>

#include "media/media_error.h"

namespace tallyvane {
namespace {

TEST(RgbImageTest, ScaledHeightKeepsTheAspectTruncatedAndPositive) {
    const struct {
        std::int64_t width, height, newWidth, expected;
    } cases[] = {
        {1920, 1080, 160, 90},
        {4000, 3000, 160, 120},
        {100, 75, 160, 120},
        {333, 250, 160, 120},
        {320, 240, 101, 75},
        {4000, 8, 160, 1},      // less than a row still gives one
        {1, 16384, 16384, 268435456},
        {3, 2, 1, 1},
        {INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX},  // no overflow on the way
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height) + " to " +
                     std::to_string(c.newWidth));
        EXPECT_EQ(scaledHeight(c.width, c.height, c.newWidth), c.expected);
    }
}

TEST(RgbImageTest, RefusesSizesNoPictureShouldHave) {
    const struct {
        std::int64_t width, height;
        bool allowed;
    } cases[] = {
        {1, 1, true},
        {kMaxImageSide, 1, true},
        {8192, 8192, true},
        {0, 10, false},
        {10, -1, false},
        {kMaxImageSide + 1, 1, false},
        {1, kMaxImageSide + 1, false},
        {16384, 16384, false},  // each side fits, the area does not
        {INT64_MAX, INT64_MAX, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        if (c.allowed) {
            EXPECT_NO_THROW(checkImageSize(c.width, c.height));
        } else {
            EXPECT_THROW(checkImageSize(c.width, c.height), MediaError);
        }
    }
    const RgbImage image = RgbImage::blank(3, 2);
    EXPECT_EQ(image.pixels.size(), 18u);
    EXPECT_THROW(RgbImage::blank(0, 5), MediaError);
}

}  // namespace
}  // namespace tallyvane
