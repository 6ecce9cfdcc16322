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
    const bool enforceValid = validationPolicy == TimecodeField::ValidationPolicy::enforceValid;
    if (pastePolicy == PastePolicy::preserveLocalProperties &&
        pasted.properties.frameRate != localProperties.frameRate) {
        return std::nullopt;
    }
    // A valid paste at the field's own rate keeps the subframes base and upper limit it was
    // copied with, so that subframes or days it carries are not lost; an unchecked one is
    // read at the field's properties.
    const bool keepsPastedProperties = pastePolicy == PastePolicy::allowNewProperties ||
                                       (pastePolicy == PastePolicy::preserveLocalProperties && enforceValid);
    Timecode candidate = componentsAt(pasted.components, keepsPastedProperties ? pasted.properties : localProperties);

    if (enforceValid && !candidate.isValid()) return std::nullopt;
    // Digits are counted for the fields the user sees: the field's own unless the paste
    // brings new properties.
    const Timecode::Properties& shown =
        pastePolicy == PastePolicy::allowNewProperties ? pasted.properties : localProperties;
    if (inputStyle != TimecodeField::InputStyle::unbounded &&
        !pasted.components.hasValidDigitCounts(shown.frameRate, shown.subFramesBase)) {
        return std::nullopt;
    }
    return candidate;
}

}  // namespace tallyvane
