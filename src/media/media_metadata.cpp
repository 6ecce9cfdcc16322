#include "media/media_metadata.h"

#include "media/media_input.h"

extern "C" {
#include <libavutil/dict.h>
}

namespace tallyvane {
namespace {

void appendEntries(const AVDictionary* dictionary, std::vector<MetadataEntry>& entries) {
    const AVDictionaryEntry* entry = nullptr;
    while ((entry = av_dict_get(dictionary, "", entry, AV_DICT_IGNORE_SUFFIX)) != nullptr) {
        entries.push_back({entry->key, entry->value});
    }
}

}  // namespace

std::vector<MetadataEntry> readMediaMetadata(const std::filesystem::path& path) {
    // The tags are read with the header; no packets need to be decoded.
    av::FormatPtr format = av::openInput(path, av::InputKind::probe);
    std::vector<MetadataEntry> entries;
    appendEntries(format->metadata, entries);
    for (unsigned i = 0; i < format->nb_streams; ++i) {
        const AVStream* stream = format->streams[i];
        if (stream->codecpar->codec_type == AVMEDIA_TYPE_AUDIO) {
            appendEntries(stream->metadata, entries);
            break;
        }
    }
    return entries;
}

}  // namespace tallyvane
