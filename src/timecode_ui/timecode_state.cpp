#include "timecode_ui/timecode_state.h"

namespace tallyvane {

TimecodeState::TimecodeState(const Timecode& initial, Post post)
    : wrapper_(std::make_shared<Wrapper>(Wrapper{initial, std::move(post), {}, {}})) {
    wrapper_->self = wrapper_;
}

void TimecodeState::Wrapper::set(const Timecode& value) {
    // Field by field: the same instant written with other components is a change.
    const bool changed = value.components != timecode.components || value.properties != timecode.properties;
    timecode = value;
    if (!changed || !post) return;
    post([weak = self] {
        if (auto wrapper = weak.lock(); wrapper && wrapper->willChange) wrapper->willChange();
    });
}

Binding<Timecode> TimecodeState::projectedValue() const {
    auto wrapper = wrapper_;
    return Binding<Timecode>([wrapper] { return wrapper->timecode; },
                             [wrapper](const Timecode& value) { wrapper->set(value); });
}

}  // namespace tallyvane
