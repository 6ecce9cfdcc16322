#pragma once
// A report context with an open workbook in a temporary folder; the test writes sheets into
// it, then closes it and reads it back.

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "report/report_context.h"
#include "workbook_reader.h"
#include "xlsx/enums.h"

namespace tallyvane::testing {

// A row of a sheet read back: its texts from column A on, and the font colour of column A.
struct ColoredRow {
    std::vector<std::string> texts;
    xlsx::Color color;
};

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

    // Runs `write` on a workbook of its own, for sheets that come once per workbook or need
    // another document kind, and reads it back.
    nlohmann::json readAlone(const std::function<void(ReportContext&)>& write, InputType type = InputType::FCPXML, double offset = 0.0) {
        TemporaryFolder scratch;
        ReportContext local;
        local.workbook.emplace((scratch.path() / "alone.xlsx").string());
        local.diagnostics = log;
        local.currentInputType = type;
        local.reportFrameRate = TimecodeFrameRate::fps25;
        local.reportTimeOffset = offset;
        write(local);
        local.workbook->close();
        return readWorkbook(scratch.path() / "alone.xlsx");
    }

    TemporaryFolder folder;
    std::ostringstream log;
    ReportContext context;
};

}  // namespace tallyvane::testing
