#include <functional>

#include <gtest/gtest.h>

#include "readback.h"
#include "xlsx/workbook.h"

namespace tallyvane::xlsx {
namespace {

using testing::errorOf;
using testing::readBack;
using nlohmann::json;
using SheetOptions = testing::WorkbookFile;
using Tables = testing::WorkbookFile;

struct OptionCase {
    const char* name;
    std::function<void(Worksheet&)> apply;
    // Pointers into the reader's worksheet record, and the values expected there.
    json expected;
};

std::vector<OptionCase> optionCases() {
    return {
        {"untouched sheet shows gridlines", [](Worksheet&) {}, {{"/showGridLines", true}}},
        {"no gridlines", [](Worksheet& s) { s.gridlines(false, false); },
         {{"/showGridLines", false}, {"/printGridLines", false}}},
        {"printed gridlines", [](Worksheet& s) { s.gridlines(false, true); }, {{"/printGridLines", true}}},
        {"all gridlines", [](Worksheet& s) { s.gridlines(true, true); },
         {{"/showGridLines", true}, {"/printGridLines", true}}},
        {"hidden", [](Worksheet& s) { s.hide(); }, {{"/state", "hidden"}}},
        {"tab colour", [](Worksheet& s) { s.tabColor(Color::orange); }, {{"/tabColor", "FFFF6600"}}},
        {"zeros hidden", [](Worksheet& s) { s.hideZero(); }, {{"/showZeros", false}}},
        {"paper", [](Worksheet& s) { s.paper(PaperType::A3); }, {{"/paper", 8}}},
        {"default row with unused rows hidden", [](Worksheet& s) { s.defaultRow(24, true); },
         {{"/defaultRowHeight", 24.0}, {"/zeroHeight", true}}},
        {"autofilter", [](Worksheet& s) { s.autoFilter(Range(0, 0, 9, 2)); }, {{"/autoFilter", "A1:C10"}}},
        {"selected", [](Worksheet& s) { s.select(); }, {{"/selected", true}}},
        {"merged", [](Worksheet& s) { s.merge("Summary", "B2:D2"); },
         {{"/merged", json{"B2:D2"}}, {"/cells/B2/value", "Summary"}}},
        {"hidden columns", [](Worksheet& s) { s.hideColumns(3, 8.43); },
         {{"/columns/0", json{{"min", 4}, {"max", 16384}, {"width", 0.0}, {"hidden", true}}}}},
    };
}

TEST_F(SheetOptions, ReadBackAsSet) {
    const auto cases = optionCases();
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].name);
        const auto path = (folder / ("options" + std::to_string(i) + ".xlsx")).string();
        Workbook workbook(path);
        workbook.addWorksheet("First");
        Worksheet sheet = workbook.addWorksheet("Options");
        cases[i].apply(sheet);
        workbook.close();
        const json book = readBack(path);
        const json& back = book["worksheets"]["Options"];
        for (const auto& [field, expected] : cases[i].expected.items()) {
            ASSERT_TRUE(back.contains(json::json_pointer(field))) << field << " in " << back.dump();
            EXPECT_EQ(back.at(json::json_pointer(field)), expected) << field;
        }
    }
}

TEST_F(SheetOptions, ActivateChoosesTheSheetTheWorkbookOpensOn) {
    Workbook workbook(path);
    workbook.addWorksheet("First");
    workbook.addWorksheet("Second").activate().printArea("A1:C10");
    workbook.addWorksheet("Third");
    workbook.close();
    const json book = readBack(path);
    EXPECT_EQ(book["active"], "Second");
    EXPECT_EQ(book["worksheets"]["Second"]["printArea"], json{"$A$1:$C$10"});
}

TEST_F(Tables, HaveHeadersStyleAndOptionalTotals) {
    Workbook workbook(path, WriteOrder::anyOrder);
    Format bold = workbook.addFormat().bold();
    Worksheet sheet = workbook.addWorksheet("Tables");
    sheet.table("A1:C4", "Clips", {{"Clip", bold}, {"Frames", std::nullopt}, {"Seconds", std::nullopt}});
    sheet.table(Range(10, 0, 13, 2), std::nullopt, {{"Role", std::nullopt}, {"Frames", std::nullopt}},
                {TotalFunction::none, TotalFunction::sum});
    for (int row = 1; row <= 3; ++row) sheet.writeRow({Value("clip"), Value(24.0 * row), Value(1.0 * row)}, Cell(row, 0));
    workbook.close();

    const json tables = readBack(path)["worksheets"]["Tables"]["tables"];
    ASSERT_EQ(tables.size(), 2u);
    EXPECT_EQ(tables["Clips"]["ref"], "A1:C4");
    EXPECT_EQ(tables["Clips"]["style"], "TableStyleMedium7");
    EXPECT_EQ(tables["Clips"]["totalsRowCount"], nullptr);
    EXPECT_EQ(tables["Clips"]["columns"].dump(), R"([["Clip",null],["Frames",null],["Seconds",null]])");
    EXPECT_EQ(tables["Table2"]["ref"], "A11:C15");  // one row more for the totals
    EXPECT_EQ(tables["Table2"]["totalsRowCount"], 1);
    EXPECT_EQ(tables["Table2"]["columns"].dump(), R"([["Role",null],["Frames","sum"],["Column3",null]])");
}

TEST_F(Tables, NeedTheAnyOrderWorkbook) {
    Workbook workbook(path);
    Worksheet sheet = workbook.addWorksheet();
    const XlsxError error =
        errorOf([&] { sheet.table("A1:B3", std::nullopt, {{"A", std::nullopt}, {"B", std::nullopt}}); });
    EXPECT_EQ(error.kind(), XlsxErrorKind::library);
    EXPECT_STREQ(error.what(), "Feature is not currently supported in this configuration.");
    EXPECT_THROW(sheet.table(Range(4294967294u, 0, 4294967295u, 1), std::nullopt, {}, {}), XlsxError);
    workbook.close();
}

TEST_F(SheetOptions, RefusedRangesAreErrors) {
    Workbook workbook(path, WriteOrder::anyOrder);
    Worksheet sheet = workbook.addWorksheet();
    const std::function<void()> refused[] = {
        [&] { sheet.merge("x", "A1:A1"); },  // a single cell is no merged range
        [&] { sheet.merge("x", Range(0, 0, 1048576, 1)); },
        [&] { sheet.autoFilter(Range(0, 0, 0, 16384)); },
        [&] { sheet.printArea(Range(0, 0, 1048576, 0)); },
        [&] { sheet.defaultRow(std::nan(""), false); },
    };
    for (const auto& call : refused) EXPECT_THROW(call(), XlsxError);
    workbook.close();
}

}  // namespace
}  // namespace tallyvane::xlsx
