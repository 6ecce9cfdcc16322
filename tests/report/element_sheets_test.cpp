#include <gtest/gtest.h>

#include "report/effects_sheets.h"
#include "report/markers_sheet.h"
#include "report/summary_sheet.h"
#include "report/titles_sheet.h"
#include "report/transitions_sheet.h"
#include "report_builders.h"
#include "sheet_fixture.h"

namespace tallyvane::testing {
namespace {

using Elements = std::vector<std::shared_ptr<StoryElement>>;
using ElementSheetsTest = SheetTest;

std::shared_ptr<VideoFX> videoEffect(std::string name, std::string settings = "", bool enabled = true) {
    return std::make_shared<VideoFX>(std::move(name), std::move(settings), enabled, std::nullopt);
}

std::shared_ptr<AudioFX> audioEffect(std::string name, bool enabled = true) {
    return std::make_shared<AudioFX>(std::move(name), "", std::nullopt, enabled, std::nullopt);
}

TEST_F(ElementSheetsTest, EmptyListsGiveHeaderRowsAtHeadingWidths) {
    writeEffectsSheet(context, {}, "Video & Audio Effects", true);
    writeSpeedChangesSheet(context, {}, "Speed Change Effects", true);
    writeTitlesSheet(context, {}, "Titles & Generators", true);
    writeTransitionsSheet(context, {}, "Transitions", true);
    writeMarkersSheet(context, {}, SheetTitle::markers, true);
    writeMarkersSheet(context, {}, SheetTitle::keywords, true);
    const auto book = closeAndRead();
    EXPECT_EQ(book["sheets"], (nlohmann::json{"Video & Audio Effects", "Speed Change Effects", "Titles & Generators",
                                              "Transitions", "Markers", "Keywords"}));
    for (const auto& name : book["sheets"]) {
        const auto& sheet = book["worksheets"][name.get<std::string>()];
        EXPECT_EQ(sheet["maxRow"], 1) << name;
        ASSERT_FALSE(sheet["cells"].empty()) << name;
        for (const auto& [address, cell] : sheet["cells"].items()) {
            const std::string column = address.substr(0, address.size() - 1);
            const double characters = static_cast<double>(graphemeCount(cell["value"].get<std::string>())) + 1;
            EXPECT_DOUBLE_EQ(sheet["widths"][column].get<double>(), storedWidth(characters)) << name << column;
            EXPECT_TRUE(cell["bold"]) << name << column;
            EXPECT_EQ(cell["font"], "Helvetica") << name << column;
            EXPECT_EQ(cell["size"], 11) << name << column;
            EXPECT_EQ(cell["horizontal"], "left") << name << column;
        }
    }
    // Headings that share their text with a clip sheet keep the clip sheet's spelling.
    EXPECT_EQ(rowTexts(book["worksheets"]["Markers"], 1, "F")[5], "Role \u25B8 Subrole");
}

TEST_F(ElementSheetsTest, EffectsInNameOrderVideoBeforeAudio) {
    auto late = makeElement({.name = "Late", .position = 100, .duration = 50, .videoRole = "Video",
                             .audioRole = "Dialogue"});
    late->appendVideoFX(videoEffect("Zoom", "scale 2", false));
    late->appendVideoFX(videoEffect("Blur", "radius 4"));
    late->appendVideoFX(videoEffect("Blur", "second blur"));
    late->appendAudioFX(audioEffect("EQ"));
    auto early = makeElement({.name = "Early", .position = 0, .duration = 25, .videoRole = "Titles"});
    early->appendVideoFX(videoEffect("Color"));
    const auto plain = makeElement({.name = "Plain", .position = 50});
    writeEffectsSheet(context, {late, plain, early}, "Video & Audio Effects", true);
    const auto sheet = closeAndRead()["worksheets"]["Video & Audio Effects"];

    const std::vector<ColoredRow> expected = {
        {{"Color", "", "\u2713", "\u2713", "Early", "Titles", "00:00:00:00", "00:00:01:00"}, xlsx::Color::blue},
        {{"Blur", "radius 4", "\u2713", "\u2713", "Late", "Video", "00:00:04:00", "00:00:06:00"}, xlsx::Color::blue},
        {{"Blur", "second blur", "\u2713", "\u2713", "Late", "Video", "00:00:04:00", "00:00:06:00"},
         xlsx::Color::blue},
        {{"Zoom", "scale 2", "\u2717", "\u2713", "Late", "Video", "00:00:04:00", "00:00:06:00"}, xlsx::Color::blue},
        {{"EQ", "", "\u2713", "\u2713", "Late", "Dialogue", "00:00:04:00", "00:00:06:00"}, xlsx::Color::green},
    };
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const std::string row = std::to_string(i + 2);
        EXPECT_EQ(rowTexts(sheet, static_cast<int>(i) + 2, "H"), expected[i].texts) << row;
        EXPECT_EQ(fontColor(sheet, "A" + row), colorText(expected[i].color)) << row;
        EXPECT_EQ(sheet["cells"]["C" + row]["horizontal"], "center") << row;
        EXPECT_EQ(sheet["cells"]["C" + row]["numberFormat"], "General") << row;
        EXPECT_EQ(sheet["cells"]["A" + row]["numberFormat"], "#,##0") << row;
    }
    EXPECT_EQ(sheet["maxRow"], 6);
    EXPECT_DOUBLE_EQ(sheet["widths"]["B"].get<double>(), storedWidth(11));  // "second blur"
}

TEST(SpeedSettingsTextTest, RoundsToTwoDecimalsAndKeepsAFraction) {
    const std::vector<std::pair<double, std::string>> cases = {
        {0.0, ""},        {-0.0, ""},      {33.333, "33.33%"}, {50.0, "50.0%"},
        {-50.0, "-50.0%"}, {0.004, "0.0%"}, {2.675, "2.68%"},
    };
    for (const auto& [percent, text] : cases) EXPECT_EQ(speedSettingsText(percent), text) << percent;
}

TEST_F(ElementSheetsTest, SpeedChangesOnePerRetimedElement) {
    auto slow = makeElement({.name = "Slow", .position = 50, .duration = 25, .trackType = TrackType::Video,
                             .videoRole = "Video"});
    slow->setSpeedFX(std::make_shared<SpeedFX>("Slow 50%", 50.0, std::nullopt));
    auto odd = makeElement({.name = "Odd", .position = 10, .trackType = TrackType::Audio, .videoRole = "",
                            .audioRole = "Music"});
    odd->setSpeedFX(std::make_shared<SpeedFX>("Custom", 33.333, std::nullopt));
    auto none = makeElement({.name = "Hold", .position = 0, .trackType = std::nullopt, .videoRole = "Titles"});
    none->setSpeedFX(std::make_shared<SpeedFX>("Hold", 0.0, std::nullopt));
    const auto unchanged = makeElement({.name = "Normal", .position = 5});
    writeSpeedChangesSheet(context, {slow, odd, unchanged, none}, "Speed Change Effects", true);
    const auto sheet = closeAndRead()["worksheets"]["Speed Change Effects"];

    const std::vector<ColoredRow> expected = {
        {{"Hold", "", "", "", "Hold", "Titles", "00:00:00:00", "00:00:00:00"}, xlsx::Color::blue},
        {{"Custom", "33.33%", "", "", "Odd", "", "00:00:00:10", "00:00:00:10"}, xlsx::Color::green},
        {{"Slow 50%", "50.0%", "", "", "Slow", "Video", "00:00:02:00", "00:00:03:00"}, xlsx::Color::blue},
    };
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const std::string row = std::to_string(i + 2);
        EXPECT_EQ(rowTexts(sheet, static_cast<int>(i) + 2, "H"), expected[i].texts) << row;
        EXPECT_EQ(fontColor(sheet, "A" + row), colorText(expected[i].color)) << row;
        EXPECT_EQ(sheet["cells"]["B" + row]["horizontal"], "center") << row;
        EXPECT_FALSE(sheet["cells"].contains("C" + row)) << row;
        EXPECT_FALSE(sheet["cells"].contains("D" + row)) << row;
    }
    EXPECT_EQ(sheet["maxRow"], 4);
}

