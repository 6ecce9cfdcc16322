#pragma once
// Whether a pasted timecode is taken by a field, and with which properties.

#include <optional>

#include "timecode_ui/field_policies.h"

namespace tallyvane {

// The timecode the field takes, or nothing when the paste is rejected.
std::optional<Timecode> applyPastePolicy(const Timecode& pasted, const Timecode::Properties& localProperties,
                                         TimecodeField::PastePolicy pastePolicy,
                                         TimecodeField::ValidationPolicy validationPolicy,
                                         TimecodeField::InputStyle inputStyle);

}  // namespace tallyvane
