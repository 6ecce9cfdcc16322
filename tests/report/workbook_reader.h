#pragma once
// Report workbooks read back by an independent reader (openpyxl, run by the system Python),
// and the temporary folders the tests write them into.

#include <filesystem>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "xlsx/enums.h"
#include "support/temporary_folder.h"

namespace tallyvane::testing {

using test::TemporaryFolder;

// {"sheets": [names], "worksheets": {name: {"cells": {"A1": {...}}, "widths": {"A": w}, "maxRow": n}}}.
// Fails the calling test when the reader cannot open the file.
nlohmann::json readWorkbook(const std::filesystem::path& path);

// The width a reader sees for a column set to `characters` (whole characters from 1 up):
// the writer stores the pixel width of the characters plus the cell padding.
double storedWidth(double characters);

// "FF" followed by the colour's hex digits, as the reader reports a font colour.
std::string colorText(xlsx::Color color);

// The cells of one row of a sheet read back, from column A to `lastColumn` (one letter), as
// texts; "" for a cell that holds no text.
std::vector<std::string> rowTexts(const nlohmann::json& sheet, int row, const std::string& lastColumn);

// The font colour of a cell read back, "" when it has none.
std::string fontColor(const nlohmann::json& sheet, const std::string& address);

}  // namespace tallyvane::testing