TEST_F(ElementSheetsTest, TitlesWithTheirFontTextAndRoleColours) {
    const auto title = makeElement({.name = "Lower Third", .category = StoryElement::Category::title, .position = 25,
                                    .duration = 50, .videoRole = "Titles", .params = {{"font", "Futura"},
                                                                                      {"text", "Jane Doe"}}});
    const auto generator = makeElement({.name = "Solid", .category = StoryElement::Category::generator,
                                        .position = 0, .duration = 10, .trackType = std::nullopt,
                                        .videoRole = "Video", .enabled = false, .appleEffect = true,
                                        .params = {{"text", "only text"}}});
    const auto other = makeElement({.name = "Caption", .category = StoryElement::Category::caption, .position = 200,
                                    .duration = 5, .trackType = TrackType::Audio, .audioRole = "Dialogue"});
    writeTitlesSheet(context, {title, other, generator}, "Titles & Generators", true);
    const auto sheet = closeAndRead()["worksheets"]["Titles & Generators"];

    const std::vector<ColoredRow> expected = {
        {{"Solid", "\u2717", "\u2713", "", "00:00:00:00", "00:00:00:10", "00:00:00:10", "", "only text"},
         xlsx::Color::brown},
        {{"Lower Third", "\u2713", "\u2717", "Titles", "00:00:01:00", "00:00:03:00", "00:00:02:00", "Futura",
          "Jane Doe"},
         xlsx::Color::purple},
        {{"Caption", "\u2713", "\u2717", "Dialogue", "00:00:08:00", "00:00:08:05", "00:00:00:05", "", ""},
         xlsx::Color::black},
    };
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const std::string row = std::to_string(i + 2);
        EXPECT_EQ(rowTexts(sheet, static_cast<int>(i) + 2, "I"), expected[i].texts) << row;
        EXPECT_EQ(fontColor(sheet, "A" + row), colorText(expected[i].color)) << row;
        EXPECT_EQ(fontColor(sheet, "B" + row), colorText(expected[i].color)) << row;
    }
}

