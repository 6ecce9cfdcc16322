#pragma once
// The two tables of roles a report can be limited to: every main role and every
// "Role ▸ Subrole" its elements use, each with a check mark.

#include <cstddef>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "model/store.h"
#include "report/report_request.h"

namespace tallyvane {

inline constexpr std::string_view kRoleSeparator = " \u25B8 ";
inline constexpr std::string_view kEventClipsReport = "Event Clips";

class RoleTable {
public:
    RoleTable() = default;
    explicit RoleTable(std::vector<RoleRecord> rows) : rows_(std::move(rows)) {}

    const std::vector<RoleRecord>& rows() const noexcept { return rows_; }

    // All or None.
    void setAll(bool checked);
    // A row's check box was clicked. A main role's row carries every "Role ▸ Subrole" row of
    // that role along; a subrole row changes only itself. A row past the end is ignored.
    void toggle(std::size_t row);

private:
    std::vector<RoleRecord> rows_;
};

struct RoleTables {
    RoleTable video;
    RoleTable audio;
};

// The roles of a report, checked, each table in code-point order so that a role's subrole
// rows follow it. "Event Clips" takes both sides from the clips of every event; a timeline
// takes video roles from its video tracks and audio roles from its audio tracks.
RoleTables analyseRoles(const Store& store, const std::string& reportName, std::ostream& log);

}  // namespace tallyvane
