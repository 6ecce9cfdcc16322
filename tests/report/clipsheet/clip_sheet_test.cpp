#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "clip_sheet_fixture.h"
#include "common/number_text.h"
#include "model/audio_fx.h"
#include "model/metadata.h"
#include "model/speed_fx.h"
#include "model/video_fx.h"

namespace tallyvane {
namespace {

using testing::ClipSheetTest;
using testing::cellUnder;
using testing::ElementSpec;
using testing::headerTexts;
using testing::makeElement;
using testing::textUnder;

const char* const kFormats[] = {"timecode", "frames", "feet+frames", "clock", "seconds"};

// One time column's five cells: texts, or numbers written as text; "-" for no cell.
struct TimeCells {
    const char* heading;
    std::vector<std::string> cells;
};

std::string cellText(const nlohmann::json& cell) {
    if (!cell.is_object() || cell["value"].is_null()) return "-";
    if (cell["value"].is_string()) return cell["value"].get<std::string>();
    return formatDouble(cell["value"].get<double>());
}

void expectTimeCells(const nlohmann::json& sheet, int row, const std::vector<TimeCells>& columns) {
    for (const TimeCells& column : columns) {
        for (int k = 0; k < 5; ++k) {
            EXPECT_EQ(cellText(cellUnder(sheet, column.heading, row, k)), column.cells[static_cast<std::size_t>(k)])
                << column.heading << " " << kFormats[k] << ", row " << row;
        }
    }
}

std::shared_ptr<StoryElement> clip(ElementSpec spec, std::optional<double> srcIn, std::optional<double> srcDuration) {
    auto element = makeElement(spec);
    element->setSrcInpoint(srcIn);
    element->setSrcDuration(srcDuration);
    return element;
}

TEST_F(ClipSheetTest, HeaderRowAndStartingWidths) {
    context.thumbnailWidth = 0;
    EXPECT_TRUE(write({}).empty());
    const nlohmann::json s = sheet();
    const std::vector<std::string> headings = headerTexts(s);
    ASSERT_EQ(headings.size(), 48u);
    EXPECT_EQ(headings[0], "Row");
    EXPECT_EQ(headings[1], "Role \u25B8 Subrole");
    EXPECT_EQ(headings[5], "Timeline In");
    EXPECT_EQ(headings[9], "Timeline In");
    EXPECT_EQ(headings[47], "Source File Path");
    EXPECT_EQ(s["maxRow"], 1);
    for (const auto& [address, cell] : s["cells"].items()) {
        EXPECT_TRUE(cell["bold"].get<bool>()) << address;
        EXPECT_EQ(cell["font"], "Helvetica");
        EXPECT_EQ(cell["size"], 11);
        EXPECT_EQ(cell["horizontal"], "left");
    }
    EXPECT_DOUBLE_EQ(s["widths"]["A"].get<double>(), testing::storedWidth(4));   // "Row"
    EXPECT_DOUBLE_EQ(s["widths"]["B"].get<double>(), testing::storedWidth(15));  // one character for "▸"
    EXPECT_DOUBLE_EQ(s["widths"]["F"].get<double>(), testing::storedWidth(12));  // no line feeds counted
    EXPECT_NE(log.str().find("\"sheetName: Selected Roles\"\n"), std::string::npos);
    EXPECT_NE(log.str().find("\"adjustments:\" 0.0 0.0 0.0 0.0 0.0\n"), std::string::npos);
}

TEST_F(ClipSheetTest, NoSheetForKindZeroOrWithoutWorkbook) {
    context.sheetKind = 0;
    auto element = makeElement({.duration = 10, .asset = testing::makeAsset("a", "file:///m/a.mov", true)});
    EXPECT_TRUE(write({element}, {}, true, "Kind Zero").empty());
    context.sheetKind = 6;
    xlsx::Workbook workbook = *context.workbook;
    context.workbook.reset();
    EXPECT_TRUE(write({element}, {}, true, "Closed").empty());
    EXPECT_NE(log.str().find("\"columnHeadings: \" [\""), std::string::npos);
    context.workbook = workbook;
    const nlohmann::json read = closeAndRead();
    for (const auto& name : read["sheets"]) EXPECT_TRUE(name != "Kind Zero" && name != "Closed") << name;
}

TEST_F(ClipSheetTest, TimesInAllFiveFormats) {
    write({// A time before zero has no timecode; a timeline position's frame value still shows.
           clip({.name = "Early", .position = -1, .duration = 0}, -5, 3),
           clip({.name = "Minus", .position = -2.5, .duration = 0}, std::nullopt, std::nullopt),
           // Halves round away from zero where a count is rounded; durations keep their subframes.
           clip({.name = "Half", .position = 2.5, .duration = 10.5}, 10.5, 2.5),
           // Beyond 24 hours for durations, within 100 days at the source.
           clip({.name = "Long", .position = 40, .duration = 2160000}, 4320000, 2160000)});
    const nlohmann::json s = sheet();
    ASSERT_EQ(textUnder(s, "Clip Name", 2), "Minus");
    expectTimeCells(s, 2, {{"Timeline In", {"??", "-3.0", "??", "-", "-"}}});
    ASSERT_EQ(textUnder(s, "Clip Name", 3), "Early");
    expectTimeCells(s, 3, {{"Timeline In", {"??", "-1.0", "??", "-", "-"}},
                           {"Timeline Out", {"??", "-1.0", "??", "-", "-"}},
                           {"Clip Duration", {"00:00:00:00", "0.0", "0+00", "00:00:00", "0.0"}},
                           {"Source In", {"??", "-1.0", "??", "-", "-"}},
                           {"Source Out", {"??", "-1.0", "??", "-", "-"}},
                           {"Source Duration", {"00:00:00:03", "3.0", "0+03", "00:00:00", "0.12"}}});
    ASSERT_EQ(textUnder(s, "Clip Name", 4), "Half");
    expectTimeCells(s, 4, {{"Timeline In", {"00:00:00:02", "3.0", "0+02", "00:00:00", "0.1"}},
                           {"Timeline Out", {"00:00:00:13", "13.0", "0+13", "00:00:00", "0.52"}},
                           {"Clip Duration", {"00:00:00:10", "10.5", "0+10", "00:00:00", "0.42"}},
                           {"Source In", {"00:00:00:10", "11.0", "0+10", "00:00:00", "0.42"}},
                           {"Source Out", {"00:00:00:13", "13.0", "0+13", "00:00:00", "0.52"}},
                           {"Source Duration", {"00:00:00:02", "2.5", "0+02", "00:00:00", "0.1"}}});
    ASSERT_EQ(textUnder(s, "Clip Name", 5), "Long");
    expectTimeCells(s, 5, {{"Clip Duration", {"??", "-1.0", "??", "-", "-"}},
                           {"Source In", {"2 00:00:00:00", "4320000.0", "270000+00", "00:00:00", "172800.0"}},
                           {"Source Duration", {"??", "2160000.0", "??", "-", "-"}}});
    EXPECT_NE(log.str().find("WARNING: Failed to parse srcInpoint id-Early\nStoryElement assetclip: \"Early\""),
              std::string::npos);
    // Feet and frames of timeline times take the row's number format, the others are centred.
    EXPECT_EQ(cellUnder(s, "Timeline In", 4, 2)["horizontal"], nullptr);
    EXPECT_EQ(cellUnder(s, "Clip Duration", 4, 2)["horizontal"], "center");
    EXPECT_EQ(cellUnder(s, "Source In", 4, 2)["horizontal"], "center");
}

TEST_F(ClipSheetTest, OffsetsMoveTimelineTimesEachInItsFormat) {
    context.hhmmssffAdj = 90000;  // one hour at 25 fps
    context.framesAdj = -20;
    context.feetframesAdj = 16;   // one foot
    context.clockAdj = 90000;
    context.reportTimeOffset = -1;
    write({clip({.position = 10, .duration = 50}, 100, 50)});
    const nlohmann::json s = sheet();
    // The seconds have no offset; the time offset moves only out points.
    expectTimeCells(s, 2, {{"Timeline In", {"01:00:00:10", "-10.0", "1+10", "01:00:00", "0.4"}},
                           {"Timeline Out", {"01:00:02:09", "39.0", "4+11", "01:00:02", "2.36"}},
                           {"Clip Duration", {"00:00:02:00", "50.0", "3+02", "00:00:02", "2.0"}},
                           {"Source In", {"00:00:04:00", "100.0", "6+04", "00:00:04", "4.0"}},
                           {"Source Out", {"00:00:05:24", "149.0", "9+05", "00:00:05", "5.96"}},
                           {"Source Duration", {"00:00:02:00", "50.0", "3+02", "00:00:02", "2.0"}}});
    EXPECT_NE(log.str().find("\"adjustments:\" 90000.0 -20.0 16.0 90000.0 0.0\n"), std::string::npos);
}

TEST_F(ClipSheetTest, DropFrameTimes) {
    context.reportFrameRate = TimecodeFrameRate::fps29_97d;
    write({clip({.position = 1800, .duration = 17982, .timecodeFrameRate = "29.97d"}, 107892, 30)});
    const nlohmann::json s = sheet();
    expectTimeCells(s, 2, {{"Timeline In", {"00:01:00;02", "1800.0", "112+08", "00:01:00", "60.06"}},
                           {"Timeline Out", {"00:11:00;02", "19782.0", "1236+06", "00:11:00", "660.0593999999999"}},
                           {"Clip Duration", {"00:10:00;00", "17982.0", "1123+14", "00:09:59", "599.9993999999999"}},
                           {"Source In", {"01:00:00;00", "107892.0", "6743+04", "00:59:59", "3599.9964"}},
                           {"Source Out", {"01:00:01;00", "107922.0", "6745+02", "01:00:00", "3600.9974"}},
                           {"Source Duration", {"00:00:01;00", "30.0", "1+14", "00:00:01", "1.001"}}});
    EXPECT_EQ(textUnder(s, "Frame Rate/Sample Rate", 2), "29.97 fps drop");
}

TEST_F(ClipSheetTest, SourceCellsNeedAnInPointADurationAndNoStill) {
    write({clip({.name = "Still", .category = StoryElement::Category::stillImage}, 10, 10),
           clip({.name = "No in", .sortOrder = 101}, std::nullopt, 10),
           clip({.name = "No duration", .sortOrder = 102}, 10, std::nullopt),
           clip({.name = "Unknown rate", .sortOrder = 103, .timecodeFrameRate = "29.97D"}, 60, 120)});
    const nlohmann::json s = sheet();
    for (int row = 2; row <= 4; ++row) {
        for (const char* heading : {"Source In", "Source Out", "Source Duration"}) {
            for (int k = 0; k < 5; ++k) EXPECT_EQ(cellText(cellUnder(s, heading, row, k)), "-") << row << heading << k;
        }
    }
    // A rate text that names no rate counts as 60 fps.
    expectTimeCells(s, 5, {{"Source In", {"00:00:01:00", "60.0", "3+12", "00:00:01", "1.0"}}});
    EXPECT_EQ(textUnder(s, "Frame Rate/Sample Rate", 5), "60 fps");
}

TEST_F(ClipSheetTest, RowsInReportOrderWithNumbersMarksAndColours) {
    const auto video = testing::makeAsset("v", "file:///m/v.mov", true);
    auto audioAsset = testing::makeAsset("s", "file:///m/s.wav", true);
    audioAsset->setCategory(Asset::Category::Audio);
    std::size_t ticks = 0;
    context.tick = [&] { ++ticks; };
    const std::vector<std::shared_ptr<StoryElement>> elements{
        makeElement({.name = "Gap", .category = StoryElement::Category::gap, .position = 30}),
        makeElement({.name = "Title", .category = StoryElement::Category::title, .position = 10, .sortOrder = 3}),
        makeElement({.name = "Generator", .category = StoryElement::Category::generator, .position = 10,
                     .sortOrder = 1}),
        makeElement({.name = "Music", .position = 20, .trackType = TrackType::Audio, .enabled = false,
                     .asset = audioAsset}),
        makeElement({.name = "Loose", .position = 40, .trackType = std::nullopt}),
        makeElement({.name = "Shot", .position = 0, .asset = video})};
    write(elements);
    EXPECT_EQ(ticks, 6u);  // once for every row
    write(elements, {}, false, "No Colours");
    const nlohmann::json s = sheet();
    const nlohmann::json black = sheet("No Colours");
    const struct {
        const char* name;
        xlsx::Color color;
        const char* enabled;
    } rows[] = {{"Shot", xlsx::Color::blue, "\u2713"},     {"Generator", xlsx::Color::brown, "\u2713"},
                {"Title", xlsx::Color::purple, "\u2713"},  {"Music", xlsx::Color::green, "\u2717"},
                {"Gap", xlsx::Color::gray, "\u2713"},      {"Loose", xlsx::Color::black, "\u2713"}};
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(rows[i].name);
        const int row = i + 2;
        EXPECT_EQ(textUnder(s, "Clip Name", row), rows[i].name);
        EXPECT_EQ(cellUnder(s, "Row", row)["value"], i + 1);
        EXPECT_EQ(cellUnder(s, "Clip Name", row)["color"], testing::colorText(rows[i].color));
        EXPECT_EQ(cellUnder(s, "Clip Name", row)["numberFormat"], "#,##0");
        const nlohmann::json mark = cellUnder(s, "Enabled", row);
        EXPECT_EQ(mark["value"], rows[i].enabled);
        EXPECT_EQ(mark["horizontal"], "center");
        EXPECT_EQ(mark["color"], testing::colorText(rows[i].color));
        // Without colours every row is black.
        EXPECT_EQ(testing::fontColor(black, "D" + std::to_string(row)), testing::colorText(xlsx::Color::black));
        EXPECT_EQ(cellUnder(black, "Enabled", row)["horizontal"], "center");
    }
}

std::shared_ptr<MarkedRange> range(std::string name, std::string kind, double position) {
    return testing::makeRange({.name = std::move(name), .kind = std::move(kind), .position = position});
}

TEST_F(ClipSheetTest, TextColumns) {
    auto shot = makeElement({.name = "Shot", .videoRole = "Video", .audioRole = "Dialogue",
                             .audioSubroles = {"Boom", "Lav"}, .timecodeFrameRate = "25", .reel = "R1",
                             .scene = "S1", .timelineClipCategory = "assetclip",
                             .asset = testing::makeAsset("a", "file:///Volumes/Media/A%20001.mov", true)});
    shot->asset()->setFrameSize("1920 \u00d7 1080");
    shot->setNotes("Note");
    shot->setShottake("T2");
    shot->setMarkedRanges({range("B", "Chapter", 30), range("A", "Standard", 10), range("K", "keyword", 20),
                           range("Z", "favorite", 5), range("T", "Incomplete To-Do", 40),
                           range("C", "Completed To-Do", 50), range("R", "rejected", 60), range("N", "analysis", 70),
                           range("X", "none", 80), range("Y", "Red", 90), range("A2", "Standard", 10)});
    shot->setVideoFX({std::make_shared<VideoFX>("Blur", "", true, std::nullopt),
                      std::make_shared<VideoFX>("Color", "", true, std::nullopt)});
    shot->setAudioFX({std::make_shared<AudioFX>("EQ", "", std::nullopt, true, std::nullopt)});
    shot->setSpeedFX(std::make_shared<SpeedFX>("Retime", 50.0, std::nullopt));
    auto title = makeElement({.name = "Title", .category = StoryElement::Category::title, .sortOrder = 101,
                              .params = {{"font", "Helvetica"}, {"text", "Hello"}}});
    auto music = makeElement({.name = "Music", .trackType = TrackType::Audio, .audioRole = "Music", .sortOrder = 102,
                              .asset = testing::makeAsset("m", "file:///m/song.wav", true)});
    write({shot, title, music});
    const nlohmann::json s = sheet();
    EXPECT_EQ(textUnder(s, "Role \u25B8 Subrole", 2), "Video, Dialogue \u25B8 Boom, Lav");
    EXPECT_EQ(textUnder(s, "Category", 2), "assetclip");
    EXPECT_EQ(textUnder(s, "Markers", 2),
              "A (Standard), A2 (Standard), B (Chapter), T (Incomplete to-do), C (Completed to-do)");
    EXPECT_EQ(textUnder(s, "Keywords", 2), "K, N (Analysis), R (Rejected), Z (Favorite)");
    EXPECT_EQ(textUnder(s, "Effects", 2), "Blur, Color, EQ, Retime");
    EXPECT_EQ(textUnder(s, "Notes", 2), "Note");
    EXPECT_EQ(textUnder(s, "Reel", 2), "R1");
    EXPECT_EQ(textUnder(s, "Scene", 2), "S1");
    EXPECT_EQ(textUnder(s, "Take", 2), "T2");
    EXPECT_EQ(textUnder(s, "Frame Rate/Sample Rate", 2), "25 fps");
    EXPECT_EQ(textUnder(s, "Frame Size", 2), "1920 \u00d7 1080");
    EXPECT_EQ(textUnder(s, "Source File Name", 2), "A 001.mov");
    EXPECT_EQ(textUnder(s, "Source File Path", 2), "/Volumes/Media/A 001.mov");
    EXPECT_EQ(textUnder(s, "Source File Name", 3), "Helvetica");
    EXPECT_EQ(textUnder(s, "Source File Path", 3), "Hello");
    EXPECT_EQ(textUnder(s, "Role \u25B8 Subrole", 4), "Music");
    EXPECT_EQ(textUnder(s, "Frame Size", 4), "");
    // Texts widen their columns; the camera columns carry only their headings.
    EXPECT_DOUBLE_EQ(testing::widthUnder(s, "Markers"),
                     testing::storedWidth(std::string("A (Standard), A2 (Standard), B (Chapter), T (Incomplete to-do), "
                                                      "C (Completed to-do)").size()));
    EXPECT_DOUBLE_EQ(testing::widthUnder(s, "Frame Size"), testing::storedWidth(11));  // "1920 × 1080"
    EXPECT_TRUE(cellUnder(s, "Camera Angle", 2).is_null());
    EXPECT_TRUE(cellUnder(s, "Camera Name", 2).is_null());
}

TEST_F(ClipSheetTest, EventAndBinSheetsNameTheirGroup) {
    const struct {
        std::uint8_t kind;
        const char* group;
        std::vector<std::string> firstHeadings;
    } cases[] = {{5, "Event Name", {"Row", "Role \u25B8 Subrole", "Clip Name", "Event Name", "Source In"}},
                 {3, "Bin Name", {"Row", "Bin Name", "Clip Name", "Reel", "Source In"}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.group);
        context.sheetKind = c.kind;
        auto element = makeElement({.name = "Interview", .timelineClipCategory = "Day 1"});
        element->setLabel("Blue");
        write({element}, {}, true, c.group);
    }
    for (const auto& c : cases) {
        const nlohmann::json s = sheet(c.group);
        const std::vector<std::string> headings = headerTexts(s);
        ASSERT_GE(headings.size(), 5u);
        EXPECT_EQ(std::vector<std::string>(headings.begin(), headings.begin() + 5), c.firstHeadings);
        EXPECT_EQ(textUnder(s, c.group, 2), "Day 1");
        EXPECT_EQ(textUnder(s, "Clip Name", 2), "Interview");
    }
    EXPECT_EQ(textUnder(sheet("Bin Name"), "Label", 2), "Blue");
}

TEST_F(ClipSheetTest, SampleRatesOfAudioFiles) {
    const struct {
        const char* rate;
        const char* text;
    } cases[] = {{"48000", "48 kHz"}, {"+96000", "96 kHz"}, {"999", "0 kHz"}, {"48000.0", ""},
                 {"48k", ""},         {"", ""},             {" 48000", ""},    {"99999999999999999999", ""}};
    std::vector<std::shared_ptr<StoryElement>> elements;
    for (const auto& c : cases) {
        auto asset = testing::makeAsset("a", "file:///m/a.wav", true);
        asset->setAudioRate(c.rate);
        elements.push_back(makeElement({.position = static_cast<double>(elements.size()),
                                        .trackType = TrackType::Audio, .asset = asset}));
    }
    elements.push_back(makeElement({.position = 100, .trackType = TrackType::Audio}));
    elements.push_back(makeElement({.position = 101, .trackType = std::nullopt}));
    write(elements);
    const nlohmann::json s = sheet();
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(textUnder(s, "Frame Rate/Sample Rate", static_cast<int>(i) + 2), cases[i].text) << cases[i].rate;
    }
    // Without an asset, or without a track type, there is no rate.
    for (const int row : {10, 11}) EXPECT_EQ(textUnder(s, "Frame Rate/Sample Rate", row), "") << row;
}

