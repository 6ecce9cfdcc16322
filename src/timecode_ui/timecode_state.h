#pragma once
// A timecode owned by a view: stored at once, with one change notice per effective
// change posted to run later, after the current event.

#include <memory>

#include "timecode/timecode.h"
#include "timecode_ui/binding.h"
#include "timecode_ui/event_loop_post.h"

namespace tallyvane {

class TimecodeState {
public:
    using Task = LaterTask;
    using Post = PostLater;

    TimecodeState(const Timecode& initial, Post post);

    const Timecode& wrappedValue() const { return wrapper_->timecode; }
    void setWrappedValue(const Timecode& timecode) { wrapper_->set(timecode); }
    // Reads the value, lets `change` edit it, and stores the result.
    template <typename Change>
    void modify(Change change) {
        Timecode timecode = wrapper_->timecode;
        change(timecode);
        wrapper_->set(timecode);
    }
    // A binding that reads and writes this state; it keeps the state alive.
    Binding<Timecode> projectedValue() const;

    // Told, later, of each effective change; a new listener replaces the old one.
    void setWillChangeListener(Task listener) { wrapper_->willChange = std::move(listener); }

private:
    struct Wrapper {
        Timecode timecode;
        Post post;
        Task willChange;
        std::weak_ptr<Wrapper> self;
        void set(const Timecode& value);
    };
    std::shared_ptr<Wrapper> wrapper_;
};

}  // namespace tallyvane
