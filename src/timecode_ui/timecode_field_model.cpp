#include "timecode_ui/timecode_field_model.h"

#include "timecode/timecode_sources.h"
#include "timecode_ui/paste_policy.h"

namespace tallyvane {

namespace {

using Component = Timecode::Component;

std::array<ComponentStateModel, 6> makeComponentModels(const Timecode& timecode) {
    auto model = [&](Component c) { return ComponentStateModel(c, timecode.properties, timecode.components.value(c)); };
    return {model(Component::days),    model(Component::hours),  model(Component::minutes),
            model(Component::seconds), model(Component::frames), model(Component::subFrames)};
}

template <typename Property>
Binding<Property> timecodeProperty(const Binding<Timecode>& timecode, Property Timecode::Properties::*member) {
    return timecode.projected<Property>([member](const Timecode& t) { return t.properties.*member; },
                                        [member](Timecode& t, const Property& p) { t.properties.*member = p; });
}

}  // namespace

Binding<Timecode> TimecodeFieldModel::derivedTimecode(Binding<Timecode::Components> components,
                                                      Binding<TimecodeFrameRate> frameRate,
                                                      Binding<Timecode::SubFramesBase> subFramesBase,
                                                      Binding<Timecode::UpperLimit> upperLimit) {
    auto get = [=] {
        const Timecode::Properties properties{frameRate.get(), subFramesBase.get(), upperLimit.get()};
        return Timecode(TimecodeSourceValue::components(components.get()), properties,
                        TimecodeValidationRule::allowingInvalid);
    };
    // Only what differs is written, so writing back an equal timecode writes nothing.
    auto set = [=](const Timecode& t) {
        if (components.get() != t.components) components.set(t.components);
        if (frameRate.get() != t.properties.frameRate) frameRate.set(t.properties.frameRate);
        if (subFramesBase.get() != t.properties.subFramesBase) subFramesBase.set(t.properties.subFramesBase);
        if (upperLimit.get() != t.properties.upperLimit) upperLimit.set(t.properties.upperLimit);
    };
    return Binding<Timecode>(get, set);
}

TimecodeFieldModel::TimecodeFieldModel(Binding<Timecode::Components> components, Binding<TimecodeFrameRate> frameRate,
                                       Binding<Timecode::SubFramesBase> subFramesBase,
                                       Binding<Timecode::UpperLimit> upperLimit)
    : components_(components),
      frameRate_(frameRate),
      subFramesBase_(subFramesBase),
      upperLimit_(upperLimit),
      timecode_(derivedTimecode(components, frameRate, subFramesBase, upperLimit)),
      componentModels_(makeComponentModels(timecode_.get())) {}

TimecodeFieldModel::TimecodeFieldModel(Binding<Timecode::Components> components, TimecodeFrameRate frameRate,
                                       Timecode::SubFramesBase subFramesBase, Timecode::UpperLimit upperLimit)
    : TimecodeFieldModel(std::move(components), Binding<TimecodeFrameRate>::constant(frameRate),
                         Binding<Timecode::SubFramesBase>::constant(subFramesBase),
                         Binding<Timecode::UpperLimit>::constant(upperLimit)) {}

TimecodeFieldModel::TimecodeFieldModel(Binding<Timecode::Components> components)
    : TimecodeFieldModel(std::move(components), TimecodeFrameRate::fps24, Timecode::SubFramesBase::max100SubFrames,
                         Timecode::UpperLimit::max24Hours) {}

TimecodeFieldModel::TimecodeFieldModel(Binding<Timecode> timecode)
    : components_(timecode.projected<Timecode::Components>(
          [](const Timecode& t) { return t.components; },
          [](Timecode& t, const Timecode::Components& c) { t.components = c; })),
      frameRate_(timecodeProperty(timecode, &Timecode::Properties::frameRate)),
      subFramesBase_(timecodeProperty(timecode, &Timecode::Properties::subFramesBase)),
      upperLimit_(timecodeProperty(timecode, &Timecode::Properties::upperLimit)),
      timecode_(timecode),
      componentModels_(makeComponentModels(timecode_.get())) {}

Timecode::Properties TimecodeFieldModel::localProperties() const {
    return {frameRate_.get(), subFramesBase_.get(), upperLimit_.get()};
}

ComponentStateModel& TimecodeFieldModel::synced(Component component) {
    ComponentStateModel& model = componentModels_[component.index()];
    const Timecode current = timecode_.get();
    model.setTimecodeProperties(current.properties);
    model.setValue(current.components.value(component));
    return model;
}

const ComponentStateModel& TimecodeFieldModel::componentModel(Component component) { return synced(component); }

void TimecodeFieldModel::setFocusedComponent(std::optional<Component> component) {
    if (component == focused_) return;
    focused_ = component;
    for (ComponentStateModel& model : componentModels_) model.setVirgin(true);
    if (focusListener_) focusListener_(focused_);
}

void TimecodeFieldModel::setEnabled(bool enabled) {
    enabled_ = enabled;
    if (!enabled) setFocusedComponent(std::nullopt);
}

void TimecodeFieldModel::moveFocus(Component from, FocusDirection direction) {
    const bool wraps = environment_.timecodeFieldInputWrapping == TimecodeField::InputWrapping::wrap;
    const TimecodeComponentSet excluded = hidden();
    postFocus(direction == FocusDirection::next ? from.next(excluded, wraps) : from.previous(excluded, wraps));
}

void TimecodeFieldModel::postFocus(std::optional<Component> target) {
    if (!post_) {
        setFocusedComponent(target);
        return;
    }
    post_([this, target] {
        // A field disabled while the move waited takes no focus.
        if (target && !enabled_) return;
        setFocusedComponent(target);
    });
}

void TimecodeFieldModel::endEditingLater() {
    if (!post_) {
        setFocusedComponent(std::nullopt);
        return;
    }
    editingEnds_ = true;
    post_([this] {
        editingEnds_ = false;
        setFocusedComponent(std::nullopt);
    });
}

TimecodeFieldModel::KeyOutcome TimecodeFieldModel::handleKeyPress(Component component, KeyEquivalent key) {
    using Result = TimecodeField::KeyResult::Result;
    ComponentStateModel& model = synced(component);
    const TimecodeField::KeyResult result =
        model.handleKeyPress(key, environment_.timecodeFieldInputStyle, environment_.timecodeFieldValidationPolicy);

    Timecode::Components values = components_.get();
    if (values.value(component) != model.value()) {
        values.setValue(component, model.value());
        components_.set(values);
    }

    KeyOutcome outcome = KeyOutcome::handled;
    switch (result.result) {
        case Result::handled: break;
        case Result::ignored: outcome = KeyOutcome::ignored; break;
        case Result::performEscapeAction:
            outcome = performFieldAction(component, environment_.timecodeFieldEscapeAction);
            break;
        case Result::performReturnAction:
            outcome = performFieldAction(component, environment_.timecodeFieldReturnAction);
            break;
    }

    if (result.updateFocus) {
        moveFocus(component, *result.updateFocus == TimecodeField::KeyResult::FocusResult::focusNextComponent
                                 ? FocusDirection::next
                                 : FocusDirection::previous);
    }
    if (result.rejection) reject(component, TimecodeField::UserAction::keyRejected(component, key, *result.rejection));
    return outcome;
}

TimecodeFieldModel::KeyOutcome TimecodeFieldModel::performFieldAction(
    Component from, const std::optional<TimecodeField::FieldAction>& action) {
    if (!action) return KeyOutcome::ignored;
    if (action->isFocusNextComponent()) {
        moveFocus(from, FocusDirection::next);
        return KeyOutcome::handled;
    }
    if (action->isEndEditing()) {
        postFocus(std::nullopt);
    } else if (auto target = action->component()) {
        postFocus(*target);
    } else {
        postFocus(Component::firstComponent(hidden()));
    }
    return KeyOutcome::ignored;
}

void TimecodeFieldModel::reject(std::optional<Component> target, const TimecodeField::UserAction& action) {
    const auto& feedback = environment_.timecodeFieldInputRejectionFeedback;
    if (!feedback) return;
    if (feedback->isCustom()) {
        if (feedback->handler()) feedback->handler()(action);
        return;
    }
    if (feedback_ == nullptr) return;
    feedback_->beep();
    if (auto animation = feedback->animation()) feedback_->animateRejection(target, *animation);
}

void TimecodeFieldModel::handlePaste(const TimecodePasteResult& result) {
    const Timecode* pasted = std::get_if<Timecode>(&result);
    std::optional<Timecode> candidate;
    if (pasted != nullptr) {
        candidate = applyPastePolicy(*pasted, localProperties(), environment_.timecodeFieldPastePolicy,
                                     environment_.timecodeFieldValidationPolicy, environment_.timecodeFieldInputStyle);
    }
    const auto outcome = candidate ? TimecodeField::PasteValidationResult::allowed(*candidate)
                                   : TimecodeField::PasteValidationResult::rejected(
                                         TimecodeField::UserAction::pasteRejected());
    if (const Timecode* allowed = outcome.allowedTimecode()) {
        timecode_.set(*allowed);
    } else {
        reject(std::nullopt, *outcome.rejection());
    }
}

void TimecodeFieldModel::pasteIntoComponent(const TimecodeLoader& load) { handlePaste(load(localProperties())); }

void TimecodeFieldModel::pasteIntoField(const TimecodeLoader& load) {
    // Read when the paste arrives, so an action installed later is the one called.
    const auto action = environment_.timecodePasted;
    if (!action || !action->action) return;
    action->action(load(localProperties()));
}

}  // namespace tallyvane
