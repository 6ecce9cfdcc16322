#include "report/role_sheet_names.h"

#include <stdexcept>

#include <unicode/unistr.h>

#include "xlsx/text.h"

namespace tallyvane {

namespace {

constexpr int kMaxNumber = 9999;

std::string caseFolded(const std::string& name) {
    icu::UnicodeString text = icu::UnicodeString::fromUTF8(name);
    text.foldCase();
    std::string folded;
    return text.toUTF8String(folded);
}

void replaceAll(std::string& text, std::string_view from, std::string_view to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
}

}  // namespace

std::string cleanedSheetName(std::string_view roleText) {
    std::string name = xlsx::cutToLength(xlsx::libraryText(roleText), kMaxSheetNameLength);
    static constexpr std::pair<std::string_view, std::string_view> kReplacements[] = {
        {":", ""}, {"?", ""}, {"\\", "|"}, {"/", "|"}, {"*", ""}, {"[", "("}, {"]", ")"},
    };
    for (const auto& [from, to] : kReplacements) replaceAll(name, from, to);
    const std::size_t first = name.find_first_not_of('\'');
    if (first == std::string::npos) return "Role";
    return name.substr(first, name.find_last_not_of('\'') + 1 - first);
}

RoleSheetNames::RoleSheetNames(const std::vector<std::string>& otherSheets) {
    // The spreadsheet application keeps "History" for itself and calls a workbook with such a
    // sheet damaged, so a role of that name gets a number like any other clash.
    reserve("History");
    for (const std::string& name : otherSheets) reserve(name);
}

bool RoleSheetNames::isFree(const std::string& name) const { return !taken_.contains(caseFolded(name)); }

void RoleSheetNames::reserve(const std::string& name) { taken_.insert(caseFolded(name)); }

std::string RoleSheetNames::take(std::string_view roleText) {
    const std::string cleaned = cleanedSheetName(roleText);
    std::string name = cleaned;
    for (int number = 1; !isFree(name); ++number) {
        if (number > kMaxNumber) {
            throw std::runtime_error("No sheet name is left for the role sheet \u201C" + cleaned + "\u201D.");
        }
        const std::string suffix = std::to_string(number);
        name = xlsx::cutToLength(cleaned, kMaxSheetNameLength - suffix.size()) + suffix;
    }
    reserve(name);
    return name;
}

}  // namespace tallyvane
