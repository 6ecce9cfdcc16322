#include "timecode_ui/timecode_state.h"

#include <gtest/gtest.h>

#include <deque>

#include "timecode/timecode_sources.h"

namespace tallyvane {
namespace {

// Tasks posted by the state, run when the test says the event is over.
struct Queue {
    std::deque<TimecodeState::Task> tasks;
    TimecodeState::Post poster() {
        return [this](TimecodeState::Task task) { tasks.push_back(std::move(task)); };
    }
    void drain() {
        while (!tasks.empty()) {
            auto task = std::move(tasks.front());
            tasks.pop_front();
            task();
        }
    }
};

Timecode make(Timecode::Components c, Timecode::SubFramesBase base = Timecode::SubFramesBase::max80SubFrames) {
    return Timecode(TimecodeSourceValue::components(c), {TimecodeFrameRate::fps25, base, Timecode::UpperLimit::max24Hours},
                    TimecodeValidationRule::allowingInvalid);
}

TEST(TimecodeStateTest, OneNoticePerEffectiveChange) {
    struct Row {
        const char* name;
        Timecode next;
        int notices;
    };
    const Row rows[] = {
        {"equal", make({0, 1, 0, 0, 0, 0}), 0},
        {"other hour", make({0, 2, 0, 0, 0, 0}), 1},
        {"other subframes base", make({0, 1, 0, 0, 0, 0}, Timecode::SubFramesBase::max100SubFrames), 1},
    };
    for (const Row& row : rows) {
        Queue queue;
        TimecodeState state(make({0, 1, 0, 0, 0, 0}), queue.poster());
        int notices = 0;
        state.setWillChangeListener([&] { ++notices; });
        state.setWrappedValue(row.next);
        state.setWrappedValue(row.next);
        EXPECT_EQ(notices, 0) << row.name;
        queue.drain();
        EXPECT_EQ(notices, row.notices) << row.name;
        EXPECT_EQ(state.wrappedValue().properties, row.next.properties) << row.name;
    }
}

TEST(TimecodeStateTest, BindingWritesAtOnceAndTellsLater) {
    Queue queue;
    TimecodeState state(make({}), queue.poster());
    Timecode seen = make({});
    state.setWillChangeListener([&] { seen = state.wrappedValue(); });

    Binding<Timecode> binding = state.projectedValue();
    Timecode changed = binding.get();
    changed.components.minutes = 5;
    binding.set(changed);
    EXPECT_EQ(state.wrappedValue().components.minutes, 5);
    EXPECT_EQ(seen.components.minutes, 0);
    queue.drain();
    EXPECT_EQ(seen.components.minutes, 5);

    state.modify([](Timecode& t) { t.components.frames = 7; });
    EXPECT_EQ(queue.tasks.size(), 1u);
    EXPECT_EQ(binding.get().components.frames, 7);
}

TEST(TimecodeStateTest, NoticeAfterTheStateIsGoneIsDropped) {
    Queue queue;
    int notices = 0;
    {
        TimecodeState state(make({}), queue.poster());
        state.setWillChangeListener([&] { ++notices; });
        state.modify([](Timecode& t) { t.components.hours = 3; });
    }
    // The change did post its notice; what is checked is that it finds no state to speak for.
    ASSERT_FALSE(queue.tasks.empty());
    queue.drain();
    EXPECT_EQ(notices, 0);
}

}  // namespace
}  // namespace tallyvane
