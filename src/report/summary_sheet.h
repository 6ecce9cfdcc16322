#pragma once
// The last sheet of a timeline report: the timeline's facts, the time its elements spend
// in each video role and audio role or subrole with their shares of the timeline, and the
// offline media files.

#include <memory>
#include <string>
#include <vector>

#include "model/asset.h"
#include "model/composition.h"
#include "model/story_element.h"
#include "report/report_context.h"

namespace tallyvane {

struct RoleTotal {
    std::string name;
    double total = 0.0;  // frames

    friend bool operator==(const RoleTotal&, const RoleTotal&) = default;
};

struct RoleTotals {
    std::vector<RoleTotal> video;
    std::vector<RoleTotal> audio;
};

// Rows in the order their names are first met. An element counts under its video role
// (an empty one included); under its audio role when it has no subroles, else under
// "role ▸ subrole" for each subrole.
RoleTotals roleTotals(const std::vector<std::shared_ptr<StoryElement>>& elements);

// The offline assets of the elements in element order, one per URL (assets without a URL
// count as one).
std::vector<std::shared_ptr<Asset>> missingMedia(const std::vector<std::shared_ptr<StoryElement>>& elements);

// Adds the sheet "Summary", unless no workbook is open.
void writeSummarySheet(ReportContext& context, const Composition& timeline,
                       const std::vector<std::shared_ptr<StoryElement>>& elements);

}  // namespace tallyvane