TEST_F(ElementSheetsTest, TransitionRowsAndTheirMarks) {
    writeTransitionsSheet(context,
                          {makeElement({.name = "Cross Dissolve", .category = StoryElement::Category::transition,
                                        .position = 100, .duration = 10, .appleEffect = true,
                                        .timelineClipCategory = "primary transition"})},
                          "Transitions", true);
    writeTransitionsSheet(context, {makeElement({.name = "Wipe", .category = StoryElement::Category::transition})},
                          "Plain", false);
    const auto book = closeAndRead();
    const auto& sheet = book["worksheets"]["Transitions"];
    EXPECT_EQ(rowTexts(sheet, 2, "F"), (std::vector<std::string>{"Cross Dissolve", "primary transition", "\u2713",
                                                                 "00:00:04:00", "00:00:04:10", "00:00:00:10"}));
    EXPECT_EQ(fontColor(sheet, "A2"), colorText(xlsx::Color::gray));
    EXPECT_EQ(sheet["cells"]["A2"]["numberFormat"], "#,##0");
    // The marks keep the number format.
    const auto& plain = book["worksheets"]["Plain"];
    EXPECT_EQ(rowTexts(plain, 2, "C"), (std::vector<std::string>{"Wipe", "", "\u2717"}));
    EXPECT_EQ(plain["cells"]["C2"]["horizontal"], "center");
    EXPECT_EQ(plain["cells"]["C2"]["numberFormat"], "#,##0");
    EXPECT_EQ(fontColor(plain, "C2"), colorText(xlsx::Color::black));
}

