#pragma once
// Opening media files with FFmpeg, restricted to plain local files.

#include <filesystem>
#include <string>

#include "media/av_handles.h"

namespace tallyvane::av {

enum class InputKind {
    probe,       // let FFmpeg recognise the container from the file's contents
    stillImage,  // one picture file through the image2 demuxer, chosen by its extension
};

// Opens the regular file for reading; throws MediaError naming the file and the reason.
// The name is always taken literally: "%" is no frame-number pattern, a "name:" prefix is no
// protocol, and the container may not reach out to any other file or network address.
FormatPtr openInput(const std::filesystem::path& path, InputKind kind);

// Reads a little of the file to learn what its streams hold; throws MediaError.
void readStreamInfo(AVFormatContext& format, const std::filesystem::path& path);

// FFmpeg's text for an error code.
std::string errorText(int code);

}  // namespace tallyvane::av
