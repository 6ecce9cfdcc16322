#include "movie_fixtures.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <fstream>
#include <iterator>

#include "support/shell_command.h"

namespace tallyvane::testing {

std::filesystem::path makeMovie(const std::filesystem::path& output, const std::string& arguments) {
    const std::string command =
        "ffmpeg -nostdin -hide_banner -loglevel error -y " + arguments + " " + test::shellQuoted(output.string());
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return output;
}

std::string videoSource(const std::string& rate, const std::string& seconds) {
    return "-f lavfi -i testsrc=size=32x24:rate=" + rate + " -t " + seconds;
}

std::string contents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::string probeStreams(const std::filesystem::path& movie) {
    return test::runCommand("ffprobe -v error -show_entries stream=index,codec_type,codec_tag_string:stream_tags=timecode "
                            "-of csv=p=0 " +
                            test::shellQuoted(movie.string()))
        .output;
}

}  // namespace tallyvane::testing
