#include "timecode_ui/field_layout.h"

namespace tallyvane {

TimecodeComponentSet hiddenComponents(Timecode::StringFormat format, Timecode::UpperLimit upperLimit) {
    TimecodeComponentSet hidden;
    if (!format.alwaysShowsDays() && upperLimit == Timecode::UpperLimit::max24Hours) {
        hidden.insert(Timecode::Component::days);
    }
    if (!format.showsSubFrames()) hidden.insert(Timecode::Component::subFrames);
    return hidden;
}

std::vector<FieldRowItem> fieldRow(Timecode::StringFormat format, const Timecode::Properties& properties) {
    const TimecodeComponentSet hidden = hiddenComponents(format, properties.upperLimit);
    std::vector<FieldRowItem> row;
    for (Timecode::Component component : Timecode::Component::allCases()) {
        if (hidden.contains(component)) continue;
        if (!row.empty()) {
            switch (component.value()) {
                case Timecode::Component::hours: row.push_back({std::nullopt, " "}); break;
                case Timecode::Component::frames:
                    row.push_back({std::nullopt, properties.frameRate.isDrop() ? ";" : ":"});
                    break;
                case Timecode::Component::subFrames: row.push_back({std::nullopt, "."}); break;
                default: row.push_back({std::nullopt, ":"}); break;
            }
        }
        row.push_back({component, {}});
    }
    return row;
}

}  // namespace tallyvane
