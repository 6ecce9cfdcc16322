#include "media_timecode/stream_properties.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "media_timecode/media_timecode_errors.h"

namespace tallyvane {

namespace {

// Tags the demuxer makes up from the file type box, the timecode the new track replaces,
// and the writing application's name, which the muxer sets itself.
constexpr std::array<std::string_view, 5> containerOwnTags = {"major_brand", "minor_version", "compatible_brands",
                                                              "timecode", "encoder"};

// The stream tags the muxer writes from what it is given; others, such as the vendor of
// a sample description, it sets itself.
constexpr std::array<std::string_view, 2> carriedStreamTags = {"language", "handler_name"};

bool isContainerOwnTag(const char* key) {
    return std::ranges::find(containerOwnTags, std::string_view(key)) != containerOwnTags.end();
}

AVDictionary* copyWithout(const AVDictionary* metadata, bool (*dropped)(const char*)) {
    AVDictionary* copy = nullptr;
    const AVDictionaryEntry* entry = nullptr;
    while ((entry = av_dict_get(metadata, "", entry, AV_DICT_IGNORE_SUFFIX)) != nullptr) {
        if (dropped(entry->key)) continue;
        if (av_dict_set(&copy, entry->key, entry->value, 0) < 0) {
            av_dict_free(&copy);
            throw TimecodeMediaWriteError("out of memory copying metadata");
        }
    }
    return copy;
}

// A "timecode" tag would make the muxer add a timecode track of its own.
bool isTimecodeTag(const char* key) { return std::string_view(key) == "timecode"; }

bool sameTag(const AVDictionary* before, const AVDictionary* after, const char* key) {
    const AVDictionaryEntry* a = av_dict_get(before, key, nullptr, AV_DICT_MATCH_CASE);
    const AVDictionaryEntry* b = av_dict_get(after, key, nullptr, AV_DICT_MATCH_CASE);
    return (a == nullptr) == (b == nullptr) && (a == nullptr || std::string_view(a->value) == b->value);
}

std::string tagName(std::string_view key) { return "the tag \"" + std::string(key) + "\""; }

AVRational aspectRatio(const AVFormatContext& format, const AVStream& stream) {
    return av_guess_sample_aspect_ratio(const_cast<AVFormatContext*>(&format), const_cast<AVStream*>(&stream),
                                        nullptr);
}

const AVPacketSideData* sideData(const AVStream& stream, AVPacketSideDataType type) {
    for (int i = 0; i < stream.nb_side_data; ++i) {
        if (stream.side_data[i].type == type) return &stream.side_data[i];
    }
    return nullptr;
}

bool sameSideData(const AVPacketSideData& a, const AVPacketSideData* b) {
    return b != nullptr && a.size == b->size && std::equal(a.data, a.data + a.size, b->data);
}

bool sameChapter(const AVChapter& a, const AVChapter& b) {
    return sameTag(a.metadata, b.metadata, "title") && av_compare_ts(a.start, a.time_base, b.start, b.time_base) == 0 &&
           av_compare_ts(a.end, a.time_base, b.end, b.time_base) == 0;
}

}  // namespace

void copyStreamProperties(const AVFormatContext& input, const AVStream& in, AVStream& out) {
    if (avcodec_parameters_copy(out.codecpar, in.codecpar) < 0) {
        throw TimecodeMediaWriteError("out of memory copying a track's parameters");
    }
    // The container's pixel aspect ratio is the stream's; codecs such as ProRes carry none.
    const AVRational aspect = aspectRatio(input, in);
    out.sample_aspect_ratio = aspect;
    out.codecpar->sample_aspect_ratio = aspect;
    out.time_base = in.time_base;
    out.avg_frame_rate = in.avg_frame_rate;
    out.r_frame_rate = in.r_frame_rate;
    out.disposition = in.disposition;
    out.metadata = copyWithout(in.metadata, isTimecodeTag);
    for (int i = 0; i < in.nb_side_data; ++i) {
        const AVPacketSideData& side = in.side_data[i];
        std::uint8_t* data = av_stream_new_side_data(&out, side.type, side.size);
        if (data == nullptr) throw TimecodeMediaWriteError("out of memory copying track side data");
        std::copy(side.data, side.data + side.size, data);
    }
}

void copyContainerProperties(const AVFormatContext& input, AVFormatContext& output) {
    output.metadata = copyWithout(input.metadata, isContainerOwnTag);
    for (unsigned i = 0; i < input.nb_chapters; ++i) {
        const AVChapter& chapter = *input.chapters[i];
        auto* copy = static_cast<AVChapter*>(av_mallocz(sizeof(AVChapter)));
        // Once added, the chapter and its tags are freed with the output.
        int count = static_cast<int>(output.nb_chapters);
        if (copy == nullptr || av_dynarray_add_nofree(&output.chapters, &count, copy) < 0) {
            av_free(copy);
            throw TimecodeMediaWriteError("out of memory copying chapters");
        }
        output.nb_chapters = static_cast<unsigned>(count);
        copy->id = chapter.id;
        copy->time_base = chapter.time_base;
        copy->start = chapter.start;
        copy->end = chapter.end;
        if (av_dict_copy(&copy->metadata, chapter.metadata, 0) < 0) {
            throw TimecodeMediaWriteError("out of memory copying chapters");
        }
    }
}

std::string changedStreamProperty(const AVFormatContext& source, const AVStream& before,
                                  const AVFormatContext& written, const AVStream& after) {
    const AVCodecParameters& a = *before.codecpar;
    const AVCodecParameters& b = *after.codecpar;
    if (a.codec_id != b.codec_id) return "the codec";
    if (av_cmp_q(aspectRatio(source, before), aspectRatio(written, after)) != 0) return "the pixel aspect ratio";
    if (a.field_order != b.field_order) return "the field order";
    if (a.color_range != b.color_range || a.color_primaries != b.color_primaries || a.color_trc != b.color_trc ||
        a.color_space != b.color_space) {
        return "the colour description";
    }
    if (before.disposition != after.disposition) return "the disposition";
    for (int i = 0; i < before.nb_side_data; ++i) {
        const AVPacketSideData& side = before.side_data[i];
        if (!sameSideData(side, sideData(after, side.type))) {
            return std::string("the side data \"") + av_packet_side_data_name(side.type) + "\"";
        }
    }
    for (const std::string_view key : carriedStreamTags) {
        if (!sameTag(before.metadata, after.metadata, key.data())) return tagName(key);
    }
    return {};
}

std::string changedContainerProperty(const AVFormatContext& before, const AVFormatContext& after) {
    if (before.nb_chapters != after.nb_chapters) return "the chapters";
    for (unsigned i = 0; i < before.nb_chapters; ++i) {
        if (!sameChapter(*before.chapters[i], *after.chapters[i])) return "the chapters";
    }
    const AVDictionaryEntry* entry = nullptr;
    while ((entry = av_dict_get(before.metadata, "", entry, AV_DICT_IGNORE_SUFFIX)) != nullptr) {
        if (!isContainerOwnTag(entry->key) && !sameTag(before.metadata, after.metadata, entry->key)) {
            return tagName(entry->key);
        }
    }
    return {};
}

}  // namespace tallyvane
