#include "timecode_ui/field_policies.h"

namespace tallyvane {

std::string TimecodeField::KeyResult::description() const {
    std::string text = "<" + std::string(rawText(result));
    if (updateFocus) text += " " + std::string(rawText(*updateFocus));
    if (rejection) text += " " + std::string(rawText(*rejection));
    return text + ">";
}

std::string TimecodeField::KeyResult::debugDescription() const { return "KeyResult" + description(); }

const std::array<TimecodeField::FieldAction, 8>& TimecodeField::FieldAction::allCases() {
    static const std::array<FieldAction, 8> cases{
        endEditing(),
        focusNextComponent(),
        resetComponentFocus(Timecode::Component::days),
        resetComponentFocus(Timecode::Component::hours),
        resetComponentFocus(Timecode::Component::minutes),
        resetComponentFocus(Timecode::Component::seconds),
        resetComponentFocus(Timecode::Component::frames),
        resetComponentFocus(Timecode::Component::subFrames),
    };
    return cases;
}

std::optional<TimecodeField::FieldAction> TimecodeField::FieldAction::fromRawValue(std::string_view text) {
    for (const auto& action : allCases()) {
        if (action.rawValue() == text) return action;
    }
    return std::nullopt;
}

std::string TimecodeField::FieldAction::rawValue() const {
    switch (kind_) {
        case Kind::resetComponentFocus:
            return component_ ? "resetComponentFocus-to-" + std::string(component_->name()) : "resetComponentFocus";
        case Kind::endEditing: return "endEditing";
        case Kind::focusNextComponent: return "focusNextComponent";
    }
    return {};
}

std::optional<TimecodeField::UserAction::KeyRejection> TimecodeField::UserAction::keyRejection() const {
    if (const auto* rejection = std::get_if<KeyRejection>(&value_)) return *rejection;
    return std::nullopt;
}

bool operator==(const TimecodeField::PasteValidationResult& a, const TimecodeField::PasteValidationResult& b) {
    const Timecode* ta = a.allowedTimecode();
    const Timecode* tb = b.allowedTimecode();
    if (ta != nullptr && tb != nullptr) return *ta == *tb;
    const TimecodeField::UserAction* ra = a.rejection();
    const TimecodeField::UserAction* rb = b.rejection();
    return ra != nullptr && rb != nullptr && *ra == *rb;
}

}  // namespace tallyvane

std::size_t std::hash<tallyvane::TimecodeField::KeyResult>::operator()(
    const tallyvane::TimecodeField::KeyResult& r) const noexcept {
    using tallyvane::hashCombine;
    using tallyvane::hashRawText;
    std::size_t h = hashRawText(r.result);
    h = hashCombine(h, r.updateFocus ? hashCombine(1, hashRawText(*r.updateFocus)) : 0);
    return hashCombine(h, r.rejection ? hashCombine(1, hashRawText(*r.rejection)) : 0);
}

std::size_t std::hash<tallyvane::TimecodeField::UserAction>::operator()(
    const tallyvane::TimecodeField::UserAction& a) const noexcept {
    using tallyvane::hashCombine;
    auto rejection = a.keyRejection();
    if (!rejection) return hashCombine(0, 1);
    std::size_t h = hashCombine(0, 0);
    h = hashCombine(h, rejection->component.index());
    h = hashCombine(h, std::hash<tallyvane::KeyEquivalent>()(rejection->key));
    return hashCombine(h, tallyvane::hashRawText(rejection->reason));
}

std::size_t std::hash<tallyvane::TimecodeField::PasteValidationResult>::operator()(
    const tallyvane::TimecodeField::PasteValidationResult& r) const noexcept {
    using tallyvane::hashCombine;
    if (const auto* action = r.rejection()) {
        return hashCombine(hashCombine(0, 1), std::hash<tallyvane::TimecodeField::UserAction>()(*action));
    }
    // The timecode's own hash, so that equal results hash alike.
    return hashCombine(hashCombine(0, 0), std::hash<tallyvane::Timecode>()(*r.allowedTimecode()));
}
