#include "report/clipsheet/music_tags.h"

#include <algorithm>
#include <array>
#include <utility>

#include "media/media_error.h"
#include "media/media_library.h"
#include "model/asset.h"
#include "report/clipsheet/media_location.h"

namespace tallyvane {

namespace {

using Field = std::string MusicTags::*;

bool equalIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
               return lower(x) == lower(y);
           });
}

// FFmpeg's own dictionary lookups ignore letter case, and Vorbis comments arrive upper-case.
constexpr std::array<std::pair<std::string_view, Field>, 8> kCommonKeys{{
    {"title", &MusicTags::title},
    {"album", &MusicTags::album},
    {"track", &MusicTags::track},
    {"date", &MusicTags::year},
    {"genre", &MusicTags::genre},
    {"artist", &MusicTags::artist},
    {"composer", &MusicTags::composer},
    {"publisher", &MusicTags::publisher},
}};

constexpr std::array<std::pair<std::string_view, Field>, 8> kKeyTexts{{
    {"info-track number", &MusicTags::track},
    {"TRCK", &MusicTags::track},
    {"info-year", &MusicTags::year},
    {"TYER", &MusicTags::year},
    {"TDRC", &MusicTags::year},
    {"TXXX", &MusicTags::year},
    {"info-genre", &MusicTags::genre},
    {"info-composer", &MusicTags::composer},
}};

std::optional<Field> fieldFor(std::string_view key) {
    for (const auto& [name, field] : kCommonKeys) {
        if (equalIgnoringAsciiCase(name, key)) return field;
    }
    for (const auto& [name, field] : kKeyTexts) {
        if (name == key) return field;
    }
    return std::nullopt;
}

}  // namespace

MusicTags musicTagsFrom(const std::vector<MetadataEntry>& entries, std::ostream& diagnostics) {
    MusicTags tags;
    for (const MetadataEntry& entry : entries) {
        if (const std::optional<Field> field = fieldFor(entry.key)) {
            tags.*(*field) = entry.value;
        } else {
            diagnostics << "***  skip " << entry.key << ' ' << entry.value << '\n';
        }
    }
    return tags;
}

std::optional<MusicTags> loadAudioMetadata(const StoryElement& element, std::ostream& diagnostics) {
    const std::shared_ptr<Asset>& asset = element.asset();
    if (!asset || asset->category() != Asset::Category::Audio || !asset->online() || !asset->url()) {
        return std::nullopt;
    }
    const std::optional<std::filesystem::path> file = localMediaPath(*asset->url());
    if (!file) return MusicTags{};
    try {
        return musicTagsFrom(MediaLibrary().readMetadata(*file), diagnostics);
    } catch (const MediaModuleError&) {
        throw;
    } catch (const MediaError&) {
        return MusicTags{};
    }
}

}  // namespace tallyvane
