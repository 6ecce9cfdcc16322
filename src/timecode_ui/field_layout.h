#pragma once
// Which components a timecode field shows, and the row of components and separators
// it lays out.

#include <optional>
#include <string>
#include <vector>

#include "timecode/timecode.h"

namespace tallyvane {

// Days are hidden at the 24-hour limit unless the format always shows them; subframes
// are hidden unless the format shows them.
TimecodeComponentSet hiddenComponents(Timecode::StringFormat format, Timecode::UpperLimit upperLimit);

// One place in the row: a component, or a separator text.
struct FieldRowItem {
    std::optional<Timecode::Component> component;
    std::string separator;

    friend bool operator==(const FieldRowItem&, const FieldRowItem&) = default;
};

// The visible components in order, each after the separator that leads into it:
// " " before hours, ":" before minutes and seconds, ";" before the frames at drop-frame
// rates and ":" otherwise, "." before the subframes.
std::vector<FieldRowItem> fieldRow(Timecode::StringFormat format, const Timecode::Properties& properties);

}  // namespace tallyvane
