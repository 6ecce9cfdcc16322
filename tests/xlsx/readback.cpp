#include "readback.h"

#include <gtest/gtest.h>

#include "support/shell_command.h"

namespace tallyvane::xlsx::testing {

std::string fixture(const std::string& name) { return std::string(TALLYVANE_TEST_DATA_DIR) + "/xlsx/" + name; }

XlsxError errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const XlsxError& error) {
        return error;
    }
    ADD_FAILURE() << "no error";
    return XlsxError(XlsxErrorKind::library, "");
}

nlohmann::json readBack(const std::string& workbookPath) {
    const std::string command =
        "/usr/bin/python3 " + test::shellQuoted(fixture("dump_workbook.py")) + " " + test::shellQuoted(workbookPath);
    const test::CommandResult read = test::runCommand(command);
    if (read.status != 0) {
        ADD_FAILURE() << "the reader could not read " << workbookPath;
        return nlohmann::json::object();
    }
    return nlohmann::json::parse(read.output);
}

}  // namespace tallyvane::xlsx::testing
