#pragma once
// One application object for all widget tests, on the offscreen platform so that no
// display is needed.

#include <gtest/gtest.h>

#include <QApplication>

namespace tallyvane {

inline void ensureQtApplication() {
    if (QApplication::instance() != nullptr) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "timecode_ui_qt_tests";
    static char* argv[] = {name, nullptr};
    // Kept for the whole run: widgets of every test live under it.
    static QApplication* application = new QApplication(argc, argv);
    (void)application;
}

// A fixture for tests that need the application object; key events, for one, find their
// input device through it.
class QtTest : public testing::Test {
protected:
    static void SetUpTestSuite() { ensureQtApplication(); }
};

}  // namespace tallyvane
