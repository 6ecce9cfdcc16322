#include "movie_fixtures.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <array>
#include <cstdio>
#include <memory>

namespace tallyvane::testing {

std::filesystem::path makeMovie(const std::filesystem::path& output, const std::string& arguments) {
    const std::string command =
        "ffmpeg -nostdin -hide_banner -loglevel error -y " + arguments + " '" + output.string() + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return output;
}

std::string videoSource(const std::string& rate, const std::string& seconds) {
    return "-f lavfi -i testsrc=size=32x24:rate=" + rate + " -t " + seconds;
}

std::string probeStreams(const std::filesystem::path& movie) {
    const std::string command =
        "ffprobe -v error -show_entries stream=index,codec_type,codec_tag_string:stream_tags=timecode "
        "-of csv=p=0 '" +
        movie.string() + "'";
    const std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe) return {};
    std::string text;
    std::array<char, 256> buffer{};
    while (std::fgets(buffer.data(), buffer.size(), pipe.get()) != nullptr) text += buffer.data();
    return text;
}

}  // namespace tallyvane::testing
