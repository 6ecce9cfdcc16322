#include <chrono>
#include <cmath>
#include <limits>
#include <sstream>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "readback.h"
#include "xlsx/workbook.h"

namespace tallyvane::xlsx {

// The two write orders by name in the test list.
void PrintTo(WriteOrder order, std::ostream* out) { *out << (order == WriteOrder::rowByRow ? "rowByRow" : "anyOrder"); }

namespace {

using testing::errorOf;
using testing::fixture;
using testing::readBack;
using nlohmann::json;
using Worksheets = testing::WorkbookFile;

struct CellCase {
    const char* name;
    Value value;
    json expectedValue;
    const char* expectedType;
};

std::vector<CellCase> cellCases() {
    using namespace std::chrono;
    const Value::Date epoch{};
    return {
        {"text", Value("Clip ▸ Dialogue"), "Clip ▸ Dialogue", "s"},
        {"text that looks like a formula", Value("=SUM(A1:A2)"), "=SUM(A1:A2)", "s"},
        {"invalid UTF-8 replaced", Value("a\xFF" "b"), "a\uFFFDb", "s"},
        {"NUL replaced", Value(std::string("a\0b", 3)), "a\uFFFDb", "s"},
        {"number", Value(2.5), 2.5, "n"},
        {"negative number", Value::number(-1e-7), -1e-7, "n"},
        {"boolean", Value::boolean(true), true, "b"},
        {"formula", Value::formula("=1+2"), "=1+2", "f"},
        {"datetime at the epoch", Value::datetime(epoch), 25569, "n"},
        {"datetime a day and a half later", Value::datetime(epoch + hours(36)), 25570.5, "n"},
        {"url", Value::url("https://example.com/a?b=c"), "https://example.com/a?b=c", "s"},
    };
}

class CellKinds : public testing::WorkbookFile, public ::testing::WithParamInterface<WriteOrder> {};

TEST_P(CellKinds, ReadBackWithTheirTypesAndTexts) {
    const auto cases = cellCases();
    std::ostringstream diagnostics;
    Workbook workbook(path, GetParam(), diagnostics);
    Worksheet sheet = workbook.addWorksheet("Cells");
    for (std::size_t i = 0; i < cases.size(); ++i) sheet.write(cases[i].value, Cell(i, 0));
    workbook.close();
    EXPECT_EQ(diagnostics.str(), "");

    const json book = readBack(path);
    const json& cells = book["worksheets"]["Cells"]["cells"];
    const json& raw = book["raw"]["Cells"]["cells"];
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const std::string at = "A" + std::to_string(i + 1);
        SCOPED_TRACE(cases[i].name);
        ASSERT_TRUE(cells.contains(at));
        EXPECT_EQ(cells[at]["value"], cases[i].expectedValue);
        EXPECT_EQ(cells[at]["type"], cases[i].expectedType);
        EXPECT_EQ(raw[at]["formula"], std::string(cases[i].expectedType) == "f");
    }
    EXPECT_EQ(cells["A11"]["hyperlink"], "https://example.com/a?b=c");
}

INSTANTIATE_TEST_SUITE_P(BothOrders, CellKinds, ::testing::Values(WriteOrder::rowByRow, WriteOrder::anyOrder));

// "_xHHHH_" in a stored text stands for a character; a literal one must keep showing as
// written. The reader decodes shared strings (any order) and gives inline ones (row by
// row) as stored.
TEST_F(Worksheets, TextsThatLookLikeTheFilesEscapesShowAsWritten) {
    const struct {
        std::string text;
        std::string stored;
    } cases[] = {
        {"_x0041_ a_x00e9_b __x0041__", "_x005F_x0041_ a_x005F_x00e9_b __x005F_x0041__"},
        {"_x004_ _x00G1_ _X0041_ _x", "_x004_ _x00G1_ _X0041_ _x"},
        {"\u00e9_x0041_x0042_", "\u00e9_x005F_x0041_x005F_x0042_"},
    };
    for (const WriteOrder order : {WriteOrder::anyOrder, WriteOrder::rowByRow}) {
        std::ostringstream diagnostics;
        Workbook workbook(path, order, diagnostics);
        Worksheet sheet = workbook.addWorksheet("Texts");
        for (std::size_t i = 0; i < std::size(cases); ++i) sheet.write(cases[i].text, Cell(i, 0));
        workbook.close();
        const json cells = readBack(path)["worksheets"]["Texts"]["cells"];
        for (std::size_t i = 0; i < std::size(cases); ++i) {
            EXPECT_EQ(cells["A" + std::to_string(i + 1)]["value"],
                      order == WriteOrder::anyOrder ? cases[i].text : cases[i].stored);
        }
    }
}

TEST_F(Worksheets, NonFiniteNumbersLeaveFormattedBlankCellsAndSayWhereWhileCommentsIgnoreTheFormat) {
    std::ostringstream diagnostics;
    Workbook workbook(path, WriteOrder::rowByRow, diagnostics);
    Format bold = workbook.addFormat().bold();
    Worksheet sheet = workbook.addWorksheet("Shares");
    const double values[] = {std::nan(""), std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity()};
    for (std::size_t i = 0; i < 3; ++i) sheet.write(values[i], Cell(i, 1), bold);
    // A comment is a note on the cell and ignores the format.
    sheet.write("cell", "B4").write(Value::comment("a note"), "B4", bold);
    workbook.close();

    EXPECT_EQ(diagnostics.str(),
              "Number nan left out of cell B1 of sheet \"Shares\"\n"
              "Number inf left out of cell B2 of sheet \"Shares\"\n"
              "Number -inf left out of cell B3 of sheet \"Shares\"\n");
    const json cells = readBack(path)["worksheets"]["Shares"]["cells"];
    for (const char* at : {"B1", "B2", "B3"}) {
        ASSERT_TRUE(cells.contains(at)) << at;
        EXPECT_TRUE(cells[at]["value"].is_null()) << at;
        EXPECT_TRUE(cells[at]["font"]["bold"]) << at;
    }
    EXPECT_EQ(cells["B4"]["value"], "cell");
    EXPECT_EQ(cells["B4"]["comment"], "a note");
    EXPECT_FALSE(cells["B4"]["font"]["bold"]);
}

TEST_F(Worksheets, OverLongTextIsCutAtAGraphemeBoundaryWithADiagnostic) {
    struct Case {
        std::string text;
        std::string expected;
        std::string diagnostic;
    };
    const std::string a32766(32766, 'a');
    const std::string thumbsUpMediumSkin = "\U0001F44D\U0001F3FD";  // four UTF-16 units, one grapheme
    const Case cases[] = {
        {std::string(40000, 'x'), std::string(32767, 'x'), "Text of 40000 characters cut to 32767 in cell A1 of sheet \"Long\"\n"},
        {a32766 + thumbsUpMediumSkin, a32766, "Text of 32770 characters cut to 32766 in cell A2 of sheet \"Long\"\n"},
        {a32766 + "e\u0301\u0301", a32766, "Text of 32769 characters cut to 32766 in cell A3 of sheet \"Long\"\n"},
        {std::string(32767, 'b'), std::string(32767, 'b'), ""},
    };
    std::ostringstream diagnostics;
    Workbook workbook(path, WriteOrder::rowByRow, diagnostics);
    Worksheet sheet = workbook.addWorksheet("Long");
    std::string expectedDiagnostics;
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        sheet.write(cases[i].text, Cell(i, 0));
        expectedDiagnostics += cases[i].diagnostic;
    }
    sheet.write(Value::comment(std::string(33000, 'c')), Cell(5, 0));
    workbook.close();
    EXPECT_EQ(diagnostics.str(), expectedDiagnostics + "Text of 33000 characters cut to 32767 in cell A6 of sheet \"Long\"\n");

