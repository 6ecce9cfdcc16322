#pragma once
// The reports a loaded project offers: those of its first event in name order, "Event
// Clips" when the event holds clips, then "---" and one item per timeline of the event.

#include <iosfwd>
#include <memory>
#include <vector>

#include "model/store.h"
#include "shell/popup_menu.h"

namespace tallyvane {

inline constexpr std::string_view kReportMenuSeparator = "---";

// The events by name as people sort names: digits as numbers ("Day 2" before "Day 10"),
// insertion order among equal names.
std::vector<std::shared_ptr<EventBin>> eventsByName(const Store& store);

// Adds the reports of the first event to the menu, which the caller has emptied. Titles
// follow the menu's rule: a title added again replaces the older item.
void fillReportMenu(const Store& store, PopupMenu& menu, std::ostream& log);

}  // namespace tallyvane
