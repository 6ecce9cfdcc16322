#include "timecode_ui/qt/timecode_text_view.h"

#include <gtest/gtest.h>

#include <QTextDocument>

#include "qt/qt_test_application.h"
#include "unchecked_timecode.h"

namespace tallyvane {
namespace {

QString plain(const QLabel& label) {
    QTextDocument document;
    document.setHtml(label.text());
    return document.toPlainText();
}

using TextViewTest = QtTest;

TEST_F(TextViewTest, ShowsTheTimecodeWithItsStyles) {
    QWidget window;
    auto* view = new TimecodeTextView(make({0, 25, 2, 3, 4, 0}, TimecodeFrameRate::fps29_97d), &window);
    EXPECT_EQ(plain(*view), "25:02:03;04");
    EXPECT_TRUE(view->text().contains("color:#ffff3b30")) << view->text().toStdString();

    setTimecodeEnvironment(window, TimecodeEnvironment().timecodeValidationStyle().timecodeSeparatorStyle(
                                       ShapeStyle::color({0, 0, 255, 255})));
    EXPECT_FALSE(view->text().contains("#ffff3b30"));
    EXPECT_EQ(view->text().count("color:#ff0000ff"), 3);
}

TEST_F(TextViewTest, OwnFormatOverridesTheEnvironment) {
    QWidget window;
    setTimecodeEnvironment(window, TimecodeEnvironment().timecodeFormat({TimecodeStringFormatOption::alwaysShowDays}));
    auto* inherits = new TimecodeTextView(make({0, 1, 2, 3, 4, 5}, TimecodeFrameRate::fps25), &window);
    auto* own = timecodeTextView(make({0, 1, 2, 3, 4, 5}, TimecodeFrameRate::fps25),
                                 {TimecodeStringFormatOption::filenameCompatible, TimecodeStringFormatOption::showSubFrames},
                                 &window);
    EXPECT_EQ(plain(*inherits), "0 01:02:03:04");
    EXPECT_EQ(plain(*own), "01-02-03-04.05");
}

}  // namespace
}  // namespace tallyvane
