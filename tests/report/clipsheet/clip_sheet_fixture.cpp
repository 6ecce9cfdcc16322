#include "clip_sheet_fixture.h"

#include <algorithm>

namespace tallyvane::testing {

std::string columnLetters(std::size_t column) {
    std::string letters;
    for (std::size_t n = column + 1; n > 0; n = (n - 1) / 26) {
        letters.insert(letters.begin(), static_cast<char>('A' + (n - 1) % 26));
    }
    return letters;
}

std::vector<std::string> headerTexts(const nlohmann::json& sheet) {
    std::vector<std::string> texts;
    for (std::size_t column = 0;; ++column) {
        const std::string address = columnLetters(column) + "1";
        if (!sheet["cells"].contains(address) || !sheet["cells"][address]["value"].is_string()) return texts;
        texts.push_back(sheet["cells"][address]["value"].get<std::string>());
    }
}

nlohmann::json cellUnder(const nlohmann::json& sheet, const std::string& heading, int row, int occurrence) {
    const std::vector<std::string> headings = headerTexts(sheet);
    for (std::size_t column = 0; column < headings.size(); ++column) {
        if (headings[column] != heading || occurrence-- > 0) continue;
        const std::string address = columnLetters(column) + std::to_string(row);
        return sheet["cells"].contains(address) ? sheet["cells"][address] : nlohmann::json();
    }
    return nlohmann::json();
}

std::string textUnder(const nlohmann::json& sheet, const std::string& heading, int row, int occurrence) {
    const nlohmann::json cell = cellUnder(sheet, heading, row, occurrence);
    return cell.is_object() && cell["value"].is_string() ? cell["value"].get<std::string>() : std::string();
}

double widthUnder(const nlohmann::json& sheet, const std::string& heading) {
    const std::vector<std::string> headings = headerTexts(sheet);
    const auto found = std::find(headings.begin(), headings.end(), heading);
    if (found == headings.end()) return -1;
    return sheet["widths"][columnLetters(static_cast<std::size_t>(found - headings.begin()))].get<double>();
}

}  // namespace tallyvane::testing
