#pragma once
// Timecode text in the cells of item views: shown laid out and styled by the formatter
// and edited in a timecode line edit with the same formatter.

#include <QStyledItemDelegate>

#include "timecode_ui/timecode_text_formatter.h"

namespace tallyvane {

class TimecodeItemDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    TimecodeItemDelegate(const TimecodeTextFormatter& formatter, QObject* parent);

    const TimecodeTextFormatter& formatter() const { return formatter_; }

    // Text is laid out; a value that is not text is shown as the base class shows it.
    QString displayText(const QVariant& value, const QLocale& locale) const override;
    // With validation shown, invalid components are drawn in the invalid attributes.
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;

protected:
    // Cells take the formatter's alignment.
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    TimecodeTextFormatter formatter_;
};

}  // namespace tallyvane
