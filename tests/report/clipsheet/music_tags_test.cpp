#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "clip_sheet_fixture.h"
#include "../../media/media_fixtures.h"
#include "report/clipsheet/music_tags.h"
#include "support/shell_command.h"

namespace tallyvane {
namespace {

using testing::makeAsset;
using testing::makeElement;

TEST(MusicTags, TagsSortIntoTheirFields) {
    const struct {
        const char* name;
        std::vector<MetadataEntry> entries;
        MusicTags tags;
        const char* skipped;
    } cases[] = {
        {"common names",
         {{"title", "T"}, {"album", "A"}, {"track", "3"}, {"date", "2021"}, {"genre", "G"}, {"artist", "R"},
          {"composer", "C"}, {"publisher", "P"}},
         {"T", "A", "3", "2021", "G", "R", "C", "P"},
         ""},
        {"any letter case", {{"TITLE", "T"}, {"Artist", "R"}}, {.title = "T", .artist = "R"}, ""},
        {"container keys",
         {{"TYER", "1999"}, {"TRCK", "7"}, {"info-genre", "G"}, {"info-composer", "C"}},
         {.track = "7", .year = "1999", .genre = "G", .composer = "C"},
         ""},
        {"container keys match exactly", {{"tyer", "1999"}, {"Info-genre", "G"}}, {},
         "***  skip tyer 1999\n***  skip Info-genre G\n"},
        {"a later tag replaces an earlier one", {{"TYER", "1999"}, {"TXXX", "2000"}, {"title", "a"}, {"title", "b"}},
         {.title = "b", .year = "2000"}, ""},
        {"others are skipped", {{"language", "fra"}, {"title", "T"}, {"encoder", "Lavf"}}, {.title = "T"},
         "***  skip language fra\n***  skip encoder Lavf\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::ostringstream log;
        EXPECT_EQ(musicTagsFrom(c.entries, log), c.tags);
        EXPECT_EQ(log.str(), c.skipped);
    }
}

class MusicFilesTest : public testing::ClipSheetTest {
protected:
    static void SetUpTestSuite() {
        media_ = std::make_unique<testing::TemporaryFolder>();
        ok_ = testing::makeTaggedSongs(media_->path()) &&
              testing::runFfmpeg("-f lavfi -i sine=duration=0.2 -c:a libmp3lame -metadata title=Part"
                                 " -metadata track=3/12 -metadata date=2021-05-01 " +
                                 test::shellQuoted(file("part.mp3").string()));
    }
    static void TearDownTestSuite() { media_.reset(); }
    void SetUp() override { ASSERT_TRUE(ok_) << "ffmpeg could not make the test media"; }

    static std::filesystem::path file(const std::string& name) { return media_->path() / name; }

    static std::shared_ptr<StoryElement> song(const std::string& name, Asset::Category category = Asset::Category::Audio,
                                              bool online = true, double position = 0) {
        auto asset = makeAsset(name, testing::fileUrl(file(name)), online);
        asset->setCategory(category);
        return makeElement({.name = name, .position = position, .trackType = TrackType::Audio, .asset = asset});
    }

    static inline std::unique_ptr<testing::TemporaryFolder> media_;
    static inline bool ok_ = false;
};

TEST_F(MusicFilesTest, LoadsTheTagsOfAudioFilesOnly) {
    auto noUrl = song("song.mp3");
    noUrl->asset()->setUrl(std::nullopt);
    const struct {
        const char* name;
        std::shared_ptr<StoryElement> element;
        std::optional<MusicTags> tags;
    } cases[] = {
        {"mp3", song("song.mp3"), MusicTags{"Song \u00dc", "Album", "3", "2021", "Jazz", "Artist", "Composer", "Label"}},
        // MP4 has no place for a publisher.
        {"m4a", song("song.m4a"), MusicTags{"Song \u00dc", "Album", "3", "2021", "Jazz", "Artist", "Composer", ""}},
        {"no tags", song("bare.wav"), MusicTags{}},
        {"not media", song("noise.mp3"), MusicTags{}},
        {"movie with sound", song("song.m4a", Asset::Category::AV), std::nullopt},
        {"offline", song("song.mp3", Asset::Category::Audio, false), std::nullopt},
        {"no URL", noUrl, std::nullopt},
        {"no asset", makeElement({.trackType = TrackType::Audio}), std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::ostringstream diagnostics;
        EXPECT_EQ(loadAudioMetadata(*c.element, diagnostics), c.tags);
    }
}

TEST_F(MusicFilesTest, TagColumnsHoldTheTagsOfAudioFiles) {
    context.thumbnailWidth = 0;
    const std::vector<std::shared_ptr<StoryElement>> elements{
        song("song.mp3", Asset::Category::Audio, true, 0), song("song.m4a", Asset::Category::Audio, true, 1),
        song("song.m4a", Asset::Category::AV, true, 2), song("part.mp3", Asset::Category::Audio, true, 3)};
    context.sheetKind = 1;
    write(elements);
    const nlohmann::json s = sheet();
    EXPECT_EQ(testing::textUnder(s, "Song Title", 2), "Song \u00dc");
    EXPECT_EQ(testing::textUnder(s, "Album", 2), "Album");
    EXPECT_EQ(testing::cellUnder(s, "Track #", 2)["value"], 3);
    EXPECT_EQ(testing::cellUnder(s, "Year", 2)["value"], 2021);
    EXPECT_EQ(testing::textUnder(s, "Musical Genre", 2), "Jazz");
    EXPECT_EQ(testing::textUnder(s, "Artist", 2), "Artist");
    EXPECT_EQ(testing::textUnder(s, "Composer", 2), "Composer");
    EXPECT_EQ(testing::textUnder(s, "Publisher", 2), "Label");
    EXPECT_EQ(testing::textUnder(s, "Song Title", 3), "Song \u00dc");
    EXPECT_EQ(testing::textUnder(s, "Publisher", 3), "");
    EXPECT_TRUE(testing::cellUnder(s, "Song Title", 4).is_null());
    EXPECT_TRUE(testing::cellUnder(s, "Year", 4).is_null());
    // A track and a year that are no numbers leave no cell.
    EXPECT_EQ(testing::textUnder(s, "Song Title", 5), "Part");
    EXPECT_TRUE(testing::cellUnder(s, "Track #", 5).is_null());
    EXPECT_TRUE(testing::cellUnder(s, "Year", 5).is_null());
}

}  // namespace
}  // namespace tallyvane