    const json cells = readBack(path)["worksheets"]["Long"]["cells"];
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(cells["A" + std::to_string(i + 1)]["value"], cases[i].expected) << i;
    }
    EXPECT_EQ(cells["A6"]["comment"].get<std::string>().size(), 32767u);
}

TEST_F(Worksheets, ImagesAreAnchoredAtTheirCellAndSetTheRowHeightEvenWhenMissing) {
    Workbook workbook(path);
    Worksheet sheet = workbook.addWorksheet("Thumbs");
    sheet.write("first", Cell(1, 0))
        .insertImage(fixture("swatch.jpg"), Cell(1, 2), 40)
        .insertImage(fixture("swatch.png"), Cell(3, 2), 60)
        .insertImage(fixture("swatch.png"), Cell(5, 2), 0);
    // A missing or unreadable image is an error, but its row height is still set.
    EXPECT_THROW(sheet.insertImage((folder / "nowhere.jpg").string(), Cell(7, 0), 80), XlsxError);
    EXPECT_THROW(sheet.insertImage(fixture("dump_workbook.py"), Cell(8, 0), 80), XlsxError);
    workbook.close();

    const json book = readBack(path);
    const json& rows = book["worksheets"]["Thumbs"]["rows"];
    EXPECT_DOUBLE_EQ(rows["2"]["height"].get<double>(), 30.0);  // pixels * 0.75 points
    EXPECT_DOUBLE_EQ(rows["4"]["height"].get<double>(), 45.0);
    EXPECT_TRUE(rows["6"]["hidden"].get<bool>() || rows["6"]["height"] == 0);
    EXPECT_DOUBLE_EQ(rows["8"]["height"].get<double>(), 60.0);
    EXPECT_DOUBLE_EQ(rows["9"]["height"].get<double>(), 60.0);
    const json& pictures = book["raw"]["Thumbs"]["pictures"];
    ASSERT_EQ(pictures.size(), 3u);
    EXPECT_EQ(pictures[0]["row"], 1);
    EXPECT_EQ(pictures[0]["col"], 2);
    EXPECT_THAT(pictures[0]["media"].get<std::string>(), ::testing::EndsWith(".jpeg"));
    EXPECT_EQ(pictures[1]["row"], 3);
    EXPECT_THAT(pictures[1]["media"].get<std::string>(), ::testing::EndsWith(".png"));
}

