#include <gtest/gtest.h>

#include "report/markers_sheet.h"
#include "report_builders.h"
#include "sheet_fixture.h"

namespace tallyvane::testing {
namespace {

using MarkersSheetTest = SheetTest;
using Ranges = std::vector<std::shared_ptr<MarkedRange>>;

TEST_F(MarkersSheetTest, VisibleRangesInTimelineOrderWithKindColours) {
    const auto videoClip = makeElement({.name = "Interview", .trackType = TrackType::Video, .videoRole = "Titles",
                                        .audioRole = "Dialogue", .timecodeFrameRate = "30", .reel = "R1",
                                        .scene = "S4"});
    const auto audioClip = makeElement({.name = "Song", .trackType = TrackType::Audio, .videoRole = "Video",
                                        .audioRole = "Music", .timecodeFrameRate = "no rate"});
    const Ranges ranges = {
        makeRange({.name = "B", .kind = "Standard", .position = 50, .srcInpoint = 45, .notes = "first at 50",
                   .clip = videoClip}),
        makeRange({.name = "A", .kind = "Chapter", .position = 10, .srcInpoint = 30, .clip = audioClip}),
        makeRange({.name = "hidden", .kind = "Standard", .position = 20, .visible = false}),
        makeRange({.name = "C", .kind = "Incomplete To-Do", .position = 50, .clip = videoClip}),
        makeRange({.name = "D", .kind = "mystery", .position = -5, .srcInpoint = -1}),
        makeRange({.name = "E", .kind = "Completed To-Do", .position = 25 * 86400 + 1,
                   .srcInpoint = 30 * 86400 + 30, .clip = videoClip}),
    };
    writeMarkersSheet(context, ranges, SheetTitle::markers, true);
    const auto sheet = closeAndRead()["worksheets"]["Markers"];

    const std::vector<ColoredRow> expected = {
        {{"D", "mystery", "", "??", "", "", "", "", "??"}, xlsx::Color::gray},
        {{"A", "Chapter", "", "00:00:00:10", "Song", "Music", "", "", "00:00:01:05"}, xlsx::Color::orange},
        {{"B", "Standard", "first at 50", "00:00:02:00", "Interview", "Titles", "R1", "S4", "00:00:01:15"},
         xlsx::Color::blue},
        {{"C", "Incomplete To-Do", "", "00:00:02:00", "Interview", "Titles", "R1", "S4", "00:00:00:00"},
         xlsx::Color::red},
        {{"E", "Completed To-Do", "", "??", "Interview", "Titles", "R1", "S4", "1 00:00:01:00"}, xlsx::Color::green},
    };
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const int row = static_cast<int>(i) + 2;
        EXPECT_EQ(rowTexts(sheet, row, "I"), expected[i].texts) << "row " << row;
        EXPECT_EQ(fontColor(sheet, "A" + std::to_string(row)), colorText(expected[i].color)) << "row " << row;
        EXPECT_EQ(sheet["cells"]["A" + std::to_string(row)]["type"], "s");
    }
    EXPECT_EQ(sheet["maxRow"], 6);
    EXPECT_DOUBLE_EQ(sheet["widths"]["B"].get<double>(), storedWidth(16));  // "Incomplete To-Do"
    EXPECT_DOUBLE_EQ(sheet["widths"]["C"].get<double>(), storedWidth(11));  // "first at 50"

    const std::string lines = log.str();
    EXPECT_NE(lines.find("Marker visible? false\n"), std::string::npos);
    std::size_t visibleLines = 0;
    for (std::size_t at = 0; (at = lines.find("Marker visible? ", at)) != std::string::npos; ++at) ++visibleLines;
    EXPECT_EQ(visibleLines, ranges.size());
}

TEST_F(MarkersSheetTest, EndAndDurationOfKeywordRanges) {
    const Ranges ranges = {
        makeRange({.name = "long", .kind = "keyword", .position = 10, .duration = 5}),
        makeRange({.name = "point", .kind = "keyword", .position = 30, .duration = 0}),
        makeRange({.name = "early", .kind = "analysis", .position = -10, .duration = 0}),
        makeRange({.name = "across", .kind = "analysis", .position = -10, .duration = 20}),
    };
    writeMarkersSheet(context, ranges, SheetTitle::keywords, true);
    const auto sheet = closeAndRead()["worksheets"]["Keywords"];
    EXPECT_EQ(rowTexts(sheet, 2, "E"), (std::vector<std::string>{"early", "", "??", "??", ""}));
    EXPECT_EQ(rowTexts(sheet, 3, "E"), (std::vector<std::string>{"across", "", "??", "00:00:00:10", "00:00:00:20"}));
    EXPECT_EQ(rowTexts(sheet, 4, "E"), (std::vector<std::string>{"long", "", "00:00:00:10", "00:00:00:15",
                                                                 "00:00:00:05"}));
    EXPECT_EQ(rowTexts(sheet, 5, "E"), (std::vector<std::string>{"point", "", "00:00:01:05", "00:00:01:05", ""}));
    EXPECT_FALSE(sheet["cells"].contains("E5"));
}

TEST_F(MarkersSheetTest, PairingsWithoutColumnsAddNoSheet) {
    struct Case {
        InputType inputType;
        SheetTitle title;
    };
    const std::vector<Case> cases = {
        {InputType::FCPXML, SheetTitle::clipMarkers},  {InputType::FCPXML, SheetTitle::sequenceMarkers},
        {InputType::null, SheetTitle::markers},        {InputType::XMEML, SheetTitle::markers},
        {InputType::DaVrOTIO, SheetTitle::sequenceMarkers}, {InputType::PProOTIO, SheetTitle::timelineMarkers},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(markerColumns(c.inputType, c.title).empty());
        context.currentInputType = c.inputType;
        writeMarkersSheet(context, {makeRange({})}, c.title, true);
    }
    context.currentInputType = InputType::FCPXML;
    writeMarkersSheet(context, {}, SheetTitle::markers, true);
    EXPECT_EQ(closeAndRead()["sheets"], (nlohmann::json{"Markers"}));
    EXPECT_EQ(log.str(), "");
}

}  // namespace
}  // namespace tallyvane::testing