TEST_F(ElementSheetsTest, InterchangeSheetsHaveTheirOwnColumns) {
    struct Case {
        std::string name;
        InputType type;
        double offset;
        std::function<void(ReportContext&)> write;
        std::string sheet;
        std::string lastColumn;
        std::vector<std::string> headings;  // empty: not checked
        std::vector<std::string> row;
        std::optional<xlsx::Color> color;
    };
    const std::vector<Case> cases = {
        {"effects name the track", InputType::PProOTIO, -1,
         [](ReportContext& ctx) {
             auto element = makeElement({.name = "Shot", .position = 100, .duration = 10, .trackName = "V1"});
             element->appendVideoFX(videoEffect("Crop"));
             writeEffectsSheet(ctx, {element}, "Video & Audio Effects", false);
         },
         "Video & Audio Effects", "G",
         {"Effect", "Settings", "Enabled", "Clip Name", "Track", "Timeline In", "Timeline Out"},
         {"Crop", "", "\u2713", "Shot", "V1", "00:00:04:00", "00:00:04:09"}, xlsx::Color::black},
        {"titles show track and generator", InputType::XMEML, 0,
         [](ReportContext& ctx) {
             writeTitlesSheet(ctx,
                              {makeElement({.name = "Text", .category = StoryElement::Category::title, .duration = 25,
                                            .trackName = "V3", .videoRole = "Outline Text"})},
                              "Graphics & Titles", false);
         },
         "Graphics & Titles", "H",
         {"Track", "Clip Name", "Generator", "Timeline In", "Timeline Out", "Duration", "Font", "Title Text"},
         {"V3", "Text", "Outline Text", "00:00:00:00", "00:00:01:00", "00:00:01:00", "", ""}, std::nullopt},
        {"transitions end with the report offset", InputType::XMEML, -1,
         [](ReportContext& ctx) {
             writeTransitionsSheet(ctx,
                                   {makeElement({.name = "Cross Dissolve",
                                                 .category = StoryElement::Category::transition, .position = 100,
                                                 .duration = 10, .trackName = "V1", .appleEffect = true})},
                                   "Transitions", true);
         },
         "Transitions", "E", {}, {"V1", "Cross Dissolve", "00:00:04:00", "00:00:04:09", "00:00:00:10"},
         xlsx::Color::gray},
        {"clip markers subtract the offset from the end", InputType::XMEML, -1,
         [](ReportContext& ctx) {
             const auto clip = makeElement({.name = "Shot", .trackName = "V2", .timecodeFrameRate = "25"});
             writeMarkersSheet(ctx,
                               {makeRange({.name = "m", .kind = "Red", .position = 10, .duration = 5, .notes = "n",
                                           .clip = clip})},
                               SheetTitle::clipMarkers, true);
         },
         "Clip Markers", "I",
         {"Marker Name", "Color", "Comment", "Start", "End", "Duration", "Track", "Clip Name", "Source Position"},
         {"m", "Red", "n", "00:00:00:10", "00:00:00:14", "00:00:00:05", "V2", "Shot", "00:00:00:00"}, std::nullopt},
        {"DaVinci markers list their keywords", InputType::DaVrOTIO, 0,
         [](ReportContext& ctx) {
             writeMarkersSheet(ctx, {makeRange({.name = "m", .kind = "Blue", .keywords = {"one", "two"}})},
                               SheetTitle::timelineMarkers, false);
         },
         "Timeline Markers", "G", {}, {"m", "Blue", "one, two", "", "00:00:00:00", "00:00:00:00", ""},
         std::nullopt},
    };
    for (const auto& c : cases) {
        const auto sheet = readAlone(c.write, c.type, c.offset)["worksheets"][c.sheet];
        if (!c.headings.empty()) {
            EXPECT_EQ(rowTexts(sheet, 1, c.lastColumn), c.headings) << c.name;
        }
        EXPECT_EQ(rowTexts(sheet, 2, c.lastColumn), c.row) << c.name;
        EXPECT_EQ(sheet["cells"]["A2"]["numberFormat"], "#,##0") << c.name;
        if (c.color) {
            EXPECT_EQ(fontColor(sheet, "A2"), colorText(*c.color)) << c.name;
        }
    }
}

