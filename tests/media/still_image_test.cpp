#include "media/still_image.h"

#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "media/media_error.h"
#include "media_fixtures.h"
#include "support/shell_command.h"

namespace tallyvane {
namespace {

using testing::TemporaryFolder;

class StillImageTest : public testing::MediaSuite {
protected:
    static void SetUpTestSuite() {
        const TemporaryFolder& f = newFolder();
        const auto still = [&](const std::string& colour, const std::string& size,
                               const std::string& name) {
            testing::runFfmpeg("-f lavfi -i color=c=" + colour + ":s=" + size +
                               " -frames:v 1 -update 1 " + test::shellQuoted((f / name).string()));
        };
        still("blue", "400x300", "wide.png");
        still("lime", "100x50", "small.jpg");
        std::filesystem::copy_file(f / "small.jpg", f / "CAMERA.JPG");
        still("red", "333x250", "odd.tiff");
        still("white", "4000x8", "panorama.bmp");
        // A name that the image2 demuxer would read as a frame-number pattern, next to a file
        // that the pattern would match.
        still("red", "64x64", "pattern.png");
        still("lime", "64x64", "frame1.png");
        std::filesystem::copy_file(f / "pattern.png", f / "frame%d.png");
        std::ofstream(f / "text.png") << "not a picture";
    }
};

struct ScaleCase {
    const char* file;
    int width;
    int expectedHeight = 0;  // 0: the file or the width cannot be served
    testing::Rgb colour = {};
};

TEST_F(StillImageTest, ScalesToTheWidthUpOrDownOrRefuses) {
    const std::vector<ScaleCase> cases = {
        {"wide.png", 160, 120, {0, 0, 255}},
        {"wide.png", 400, 300, {0, 0, 255}},
        {"wide.png", 800, 600, {0, 0, 255}},
        {"small.jpg", 160, 80, {0, 255, 0}},  // enlarged 1.6 times
        {"CAMERA.JPG", 50, 25, {0, 255, 0}},
        {"odd.tiff", 160, 120, {255, 0, 0}},  // 120.12 rows truncate
        {"panorama.bmp", 160, 1, {255, 255, 255}},  // never less than one row
        {"frame%d.png", 32, 32, {255, 0, 0}},  // the file itself, not frame1.png
        {"missing.png", 160},
        {"text.png", 160},
        {"wide.png", 0},
        {"wide.png", -160},
        {"wide.png", 100000},  // would need a gigapixel picture
        {"panorama.bmp", 20000},
    };
    for (const ScaleCase& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " to " + std::to_string(c.width));
        if (c.expectedHeight == 0) {
            EXPECT_THROW(loadStillImage(file(c.file), c.width), MediaError);
            continue;
        }
        const RgbImage image = loadStillImage(file(c.file), c.width);
        EXPECT_EQ(image.width, c.width);
        EXPECT_EQ(image.height, c.expectedHeight);
        ASSERT_EQ(image.pixels.size(), static_cast<std::size_t>(image.width) * image.height * 3);
        const testing::Rgb centre = testing::pixelAt(image, image.width / 2, image.height / 2);
        EXPECT_NEAR(centre.red, c.colour.red, 8);
        EXPECT_NEAR(centre.green, c.colour.green, 8);
        EXPECT_NEAR(centre.blue, c.colour.blue, 8);
    }
}

}  // namespace
}  // namespace tallyvane
