#include "movie_fixtures.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <fstream>
#include <iterator>
#include <sstream>

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


std::string probeKeptProperties(const std::filesystem::path& movie) {
    const std::string output =
        test::runCommand("ffprobe -v error -show_entries chapter=start_time,end_time:chapter_tags=title:"
                         "stream=codec_type,codec_name,sample_aspect_ratio,display_aspect_ratio,field_order,"
                         "color_primaries,color_transfer,color_space:stream_side_data_list:stream_disposition:"
                         "stream_tags=language,handler_name:format_tags=major_brand,title,comment -of compact " +
                         test::shellQuoted(movie.string()))
            .output;
    std::istringstream in(output);
    std::string kept;
    for (std::string line; std::getline(in, line);) {
        if (line.find("codec_type=data") == std::string::npos) kept += line + "\n";
    }
    return kept;
}

std::string packetDigests(const std::filesystem::path& movie) {
    return test::runCommand("ffmpeg -nostdin -v error -i " + test::shellQuoted(movie.string()) +
                            " -map 0:V -map 0:a? -c copy -f framemd5 -")
        .output;
}

}  // namespace tallyvane::testing