std::shared_ptr<Metadata> item(std::string key, std::string value, std::vector<std::string> values = {}) {
    return std::make_shared<Metadata>(std::move(key), std::move(value), std::move(values));
}

TEST_F(ClipSheetTest, MetadataColumnsAfterTheLastColumn) {
    context.thumbnailWidth = 0;
    auto first = makeElement({.name = "First"});
    first->setMetadata({item("b", "one"), item("A", "", {"a", "b"}), item("b", "ignored")});
    auto second = makeElement({.name = "Second", .sortOrder = 101});
    second->setMetadata({item("a", ""), item("A", "x")});
    write({first, second}, {{"metadata", true}});
    const nlohmann::json s = sheet();
    const std::vector<std::string> headings = headerTexts(s);
    ASSERT_EQ(headings.size(), 51u);
    EXPECT_EQ(std::vector<std::string>(headings.end() - 3, headings.end()), (std::vector<std::string>{"A", "a", "b"}));
    EXPECT_EQ(textUnder(s, "A", 2), "a; b");
    EXPECT_EQ(textUnder(s, "b", 2), "one");
    EXPECT_TRUE(cellUnder(s, "a", 2).is_null());
    EXPECT_EQ(textUnder(s, "A", 3), "x");
    EXPECT_TRUE(cellUnder(s, "a", 3).is_null());  // an empty value and no values leave the cell empty
    EXPECT_DOUBLE_EQ(testing::widthUnder(s, "A"), testing::storedWidth(4));  // "a; b"
    EXPECT_DOUBLE_EQ(testing::widthUnder(s, "b"), testing::storedWidth(3));  // "one"
    EXPECT_NE(log.str().find("\"metadataHeadings:\" [\"A\", \"a\", \"b\"]\n"), std::string::npos);
}

