#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "report/files_summary_sheet.h"
#include "sheet_fixture.h"

namespace tallyvane::testing {
namespace {

class FilesSummarySheetTest : public SheetTest {
protected:
    FilesSummarySheetTest() { context.currentInputType = InputType::XMEML; }

    nlohmann::json write(const std::vector<FileTotal>& totals) {
        writeFilesSummarySheet(context, totals, "Files Summary");
        return closeAndRead()["worksheets"]["Files Summary"];
    }
};

TEST_F(FilesSummarySheetTest, WithoutFilesOnlyTheHeadingsAtTheirWidths) {
    const auto sheet = write({});
    EXPECT_EQ(rowTexts(sheet, 1, "D"),
              (std::vector<std::string>{"File Name", "Estimated Total", "% of Total", "File Path"}));
    EXPECT_EQ(sheet["maxRow"], 1);
    const std::vector<std::pair<std::string, double>> widths = {{"A", 10}, {"B", 16}, {"C", 11}, {"D", 10}};
    for (const auto& [column, width] : widths) {
        EXPECT_DOUBLE_EQ(sheet["widths"][column].get<double>(), storedWidth(width)) << column;
        const auto& cell = sheet["cells"][column + "1"];
        EXPECT_TRUE(cell["bold"]) << column;
        EXPECT_EQ(cell["font"], "Helvetica") << column;
        EXPECT_EQ(cell["horizontal"], "left") << column;
    }
}

TEST_F(FilesSummarySheetTest, FilesInNameOrderWithTotalsSharesAndPaths) {
    const std::string longName = std::string(36, 'n') + ".mov";
    const std::string longPath = "/" + std::string(59, 'p');
    const auto sheet = write({
        {"b.mov", "/media/b.mov", 45000},
        {"A.mov", "/media/A.mov", 22500},
        {"a.mov", "/first/a.mov", 11250},
        {"a.mov", "/second/a.mov", 11250},
        {longName, longPath, 0},
    });
    struct Row {
        std::string name;
        std::string total;
        double share;
        std::string path;
    };
    const std::vector<Row> expected = {
        {"A.mov", "00:15:00:00", 25, "/media/A.mov"},
        {"a.mov", "00:07:30:00", 12.5, "/first/a.mov"},
        {"a.mov", "00:07:30:00", 12.5, "/second/a.mov"},
        {"b.mov", "00:30:00:00", 50, "/media/b.mov"},
        {longName, "00:00:00:00", 0, longPath},
    };
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const int row = static_cast<int>(i) + 2;
        const std::string r = std::to_string(row);
        EXPECT_EQ(rowTexts(sheet, row, "D"),
                  (std::vector<std::string>{expected[i].name, expected[i].total, "", expected[i].path}))
            << r;
        const auto& share = sheet["cells"]["C" + r];
        ASSERT_EQ(share["type"], "n") << r;
        EXPECT_DOUBLE_EQ(share["value"].get<double>(), expected[i].share) << r;
        for (const std::string column : {"A", "B", "C", "D"}) {
            const auto& cell = sheet["cells"][column + r];
            EXPECT_EQ(cell["numberFormat"], "#,##0") << column << r;
            EXPECT_FALSE(cell["bold"]) << column << r;
            EXPECT_EQ(cell["horizontal"], "left") << column << r;
        }
    }
    EXPECT_DOUBLE_EQ(sheet["widths"]["A"].get<double>(), storedWidth(40));  // only the names widen
    EXPECT_DOUBLE_EQ(sheet["widths"]["D"].get<double>(), storedWidth(10));
}

TEST_F(FilesSummarySheetTest, SharesAreUnroundedAndTotalsPastADayHaveNoTimecode) {
    context.reportFrameRate = TimecodeFrameRate::fps25;
    const auto sheet = write({{"a", "/a", 90000}, {"b", "/b", 90000}, {"c", "/c", 25.0 * 86400 + 90000}});
    EXPECT_EQ(rowTexts(sheet, 2, "B")[1], "01:00:00:00");
    EXPECT_EQ(rowTexts(sheet, 4, "B")[1], "");
    EXPECT_DOUBLE_EQ(sheet["cells"]["C2"]["value"].get<double>(), 90000.0 / (25.0 * 86400 + 270000) * 100);
}

TEST_F(FilesSummarySheetTest, AReportWithoutTimeLeavesEveryShareBlank) {
    const auto sheet = write({{"a.wav", "/a.wav", 0}, {"b.wav", "/b.wav", 0}});
    for (const std::string address : {"C2", "C3"}) {
        EXPECT_TRUE(sheet["cells"][address]["value"].is_null()) << address;
        EXPECT_EQ(sheet["cells"][address]["numberFormat"], "#,##0") << address;
    }
    EXPECT_EQ(rowTexts(sheet, 3, "D"), (std::vector<std::string>{"b.wav", "00:00:00:00", "", "/b.wav"}));
}

TEST_F(FilesSummarySheetTest, AProjectOfNoKindGetsNoSheet) {
    context.currentInputType = InputType::null;
    writeFilesSummarySheet(context, {{"a.mov", "/a.mov", 10}}, "Files Summary");
    EXPECT_EQ(log.str(), "\"Unsupported input type null\"\n");
    const auto workbook = closeAndRead();
    EXPECT_FALSE(workbook["worksheets"].contains("Files Summary"));
}

}  // namespace
}  // namespace tallyvane::testing
