#include "timecode_ui/qt/timecode_item_delegate.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QHeaderView>
#include <QImage>
#include <QStandardItemModel>
#include <QTest>
#include <QTableView>

#include "qt/qt_test_application.h"
#include "timecode_ui/qt/timecode_line_edit.h"

namespace tallyvane {
namespace {

using ItemDelegateTest = QtTest;

TEST_F(ItemDelegateTest, CellsShowAndEditTimecodeText) {
    const TimecodeTextFormatter base = formatterAt(TimecodeFrameRate::fps29_97d, false);
    struct Row {
        std::shared_ptr<const TimecodeTextFormatter> formatter;
        // How the cells and their editors show text that is not a timecode.
        QString later;
    };
    for (const Row& row : {Row{std::make_shared<const TimecodeTextFormatter>(base), "later"},
                           Row{std::make_shared<const DashingFormatter>(base), "--:--:--:--"}}) {
        QStandardItemModel model(1, 1);
        model.setData(model.index(0, 0), QString("1:2:3:4"));
        QTableView view;
        auto* delegate = new TimecodeItemDelegate(row.formatter, &view);
        view.setItemDelegate(delegate);
        view.setModel(&model);

        EXPECT_EQ(delegate->displayText(QString("1:2:3:4"), QLocale::c()), "01:02:03;04");
        EXPECT_EQ(delegate->displayText(QString("later"), QLocale::c()), row.later);
        EXPECT_EQ(delegate->displayText(42, QLocale::c()), "42");

        view.show();
        view.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
        view.setCurrentIndex(model.index(0, 0));
        view.edit(model.index(0, 0));
        auto* editor = view.findChild<TimecodeLineEdit*>();
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->formatter().string("later"), row.later.toStdString());
        editor->selectAll();
        QTest::keyClicks(editor, "10.20.30.12");
        EXPECT_EQ(editor->text(), "10:20:30;12");
        QTest::keyClick(editor, Qt::Key_Return);
        // The view commits the editor's text after the key event.
        QCoreApplication::processEvents();
        EXPECT_EQ(model.data(model.index(0, 0)).toString(), "10:20:30;12");
    }
}

// Columns of a cell that hold anything but the background.
std::pair<int, int> inkedColumns(QTableView& view, const QModelIndex& index) {
    const QImage image = view.viewport()->grab(view.visualRect(index)).toImage();
    const QColor background = image.pixelColor(image.width() / 2, 1);
    int first = image.width();
    int last = -1;
    for (int y = 2; y < image.height() - 2; ++y) {
        for (int x = 2; x < image.width() - 2; ++x) {
            if (image.pixelColor(x, y) != background) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
        }
    }
    return {first, image.width() - 1 - last};
}

TEST_F(ItemDelegateTest, CellsTakeTheFormattersAlignmentWhetherValidOrNot) {
    TimecodeTextFormatter formatter = formatterAt(TimecodeFrameRate::fps25, true);
    formatter.alignment = TextAlignment::right;
    QStandardItemModel model(2, 1);
    model.setData(model.index(0, 0), QString("01:02:03:04"));
    model.setData(model.index(1, 0), QString("01:75:03:04"));
    QTableView view;
    view.setShowGrid(false);
    view.setItemDelegate(new TimecodeItemDelegate(formatter, &view));
    view.setModel(&model);
    view.horizontalHeader()->resizeSection(0, 400);
    for (int row = 0; row < 2; ++row) {
        const auto [left, right] = inkedColumns(view, model.index(row, 0));
        EXPECT_GT(left, right) << "row " << row;
    }
}

}  // namespace
}  // namespace tallyvane