// Found by its bytes or, spelled apart, by canonical equality: the element's first item
// under the heading fills the cell.
TEST_F(ClipSheetTest, MetadataKeysSpelledApartShareTheirColumn) {
    context.thumbnailWidth = 0;
    auto first = makeElement({.name = "First"});
    first->setMetadata({item("caf\u00e9", "composed")});
    auto second = makeElement({.name = "Second", .sortOrder = 101});
    second->setMetadata({item("cafe\u0301", "decomposed"), item("caf\u00e9", "ignored")});
    write({first, second}, {{"metadata", true}});
    const nlohmann::json s = sheet();
    EXPECT_EQ(headerTexts(s).back(), "caf\u00e9");
    EXPECT_EQ(textUnder(s, "caf\u00e9", 2), "composed");
    EXPECT_EQ(textUnder(s, "caf\u00e9", 3), "decomposed");
}

TEST_F(ClipSheetTest, FileTotalsInFirstMetOrder) {
    const auto a = testing::makeAsset("a", "file:///m/a%20b.mov", true);
    const auto b = testing::makeAsset("b", "file:///m/b.mov", true);
    auto song = testing::makeAsset("s", "file:///m/song.wav", true);
    song->setCategory(Asset::Category::Audio);
    const auto noUrl = testing::makeAsset("n", std::nullopt, true);
    const std::vector<FileTotal> totals =
        write({makeElement({.name = "B", .position = 0, .duration = 7, .asset = b}),
               makeElement({.name = "A1", .position = 10, .duration = 100, .asset = a}),
               makeElement({.name = "A2", .position = 20, .duration = 50, .asset = a}),
               makeElement({.name = "T", .category = StoryElement::Category::title, .position = 30, .duration = 9,
                            .asset = a}),
               makeElement({.name = "AV sound", .position = 40, .duration = 9, .trackType = TrackType::Audio,
                            .asset = a}),
               makeElement({.name = "Song", .position = 50, .duration = 4, .trackType = TrackType::Audio,
                            .asset = song}),
               makeElement({.name = "Offtrack", .position = 60, .duration = 9, .trackType = std::nullopt,
                            .asset = a}),
               makeElement({.name = "No URL", .position = 70, .duration = 3, .asset = noUrl}),
               makeElement({.name = "Gap", .category = StoryElement::Category::gap, .position = 80, .duration = 9})});
    EXPECT_EQ(totals, (std::vector<FileTotal>{{"b.mov", "/m/b.mov", 7},
                                              {"a b.mov", "/m/a b.mov", 150},
                                              {"song.wav", "/m/song.wav", 4},
                                              {"", "", 3}}));
}

}  // namespace
}  // namespace tallyvane
