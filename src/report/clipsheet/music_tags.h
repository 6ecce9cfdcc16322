#pragma once
// The music tags of an audio clip's file, for the clip sheet's eight tag columns.

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "media/media_metadata.h"
#include "model/story_element.h"

namespace tallyvane {

// In column order: "Song Title", "Album", "Track #", "Year", "Musical Genre", "Artist",
// "Composer", "Publisher".
struct MusicTags {
    std::string title;
    std::string album;
    std::string track;
    std::string year;
    std::string genre;
    std::string artist;
    std::string composer;
    std::string publisher;

    friend bool operator==(const MusicTags&, const MusicTags&) = default;
};

// Sorts the file's tags into the eight fields; a later tag replaces an earlier one of the
// same field. Tags under the media layer's common names (title, album, track, date,
// genre, artist, composer, publisher, in any letter case) are taken first; a few
// container-specific keys are known as they stand ("TRCK", "TYER", "info-genre", ...).
// Every other tag prints one "***  skip" line with its key and value.
MusicTags musicTagsFrom(const std::vector<MetadataEntry>& entries, std::ostream& diagnostics);

// Nothing unless the element's asset is an online audio file with a URL; eight empty
// fields when the file's tags cannot be read. Throws MediaModuleError when the media module
// cannot be loaded, which is no fault of the file.
std::optional<MusicTags> loadAudioMetadata(const StoryElement& element, std::ostream& diagnostics);

}  // namespace tallyvane
