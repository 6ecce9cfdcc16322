#include "media/media_metadata.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "media/media_error.h"
#include "media_fixtures.h"

namespace tallyvane {
namespace {

class MediaMetadataTest : public testing::MediaSuite {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(testing::makeTaggedSongs(newFolder().path())); }
};

std::ptrdiff_t indexOf(const std::vector<MetadataEntry>& entries, const std::string& key) {
    const auto found = std::find_if(entries.begin(), entries.end(),
                                    [&](const MetadataEntry& entry) { return entry.key == key; });
    return found == entries.end() ? -1 : found - entries.begin();
}

struct TagCase {
    const char* file;
    const char* key;
    const char* value;  // nullptr: the file does not carry the tag
};

TEST_F(MediaMetadataTest, ReadsTheTagsUnderFfmpegsKeysFileTagsFirst) {
    const std::vector<TagCase> cases = {
        {"song.m4a", "title", "Song Ü"},  {"song.m4a", "album", "Album"},
        {"song.m4a", "artist", "Artist"}, {"song.m4a", "composer", "Composer"},
        {"song.m4a", "genre", "Jazz"},    {"song.m4a", "date", "2021"},
        {"song.m4a", "track", "3"},       {"song.m4a", "language", "fra"},
        {"song.m4a", "publisher", nullptr},  // MP4 has no place for it
        {"song.mp3", "title", "Song Ü"},  {"song.mp3", "album", "Album"},
        {"song.mp3", "artist", "Artist"}, {"song.mp3", "composer", "Composer"},
        {"song.mp3", "genre", "Jazz"},    {"song.mp3", "date", "2021"},
        {"song.mp3", "track", "3"},       {"song.mp3", "publisher", "Label"},
        {"song.mp3", "mood", "calm"},  // a user-defined text frame
    };
    for (const TagCase& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " " + c.key);
        const std::vector<MetadataEntry> entries = readMediaMetadata(file(c.file));
        const std::ptrdiff_t index = indexOf(entries, c.key);
        if (c.value == nullptr) {
            EXPECT_EQ(index, -1);
        } else {
            ASSERT_GE(index, 0);
            EXPECT_EQ(entries[static_cast<std::size_t>(index)].value, c.value);
        }
        // The file's tags come before those of its sound stream.
        if (std::string(c.file) == "song.m4a" && c.value != nullptr && std::string(c.key) != "language") {
            EXPECT_LT(index, indexOf(entries, "language"));
        }
    }
}

TEST_F(MediaMetadataTest, UntaggedFilesGiveNoEntriesAndUnreadableOnesErrors) {
    EXPECT_TRUE(readMediaMetadata(file("bare.wav")).empty());
    for (const char* name : {"missing.mp3", "noise.mp3"}) {
        SCOPED_TRACE(name);
        try {
            readMediaMetadata(file(name));
            ADD_FAILURE() << "no error";
        } catch (const MediaError& error) {
            EXPECT_NE(std::string(error.what()).find(name), std::string::npos) << error.what();
        }
    }
}

}  // namespace
}  // namespace tallyvane
