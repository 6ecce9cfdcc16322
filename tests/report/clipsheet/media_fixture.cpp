#include "media_fixture.h"

#include <cmath>
#include <cstdlib>

namespace tallyvane::testing {

bool runFfmpeg(const std::string& arguments) {
    const std::string command = "ffmpeg -nostdin -hide_banner -loglevel error -y " + arguments;
    return std::system(command.c_str()) == 0;
}

std::string numberedFramesSource(const std::string& size, const std::string& rate, const std::string& seconds) {
    return "color=c=black:s=" + size + ":r=" + rate + ":d=" + seconds + ",format=yuv420p,geq=lum='16+4*N':cb=128:cr=128";
}

int frameNumberOf(const RgbImage& image) {
    const std::size_t centre = (static_cast<std::size_t>(image.height / 2) * image.width + image.width / 2) * 3;
    // Limited-range luma 16 + 4N expands to full-range grey 4N * 255 / 219.
    return static_cast<int>(std::lround(image.pixels.at(centre + 1) * 219.0 / 255.0 / 4.0));
}

std::string fileUrl(const std::filesystem::path& path) {
    std::string url = "file://";
    for (const char c : path.string()) {
        if (c == ' ') {
            url += "%20";
        } else if (c == '%') {
            url += "%25";
        } else {
            url += c;
        }
    }
    return url;
}

}  // namespace tallyvane::testing
