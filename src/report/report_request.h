#pragma once
// What the Save command asks for: which report, under which title, with which roles,
// extra sheets and options.

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "report/report_context.h"

namespace tallyvane {

// One row of a roles table: a role ("Dialogue"), or a role and a subrole joined by " ▸ ".
struct RoleRecord {
    std::string roleName;
    bool isChecked = false;

    friend bool operator==(const RoleRecord&, const RoleRecord&) = default;
};

struct ReportRequest {
    // "Event Clips", "Bin Clips" or the name of a timeline.
    std::string reportName;
    // Proposed as the file name: the report name, " - ", the layout name and " Report".
    std::string title;
    std::vector<RoleRecord> videoRoles;
    std::vector<RoleRecord> audioRoles;
    // Keys of the extra sheets: "markers", "keywords", "titles", "effects", "transitions", "summary".
    std::vector<std::string> sheets;
    // Option key to on or off.
    std::map<std::string, bool> options;
};

// Writes every sheet of a report into the context's open workbook. A failure is thrown.
using ReportWriter = std::function<void(ReportContext& context, const ReportRequest& request)>;

}  // namespace tallyvane
