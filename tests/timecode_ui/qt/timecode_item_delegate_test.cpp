#include "timecode_ui/qt/timecode_item_delegate.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QStandardItemModel>
#include <QTest>
#include <QTableView>

#include "qt/qt_test_application.h"
#include "timecode_ui/qt/timecode_line_edit.h"

namespace tallyvane {
namespace {

class ItemDelegateTest : public testing::Test {
protected:
    static void SetUpTestSuite() { ensureQtApplication(); }
};

TEST_F(ItemDelegateTest, CellsShowAndEditTimecodeText) {
    const TimecodeTextFormatter formatter(
        Timecode::Properties{TimecodeFrameRate::fps29_97d, Timecode::SubFramesBase::max80SubFrames,
                             Timecode::UpperLimit::max24Hours},
        std::nullopt, false, std::nullopt);
    QStandardItemModel model(1, 1);
    model.setData(model.index(0, 0), QString("1:2:3:4"));
    QTableView view;
    auto* delegate = new TimecodeItemDelegate(formatter, &view);
    view.setItemDelegate(delegate);
    view.setModel(&model);

    EXPECT_EQ(delegate->displayText(QString("1:2:3:4"), QLocale::c()), "01:02:03;04");
    EXPECT_EQ(delegate->displayText(QString("later"), QLocale::c()), "later");
    EXPECT_EQ(delegate->displayText(42, QLocale::c()), "42");

    view.show();
    view.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
    view.setCurrentIndex(model.index(0, 0));
    view.edit(model.index(0, 0));
    auto* editor = view.findChild<TimecodeLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, "10.20.30.12");
    EXPECT_EQ(editor->text(), "10:20:30;12");
    QTest::keyClick(editor, Qt::Key_Return);
    // The view commits the editor's text after the key event.
    QCoreApplication::processEvents();
    EXPECT_EQ(model.data(model.index(0, 0)).toString(), "10:20:30;12");
}

}  // namespace
}  // namespace tallyvane
