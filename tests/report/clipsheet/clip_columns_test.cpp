#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "model/metadata.h"
#include "report/clipsheet/clip_columns.h"
#include "report_builders.h"

namespace tallyvane {
namespace {

using H = ColumnHeading;

bool contains(const std::vector<H>& columns, H heading) {
    return std::find(columns.begin(), columns.end(), heading) != columns.end();
}

TEST(ClipColumns, StartingListsBySheetKind) {
    EXPECT_TRUE(startingColumns(0).empty());
    for (const std::uint8_t kind : {1, 2, 3, 4, 5, 6, 255}) {
        SCOPED_TRACE(static_cast<int>(kind));
        const std::vector<H> columns = startingColumns(kind);
        ASSERT_FALSE(columns.empty());
        EXPECT_EQ(columns.front(), H::Row);
        // Bin clips have no pictures; only the kinds that list music files show their tags.
        EXPECT_EQ(contains(columns, H::Thumbnail), kind != 3);
        EXPECT_EQ(contains(columns, H::ID3title), kind == 1 || kind == 2 || kind == 4);
        // Each heading at most once.
        std::vector<H> sorted = columns;
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end());
    }
}

TEST(ClipColumns, OptionsRemoveOnlyWhatIsPresentAndOff) {
    const struct {
        const char* name;
        std::uint8_t kind;
        ReportOptions options;
        std::int64_t thumbnailWidth;
        std::vector<H> removed;
        std::vector<H> kept;
    } cases[] = {
        {"empty options keep all", 6, {}, 160, {}, {H::Thumbnail, H::Row, H::Markers}},
        {"absent keys count as on", 6, {{"rowNumbers", true}, {"thumbnails", true}}, 160, {}, {H::Row, H::Thumbnail}},
        {"width 0 drops the thumbnail", 6, {}, 0, {H::Thumbnail}, {}},
        {"thumbnails on, width 0", 6, {{"thumbnails", true}}, 0, {H::Thumbnail}, {}},
        {"thumbnails off", 6, {{"thumbnails", false}}, 160, {H::Thumbnail}, {H::Row}},
        {"format off keeps the other formats", 6, {{"reportSeqTimecode", false}, {"in", true}}, 160,
         {H::TimelineInTC, H::TimelineOutTC, H::ClipDurationTC},
         {H::TimelineInFrames, H::TimelineInFF, H::TimelineInClock, H::TimelineInSecs, H::SourceInTC}},
        {"in off removes all five", 6, {{"in", false}, {"reportSeqFrames", true}}, 160,
         {H::TimelineInTC, H::TimelineInFrames, H::TimelineInFF, H::TimelineInClock, H::TimelineInSecs},
         {H::TimelineOutTC}},
        {"source formats", 6, {{"reportSrcClock", false}, {"reportSrcSeconds", false}}, 160,
         {H::SourceInClock, H::SourceOutClock, H::SourceDurationClock, H::SourceInSecs, H::SourceOutSecs,
          H::SourceDurationSecs},
         {H::TimelineInClock, H::SourceInTC}},
        {"feet and frames", 6, {{"reportSeqFeet+Frames", false}}, 160,
         {H::TimelineInFF, H::TimelineOutFF, H::ClipDurationFF}, {H::SourceInFF}},
        {"srcReel removes the reel", 6, {{"srcReel", false}}, 160, {H::Reel}, {}},
        {"reel removes the reel", 6, {{"reel", false}}, 160, {H::Reel}, {}},
        {"shottake removes the take", 6, {{"shottake", false}}, 160, {H::Take}, {}},
        {"take removes the take", 6, {{"take", false}}, 160, {H::Take}, {}},
        {"role and category stay", 6, {{"role", false}, {"category", false}}, 160, {},
         {H::RoleSubrole, H::Category}},
        {"names stay", 5, {{"clipName", false}, {"eventName", false}}, 160, {}, {H::ClipName, H::EventName}},
        {"music tags", 1, {{"id3Metadata", false}}, 160,
         {H::ID3title, H::ID3album, H::ID3track, H::ID3year, H::ID3genre, H::ID3artist, H::ID3composer,
          H::ID3publisher},
         {H::SourceFilePath}},
        {"bin kind has no thumbnail to remove", 3, {{"thumbnails", false}}, 160, {}, {H::Row, H::BinName}},
        {"texts", 4,
         {{"description", false}, {"scene", false}, {"lognote", false}, {"labels", false}, {"frameRate", false},
          {"frameSize", false}, {"srcFileName", false}, {"srcFilePath", false}, {"track", false},
          {"enabled", false}},
         160,
         {H::Description, H::Scene, H::LogNote, H::Label, H::FrameSampleRate, H::FrameSize, H::SourceFileName,
          H::SourceFilePath, H::Track, H::Enabled},
         {H::ClipName, H::Take}},
        {"timeline texts", 6,
         {{"markers", false}, {"keywords", false}, {"effects", false}, {"notes", false}, {"cameraAngle", false},
          {"cameraName", false}},
         160, {H::Markers, H::Keywords, H::Effects, H::Notes, H::CameraAngle, H::CameraName}, {H::TimelineInTC}},
        {"whole time columns", 6, {{"duration", false}, {"srcOut", false}}, 160,
         {H::ClipDurationTC, H::ClipDurationFrames, H::ClipDurationFF, H::ClipDurationClock, H::ClipDurationSecs,
          H::SourceOutTC, H::SourceOutFrames, H::SourceOutFF, H::SourceOutClock, H::SourceOutSecs},
         {H::SourceInTC, H::SourceDurationTC}},
        {"unknown keys are ignored", 6, {{"colour", false}, {"metadata", false}}, 160, {}, {H::Row}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<H> start = startingColumns(c.kind);
        std::vector<H> columns = start;
        removeSwitchedOffColumns(columns, c.options, c.thumbnailWidth);
        for (const H heading : c.removed) EXPECT_FALSE(contains(columns, heading)) << rawValue(heading);
        for (const H heading : c.kept) EXPECT_TRUE(contains(columns, heading)) << rawValue(heading);
        EXPECT_EQ(columns.size() + c.removed.size(), start.size());
        // What stays keeps its order.
        EXPECT_TRUE(std::includes(start.begin(), start.end(), columns.begin(), columns.end(), [&](H a, H b) {
            return std::find(start.begin(), start.end(), a) < std::find(start.begin(), start.end(), b);
        }));
    }
}

std::shared_ptr<StoryElement> withMetadata(std::vector<std::string> keys) {
    auto element = testing::makeElement({});
    for (auto& key : keys) element->appendMetadata(std::make_shared<Metadata>(std::move(key), "v", std::vector<std::string>{}));
    return element;
}

TEST(ClipColumns, MetadataHeadingsAreDistinctKeysInTextOrder) {
    const std::vector<std::shared_ptr<StoryElement>> elements{withMetadata({"b", "A"}), withMetadata({"a", "b"}),
                                                             withMetadata({}), withMetadata({"caf\u00e9"}),
                                                             withMetadata({"cafe\u0301"})};
    const struct {
        const char* name;
        ReportOptions options;
        std::vector<std::string> headings;
    } cases[] = {
        {"absent", {}, {}},
        {"off", {{"metadata", false}}, {}},
        // Canonically equal keys are one column, under the spelling met first.
        {"on", {{"metadata", true}}, {"A", "a", "b", "caf\u00e9"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(metadataHeadings(elements, c.options), c.headings);
    }
    EXPECT_TRUE(metadataHeadings({withMetadata({})}, {{"metadata", true}}).empty());
}

}  // namespace
}  // namespace tallyvane
