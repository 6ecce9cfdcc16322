#include "timecode_ui/qt/queued_poster.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include "qt/qt_test_application.h"

namespace tallyvane {
namespace {

using QueuedPosterTest = QtTest;

TEST_F(QueuedPosterTest, TasksForAGoneContextAreDropped) {
    int runs = 0;
    int aliveRuns = 0;
    PostLater post;
    QObject alive;
    const PostLater alivePost = queuedPoster(&alive);
    {
        QObject context;
        post = queuedPoster(&context);
        post([&] { ++runs; });
        alivePost([&] { ++aliveRuns; });
    }
    post([&] { ++runs; });
    EXPECT_EQ(aliveRuns, 0);
    QCoreApplication::processEvents();
    // The same round of events does run a task whose context still stands.
    EXPECT_EQ(aliveRuns, 1);
    EXPECT_EQ(runs, 0);
}

}  // namespace
}  // namespace tallyvane
