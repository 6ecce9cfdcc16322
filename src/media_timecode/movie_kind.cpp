#include "media_timecode/movie_kind.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "media/media_init.h"
#include "media/media_input.h"
#include "media/path_text.h"
#include "media_timecode/media_timecode_errors.h"

namespace tallyvane {

namespace {

// Brands of plain ISO/MP4 files. A camera's own brand comes with one of them among the
// compatible brands, and so do 3GPP files and iTunes audio, which FFmpeg writes with
// other rules than MP4.
constexpr std::array<std::string_view, 9> mp4Brands = {"isom", "iso2", "iso3", "iso4", "iso5",
                                                       "iso6", "mp41", "mp42", "avc1"};
constexpr std::array<std::string_view, 5> otherKindPrefixes = {"3g", "M4A", "M4B", "M4P", "mj"};

bool isMp4Brand(std::string_view brand) { return std::ranges::find(mp4Brands, brand) != mp4Brands.end(); }

bool isOtherKind(std::string_view brand) {
    return std::ranges::any_of(otherKindPrefixes, [&](std::string_view prefix) { return brand.starts_with(prefix); });
}

bool namesMp4Brand(std::string_view brands) {
    for (std::size_t at = 0; at + 4 <= brands.size(); at += 4) {
        if (isMp4Brand(brands.substr(at, 4))) return true;
    }
    return false;
}

[[noreturn]] void refuse(const std::filesystem::path& path, const std::string& kind) {
    throw TimecodeMediaWriteError(quotedPath(path) + " is " + kind +
                                  "; only QuickTime movies and MP4 files can hold a timecode track");
}

}  // namespace

MovieKind movieKind(const AVFormatContext& input, const std::filesystem::path& path) {
    const std::string_view demuxer = input.iformat->name;
    if (demuxer != "mov,mp4,m4a,3gp,3g2,mj2") {
        const char* name = input.iformat->long_name != nullptr ? input.iformat->long_name : input.iformat->name;
        refuse(path, std::string("a file of the container ") + name);
    }
    const AVDictionaryEntry* brand = av_dict_get(input.metadata, "major_brand", nullptr, AV_DICT_MATCH_CASE);
    // A movie without a file type box is a QuickTime movie of the first days.
    if (brand == nullptr || std::string_view(brand->value) == "qt  ") return MovieKind{"mov", ""};
    const AVDictionaryEntry* compatible =
        av_dict_get(input.metadata, "compatible_brands", nullptr, AV_DICT_MATCH_CASE);
    const bool camera = !isOtherKind(brand->value) && compatible != nullptr && namesMp4Brand(compatible->value);
    if (!isMp4Brand(brand->value) && !camera) {
        refuse(path, std::string("an ISO media file of the brand \"") + brand->value + "\"");
    }
    return MovieKind{"mp4", brand->value};
}

MovieKind movieKind(const MediaAsset& movie) {
    initMedia();
    const av::FormatPtr input = av::openInput(movie.path(), av::InputKind::probe);
    return movieKind(*input, movie.path());
}

}  // namespace tallyvane
