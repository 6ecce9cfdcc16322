#include "shell/report_menu.h"

#include <ostream>

#include <unicode/coll.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

#include "common/debug_text.h"
#include "common/text_order.h"
#include "shell/role_tables.h"

namespace tallyvane {

std::vector<std::shared_ptr<EventBin>> eventsByName(const Store& store) {
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<icu::Collator> collator(icu::Collator::createInstance(icu::Locale::getRoot(), status));
    FetchDescriptor<EventBin> sorted;
    if (U_SUCCESS(status)) {
        collator->setAttribute(UCOL_NUMERIC_COLLATION, UCOL_ON, status);
        sorted.sortBy.push_back({[&collator](const EventBin& a, const EventBin& b) {
            UErrorCode compareStatus = U_ZERO_ERROR;
            return collator->compareUTF8(a.name(), b.name(), compareStatus) == UCOL_LESS;
        }});
    } else {
        sorted.sortBy.push_back({[](const EventBin& a, const EventBin& b) { return textPrecedes(a.name(), b.name()); }});
    }
    return store.fetch(sorted);
}

void fillReportMenu(const Store& store, PopupMenu& menu, std::ostream& log) {
    const std::vector<std::shared_ptr<EventBin>> events = eventsByName(store);
    if (events.empty()) {
        log << debugQuoted("NO EVENTS") << '\n';
        return;
    }
    const EventBin& event = *events.front();
    if (!event.clips().empty()) menu.addItem(std::string(kEventClipsReport));
    if (event.storyCompositions().empty()) return;
    if (!menu.empty()) menu.addItem(std::string(kReportMenuSeparator));
    for (const auto& composition : event.storyCompositions()) menu.addItem(composition->name());
}

}  // namespace tallyvane
