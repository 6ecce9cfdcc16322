#pragma once
// Sheet names for the role sheets of one report, made from the roles tables' row texts.
// A name is one the workbook takes: free of the characters it refuses, not empty, without
// an apostrophe at either end, at most 31 characters (cut between user-perceived
// characters), and unlike every other sheet of the report when letter case is ignored.

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace tallyvane {

// Sheet names hold at most this many UTF-16 code units.
inline constexpr std::size_t kMaxSheetNameLength = 31;

// A role text as a sheet name, before it is made unique: cut to the length, then ":", "?"
// and "*" removed, "\" and "/" turned into "|", "[" and "]" into "(" and ")", apostrophes
// at either end removed; "Role" when nothing is left.
std::string cleanedSheetName(std::string_view roleText);

class RoleSheetNames {
public:
    // `otherSheets`: the names of the report's sheets that are not role sheets.
    explicit RoleSheetNames(const std::vector<std::string>& otherSheets);

    // A name no sheet of the report has yet, which counts as taken from now on. A name
    // already in use gets the lowest number that frees it, the name cut to leave room for
    // it. Throws std::runtime_error when no number up to 9999 frees it.
    std::string take(std::string_view roleText);

private:
    bool isFree(const std::string& name) const;
    void reserve(const std::string& name);

    std::unordered_set<std::string> taken_;  // case-folded
};

}  // namespace tallyvane
