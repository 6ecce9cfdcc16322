#pragma once
// What a role table shows, for the tests that check its rows.

#include <string>
#include <vector>

#include "shell/role_tables.h"

namespace tallyvane::test {

// Between a role and its subrole in a role row's name.
inline const std::string kArrow = " \u25B8 ";

inline std::vector<std::string> names(const RoleTable& table) {
    std::vector<std::string> result;
    for (const RoleRecord& row : table.rows()) result.push_back(row.roleName);
    return result;
}

}  // namespace tallyvane::test
