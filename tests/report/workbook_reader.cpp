#include "workbook_reader.h"

#include <cstdio>

#include <gtest/gtest.h>

#include "support/shell_command.h"

namespace tallyvane::testing {

nlohmann::json readWorkbook(const std::filesystem::path& path) {
    const std::string script = std::string(TALLYVANE_TEST_DATA_DIR) + "/report/read_workbook.py";
    const std::string command = "/usr/bin/python3 " + test::shellQuoted(script) + " " + test::shellQuoted(path.string());
    const test::CommandResult read = test::runCommand(command);
    if (read.status != 0) {
        ADD_FAILURE() << "the reader could not read " << path;
        return nlohmann::json::object();
    }
    return nlohmann::json::parse(read.output);
}

double storedWidth(double characters) {
    // Seven pixels a character and five of padding, rounded down to 1/256 of a character.
    const double pixels = characters * 7 + 5;
    return static_cast<double>(static_cast<long>(pixels / 7 * 256)) / 256;
}

std::string colorText(xlsx::Color color) {
    char text[9];
    // The writer's black is a flagged zero; only the low 24 bits are the colour.
    std::snprintf(text, sizeof text, "FF%06X", xlsx::rgb(color) & 0xFFFFFFu);
    return text;
}

std::vector<std::string> rowTexts(const nlohmann::json& sheet, int row, const std::string& lastColumn) {
    std::vector<std::string> texts;
    for (char column = 'A'; column <= lastColumn.at(0); ++column) {
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

std::string fontColor(const nlohmann::json& sheet, const std::string& address) {
    const auto& color = sheet["cells"][address]["color"];
    return color.is_string() ? color.get<std::string>() : std::string();
}

}  // namespace tallyvane::testing
