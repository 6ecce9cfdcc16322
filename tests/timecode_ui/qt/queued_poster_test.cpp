#include "timecode_ui/qt/queued_poster.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include "qt/qt_test_application.h"
#include "timecode/timecode_sources.h"

namespace tallyvane {
namespace {

using QueuedPosterTest = QtTest;

TEST_F(QueuedPosterTest, NoticeArrivesAfterTheCurrentEvent) {
    QObject context;
    const Timecode start(GuaranteedTimecodeSourceValue::zero(),
                         {TimecodeFrameRate::fps25, Timecode::SubFramesBase::max80SubFrames,
                          Timecode::UpperLimit::max24Hours});
    TimecodeState state(start, queuedPoster(&context));
    int notices = 0;
    state.setWillChangeListener([&] { ++notices; });
    state.modify([](Timecode& t) { t.components.seconds = 9; });
    state.modify([](Timecode& t) { t.components.seconds = 9; });
    EXPECT_EQ(notices, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(notices, 1);
}

TEST_F(QueuedPosterTest, TasksForAGoneContextAreDropped) {
    int runs = 0;
    int aliveRuns = 0;
    TimecodeState::Post post;
    QObject alive;
    const TimecodeState::Post alivePost = queuedPoster(&alive);
    {
        QObject context;
        post = queuedPoster(&context);
        post([&] { ++runs; });
        alivePost([&] { ++aliveRuns; });
    }
    post([&] { ++runs; });
    QCoreApplication::processEvents();
    // The same round of events does run a task whose context still stands.
    EXPECT_EQ(aliveRuns, 1);
    EXPECT_EQ(runs, 0);
}

}  // namespace
}  // namespace tallyvane
