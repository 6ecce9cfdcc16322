#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "readback.h"
#include "xlsx/workbook.h"

namespace tallyvane::xlsx {
namespace {

using testing::errorOf;
using testing::readBack;
using nlohmann::json;
using Formats = testing::WorkbookFile;

struct FormatCase {
    const char* name;
    std::function<void(Format&)> set;
    // Pointer into the reader's cell record, and the value expected there.
    const char* field;
    json expected;
};

std::vector<FormatCase> formatCases() {
    return {
        {"font name", [](Format& f) { f.fontName("Helvetica"); }, "/font/name", "Helvetica"},
        // 126 bytes of ASCII then a three-byte character: the library keeps 127 bytes, which would
        // split the character.
        {"over-long font name cut at a character boundary",
         [](Format& f) { f.fontName(std::string(126, 'F') + "\u20AC" + "tail"); }, "/font/name", std::string(126, 'F')},
        {"font size", [](Format& f) { f.fontSize(11.5); }, "/font/size", 11.5},
        {"bold", [](Format& f) { f.bold(); }, "/font/bold", true},
        {"italic", [](Format& f) { f.italic(); }, "/font/italic", true},
        {"black font is written as black, not as no colour", [](Format& f) { f.fontColor(Color::black); },
         "/font/color", "FF000000"},
        {"number format", [](Format& f) { f.numberFormat("#,##0"); }, "/numberFormat", "#,##0"},
        {"built-in number format", [](Format& f) { f.numberFormatIndex(10); }, "/numberFormat", "0.00%"},
        {"over-long number format cut at a character boundary",
         [](Format& f) { f.numberFormat(std::string(125, '0') + "\u00E9\u00E9"); }, "/numberFormat",
         std::string(125, '0') + "\u00E9"},
        {"left", [](Format& f) { f.align(HorizontalAlignment::left); }, "/horizontal", "left"},
        {"centre across", [](Format& f) { f.align(HorizontalAlignment::center_across); }, "/horizontal",
         "centerContinuous"},
        {"top", [](Format& f) { f.align(VerticalAlignment::top); }, "/vertical", "top"},
        {"centred across", [](Format& f) { f.center(); }, "/horizontal", "center"},
        {"centred down", [](Format& f) { f.center(); }, "/vertical", "center"},
        {"border", [](Format& f) { f.border(Border::thin); }, "/border/right", "thin"},
        {"left border", [](Format& f) { f.borderLeft(Border::double_); }, "/border/left", "double"},
        {"top border", [](Format& f) { f.borderTop(Border::dash_dot); }, "/border/top", "dashDot"},
        {"border colour", [](Format& f) { f.border(Border::medium).borderColor(Color::red); }, "/border/color",
         "FFFF0000"},
        {"background", [](Format& f) { f.background(Color::yellow); }, "/fill", "FFFFFF00"},
        {"rotation", [](Format& f) { f.rotation(45); }, "/rotation", 45},
        {"shrink", [](Format& f) { f.shrink(); }, "/shrink", true},
    };
}

TEST_F(Formats, ReadBackAsSet) {
    const auto cases = formatCases();
    Workbook workbook(path);
    Worksheet sheet = workbook.addWorksheet("Formats");
    for (std::size_t i = 0; i < cases.size(); ++i) {
        Format format = workbook.addFormat();
        cases[i].set(format);
        sheet.write(1234.5, Cell(i, 0), format);
    }
    workbook.close();

    const json cells = readBack(path)["worksheets"]["Formats"]["cells"];
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const json& cell = cells["A" + std::to_string(i + 1)];
        EXPECT_EQ(cell.at(json::json_pointer(cases[i].field)), cases[i].expected) << cases[i].name;
        EXPECT_EQ(cell["value"], 1234.5) << cases[i].name;
    }
}

// Formats with equal properties share one style; one changed after it was used shows its
// new properties in the cells written afterwards, and its twins keep theirs.
TEST_F(Formats, TwinsAndAFormatChangedAfterUse) {
    Workbook workbook(path);
    Worksheet sheet = workbook.addWorksheet("Sheet");
    auto boldRed = [&] {
        Format format = workbook.addFormat();
        format.bold().fontColor(Color::red);
        return format;
    };
    Format first = boldRed(), twin = boldRed(), changed = boldRed();
    const Format rows[] = {first, twin, changed, twin, changed, first};
    for (std::size_t row = 0; row < std::size(rows); ++row) {
        if (row == 4) changed.italic();
        sheet.write("x", Cell(row, 0), rows[row]);
    }
    workbook.close();

    const json cells = readBack(path)["worksheets"]["Sheet"]["cells"];
    for (std::size_t row = 0; row < std::size(rows); ++row) {
        const json& font = cells["A" + std::to_string(row + 1)]["font"];
        EXPECT_EQ(font["bold"], true) << row;
        EXPECT_EQ(font["color"], "FFFF0000") << row;
        EXPECT_EQ(font["italic"], row == 4) << row;
    }
}

TEST_F(Formats, NumbersTheLibraryCannotTakeAreRefused) {
    Workbook workbook(path);
    Format format = workbook.addFormat();
    const std::function<void()> refused[] = {
        [&] { format.numberFormatIndex(256); },
        [&] { format.numberFormatIndex(-1); },
        [&] { format.rotation(32768); },
        [&] { format.rotation(-32769); },
        [&] { format.fontSize(std::numeric_limits<double>::quiet_NaN()); },
        [&] { format.fontSize(std::numeric_limits<double>::infinity()); },
    };
    for (const auto& call : refused) EXPECT_EQ(errorOf(call).kind(), XlsxErrorKind::invalidArgument);
    format.numberFormatIndex(255).rotation(-32768).rotation(32767);
    workbook.addWorksheet();
    workbook.close();
}

}  // namespace
}  // namespace tallyvane::xlsx
