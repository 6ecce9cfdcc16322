#pragma once
// Timecode text in the cells of item views: shown laid out and styled by the formatter
// and edited in a timecode line edit with the same formatter.

#include <memory>
#include <type_traits>

#include <QStyledItemDelegate>

#include "timecode_ui/timecode_text_formatter.h"

namespace tallyvane {

class TimecodeItemDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    // The delegate keeps the formatter it is given, not a copy, and hands it on to its
    // editors, so a subclass's text is the one shown. Not null.
    TimecodeItemDelegate(std::shared_ptr<const TimecodeTextFormatter> formatter, QObject* parent);
    // Keeps a copy of `formatter`, made as the type it is passed as: a subclass object
    // passed through a reference to its base is sliced, so share it instead.
    template <typename Formatter>
        requires std::is_base_of_v<TimecodeTextFormatter, Formatter>
    TimecodeItemDelegate(const Formatter& formatter, QObject* parent)
        : TimecodeItemDelegate(std::make_shared<const Formatter>(formatter), parent) {}

    const TimecodeTextFormatter& formatter() const { return *formatter_; }

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
    std::shared_ptr<const TimecodeTextFormatter> formatter_;
};

}  // namespace tallyvane
