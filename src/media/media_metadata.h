#pragma once
// Tags of a media file (title, artist, track, ...) as FFmpeg reads them.

#include <filesystem>
#include <string>
#include <vector>

namespace tallyvane {

struct MetadataEntry {
    std::string key;    // FFmpeg's key: "title", "album", "track", "date", "TXXX", ...
    std::string value;  // as stored in the file; not checked for valid UTF-8
};

// The file's container-level tags, then those of its first audio stream, each group in the
// order FFmpeg lists them. Where both levels carry a key, both entries are returned and the
// stream's comes later. Throws MediaError when the file cannot be opened as media.
std::vector<MetadataEntry> readMediaMetadata(const std::filesystem::path& path);

}  // namespace tallyvane
