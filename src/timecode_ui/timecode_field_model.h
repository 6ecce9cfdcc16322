#pragma once
// A timecode entry field without its toolkit: the coupling between the caller's
// timecode (or components and properties), one entry state per component, focus,
// the Return and Escape actions, paste and the rejection feedback. A view renders it
// and forwards keys, focus changes and pastes to it.

#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "timecode_ui/binding.h"
#include "timecode_ui/component_state_model.h"
#include "timecode_ui/event_loop_post.h"
#include "timecode_ui/field_layout.h"
#include "timecode_ui/timecode_environment.h"

namespace tallyvane {

// What a field asks of its view when input is rejected.
class RejectionFeedbackSink {
public:
    virtual ~RejectionFeedbackSink() = default;
    virtual void beep() = 0;
    // An absent target means the whole field.
    virtual void animateRejection(std::optional<Timecode::Component> target,
                                  TimecodeField::RejectionAnimation animation) = 0;
};

// Loads a pasted timecode at the given properties.
using TimecodeLoader = std::function<TimecodePasteResult(const Timecode::Properties&)>;

class TimecodeFieldModel {
public:
    enum class KeyOutcome : std::uint8_t { handled, ignored };
    enum class FocusDirection : std::uint8_t { previous, next };

    TimecodeFieldModel(Binding<Timecode::Components> components, Binding<TimecodeFrameRate> frameRate,
                       Binding<Timecode::SubFramesBase> subFramesBase, Binding<Timecode::UpperLimit> upperLimit);
    TimecodeFieldModel(Binding<Timecode::Components> components, TimecodeFrameRate frameRate,
                       Timecode::SubFramesBase subFramesBase, Timecode::UpperLimit upperLimit);
    // At 24 fps, 100 subframes and the 24-hour limit.
    explicit TimecodeFieldModel(Binding<Timecode::Components> components);
    explicit TimecodeFieldModel(Binding<Timecode> timecode);

    const Binding<Timecode>& timecode() const { return timecode_; }
    const Binding<Timecode::Components>& components() const { return components_; }
    // The field's own properties, read from its three property bindings.
    Timecode::Properties localProperties() const;

    // The values installed above the field.
    void setEnvironment(TimecodeEnvironmentValues values) { environment_ = std::move(values); }
    const TimecodeEnvironmentValues& environment() const { return environment_; }
    void setFeedbackSink(RejectionFeedbackSink* sink) { feedback_ = sink; }
    // Focus moves asked for by keys, and by the Return and Escape actions, are posted so
    // that they take effect after the key event, never inside it; without a poster they
    // take effect at once. Posted tasks must not outlive the model.
    void setPoster(PostLater post) { post_ = std::move(post); }

    std::vector<FieldRowItem> row() const { return fieldRow(environment_.timecodeFormat, localProperties()); }
    TimecodeComponentSet hidden() const {
        return hiddenComponents(environment_.timecodeFormat, localProperties().upperLimit);
    }

    // The entry state of one component, brought up to date with the bindings.
    const ComponentStateModel& componentModel(Timecode::Component component);

    std::optional<Timecode::Component> focusedComponent() const { return focused_; }
    // Any change of focus makes every component start a new entry.
    void setFocusedComponent(std::optional<Timecode::Component> component);
    // Told of every focus change, whatever made it.
    void setFocusListener(std::function<void(std::optional<Timecode::Component>)> listener) {
        focusListener_ = std::move(listener);
    }

    bool isEnabled() const { return enabled_; }
    // A disabled field has no focus.
    void setEnabled(bool enabled);

    KeyOutcome handleKeyPress(Timecode::Component component, KeyEquivalent key);
    // The target is chosen now, among the components visible now; the move is posted.
    void moveFocus(Timecode::Component from, FocusDirection direction);
    // Focus that the view changes (a tap on a component, a component that disappears) is
    // posted like the moves of keys, so that it takes effect after the event that asked.
    void postFocus(std::optional<Timecode::Component> target);
    // A component disappeared: the editing ends once the event is over. Until then focus the
    // toolkit hands on inside the hide is not taken (`editingEnds()`), so that listeners see
    // the focus go from the component that disappeared to none, and nowhere between.
    void endEditingLater();
    bool editingEnds() const { return editingEnds_; }

    // Takes a loaded paste under the field's paste and validation policies.
    void handlePaste(const TimecodePasteResult& result);
    // A paste into a component goes through the field's own rules.
    void pasteIntoComponent(const TimecodeLoader& load);
    // A paste into the field as a whole goes to the paste action installed above the
    // field; without one nothing is loaded.
    void pasteIntoField(const TimecodeLoader& load);

private:
    static Binding<Timecode> derivedTimecode(Binding<Timecode::Components> components,
                                             Binding<TimecodeFrameRate> frameRate,
                                             Binding<Timecode::SubFramesBase> subFramesBase,
                                             Binding<Timecode::UpperLimit> upperLimit);
    KeyOutcome performFieldAction(Timecode::Component from, const std::optional<TimecodeField::FieldAction>& action);
    void reject(std::optional<Timecode::Component> target, const TimecodeField::UserAction& action);
    ComponentStateModel& synced(Timecode::Component component);

    Binding<Timecode::Components> components_;
    Binding<TimecodeFrameRate> frameRate_;
    Binding<Timecode::SubFramesBase> subFramesBase_;
    Binding<Timecode::UpperLimit> upperLimit_;
    Binding<Timecode> timecode_;

    TimecodeEnvironmentValues environment_;
    RejectionFeedbackSink* feedback_ = nullptr;
    PostLater post_;
    std::array<ComponentStateModel, 6> componentModels_;
    std::optional<Timecode::Component> focused_;
    bool editingEnds_ = false;
    std::function<void(std::optional<Timecode::Component>)> focusListener_;
    bool enabled_ = true;
};

}  // namespace tallyvane
