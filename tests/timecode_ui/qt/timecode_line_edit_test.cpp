#include "timecode_ui/qt/timecode_line_edit.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QVBoxLayout>

#include "qt/qt_test_application.h"

namespace tallyvane {
namespace {

using Rate = TimecodeFrameRate;

class LineEditTest : public QtTest {
protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(edit);
        layout->addWidget(other);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        edit->setFocus();
    }

    QWidget window;
    TimecodeLineEdit* edit = new TimecodeLineEdit(&window);
    QLineEdit* other = new QLineEdit(&window);
};

TEST_F(LineEditTest, TypedTextIsCorrectedOrRefused) {
    struct Row {
        Rate rate;
        const char* typed;
        const char* shown;
    };
    const Row rows[] = {
        {Rate::fps29_97d, "01.02.03.04", "01:02:03;04"},
        {Rate::fps25, "01:02x:03", "01:02:03"},
        {Rate::fps25, "01:02:03:04:05", "01:02:03:0405"},
    };
    for (const Row& row : rows) {
        edit->clear();
        edit->setFormatter(formatterAt(row.rate));
        QTest::keyClicks(edit, row.typed);
        EXPECT_EQ(edit->text(), row.shown) << row.typed;
    }
}

TEST_F(LineEditTest, AFormatterSubclassShowsItsOwnText) {
    edit->setText("later");
    edit->setFormatter(DashingFormatter(formatterAt(Rate::fps25)));
    EXPECT_EQ(edit->text(), "--:--:--:--");
}

TEST_F(LineEditTest, EscapeGivesUpTheEditAndKeepsFocus) {
    edit->setFormatter(formatterAt(Rate::fps25));
    edit->setText("01:00:00:00");
    other->setFocus();
    edit->setFocus();
    QTest::keyClicks(edit, "12");
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_EQ(edit->text(), "01:00:00:00");
    EXPECT_TRUE(edit->hasFocus());
}

TEST_F(LineEditTest, TextNotYetLaidOutIsNotColouredOnOtherCharacters) {
    edit->setFormatter(formatterAt(Rate::fps25, true));
    QTest::keyClicks(edit, "1:75:3:4");
    // The invalid minutes would fall on "5:" of the typed text.
    EXPECT_TRUE(edit->validationFormats().isEmpty());
    other->setFocus();
    EXPECT_EQ(edit->text(), "01:75:03:04");
    const auto formats = edit->validationFormats();
    ASSERT_EQ(formats.size(), 1);
    EXPECT_EQ(edit->text().mid(formats[0].start, formats[0].length), "75");
}

}  // namespace
}  // namespace tallyvane
