#pragma once
// Movies made at test time with the ffmpeg command-line tool, in a private temporary folder.

#include <filesystem>
#include <optional>
#include <string>

#include "media_timecode/media_timecode_errors.h"
#include "media_timecode/timecode_reading.h"
#include "support/temporary_folder.h"

namespace tallyvane::testing {

using test::TemporaryFolder;

// Reads at the file's own rate.
inline constexpr TimecodeQuery fromFile{std::nullopt, TimecodeSubFramesBase::max80SubFrames,
                                        TimecodeUpperLimit::max24Hours};

// Runs ffmpeg quietly with the arguments (shell syntax) and makes `output`; fails the test
// when ffmpeg does.
std::filesystem::path makeMovie(const std::filesystem::path& output, const std::string& arguments);

// A small video-only movie from a test pattern at the rate ("25", "30000/1001").
std::string videoSource(const std::string& rate, const std::string& seconds = "0.4");

// The file's bytes.
std::string contents(const std::filesystem::path& path);

// The code of the parse error the call throws, or nothing when it throws none.
template <typename Call>
std::optional<TimecodeMediaParseError::Code> parseErrorOf(Call&& call) {
    try {
        call();
    } catch (const TimecodeMediaParseError& error) {
        return error.code();
    }
    return std::nullopt;
}

// ffprobe's answer for every stream, one "index,type,tag[,timecode]" line each.
std::string probeStreams(const std::filesystem::path& movie);

// ffprobe's view of what a copy must keep: the container's brand and tags, the chapters,
// and every stream but the data streams (timecode and chapter tracks) with its aspect
// ratio, field order, colour, side data, dispositions, language and handler.
std::string probeKeptProperties(const std::filesystem::path& movie);

// ffmpeg's digest of every video and audio packet, as copied.
std::string packetDigests(const std::filesystem::path& movie);

}  // namespace tallyvane::testing
