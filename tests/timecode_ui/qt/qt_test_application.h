#pragma once
// One application object for all widget tests, on the offscreen platform so that no
// display is needed.

#include <gtest/gtest.h>

#include <QApplication>

#include "support/toolkit_folders.h"
#include "timecode_ui/timecode_text_formatter.h"

namespace tallyvane {

inline void ensureQtApplication() {
    if (QApplication::instance() != nullptr) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The build tree's folders keep the tests from leaving anything in the temporary folder
    // or the user's home (in "/" without one).
    const test::ToolkitFolders folders = test::toolkitFolders(TALLYVANE_TEST_TOOLKIT_DIR);
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) qputenv("XDG_RUNTIME_DIR", folders.runtime.c_str());
    qputenv("XDG_CONFIG_HOME", folders.config.c_str());
    qputenv("XDG_CACHE_HOME", folders.cache.c_str());
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

// A formatter at 80 subframes within a day that draws invalid components red when it shows
// validation.
inline TimecodeTextFormatter formatterAt(TimecodeFrameRate rate, bool showsValidation = false) {
    return TimecodeTextFormatter(
        Timecode::Properties{rate, Timecode::SubFramesBase::max80SubFrames, Timecode::UpperLimit::max24Hours},
        std::nullopt, showsValidation, TextAttributes{Rgba{255, 0, 0, 255}, {}, {}, {}});
}

// A formatter subclass that shows any text no timecode can be read from as dashes.
class DashingFormatter : public TimecodeTextFormatter {
public:
    explicit DashingFormatter(const TimecodeTextFormatter& base) : TimecodeTextFormatter(base) {}
    std::optional<std::string> string(const std::optional<std::string>& value) const override {
        auto shown = TimecodeTextFormatter::string(value);
        if (shown && shown->find_first_not_of("0123456789:;. ") != std::string::npos) shown = "--:--:--:--";
        return shown;
    }
};

}  // namespace tallyvane
