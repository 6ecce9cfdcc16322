#include "report/timeline_lookup.h"

#include "common/debug_text.h"

namespace tallyvane {

std::shared_ptr<Composition> findTimeline(const Store& store, std::string_view name, const ReportContext& context) {
    FetchDescriptor<Composition> byName;
    byName.predicate = [&](const Composition& composition) { return composition.name() == name; };
    byName.fetchLimit = 1;
    const auto found = store.fetch(byName);
    if (found.empty()) {
        context.log() << debugQuoted("NO SEQUENCE") << '\n';
        return nullptr;
    }
    return found.front();
}

}  // namespace tallyvane
