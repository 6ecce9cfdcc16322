#include "readback.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include <gtest/gtest.h>

namespace tallyvane::xlsx::testing {

namespace {

std::string shellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'') {
            quoted += "'\\''";
        } else {
            quoted += c;
        }
    }
    return quoted + "'";
}

}  // namespace

TemporaryFolder::TemporaryFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "xlsx_tests_XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a temporary folder");
    path_ = pattern;
}

TemporaryFolder::~TemporaryFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string fixture(const std::string& name) { return std::string(TALLYVANE_TEST_DATA_DIR) + "/xlsx/" + name; }

nlohmann::json readBack(const std::string& workbookPath) {
    const std::string command =
        "/usr/bin/python3 " + shellQuoted(fixture("dump_workbook.py")) + " " + shellQuoted(workbookPath);
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
