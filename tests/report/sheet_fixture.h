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

    TemporaryFolder folder;
    std::ostringstream log;
    ReportContext context;
};

}  // namespace tallyvane::testing
