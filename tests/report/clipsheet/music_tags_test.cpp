#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>

#include "clip_sheet_fixture.h"
#include "media_fixture.h"
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
        {"no tags", {}, {}, ""},
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
        const std::string tags =
            " -metadata title=\"Song \u00dc\" -metadata album=Album -metadata artist=Artist"
            " -metadata composer=Composer -metadata genre=Jazz -metadata date=2021"
            " -metadata track=3 -metadata publisher=Label ";
        ok_ = testing::runFfmpeg("-f lavfi -i sine=duration=0.2 -c:a aac" + tags +
                                 test::shellQuoted(file("song.m4a").string())) &&
              testing::runFfmpeg("-f lavfi -i sine=duration=0.2 -c:a libmp3lame -id3v2_version 3" + tags +
                                 test::shellQuoted(file("song.mp3").string())) &&
              testing::runFfmpeg("-f lavfi -i sine=duration=0.2 -map_metadata -1 -fflags +bitexact -flags:a +bitexact " +
                                 test::shellQuoted(file("bare.wav").string()));
        std::ofstream(file("noise.mp3"), std::ios::binary) << std::string(64, '\0');
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
        {"missing", song("missing.mp3"), MusicTags{}},
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

TEST_F(MusicFilesTest, TagColumnsOfAClipList) {
    context.sheetKind = 1;
    context.thumbnailWidth = 0;
    write({song("song.mp3", Asset::Category::Audio, true, 0), song("song.m4a", Asset::Category::Audio, true, 1),
           song("song.m4a", Asset::Category::AV, true, 2)});
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
}

TEST_F(MusicFilesTest, TrackAndYearThatAreNoNumbersLeaveNoCell) {
    ASSERT_TRUE(testing::runFfmpeg("-f lavfi -i sine=duration=0.2 -c:a libmp3lame -metadata title=Part"
                                   " -metadata track=3/12 -metadata date=2021-05-01 " +
                                   test::shellQuoted((folder.path() / "part.mp3").string())));
    auto asset = makeAsset("part", testing::fileUrl(folder.path() / "part.mp3"), true);
    asset->setCategory(Asset::Category::Audio);
    context.sheetKind = 2;
    write({makeElement({.trackType = TrackType::Audio, .asset = asset})});
    const nlohmann::json s = sheet();
    EXPECT_EQ(testing::textUnder(s, "Song Title", 2), "Part");
    EXPECT_TRUE(testing::cellUnder(s, "Track #", 2).is_null());
    EXPECT_TRUE(testing::cellUnder(s, "Year", 2).is_null());
}

}  // namespace
}  // namespace tallyvane