TEST_F(Worksheets, InAnyOrderPicturesSetRowsUpToTheTallestTheApplicationOpensAndArePlacedByThem) {
    struct Case {
        long long pixels;
        double points;
    };
    const Case cases[] = {
        {544, 408.0},
        {545, 408.75},
        {546, 408.75},  // 409.5 points
        {1000, 408.75},
        {4294967295LL, 408.75},
    };
    Workbook workbook(path, WriteOrder::anyOrder);
    Worksheet sheet = workbook.addWorksheet("Tall");
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        sheet.insertImage(fixture("swatch.png"), Cell(i, 0), cases[i].pixels);
    }
    constexpr long long kSwatchHeight = 36;  // pixels of swatch.png
    constexpr long long kEmuPerPixel = 9525;
    workbook.addWorksheet("Placed")
        .insertImage(fixture("swatch.png"), Cell(1, 0), kSwatchHeight)
        .insertImage(fixture("swatch.png"), Cell(3, 0), 100);
    workbook.close();

    const json book = readBack(path);
    const json& rows = book["worksheets"]["Tall"]["rows"];
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_DOUBLE_EQ(rows[std::to_string(i + 1)]["height"].get<double>(), cases[i].points) << cases[i].pixels;
    }
    EXPECT_EQ(book["raw"]["Tall"]["pictures"].size(), std::size(cases));

    // In any order a picture is placed by the row heights it was given.
    const json& pictures = book["raw"]["Placed"]["pictures"];
    ASSERT_EQ(pictures.size(), 2u);
    // Exactly as tall as its row: it ends where the next row begins.
    EXPECT_EQ(pictures[0]["toRow"], 2);
    EXPECT_EQ(pictures[0]["toRowOffset"], 0);
    // Shorter than its row: it ends inside it.
    EXPECT_EQ(pictures[1]["toRow"], 3);
    EXPECT_EQ(pictures[1]["toRowOffset"], kSwatchHeight * kEmuPerPixel);
}