TEST_F(ElementSheetsTest, TimesThatAreNoTimecodeReadAsQuestionMarks) {
    struct Case {
        double position;
        double duration;
        std::vector<std::string> times;  // in, out, duration
    };
    const double day = 25.0 * 86400;
    const std::vector<Case> cases = {
        {-10, 10, {"??", "00:00:00:00", "00:00:00:10"}},
        {-10, 5, {"??", "??", "00:00:00:05"}},
        {day - 1, 0, {"23:59:59:24", "23:59:59:24", "00:00:00:00"}},
        {day - 1, 1, {"23:59:59:24", "??", "00:00:00:01"}},
        {0, -1, {"00:00:00:00", "??", "??"}},
        {std::nan(""), 1, {"??", "??", "00:00:00:01"}},
    };
    Elements elements;
    for (std::size_t i = 0; i < cases.size(); ++i) {
        // Report order would reorder them; one transition per row keeps the order given.
        elements.push_back(makeElement({.name = std::to_string(i), .position = cases[i].position,
                                        .duration = cases[i].duration}));
        writeTransitionsSheet(context, {elements.back()}, "T" + std::to_string(i), false);
    }
    const auto book = closeAndRead();
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const auto& sheet = book["worksheets"]["T" + std::to_string(i)];
        const auto row = rowTexts(sheet, 2, "F");
        EXPECT_EQ((std::vector<std::string>{row[3], row[4], row[5]}), cases[i].times) << i;
    }
}

TEST_F(ElementSheetsTest, ElementsTheOrderCannotTellApartKeepTheirOrder) {
    Elements elements;
    for (const std::string name : {"c", "a", "b"}) {
        elements.push_back(makeElement({.name = name, .category = StoryElement::Category::title, .position = 5,
                                        .sortOrder = 100}));
    }
    elements.push_back(makeElement({.name = "first", .category = StoryElement::Category::title, .position = 5,
                                    .sortOrder = 10}));
    writeTitlesSheet(context, elements, "Titles & Generators", false);
    const auto sheet = closeAndRead()["worksheets"]["Titles & Generators"];
    std::vector<std::string> names;
    for (int row = 2; row <= 5; ++row) names.push_back(rowTexts(sheet, row, "A")[0]);
    EXPECT_EQ(names, (std::vector<std::string>{"first", "c", "a", "b"}));
}

TEST_F(ElementSheetsTest, UnknownInputTypeLeavesTitlesAndTransitionsEmptyAndNoEffectSheets) {
    context.currentInputType = InputType::null;
    auto element = makeElement({.name = "x"});
    element->appendVideoFX(videoEffect("Blur"));
    element->setSpeedFX(std::make_shared<SpeedFX>("Fast", 200.0, std::nullopt));
    writeEffectsSheet(context, {element}, "Video & Audio Effects", true);
    writeSpeedChangesSheet(context, {element}, "Speed Change Effects", true);
    writeTitlesSheet(context, {element}, "Titles & Generators", true);
    writeTransitionsSheet(context, {element}, "Transitions", true);
    const auto book = closeAndRead();
    EXPECT_EQ(book["sheets"], (nlohmann::json{"Titles & Generators", "Transitions"}));
    EXPECT_TRUE(book["worksheets"]["Titles & Generators"]["cells"].empty());
    EXPECT_TRUE(book["worksheets"]["Transitions"]["cells"].empty());
    const std::string line = "\"Unsupported input type null\"\n";
    EXPECT_EQ(log.str(), line + line + line + line);
}

TEST(SheetsWithoutWorkbookTest, WriteNothing) {
    ReportContext context;
    std::ostringstream log;
    context.diagnostics = log;
    context.currentInputType = InputType::FCPXML;
    const Elements elements = {makeElement({.duration = 5})};
    writeEffectsSheet(context, elements, "E", true);
    writeSpeedChangesSheet(context, elements, "S", true);
    writeTitlesSheet(context, elements, "T", true);
    writeTransitionsSheet(context, elements, "X", true);
    writeMarkersSheet(context, {makeRange({})}, SheetTitle::markers, true);
    writeSummarySheet(context, *makeTimeline("T", 100), elements);
    EXPECT_FALSE(context.workbook.has_value());
    EXPECT_TRUE(context.sheetColumnWidths.values().empty());
    EXPECT_EQ(log.str(), "");
}

}  // namespace
}  // namespace tallyvane::testing
