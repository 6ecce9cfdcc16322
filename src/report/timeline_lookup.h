#pragma once
// The timeline a report is named after.

#include <memory>
#include <string_view>

#include "model/composition.h"
#include "model/store.h"
#include "report/report_context.h"

namespace tallyvane {

// The first timeline of that name; the report's diagnostic line when there is none.
std::shared_ptr<Composition> findTimeline(const Store& store, std::string_view name, const ReportContext& context);

}  // namespace tallyvane
