#include "timecode_ui/paste_policy.h"

#include "timecode/timecode_sources.h"

namespace tallyvane {

namespace {

Timecode componentsAt(const Timecode::Components& components, const Timecode::Properties& properties) {
    return Timecode(TimecodeSourceValue::components(components), properties, TimecodeValidationRule::allowingInvalid);
}

}  // namespace

std::optional<Timecode> applyPastePolicy(const Timecode& pasted, const Timecode::Properties& localProperties,
                                         TimecodeField::PastePolicy pastePolicy,
                                         TimecodeField::ValidationPolicy validationPolicy,
                                         TimecodeField::InputStyle inputStyle) {
    using PastePolicy = TimecodeField::PastePolicy;
    if (pastePolicy == PastePolicy::preserveLocalProperties &&
        pasted.properties.frameRate != localProperties.frameRate) {
        return std::nullopt;
    }
    // Preserving the local properties keeps all three of them, whichever validation
    // policy is in force: the pasted subframes base and upper limit never replace the
    // field's own.
    const Timecode::Properties& properties =
        pastePolicy == PastePolicy::allowNewProperties ? pasted.properties : localProperties;
    Timecode candidate = componentsAt(pasted.components, properties);

    if (validationPolicy == TimecodeField::ValidationPolicy::enforceValid && !candidate.isValid()) return std::nullopt;
    if (inputStyle != TimecodeField::InputStyle::unbounded && !candidate.hasValidDigitCounts()) return std::nullopt;
    return candidate;
}

}  // namespace tallyvane
