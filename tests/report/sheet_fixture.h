#pragma once
// A report context with an open workbook in a temporary folder; the test writes sheets into
// it, then closes it and reads it back.

#include <sstream>
#include <string>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "report/report_context.h"
#include "workbook_reader.h"
#include "xlsx/enums.h"

namespace tallyvane::testing {

class SheetTest : public ::testing::Test {
protected:
    SheetTest() {
        context.workbook.emplace((folder.path() / "report.xlsx").string());
        context.diagnostics = log;
        context.currentInputType = InputType::FCPXML;
        context.reportFrameRate = TimecodeFrameRate::fps25;
        context.reportTimeOffset = 0.0;
    }

    nlohmann::json closeAndRead() {
        context.workbook->close();
        return readWorkbook(folder.path() / "report.xlsx");
    }

    // The cells of one row of a sheet as texts, "" for a cell that holds nothing.
    static std::vector<std::string> rowTexts(const nlohmann::json& sheet, int row, const std::string& lastColumn) {
        std::vector<std::string> texts;
        for (char column = 'A'; column <= lastColumn[0]; ++column) {
            const std::string address = std::string(1, column) + std::to_string(row);
            const auto& cells = sheet["cells"];
            if (cells.contains(address) && cells[address]["value"].is_string()) {
                texts.push_back(cells[address]["value"].get<std::string>());
            } else {
                texts.emplace_back();
            }
        }
        return texts;
    }

    static std::string fontColor(const nlohmann::json& sheet, const std::string& address) {
        const auto& color = sheet["cells"][address]["color"];
        return color.is_string() ? color.get<std::string>() : std::string();
    }

    static std::string colorText(xlsx::Color color) { return argb(xlsx::rgb(color)); }

    TemporaryFolder folder;
    std::ostringstream log;
    ReportContext context;
};

}  // namespace tallyvane::testing
