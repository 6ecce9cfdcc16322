#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "report/summary_sheet.h"
#include "report_builders.h"
#include "sheet_fixture.h"

namespace tallyvane::testing {
namespace {

using Elements = std::vector<std::shared_ptr<StoryElement>>;
using SummarySheetTest = SheetTest;

TEST(RoleTotalsTest, VideoRolesAudioRolesAndSubrolesInFirstMetOrder) {
    const Elements elements = {
        makeElement({.duration = 100, .videoRole = "Video", .audioRole = "Dialogue"}),
        makeElement({.duration = 10, .videoRole = "", .audioRole = "Dialogue"}),
        makeElement({.duration = 20, .videoRole = "Titles", .audioRole = "Music", .audioSubroles = {"Score", "Stems"}}),
        makeElement({.duration = 5, .videoRole = "Video", .audioRole = "Music", .audioSubroles = {"Stems"}}),
        makeElement({.duration = 1, .videoRole = "Dialogue", .audioRole = "dialogue"}),
    };
    const RoleTotals totals = roleTotals(elements);
    EXPECT_EQ(totals.video, (std::vector<RoleTotal>{{"Video", 105}, {"", 10}, {"Titles", 20}, {"Dialogue", 1}}));
    EXPECT_EQ(totals.audio, (std::vector<RoleTotal>{{"Dialogue", 110},
                                                    {"Music \u25B8 Score", 20},
                                                    {"Music \u25B8 Stems", 25},
                                                    {"dialogue", 1}}));
    EXPECT_TRUE(roleTotals({}).video.empty());
}

TEST(MissingMediaTest, OfflineAssetsOncePerLocation) {
    const auto offline = makeAsset("A", "file:///media/A.mov", false);
    const auto sameLocation = makeAsset("A copy", "file:///media/A.mov", false);
    const auto online = makeAsset("B", "file:///media/B.mov", true);
    const auto noUrl = makeAsset("C", std::nullopt, false);
    const auto noUrlEither = makeAsset("D", std::nullopt, false);
    const auto other = makeAsset("E", "file:///media/E%20F.mov", false);
    Elements elements;
    for (const auto& asset : std::vector<std::shared_ptr<Asset>>{offline, online, offline, sameLocation, noUrl, nullptr,
                                                                   noUrlEither, other, offline}) {
        elements.push_back(makeElement({.asset = asset}));
    }
    EXPECT_EQ(missingMedia(elements), (std::vector<std::shared_ptr<Asset>>{offline, noUrl, other}));
}

TEST_F(SummarySheetTest, WithoutElementsTheFactsHeadingsAndMissingMediaHeading) {
    const auto timeline = makeTimeline("Main Edit", 7200, "25", 48000);
    writeSummarySheet(context, *timeline, {});
    const auto sheet = closeAndRead()["worksheets"]["Summary"];
    EXPECT_EQ(rowTexts(sheet, 1, "E"), (std::vector<std::string>{"Main Edit", "", "", "", ""}));
    EXPECT_EQ(rowTexts(sheet, 2, "E"), (std::vector<std::string>{"", "00:04:48:00", "1920 \u00D7 1080", "25", "48kHz"}));
    EXPECT_EQ(rowTexts(sheet, 3, "E"), (std::vector<std::string>(5)));
    EXPECT_EQ(rowTexts(sheet, 4, "C"), (std::vector<std::string>{"Role \u25B8 Subrole", "Estimated Total", "% of Total"}));
    EXPECT_EQ(rowTexts(sheet, 6, "A"), (std::vector<std::string>{"Missing Media"}));
    EXPECT_EQ(sheet["maxRow"], 6);
    for (const std::string address : {"A1", "A4", "B4", "C4", "A6"}) {
        EXPECT_TRUE(sheet["cells"][address]["bold"]) << address;
        EXPECT_EQ(sheet["cells"][address]["font"], "Helvetica") << address;
    }
    EXPECT_FALSE(sheet["cells"]["B2"]["bold"]);
    EXPECT_EQ(sheet["cells"]["B2"]["numberFormat"], "#,##0");
    EXPECT_EQ(sheet["cells"]["B2"]["horizontal"], "left");
}

TEST_F(SummarySheetTest, RoleRowsWithTotalsSharesAndMissingMedia) {
    const auto timeline = makeTimeline("Cut", 7200, "25");
    const auto offline = makeAsset("A", "file:///media/Shot%20A.mov", false);
    const Elements elements = {
        makeElement({.duration = 1800, .videoRole = "Video", .audioRole = "Dialogue", .asset = offline}),
        makeElement({.duration = 900, .videoRole = "", .audioRole = "Dialogue", .asset = offline}),
        makeElement({.duration = 360, .videoRole = "Music", .audioRole = "Music", .audioSubroles = {"Score", "Stems"},
                     .asset = makeAsset("B", "file:///media/B.wav", true)}),
        makeElement({.duration = 25.0 * 86400, .videoRole = "Titles", .audioRole = "Music",
                     .audioSubroles = {"Score"}, .asset = offline}),
    };
    writeSummarySheet(context, *timeline, elements);
    const auto sheet = closeAndRead()["worksheets"]["Summary"];

    struct Row {
        std::string name;
        std::string total;
        double share;
    };
    const std::vector<Row> expected = {
        {"Video", "00:01:12:00", 0.25},
        {"", "00:00:36:00", 0.125},
        {"Music", "00:00:14:10", 0.05},
        {"Titles", "", 300.0},
        {"Dialogue", "00:01:48:00", 0.375},
        {"Music \u25B8 Score", "", 300.05},
        {"Music \u25B8 Stems", "00:00:14:10", 0.05},
    };
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const int row = static_cast<int>(i) + 5;
        const std::string r = std::to_string(row);
        EXPECT_EQ(rowTexts(sheet, row, "B"), (std::vector<std::string>{expected[i].name, expected[i].total})) << r;
        const auto& share = sheet["cells"]["C" + r];
        ASSERT_EQ(share["type"], "n") << r;
        EXPECT_DOUBLE_EQ(share["value"].get<double>(), expected[i].share) << r;
        EXPECT_EQ(share["numberFormat"], "0.0%") << r;
        EXPECT_EQ(share["horizontal"], "centerContinuous") << r;
    }
    EXPECT_EQ(rowTexts(sheet, 12, "A"), (std::vector<std::string>{""}));
    EXPECT_EQ(rowTexts(sheet, 13, "A"), (std::vector<std::string>{"Missing Media"}));
    EXPECT_EQ(rowTexts(sheet, 14, "A"), (std::vector<std::string>{"/media/Shot A.mov"}));
    EXPECT_EQ(fontColor(sheet, "A14"), colorText(xlsx::Color::red));
    EXPECT_EQ(sheet["maxRow"], 14);
    EXPECT_DOUBLE_EQ(sheet["widths"]["A"].get<double>(), storedWidth(17));  // the path
    EXPECT_DOUBLE_EQ(sheet["widths"]["B"].get<double>(), storedWidth(16));  // "Estimated Total"
    EXPECT_DOUBLE_EQ(sheet["widths"]["C"].get<double>(), storedWidth(11));  // "1920 × 1080"
    EXPECT_NE(log.str().find("RoleTotal(name: \"Music \u25B8 Stems\", total: 360.0)"), std::string::npos);
}

TEST_F(SummarySheetTest, TimelineLengthsWithoutTimecodeAndSampleRatesInWholeKilohertz) {
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    constexpr double kInfinity = std::numeric_limits<double>::infinity();
    struct Case {
        double duration;
        std::int64_t sampleRate;
        std::string durationText;
        std::string kilohertz;
        std::optional<double> share;  // none: left blank, as a timeline without length has no shares
    };
    const std::vector<Case> cases = {
        {0.0, 48000, "00:00:00:00", "48kHz", std::nullopt}, {kNaN, 48000, "", "48kHz", std::nullopt},
        {kInfinity, 48000, "", "48kHz", std::nullopt},      {25, 44100, "00:00:01:00", "44kHz", 2.0},
        {25, 999, "00:00:01:00", "0kHz", 2.0},
        {25, 0, "00:00:01:00", "0kHz", 2.0},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const auto& c = cases[i];
        // One summary per workbook: every case gets its own.
        const auto sheet = readAlone([&](ReportContext& local) {
            writeSummarySheet(local, *makeTimeline("T", c.duration, "23.976", c.sampleRate),
                              {makeElement({.duration = 50, .videoRole = "Video"})});
        })["worksheets"]["Summary"];
        const auto facts = rowTexts(sheet, 2, "E");
        EXPECT_EQ(facts[1], c.durationText) << i;
        EXPECT_EQ(facts[3], "23.976") << i;
        EXPECT_EQ(facts[4], c.kilohertz) << i;
        EXPECT_EQ(rowTexts(sheet, 5, "B"), (std::vector<std::string>{"Video", "00:00:02:00"})) << i;
        const auto& share = sheet["cells"]["C5"];
        if (c.share) {
            EXPECT_DOUBLE_EQ(share["value"].get<double>(), *c.share) << i;
        } else {
            EXPECT_TRUE(share["value"].is_null()) << i;
        }
        EXPECT_EQ(share["numberFormat"], "0.0%") << i;
    }
}

}  // namespace
}  // namespace tallyvane::testing
