#pragma once
// Clip sheets written into a real workbook and read back by the independent reader, with
// cells looked up by their heading text.

#include <memory>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "report/clipsheet/clip_sheet.h"
#include "report_builders.h"
#include "sheet_fixture.h"

namespace tallyvane::testing {

// "A" for 0, "AB" for 27.
std::string columnLetters(std::size_t column);

// The header texts of row 1, left to right, up to the first empty one.
std::vector<std::string> headerTexts(const nlohmann::json& sheet);

// The cell under the `occurrence`-th (0-based) header with the text, in the 1-based row;
// null when there is no such column or no cell.
nlohmann::json cellUnder(const nlohmann::json& sheet, const std::string& heading, int row, int occurrence = 0);
// Its value as text ("" when absent or not a text).
std::string textUnder(const nlohmann::json& sheet, const std::string& heading, int row, int occurrence = 0);

// The stored width of the first column with the header text.
double widthUnder(const nlohmann::json& sheet, const std::string& heading);

class ClipSheetTest : public SheetTest {
protected:
    ClipSheetTest() { context.sheetKind = 6; }

    std::vector<FileTotal> write(const std::vector<std::shared_ptr<StoryElement>>& elements,
                                 const ReportOptions& options = {}, bool useColorText = true,
                                 const std::string& name = "Selected Roles") {
        return writeClipSheet(context, elements, name, options, useColorText);
    }

    nlohmann::json sheet(const std::string& name = "Selected Roles") {
        if (read_.is_null()) read_ = closeAndRead();
        return read_["worksheets"][name];
    }

private:
    nlohmann::json read_;
};

}  // namespace tallyvane::testing
