#include "media_fixtures.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cmath>
#include <cstdlib>

namespace tallyvane::testing {

void runFfmpeg(const std::string& arguments) {
    const std::string command = "ffmpeg -nostdin -hide_banner -loglevel error -y " + arguments;
    const int status = std::system(command.c_str());
    ASSERT_EQ(status, 0) << command;
}

std::string numberedFramesSource(const std::string& size, const std::string& rate,
                                 const std::string& seconds) {
    return "color=c=black:s=" + size + ":r=" + rate + ":d=" + seconds +
           ",format=yuv420p,geq=lum='16+4*N':cb=128:cr=128";
}

Rgb pixelAt(const RgbImage& image, int x, int y) {
    const std::size_t offset = (static_cast<std::size_t>(y) * image.width + x) * 3;
    return {image.pixels.at(offset), image.pixels.at(offset + 1), image.pixels.at(offset + 2)};
}

int frameNumberOf(const RgbImage& image) {
    const Rgb centre = pixelAt(image, image.width / 2, image.height / 2);
    // Limited-range luma 16 + 4N expands to full-range grey 4N * 255 / 219.
    return static_cast<int>(std::lround(centre.green * 219.0 / 255.0 / 4.0));
}

}  // namespace tallyvane::testing
