#pragma once
// Reading and clicking widgets the way a person does.

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QStringList>
#include <QTableWidget>
#include <QTest>

namespace tallyvane::test {

inline QStringList items(const QComboBox& popup) {
    QStringList titles;
    for (int index = 0; index < popup.count(); ++index) titles << popup.itemText(index);
    return titles;
}

// On the box itself: a check box's or radio button's click area ends with its title.
inline void clickCheckBox(QAbstractButton& box) { QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(6, box.height() / 2)); }

// The text a person sees (and a screen reader reads): markup rendered, mnemonic marks taken out.
inline QString shownText(QWidget& widget) {
    return QAccessible::queryAccessibleInterface(&widget)->text(QAccessible::Name);
}

inline QCheckBox& rowBox(QTableWidget& table, int row) { return *qobject_cast<QCheckBox*>(table.cellWidget(row, 0)); }

// Each row as its title with "[x] " or "[ ] " before it.
inline QStringList rows(QTableWidget& table) {
    QStringList shown;
    for (int row = 0; row < table.rowCount(); ++row) {
        QCheckBox& box = rowBox(table, row);
        shown << (box.isChecked() ? "[x] " : "[ ] ") + shownText(box);
    }
    return shown;
}

// Chooses an item as the keyboard does, which the pop-up reports as the user's choice.
// How far the field has scrolled its text to keep the cursor at its end in sight: the
// cursor moves from the text's start to its end by less than the text's width.
inline int scrolledBy(QLineEdit& field) {
    const auto cursorX = [&field] { return field.inputMethodQuery(Qt::ImCursorRectangle).toRect().x(); };
    field.setCursorPosition(0);
    const int start = cursorX();
    field.end(false);
    return field.fontMetrics().horizontalAdvance(field.text()) - (cursorX() - start);
}

inline void choose(QComboBox& popup, int index) {
    popup.setFocus();
    QTest::keyClick(&popup, Qt::Key_Home);
    for (int step = 0; step < index; ++step) QTest::keyClick(&popup, Qt::Key_Down);
}

}  // namespace tallyvane::test
