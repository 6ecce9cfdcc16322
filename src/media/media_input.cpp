#include "media/media_input.h"

#include "media/media_error.h"
#include "media/path_text.h"

extern "C" {
#include <libavutil/dict.h>
#include <libavutil/error.h>
}

namespace tallyvane::av {

std::string errorText(int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    if (av_strerror(code, text, sizeof text) < 0) return "error " + std::to_string(code);
    return text;
}

FormatPtr openInput(const std::filesystem::path& path, InputKind kind) {
    // A pipe or device under a media file's name would block or never end.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        throw MediaError("Cannot open " + quotedPath(path) + ": " +
                         (error ? error.message() : std::string("not a regular file")));
    }
    AVDictionary* options = nullptr;
    // The file protocol only: playlists and reference movies cannot pull in other sources.
    av_dict_set(&options, "protocol_whitelist", "file", 0);
    const AVInputFormat* format = nullptr;
    if (kind == InputKind::stillImage) {
        format = av_find_input_format("image2");
        av_dict_set(&options, "pattern_type", "none", 0);
    }
    // "file:" keeps a name such as "concat:x" or "subfile:y" from choosing a protocol.
    const std::string url = "file:" + path.string();
    AVFormatContext* context = nullptr;
    const int result = kind == InputKind::stillImage && format == nullptr
                           ? AVERROR_DEMUXER_NOT_FOUND
                           : avformat_open_input(&context, url.c_str(), format, &options);
    av_dict_free(&options);
    if (result < 0) throw MediaError("Cannot open " + quotedPath(path) + ": " + errorText(result));
    return FormatPtr(context);
}

void readStreamInfo(AVFormatContext& format, const std::filesystem::path& path) {
    const int result = avformat_find_stream_info(&format, nullptr);
    if (result < 0) {
        throw MediaError("Cannot read the streams of " + quotedPath(path) + ": " + errorText(result));
    }
}

}  // namespace tallyvane::av