TEST_F(Worksheets, ColumnWidthsApplyToTheirSpanAreCappedAt255AndImpossibleOnesAreRefused) {
    Workbook workbook(path);
    Format bold = workbook.addFormat().bold();
    Worksheet sheet = workbook.addWorksheet("Widths");
    // Impossible widths are refused before the library, and leave no column behind.
    for (double width : {std::nan(""), -1.0, -std::numeric_limits<double>::infinity()}) {
        EXPECT_EQ(errorOf([&] { sheet.column(Cols(0, 0), width); }).kind(), XlsxErrorKind::invalidArgument) << width;
        EXPECT_THROW(sheet.hideColumns(2, width), XlsxError);
    }
    sheet.column(Cols(3, 3), 20.0)
        .column("F:G", 255.0, bold)
        .column(Cols(8, 8), 300.0)
        .column(Cols(9, 9), std::numeric_limits<double>::infinity())
        .column(Cols(10, 10), 0.0);
    workbook.close();

    const json book = readBack(path);
    std::map<int, json> byFirst;
    for (const json& column : book["worksheets"]["Widths"]["columns"]) byFirst[column["min"]] = column;
    ASSERT_EQ(byFirst.size(), 5u);
    EXPECT_EQ(byFirst[4]["max"], 4);  // Cols(3, 3) is the fourth column only
    EXPECT_NEAR(byFirst[4]["width"].get<double>(), 20.0, 1.0);
    EXPECT_EQ(byFirst[6]["max"], 7);
    const double width255 = byFirst[6]["width"].get<double>();
    EXPECT_NEAR(width255, 255.0, 1.0);
    EXPECT_EQ(byFirst[9]["width"], width255);
    EXPECT_EQ(byFirst[10]["width"], width255);
    EXPECT_NEAR(byFirst[11]["width"].get<double>(), 0.0, 1.0);
}

TEST_F(Worksheets, LinesOfValuesGoAlongRowsAndDownColumnsUnlessTheyWouldRunPastTheLastCell) {
    Workbook workbook(path, WriteOrder::anyOrder);
    Worksheet sheet = workbook.addWorksheet("Lines");
    sheet.writeRow({Value("a"), Value(1.0), Value::boolean(false)}, "B2")
        .writeColumn({Value("down"), Value(2.0)}, "A4")
        .writeNumbers({3.0, 4.5}, Cell(6, 3))
        .writeStrings({"x", "=y"}, Cell(7, 3));
    // Lines that would run past the last cell are refused whole.
    EXPECT_THROW(sheet.writeRow({Value("a"), Value("b")}, Cell(0, 65535)), XlsxError);
    EXPECT_THROW(sheet.writeColumn({Value("a"), Value("b")}, Cell(4294967295u, 0)), XlsxError);
    EXPECT_THROW(sheet.writeNumbers({1.0, 2.0}, Cell(0, 65535)), XlsxError);
    // Inside the integer types but beyond the sheet: the library refuses the cell.
    for (const Cell at : {Cell(1048576, 0), Cell(0, 16384), Cell(0, 65535)}) {
        EXPECT_STREQ(errorOf([&] { sheet.writeRow({Value("a")}, at); }).what(),
                     "Worksheet row or column index out of range.")
            << at.row << " " << at.col;
    }
    workbook.close();
    const json cells = readBack(path)["worksheets"]["Lines"]["cells"];
    const std::pair<const char*, json> expected[] = {
        {"B2", "a"}, {"C2", 1}, {"D2", false}, {"A4", "down"}, {"A5", 2},
        {"D7", 3},   {"E7", 4.5}, {"D8", "x"}, {"E8", "=y"},
    };
    for (const auto& [at, value] : expected) EXPECT_EQ(cells[at]["value"], value) << at;
    EXPECT_EQ(cells.size(), std::size(expected));
    EXPECT_EQ(cells["E8"]["type"], "s");
}

TEST_F(Worksheets, RowByRowRefusesARowAboveTheCurrentOneAndKeepsTheRest) {
    Workbook workbook(path, WriteOrder::rowByRow);
    Worksheet sheet = workbook.addWorksheet("Order");
    sheet.write("row 6", Cell(5, 0)).write("row 6, column B", Cell(5, 1)).write("row 6 again", Cell(5, 0));
    const XlsxError error = errorOf([&] { sheet.write("row 3", Cell(2, 0)); });
    EXPECT_EQ(error.kind(), XlsxErrorKind::library);
    EXPECT_STREQ(error.what(), "Worksheet row or column index out of range.");
    sheet.write("row 8", Cell(7, 0)).column(Cols(0, 0), 30.0);
    workbook.close();
    const json sheetBack = readBack(path)["worksheets"]["Order"];
    EXPECT_EQ(sheetBack["cells"]["A6"]["value"], "row 6 again");
    EXPECT_EQ(sheetBack["cells"]["B6"]["value"], "row 6, column B");
    EXPECT_EQ(sheetBack["cells"]["A8"]["value"], "row 8");
    EXPECT_FALSE(sheetBack["cells"].contains("A3"));
    EXPECT_NEAR(sheetBack["columns"][0]["width"].get<double>(), 30.0, 1.0);
}

}  // namespace
}  // namespace tallyvane::xlsx
