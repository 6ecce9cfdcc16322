#include "media_fixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>

#include "media/media_init.h"
#include "support/shell_command.h"

namespace tallyvane::testing {

const TemporaryFolder& MediaSuite::newFolder() {
    initMedia();
    folder_ = std::make_unique<TemporaryFolder>();
    return *folder_;
}

bool runFfmpeg(const std::string& arguments) {
    const std::string command = "ffmpeg -nostdin -hide_banner -loglevel error -y " + arguments;
    const int status = std::system(command.c_str());
    EXPECT_EQ(status, 0) << command;
    return status == 0;
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

bool makeTaggedSongs(const std::filesystem::path& folder) {
    const auto out = [&](const char* name) { return test::shellQuoted((folder / name).string()); };
    const std::string tags =
        " -metadata title=\"Song \u00dc\" -metadata album=Album -metadata artist=Artist"
        " -metadata composer=Composer -metadata genre=Jazz -metadata date=2021"
        " -metadata track=3 -metadata publisher=Label -metadata mood=calm ";
    std::ofstream(folder / "noise.mp3", std::ios::binary) << std::string(64, '\0');
    return runFfmpeg("-f lavfi -i sine=duration=0.2 -c:a aac" + tags + "-metadata:s:a:0 language=fra " +
                     out("song.m4a")) &&
           runFfmpeg("-f lavfi -i sine=duration=0.2 -c:a libmp3lame -id3v2_version 3" + tags + out("song.mp3")) &&
           runFfmpeg("-f lavfi -i sine=duration=0.2 -map_metadata -1 -fflags +bitexact -flags:a +bitexact " +
                     out("bare.wav"));
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
