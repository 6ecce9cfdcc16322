#include "readback.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include <gtest/gtest.h>

namespace tallyvane::xlsx::testing {

std::string fixture(const std::string& name) { return std::string(TALLYVANE_TEST_DATA_DIR) + "/xlsx/" + name; }

nlohmann::json readBack(const std::string& workbookPath) {
    const std::string command =
        "/usr/bin/python3 " + test::shellQuoted(fixture("dump_workbook.py")) + " " + test::shellQuoted(workbookPath);
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) throw std::runtime_error("cannot run the workbook reader");
    std::string output;
    std::array<char, 65536> buffer;
    for (std::size_t n; (n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0;) output.append(buffer.data(), n);
    const int status = pclose(pipe);
    if (status != 0) {
        ADD_FAILURE() << "the reader could not read " << workbookPath;
        return nlohmann::json::object();
    }
    return nlohmann::json::parse(output);
}

}  // namespace tallyvane::xlsx::testing
